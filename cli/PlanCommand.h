#pragma once

#include "cli/CliCommand.h"

// plan FILE.CP -o FILE.pdf [--scale N] [--paper A4|A3] [--orientation portrait|landscape]
// [--cadastral-no TEXT] [--land-book-no TEXT] [--surveyor NAME] [--license SERIES] [--date TEXT]
// [--data DIR]: the site plan as PDF. The surveyor defaults to the document's, the date to
// today, the place names to the Data folder beside the program.
class PlanCommand : public CliCommand
{
public:
    PlanCommand();
    QString name() const override { return QStringLiteral("plan"); }

protected:
    QString summary() const override { return QStringLiteral("write the site plan at a true scale as PDF"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
    const QCommandLineOption m_scale;
    const QCommandLineOption m_paper;
    const QCommandLineOption m_orientation;
    const QCommandLineOption m_cadastralNo;
    const QCommandLineOption m_landBookNo;
    const QCommandLineOption m_surveyor;
    const QCommandLineOption m_license;
    const QCommandLineOption m_date;
    const QCommandLineOption m_data;
};
