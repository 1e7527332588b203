#include "cli/CliCommand.h"

int CliCommand::usage(QTextStream& err) const
{
    err << "usage: lotmark-cli " << name() << ' ' << synopsis() << Qt::endl;
    return Usage;
}
