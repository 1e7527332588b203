#pragma once

#include <QString>

namespace FileSystem {
// True when the path names an existing file (hidden files included); false for folders,
// bad paths and missing files.
bool fileExists(const QString& path);
// What the user is told when a file could not be written, naming it.
QString notWrittenMessage(const QString& path);
} // namespace FileSystem
