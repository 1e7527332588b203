#include "cli/BuildCommand.h"

#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

int BuildCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() != 3 || arguments[1] != QLatin1String("-o"))
        return usage(err);
    const QString input = arguments[0];
    const QString output = arguments[2];

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
