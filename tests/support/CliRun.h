#pragma once

#include "cli/CommandRegistry.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// Runs lotmark-cli in-process and keeps what it printed. For tests linking lotmark_cli_commands.
struct CliResult
{
    int code;
    QString out;
    QString err;
};

inline CliResult runCliCaptured(const QStringList& arguments)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = runCli(arguments, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

// The examples' land document (docs/examples/sample-land.json) built into a .CP file at path;
// the path, or "" when the build failed.
inline QString exampleLandFile(const QString& path)
{
    const QString json = QStringLiteral(LOTMARK_SOURCE_DIR "/docs/examples/sample-land.json");
    return runCliCaptured({QStringLiteral("build"), json, QStringLiteral("-o"), path}).code == 0 ? path : QString();
}
