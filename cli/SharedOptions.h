#pragma once

#include <QCommandLineOption>

// The options several commands take, each declared here once so that every command spells and
// reads it alike. The value's name is the command's ("-o FILE.CP", "-o FILE.pdf").
namespace SharedOptions {
// -o: the file or folder the command writes.
QCommandLineOption output(const QString& valueName);
// --data: the nomenclature folder read instead of the program's (cli/DataFolder).
QCommandLineOption data(const QString& valueName);
// --surveyor, --license: the surveyor named on what is written, instead of the document's.
QCommandLineOption surveyor();
QCommandLineOption license();
// --date: the date written, instead of today's.
QCommandLineOption date(const QString& valueName);
} // namespace SharedOptions
