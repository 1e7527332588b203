#pragma once

#include "cli/CliCommand.h"

// nomenclature --siruta SIRUTA.csv [--streets-mfp DIR ...] [--streets-posta FILE.json] -o DATA_DIR:
// builds the nine lookup tables (.DAT) from the official publications (the streets of a county
// from the Ministry of Finance, those of Bucharest from the postal index).
class NomenclatureCommand : public CliCommand
{
public:
    NomenclatureCommand();
    QString name() const override { return QStringLiteral("nomenclature"); }

protected:
    QString summary() const override { return QStringLiteral("build the lookup tables"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_siruta;
    const QCommandLineOption m_streetsMfp;
    const QCommandLineOption m_streetsPosta;
    const QCommandLineOption m_output;
};
