#include "cli/ExportDxfCommand.h"

#include "cli/LoadedDocument.h"
#include "plan/DxfExport.h"

int ExportDxfCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString input;
    QString output;
    for (int i = 0; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("-o") && i + 1 < arguments.size())
            output = arguments.at(++i);
        else if (input.isEmpty() && !arguments.at(i).startsWith(QLatin1Char('-')))
            input = arguments.at(i);
        else
            return usage(err);
    }
    if (input.isEmpty() || output.isEmpty())
        return usage(err);
    const DocumentPtr document = loadDocumentOrReport(input, err);
    if (!document)
        return Refused;
    Error error;
    if (!DxfExport::write(*document->Land(), output, &error)) {
        err << output << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << output << Qt::endl;
    return Done;
}
