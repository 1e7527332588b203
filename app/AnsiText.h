#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// 8-bit texts as stored in .CP files and Lotmark.INI: Windows-1250, the Central European
// ANSI code page. It has no Ș ș Ț ț (comma below), so those are stored as Ş ş Ţ ţ (cedilla).
namespace AnsiText {
QByteArray encode(const QString& text);
// Appends the encoded text to out (no intermediate array).
void appendEncoded(QByteArray& out, const QString& text);
QString decode(QByteArrayView bytes);
// The comma-below letters replaced by their cedilla forms (what a round trip gives back).
QString withCedillas(const QString& text);
} // namespace AnsiText
