#pragma once

#include "cli/CliCommand.h"

// dxf FILE.DXF [--raw]: prints the closed polylines the reader keeps, as JSON; cleaned as the
// wizard lists them, or exactly as read with --raw.
class DxfCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("dxf"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.DXF [--raw]  -- print the drawing's closed polylines as JSON");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
