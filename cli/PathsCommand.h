#pragma once

#include "cli/CliCommand.h"

// paths: prints where the program keeps its settings and finds its nomenclature and manual,
// as seen from the folder lotmark-cli runs from (the same folder as the program's).
class PathsCommand : public CliCommand
{
public:
    PathsCommand();
    QString name() const override { return QStringLiteral("paths"); }

protected:
    QString summary() const override
    {
        return QStringLiteral("print where the settings, nomenclature tables and manual are found");
    }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;
};
