#pragma once

#include "cli/CliCommand.h"

// build FILE.json -o FILE.CP: writes the .CP file of a document given as JSON.
class BuildCommand : public CliCommand
{
public:
    BuildCommand();
    QString name() const override { return QStringLiteral("build"); }

protected:
    QString summary() const override { return QStringLiteral("write a .CP file from JSON"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
};
