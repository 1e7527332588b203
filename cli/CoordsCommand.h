#pragma once

#include "cli/CliCommand.h"

// coords FILE.txt [--delimiters CODED] [--decimals N] [--separator . or ,]: pastes a point
// list (a total-station export) onto a fresh coordinate list and prints the rows it gives,
// tab-separated: entity, number, Est, Nord. A paste the list refuses prints its message and
// exits 1; the list's questions are answered Yes.
class CoordsCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("coords"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.txt [--delimiters CODED] [--decimals N] [--separator . or ,]  -- "
                              "paste a point list and print the rows");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
