#include "entry/nomenclature/NameCase.h"

#include <QRegularExpression>

namespace NameCase {

namespace {

bool isWordBreak(QChar c)
{
    return c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('\'') ||
           c == QLatin1Char('(') || c == QLatin1Char('"');
}

bool isSmallWord(QStringView lowerWord)
{
    static const char16_t* const words[] = {u"de",  u"din", u"lui", u"cel",    u"cea",   u"cu",    u"pe",
                                            u"sub", u"la",  u"și",  u"dintre", u"peste", u"lângă", u"spre"};
    if (lowerWord.size() > 6)
        return false;
    for (const char16_t* word : words) {
        if (lowerWord == QStringView(word))
            return true;
    }
    return false;
}

// I to XXXIX from two letters on, the numbering of villages of one name ("Gersa II").
bool isRomanNumeral(QStringView lowerWord)
{
    if (lowerWord.size() < 2)
        return false;
    for (QChar c : lowerWord) {
        if (c != QLatin1Char('i') && c != QLatin1Char('v') && c != QLatin1Char('x'))
            return false;
    }
    static const QRegularExpression roman(QStringLiteral("^x{0,3}(ix|iv|v?i{0,3})$"));
    return roman.match(lowerWord.toString()).hasMatch();
}

QChar commaBelowLetter(QChar c)
{
    switch (c.unicode()) {
    case 0x015E:
        return QChar(0x0218); // Ş -> Ș
    case 0x015F:
        return QChar(0x0219); // ş -> ș
    case 0x0162:
        return QChar(0x021A); // Ţ -> Ț
    case 0x0163:
        return QChar(0x021B); // ţ -> ț
    default:
        return c;
    }
}

// Position of a letter in the Romanian alphabet, or -1.
int alphabetIndex(QChar c)
{
    static const QString alphabet = QStringLiteral("aăâbcdefghiîjklmnopqrsștțuvwxyz");
    return alphabet.indexOf(c.toLower());
}

} // namespace

QString commaBelow(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        c = commaBelowLetter(c);
    return out;
}

QString display(const QString& text)
{
    // One pass: blanks collapsed, cedillas made commas, letters lower case (ASCII without a
    // table lookup, since the register is mostly ASCII capitals).
    QString out(text.size(), Qt::Uninitialized);
    QChar* chars = out.data();
    qsizetype size = 0;
    bool pendingBlank = false;
    for (QChar c : text) {
        if (c.isSpace()) {
            pendingBlank = size > 0;
            continue;
        }
        if (pendingBlank) {
            chars[size++] = QLatin1Char(' ');
            pendingBlank = false;
        }
        const char16_t u = c.unicode();
        if (u < 0x80)
            chars[size++] = QChar(u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u);
        else
            chars[size++] = commaBelowLetter(c).toLower();
    }
    out.truncate(size);
    chars = out.data();
    qsizetype i = 0;
    bool first = true;
    while (i < size) {
        if (isWordBreak(chars[i])) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < size && !isWordBreak(chars[end]))
            ++end;
        const QStringView word(chars + i, end - i);
        const bool standsAlone = (i == 0 || chars[i - 1].isSpace()) && (end == size || chars[end].isSpace());
        if (!first && standsAlone && isSmallWord(word)) {
            // stays lower case
        } else if (standsAlone && isRomanNumeral(word)) {
            for (qsizetype k = i; k < end; ++k)
                chars[k] = chars[k].toUpper();
        } else {
            chars[i] = chars[i].toUpper();
        }
        first = false;
        i = end;
    }
    return out;
}

int compareStreetNames(const QString& a, const QString& b)
{
    const int n = static_cast<int>(std::min(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        const int ia = alphabetIndex(a.at(i));
        const int ib = alphabetIndex(b.at(i));
        const int ka = ia >= 0 ? ia : 1000 + a.at(i).toLower().unicode();
        const int kb = ib >= 0 ? ib : 1000 + b.at(i).toLower().unicode();
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return 0;
}

} // namespace NameCase
