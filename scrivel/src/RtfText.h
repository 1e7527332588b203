#pragma once

#include <QByteArray>
#include <QString>

// Text and number conversions behind RTFDoc. Internal to the library.
namespace RtfText {

// 8-bit text as the document stores it: every character Windows-1250 holds becomes its byte
// (the fonts declare charset 238, so readers show it), any other one an RTF Unicode escape
// \uN followed by a Windows-1250 fallback byte for readers without Unicode (Ș falls back to Ş).
QByteArray encode(const QString& text);

// Plain text made safe inside an RTF group: \ { } escaped, line breaks as \line, tabs as \tab.
QString escapePlain(const QString& text);

// Two upper-case hexadecimal digits per byte, appended to out.
void appendHex(QByteArray& out, const char* data, qsizetype size);

// floor(value * factor) computed in double precision. False when the value is not finite or
// the result does not fit in 32 bits.
bool scaledFloor(double value, double factor, qint32* result);

// The value rounded half to even, as a 16-bit integer. False outside -32768..32767 or for NaN.
bool toInteger16(double value, qint32* result);

} // namespace RtfText
