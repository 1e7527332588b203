#pragma once

#include "cli/CommandLine.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// One command of lotmark-cli. Exit codes: 0 done, 1 the input was refused (the message goes
// to err), 2 usage. A command declares its arguments on commandLine() in its constructor; run()
// parses them and hands the command only a command line it understood.
class CliCommand
{
public:
    enum ExitCode
    {
        Done = 0,
        Refused = 1,
        Usage = 2
    };

    virtual ~CliCommand() = default;
    virtual QString name() const = 0;
    // One line: the arguments and what the command does.
    QString synopsis() const;
    // A command line not understood prints the usage line on err and gives Usage; -h/--help
    // prints the command's help on out.
    int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

protected:
    // What the command does, after the arguments on the usage line.
    virtual QString summary() const = 0;
    // Runs on a parsed command line: its options known, the required ones given, the count of
    // positional arguments right; the values themselves are the command's to check.
    virtual int execute(const CommandLine& line, QTextStream& out, QTextStream& err) = 0;

    CommandLine& commandLine() { return m_commandLine; }
    int usage(QTextStream& err) const;
    // Saves the file object's document under `path`; prints the path, or the failure on err.
    static int saveDocument(class CPFile& file, const QString& path, QTextStream& out, QTextStream& err);

private:
    CommandLine m_commandLine;
};
