#include "cli/ExportDxfCommand.h"

#include "cli/LoadedDocument.h"
#include "cli/SharedOptions.h"
#include "plan/DxfExport.h"

ExportDxfCommand::ExportDxfCommand() : m_output(SharedOptions::output(QStringLiteral("FILE.dxf")))
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document whose contours are drawn."));
    commandLine().addOption(m_output, CommandLine::Presence::Required);
}

int ExportDxfCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);
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
