#pragma once

#include "format/CPFile.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// Paths and helpers shared by the exchange-file tests.
namespace CgxmlTestFiles {

inline QString sample(const QString& name)
{
    return TestPaths::sample(name);
}

inline QString schema()
{
    return TestPaths::source(QStringLiteral("cgxml/cgxml-subset.xsd"));
}

// xmllint's verdict on a file against the schema of what we write; empty when valid.
inline QString schemaProblems(const QString& path)
{
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schema(), path});
    if (!lint.waitForFinished(60000))
        return QStringLiteral("xmllint did not finish");
    if (lint.exitCode() == 0)
        return QString();
    return QString::fromUtf8(lint.readAllStandardError());
}

inline bool haveXmllint()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

// Writes `bytes` into `path`; false when the file cannot be written.
inline bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline DocumentPtr load(const QString& path)
{
    CPFile file(QStringLiteral("."));
    file.setCPFileName(path);
    return file.LoadCPFile() ? file.Document() : nullptr;
}

} // namespace CgxmlTestFiles
