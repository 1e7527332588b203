#pragma once

#include "cli/CliCommand.h"

// nomenclature --siruta SIRUTA.csv [--streets-mfp DIR ...] -o DATA_DIR: builds the nine lookup
// tables (.DAT) from the official publications.
class NomenclatureCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("nomenclature"); }
    QString synopsis() const override
    {
        return QStringLiteral("--siruta SIRUTA.csv [--streets-mfp DIR ...] -o DATA_DIR  -- build the lookup tables");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
