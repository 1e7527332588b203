#pragma once

#include "cli/CliCommand.h"

// dump FILE.CP: prints the loaded document as JSON.
class DumpCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("dump"); }
    QString synopsis() const override { return QStringLiteral("FILE.CP  -- print the document as JSON"); }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
