#pragma once

#include "cli/CliCommand.h"

// inventory FILE.CP: the coordinate inventory of the land and building contours as CSV.
class InventoryCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("inventory"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP  -- print the coordinate inventory (points, sides, areas) as CSV");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
