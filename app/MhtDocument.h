#pragma once

#include <QByteArray>
#include <QString>

// The HTML of a saved web archive (MHTML): the first text/html part, its transfer encoding
// (quoted-printable, base64 or none) and charset undone. A file that is plain HTML is
// returned as it is.
namespace MhtDocument {
QString html(const QByteArray& archive);
QString htmlOfFile(const QString& path);
} // namespace MhtDocument
