#pragma once

#include "cli/CliCommand.h"

// paths: prints where the program keeps its settings and finds its nomenclature and manual,
// as seen from the folder lotmark-cli runs from (the same folder as the program's).
class PathsCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("paths"); }
    QString synopsis() const override
    {
        return QStringLiteral("  -- print where the settings, nomenclature tables and manual are found");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
