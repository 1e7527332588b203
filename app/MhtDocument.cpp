#include "app/MhtDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

QByteArray decodeQuotedPrintable(const QByteArray& text)
{
    QByteArray result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '=') {
            result.append(c);
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) {
            // A soft line break.
            i += (text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n') ? 2 : 1;
            continue;
        }
        bool ok = false;
        const int value = text.mid(i + 1, 2).toInt(&ok, 16);
        if (ok) {
            result.append(char(value));
            i += 2;
        } else {
            result.append(c);
        }
    }
    return result;
}

QString headerValue(const QByteArray& headers, const char* name)
{
    const QRegularExpression pattern(
        QStringLiteral("(?im)^%1:\\s*([^\\r\\n]*(?:\\r?\\n[ \\t][^\\r\\n]*)*)").arg(QLatin1String(name)));
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(headers));
    return match.hasMatch() ? match.captured(1).simplified() : QString();
}

QString decodeText(const QByteArray& bytes, const QString& contentType)
{
    const QRegularExpressionMatch charset =
        QRegularExpression(QStringLiteral("charset=\"?([A-Za-z0-9_.:-]+)")).match(contentType);
    QStringDecoder decoder(charset.hasMatch() ? charset.captured(1).toLatin1().constData() : "UTF-8");
    if (!decoder.isValid())
        return QString::fromUtf8(bytes);
    return decoder.decode(bytes);
}

} // namespace

namespace MhtDocument {

namespace {

// Headers and body of a MIME entity: the first blank line separates them (CRLF or LF).
std::pair<QByteArray, QByteArray> splitEntity(const QByteArray& entity)
{
    const qsizetype crlf = entity.indexOf("\r\n\r\n");
    const qsizetype lf = entity.indexOf("\n\n");
    if (crlf < 0 && lf < 0)
        return {entity, QByteArray()};
    if (lf >= 0 && (crlf < 0 || lf < crlf))
        return {entity.left(lf), entity.mid(lf + 2)};
    return {entity.left(crlf), entity.mid(crlf + 4)};
}

} // namespace

QString html(const QByteArray& archive)
{
    const auto [topHeaders, topBody] = splitEntity(archive);
    const QString topType = headerValue(topHeaders, "Content-Type");
    const QRegularExpressionMatch boundary =
        QRegularExpression(QStringLiteral("boundary=\"?([^\";]+)\"?")).match(topType);
    if (!topType.startsWith(QLatin1String("multipart/"), Qt::CaseInsensitive) || !boundary.hasMatch())
        return QString::fromUtf8(archive);

    const QByteArray separator = "--" + boundary.captured(1).toLatin1();
    qsizetype position = archive.indexOf(separator);
    while (position >= 0) {
        const qsizetype start = archive.indexOf('\n', position);
        if (start < 0)
            break;
        const qsizetype next = archive.indexOf(separator, start);
        const auto [headers, rawBody] =
            splitEntity(archive.mid(start + 1, (next < 0 ? archive.size() : next) - start - 1));
        const QString type = headerValue(headers, "Content-Type");
        if (type.startsWith(QLatin1String("text/html"), Qt::CaseInsensitive)) {
            QByteArray body = rawBody;
            const QString encoding = headerValue(headers, "Content-Transfer-Encoding").toLower();
            if (encoding == QLatin1String("quoted-printable"))
                body = decodeQuotedPrintable(body);
            else if (encoding == QLatin1String("base64"))
                body = QByteArray::fromBase64(body);
            return decodeText(body, type);
        }
        position = next;
    }
    return QString();
}

QString htmlOfFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return html(file.readAll());
}

} // namespace MhtDocument
