#pragma once

#include "cli/CliCommand.h"

// dump FILE.CP: prints the loaded document as JSON.
class DumpCommand : public CliCommand
{
public:
    DumpCommand();
    QString name() const override { return QStringLiteral("dump"); }

protected:
    QString summary() const override { return QStringLiteral("print the document as JSON"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;
};
