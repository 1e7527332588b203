#pragma once

#include "cli/CliCommand.h"

// plan FILE.CP -o FILE.pdf [--scale N] [--paper A4|A3] [--orientation portrait|landscape]
// [--cadastral-no TEXT] [--land-book-no TEXT] [--surveyor NAME] [--license SERIES] [--date TEXT]
// [--data DIR]: the site plan as PDF. The surveyor defaults to the document's, the date to
// today, the place names to the Data folder beside the program.
class PlanCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("plan"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP -o FILE.pdf [--scale N] [--paper A4|A3] [--orientation portrait|landscape] "
                              "[--cadastral-no TEXT] [--land-book-no TEXT] [--surveyor NAME] [--license SERIES] "
                              "[--date TEXT] [--data DIR]  -- write the site plan at a true scale as PDF");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
