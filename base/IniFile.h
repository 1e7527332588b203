#pragma once

#include <QString>

// Private-profile (INI) files: "[section]" headers and "key=value" lines. Section and key
// names compare without regard to case; values are taken as they stand between "=" and the
// end of the line, blanks at both ends trimmed, with no quoting or list splitting.
namespace IniFile {

// The value, at most 254 characters; empty when the file, section or key is missing.
QString read(const QString& section, const QString& key, const QString& filePath);

// Writes one value, creating the file, section or key as needed and keeping every other
// line as it was. The file is replaced atomically; returns false (file unchanged) on failure.
bool write(const QString& section, const QString& key, const QString& value, const QString& filePath);

} // namespace IniFile
