#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// One command of lotmark-cli. Exit codes: 0 done, 1 the input was refused (the message goes
// to err), 2 usage.
class CliCommand
{
public:
    enum ExitCode { Done = 0, Refused = 1, Usage = 2 };

    virtual ~CliCommand() = default;
    virtual QString name() const = 0;
    // One line: the arguments and what the command does.
    virtual QString synopsis() const = 0;
    virtual int run(const QStringList& arguments, QTextStream& out, QTextStream& err) = 0;

protected:
    int usage(QTextStream& err) const;
    // Saves the file object's document under `path`; prints the path, or the failure on err.
    static int saveDocument(class CPFile& file, const QString& path, QTextStream& out, QTextStream& err);
};
