#pragma once

#include "cli/CliCommand.h"

// sheet FILE.CP -o FILE.RTF [--siruta CODE] [--surveyor NAME] [--date TEXT]
// sheet FILE.CP|FOLDER... --out-dir FOLDER [...]
// Writes the property sheet of saved documents, with the sketch drawn at the fit zoom. A folder
// stands for its .CP files; with --out-dir each sheet is named after its document and a
// progress line is printed per file.
class SheetCommand : public CliCommand
{
public:
    SheetCommand();
    QString name() const override { return QStringLiteral("sheet"); }

protected:
    QString summary() const override { return QStringLiteral("write the property sheet (RTF)"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
    const QCommandLineOption m_outDir;
    const QCommandLineOption m_siruta;
    const QCommandLineOption m_surveyor;
    const QCommandLineOption m_date;
};
