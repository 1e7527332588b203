#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// 8-bit texts as stored in .CP files and Lotmark.INI: Windows-1250, the Central European
// ANSI code page. It has no Ș ș Ț ț (comma below), so those are stored as Ş ş Ţ ţ (cedilla).
namespace AnsiText {
QByteArray encode(const QString& text);
// Writes the encoded text at out, which has room for text.size() bytes (one byte per
// character); returns the end of what it wrote.
char* encodeInto(char* out, const QString& text);
QString decode(QByteArrayView bytes);
// Index of the first character that encode() would turn into "?" (Ș ș Ț ț count as stored),
// or -1 when the whole text survives a round trip.
qsizetype firstUnstorable(const QString& text);
// The comma-below letters replaced by their cedilla forms (what a round trip gives back).
QString withCedillas(const QString& text);
// Whether two texts are equal once comma-below and cedilla letters count as one (Ș Ş, ș ş,
// Ț Ţ, ț ţ): a name read back from a file equals the name it was written from. Case counts.
bool sameLetters(QStringView a, QStringView b);
} // namespace AnsiText
