#include "cli/BuildCommand.h"

#include "cli/SharedOptions.h"

#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

BuildCommand::BuildCommand() : m_output(SharedOptions::output(QStringLiteral("FILE.CP")))
{
    commandLine().setPositional(QStringLiteral("FILE.json"), QStringLiteral("The document as JSON (see dump)."));
    commandLine().addOption(m_output, CommandLine::Presence::Required);
}

int BuildCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    const QString output = line.value(m_output);

    QFile jsonFile(input);
    if (!jsonFile.open(QIODevice::ReadOnly)) {
        err << input << ": " << jsonFile.errorString() << Qt::endl;
        return Refused;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(jsonFile.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        err << input << ": not a JSON document (" << parseError.errorString() << " at offset " << parseError.offset
            << ")" << Qt::endl;
        return Refused;
    }
    if (!json.isObject()) {
        err << input << ": expected one JSON object holding the document, not an array" << Qt::endl;
        return Refused;
    }
    CPFile file(QStringLiteral("."));
    QString problem;
    if (!DocumentJson::fromJson(json.object(), file, &problem)) {
        err << input << ": " << problem << Qt::endl;
        return Refused;
    }
    return saveDocument(file, output, out, err);
}
