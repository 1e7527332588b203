#pragma once

#include "cli/CliCommand.h"

// nomenclature --siruta SIRUTA.csv [--streets-mfp DIR ...] [--streets-posta FILE.json] -o DATA_DIR:
// builds the nine lookup tables (.DAT) from the official publications (the streets of a county
// from the Ministry of Finance, those of Bucharest from the postal index).
class NomenclatureCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("nomenclature"); }
    QString synopsis() const override
    {
        return QStringLiteral("--siruta SIRUTA.csv [--streets-mfp DIR ...] [--streets-posta BUCURESTI.json] -o DATA_DIR"
                              "  -- build the lookup tables");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
