#pragma once

#include "cli/CliCommand.h"

// export-dxf FILE.CP -o FILE.dxf: the contours, point numbers and side lengths as an R12 drawing.
class ExportDxfCommand : public CliCommand
{
public:
    ExportDxfCommand();
    QString name() const override { return QStringLiteral("export-dxf"); }

protected:
    QString summary() const override { return QStringLiteral("write the contours as an R12 DXF drawing"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
};
