#pragma once

#include "cli/CliCommand.h"

// import-cgxml FILE.cgxml [-o FILE.CP] [--land CADASTRAL-NUMBER] [--data FOLDER]
// Reads one land of a national exchange file into a property document: saved as .CP with -o,
// else printed as JSON. What the document cannot hold is reported on err in one message.
class ImportCgxmlCommand : public CliCommand
{
public:
    QString name() const override { return QStringLiteral("import-cgxml"); }
    QString synopsis() const override
    {
        return QStringLiteral("FILE.cgxml [-o FILE.CP] [--land CADASTRAL-NUMBER] [--data FOLDER]  -- read a land of "
                              "the national exchange file");
    }
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err) override;
};
