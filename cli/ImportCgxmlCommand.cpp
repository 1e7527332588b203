#include "cli/ImportCgxmlCommand.h"

#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cli/DataFolder.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>

int ImportCgxmlCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QString input, output, land, dataFolder;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("-o") && hasValue)
            output = arguments.at(++i);
        else if (argument == QLatin1String("--land") && hasValue)
            land = arguments.at(++i);
        else if (argument == QLatin1String("--data") && hasValue)
            dataFolder = arguments.at(++i);
        else if (input.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            input = argument;
        else
            return usage(err);
    }
    if (input.isEmpty())
        return usage(err);

    CgxmlReader reader;
    QString error;
    if (!reader.readFile(input, &error)) {
        err << input << ": " << error << Qt::endl;
        return Refused;
    }
    CgxmlNomenclature nomenclature;
    nomenclature.open(dataFolderOr(dataFolder));
    CgxmlImport::Result result;
    if (!CgxmlImport::toDocument(reader, land, &nomenclature, &result, &error)) {
        err << input << ": " << error << Qt::endl;
        return Refused;
    }
    const QString report = CgxmlImport::report(result);
    if (!report.isEmpty())
        err << input << ": " << report << Qt::endl;

    CPFile file(QStringLiteral("."));
    file.setDocument(result.document);
    if (output.isEmpty()) {
        out << QString::fromUtf8(QJsonDocument(DocumentJson::toJson(file)).toJson(QJsonDocument::Indented));
        out.flush();
        return Done;
    }
    return saveDocument(file, output, out, err);
}
