#pragma once

#include "cli/CliCommand.h"

// import-dxf FILE.DXF --land N [--building POS=NUMBER ...] [--renumber] [--cp IN.CP] [-o OUT.CP]:
// the DXF wizard's job without its window. Positions are those of the cleaned polylines (as
// `dxf FILE.DXF` lists them). The contours replace those of IN.CP (or of a new document) and are
// saved to OUT.CP; without -o they are printed as JSON.
class ImportDxfCommand : public CliCommand
{
public:
    ImportDxfCommand();
    QString name() const override { return QStringLiteral("import-dxf"); }

protected:
    QString summary() const override { return QStringLiteral("take the land and building contours from a drawing"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_land;
    const QCommandLineOption m_building;
    const QCommandLineOption m_renumber;
    const QCommandLineOption m_cp;
    const QCommandLineOption m_output;
};
