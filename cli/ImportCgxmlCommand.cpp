#include "cli/ImportCgxmlCommand.h"

#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlNomenclature.h"
#include "cli/DataFolder.h"
#include "cli/SharedOptions.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QJsonDocument>

ImportCgxmlCommand::ImportCgxmlCommand()
    : m_output(SharedOptions::output(QStringLiteral("FILE.CP"))),
      m_land(QStringLiteral("land"),
             QStringLiteral("The land whose cadastral number this is (default: the file's first land)."),
             QStringLiteral("CADASTRAL-NUMBER")),
      m_data(SharedOptions::data(QStringLiteral("FOLDER")))
{
    commandLine().setPositional(QStringLiteral("FILE.cgxml"), QStringLiteral("The national exchange file."));
    commandLine().addOption(m_output);
    commandLine().addOption(m_land);
    commandLine().addOption(m_data);
}

int ImportCgxmlCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);
    const QString land = line.value(m_land);
    const QString dataFolder = line.value(m_data);

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
