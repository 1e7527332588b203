#pragma once

#include "cli/CliCommand.h"

// import-dxf FILE.DXF --land N [--building POS=NUMBER ...] [--renumber] [--cp IN.CP] [-o OUT.CP]:
// the DXF wizard's job without its window. Positions are those of the cleaned polylines (as
// `dxf FILE.DXF` lists them). The contours replace those of IN.CP (or of a new document) and are
// saved to OUT.CP; without -o they are printed as JSON.
class ImportDxfCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("import-dxf"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.DXF --land N [--building POS=NUMBER ...] [--renumber] [--cp IN.CP] [-o OUT.CP]"
                              "  -- take the land and building contours from a drawing");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
