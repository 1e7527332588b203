#pragma once

#include "cli/CliCommand.h"

// sketch FILE.CP -o FILE.png [--size PIXELS]: draws the land and building contours at the fit
// zoom into a square PNG, the picture the property sheet embeds.
class SketchCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("sketch"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP -o FILE.png [--size PIXELS]  -- draw the contours into a square PNG (600 px)");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
