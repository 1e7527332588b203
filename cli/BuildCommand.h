#pragma once

#include "cli/CliCommand.h"

// build FILE.json -o FILE.CP: writes the .CP file of a document given as JSON.
class BuildCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("build"); }
    QString synopsis() const override { return QStringLiteral("FILE.json -o FILE.CP  -- write a .CP file from JSON"); }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
