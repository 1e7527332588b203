#pragma once

#include "cli/CliCommand.h"

// import-cgxml FILE.cgxml [-o FILE.CP] [--land CADASTRAL-NUMBER] [--data FOLDER]
// Reads one land of a national exchange file into a property document: saved as .CP with -o,
// else printed as JSON. What the document cannot hold is reported on err in one message.
class ImportCgxmlCommand : public CliCommand
{
public:
    ImportCgxmlCommand();
    QString name() const override { return QStringLiteral("import-cgxml"); }

protected:
    QString summary() const override { return QStringLiteral("read a land of the national exchange file"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
    const QCommandLineOption m_land;
    const QCommandLineOption m_data;
};
