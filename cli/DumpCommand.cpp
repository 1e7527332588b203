#include "cli/DumpCommand.h"

#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QJsonDocument>

int DumpCommand::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    if (arguments.size() != 1)
        return usage(err);
    CPFile file(QStringLiteral("."));
    file.setCPFileName(arguments.first());
    Error error;
    if (!file.LoadCPFile(&error)) {
        err << arguments.first() << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << QString::fromUtf8(QJsonDocument(DocumentJson::toJson(file)).toJson(QJsonDocument::Indented));
    out.flush();
    return Done;
}
