#pragma once

#include "cli/CliCommand.h"

// cgxml FILE.CP -o FILE.cgxml [--data FOLDER] [--surveyor NAME] [--license SERIES] [--date ISO] [--force]
// Writes the document as a national exchange file after the checks made before export: the
// warnings are printed, errors refuse the file unless --force is given.
class CgxmlCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("cgxml"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.CP -o FILE.cgxml [--data FOLDER] [--surveyor NAME] [--license SERIES] "
                              "[--date YYYY-MM-DDTHH:MM:SS] [--force]  -- export the national exchange file");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
