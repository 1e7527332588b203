#pragma once

#include "cli/CliCommand.h"

// inventory FILE.CP: the coordinate inventory of the land and building contours as CSV.
class InventoryCommand : public CliCommand
{
public:
    InventoryCommand();
    QString name() const override { return QStringLiteral("inventory"); }

protected:
    QString summary() const override
    {
        return QStringLiteral("print the coordinate inventory (points, sides, areas) as CSV");
    }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;
};
