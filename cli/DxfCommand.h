#pragma once

#include "cli/CliCommand.h"

// dxf FILE.DXF [--raw]: prints the closed polylines the reader keeps, as JSON; cleaned as the
// wizard lists them, or exactly as read with --raw.
class DxfCommand : public CliCommand
{
public:
    DxfCommand();
    QString name() const override { return QStringLiteral("dxf"); }

protected:
    QString summary() const override { return QStringLiteral("print the drawing's closed polylines as JSON"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_raw;
};
