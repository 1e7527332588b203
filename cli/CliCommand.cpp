#include "cli/CliCommand.h"

#include "format/CPFile.h"

int CliCommand::usage(QTextStream& err) const
{
    err << "usage: lotmark-cli " << name() << ' ' << synopsis() << Qt::endl;
    return Usage;
}

int CliCommand::saveDocument(CPFile& file, const QString& path, QTextStream& out, QTextStream& err)
{
    file.setCPFileName(path);
    Error error;
    if (!file.SaveCPFile(&error)) {
        err << path << ": " << error.text() << Qt::endl;
        return Refused;
    }
    out << path << Qt::endl;
    return Done;
}
