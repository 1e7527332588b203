#pragma once

#include "cli/CliCommand.h"

// sketch FILE.CP -o FILE.png [--size PIXELS]: draws the land and building contours at the fit
// zoom into a square PNG, the picture the property sheet embeds.
class SketchCommand : public CliCommand
{
public:
    SketchCommand();
    QString name() const override { return QStringLiteral("sketch"); }

protected:
    QString summary() const override { return QStringLiteral("draw the contours into a square PNG (600 px)"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
    const QCommandLineOption m_size;
};
