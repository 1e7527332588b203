#pragma once

#include "cli/CliCommand.h"

// coords FILE.txt [--delimiters CODED] [--decimals N] [--separator . or ,]: pastes a point
// list (a total-station export) onto a fresh coordinate list and prints the rows it gives,
// tab-separated: entity, number, Est, Nord. A paste the list refuses prints its message and
// exits 1; the list's questions are answered Yes.
class CoordsCommand : public CliCommand
{
public:
    CoordsCommand();
    QString name() const override { return QStringLiteral("coords"); }

protected:
    QString summary() const override { return QStringLiteral("paste a point list and print the rows"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_delimiters;
    const QCommandLineOption m_decimals;
    const QCommandLineOption m_separator;
};
