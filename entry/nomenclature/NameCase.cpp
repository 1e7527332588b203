#include "entry/nomenclature/NameCase.h"

#include <QRegularExpression>
#include <QSet>

namespace NameCase {

namespace {

bool isWordBreak(QChar c)
{
    return c.isSpace() || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char('\'')
        || c == QLatin1Char('(') || c == QLatin1Char('"');
}

bool isSmallWord(const QString& lowerWord)
{
    static const QSet<QString> words = {
        QStringLiteral("de"),  QStringLiteral("din"), QStringLiteral("lui"), QStringLiteral("cel"),
        QStringLiteral("cea"), QStringLiteral("cu"),  QStringLiteral("pe"),  QStringLiteral("sub"),
        QStringLiteral("la"),  QStringLiteral("și"),  QStringLiteral("dintre"), QStringLiteral("peste"),
        QStringLiteral("lângă"), QStringLiteral("spre"),
    };
    return words.contains(lowerWord);
}

bool isRomanNumeral(const QString& upperWord)
{
    static const QRegularExpression roman(QStringLiteral("^X{0,3}(IX|IV|V?I{0,3})$"));
    return upperWord.size() >= 2 && roman.match(upperWord).hasMatch();
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
    for (QChar& c : out) {
        switch (c.unicode()) {
        case 0x015E: c = QChar(0x0218); break; // Ş -> Ș
        case 0x015F: c = QChar(0x0219); break; // ş -> ș
        case 0x0162: c = QChar(0x021A); break; // Ţ -> Ț
        case 0x0163: c = QChar(0x021B); break; // ţ -> ț
        default: break;
        }
    }
    return out;
}

QString display(const QString& text)
{
    const QString lower = commaBelow(text).simplified().toLower();
    QString out;
    out.reserve(lower.size());
    int i = 0;
    bool first = true;
    while (i < lower.size()) {
        if (isWordBreak(lower.at(i))) {
            out += lower.at(i++);
            continue;
        }
        int end = i;
        while (end < lower.size() && !isWordBreak(lower.at(end)))
            ++end;
        const QString word = lower.mid(i, end - i);
        const bool standsAlone = (i == 0 || lower.at(i - 1).isSpace()) && (end == lower.size() || lower.at(end).isSpace());
        if (!first && standsAlone && isSmallWord(word)) {
            out += word;
        } else if (standsAlone && isRomanNumeral(word.toUpper())) {
            out += word.toUpper();
        } else {
            out += word.left(1).toUpper() + word.mid(1);
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
