#include "base/AnsiText.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace {

// The code page's 256 characters, looked up once: converting through a codec object per text
// costs far more than the texts themselves in a large .CP file.
struct CodePage
{
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    CodePage()
    {
        QStringDecoder decoder("windows-1250");
        for (int byte = 0; byte < 256; ++byte) {
            const char raw = char(byte);
            QString text = decoder.isValid() ? decoder.decode(QByteArrayView(&raw, 1)) : QString(QChar(byte));
            toUnicode[std::size_t(byte)] = text.isEmpty() ? u'?' : char16_t(text.at(0).unicode());
            if (byte >= 128 && !text.isEmpty() && text.at(0) != QChar::ReplacementCharacter)
                fromUnicode.insert(char16_t(text.at(0).unicode()), raw);
        }
    }
};

const CodePage& codePage()
{
    static const CodePage page;
    return page;
}

char16_t cedillaForm(char16_t c)
{
    switch (c) {
    case 0x0218:
        return 0x015E; // Ș -> Ş
    case 0x0219:
        return 0x015F; // ș -> ş
    case 0x021A:
        return 0x0162; // Ț -> Ţ
    case 0x021B:
        return 0x0163; // ț -> ţ
    default:
        return c;
    }
}

} // namespace

namespace AnsiText {

QString withCedillas(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        c = QChar(cedillaForm(c.unicode()));
    return result;
}

bool sameLetters(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x != y && cedillaForm(x) != cedillaForm(y))
            return false;
    }
    return true;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    encodeInto(bytes.data(), text);
    return bytes;
}

char* encodeInto(char* out, const QString& text)
{
    const CodePage* page = nullptr;
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit < 128) {
            *out++ = char(unit);
            continue;
        }
        if (!page)
            page = &codePage();
        const auto found = page->fromUnicode.constFind(cedillaForm(unit));
        *out++ = found == page->fromUnicode.constEnd() ? '?' : found.value();
    }
    return out;
}

qsizetype firstUnstorable(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 128 && !codePage().fromUnicode.contains(cedillaForm(unit)))
            return i;
    }
    return -1;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    const CodePage* page = nullptr;
    for (char raw : bytes) {
        const unsigned char byte = static_cast<unsigned char>(raw);
        if (byte < 128) {
            *out++ = QChar(byte);
            continue;
        }
        if (!page)
            page = &codePage();
        *out++ = QChar(page->toUnicode[byte]);
    }
    return text;
}

} // namespace AnsiText
