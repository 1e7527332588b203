#pragma once

#include "cli/CliCommand.h"

// cgxml FILE.CP -o FILE.cgxml [--data FOLDER] [--surveyor NAME] [--license SERIES] [--date ISO] [--force]
// Writes the document as a national exchange file after the checks made before export: the
// warnings are printed, errors refuse the file unless --force is given.
class CgxmlCommand : public CliCommand
{
public:
    CgxmlCommand();
    QString name() const override { return QStringLiteral("cgxml"); }

protected:
    QString summary() const override { return QStringLiteral("export the national exchange file"); }
    int execute(const CommandLine& line, QTextStream& out, QTextStream& err) override;

private:
    const QCommandLineOption m_output;
    const QCommandLineOption m_data;
    const QCommandLineOption m_surveyor;
    const QCommandLineOption m_license;
    const QCommandLineOption m_date;
    const QCommandLineOption m_force;
};
