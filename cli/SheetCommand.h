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
    QString name() const override { return QStringLiteral("sheet"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP -o FILE.RTF | FILE.CP|FOLDER... --out-dir FOLDER  [--siruta CODE] [--surveyor "
                              "NAME] [--date TEXT]  -- write the property sheet (RTF)");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
