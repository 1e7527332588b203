#pragma once

#include "cli/CliCommand.h"

// export-dxf FILE.CP -o FILE.dxf: the contours, point numbers and side lengths as an R12 drawing.
class ExportDxfCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("export-dxf"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP -o FILE.dxf  -- write the contours as an R12 DXF drawing");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
