#include "cli/DumpCommand.h"

#include "format/CPFile.h"
#include "format/DocumentJson.h"

#include <QJsonDocument>

DumpCommand::DumpCommand()
{
    commandLine().setPositional(QStringLiteral("FILE.CP"), QStringLiteral("The document to print."));
}

int DumpCommand::execute(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString input = line.positional().first();
    CPFile file(QStringLiteral("."));
    file.setCPFileName(input);
    Error error;
    if (!file.LoadCPFile(&error)) {
        err << input << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << QString::fromUtf8(QJsonDocument(DocumentJson::toJson(file)).toJson(QJsonDocument::Indented));
    out.flush();
    return Done;
}
