#include "entry/LookUpFilter.h"

namespace {

class FilterScanner
{
public:
    explicit FilterScanner(const QString& text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }

    // Returns how many blanks were skipped.
    int skipBlanks()
    {
        const int start = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
        return m_pos - start;
    }

    bool identifier(QString& out)
    {
        const int start = m_pos;
        if (atEnd() || !(isAsciiLetter(m_text.at(m_pos)) || m_text.at(m_pos) == QLatin1Char('_')))
            return false;
        ++m_pos;
        while (!atEnd() && (isAsciiLetter(m_text.at(m_pos)) || isAsciiDigit(m_text.at(m_pos)) ||
                            m_text.at(m_pos) == QLatin1Char('_')))
            ++m_pos;
        out = m_text.mid(start, m_pos - start);
        return true;
    }

    bool character(QChar c)
    {
        if (atEnd() || m_text.at(m_pos) != c)
            return false;
        ++m_pos;
        return true;
    }

    bool integer(qlonglong& out)
    {
        const int start = m_pos;
        if (!atEnd() && (m_text.at(m_pos) == QLatin1Char('-') || m_text.at(m_pos) == QLatin1Char('+')))
            ++m_pos;
        const int digitsStart = m_pos;
        while (!atEnd() && isAsciiDigit(m_text.at(m_pos)))
            ++m_pos;
        if (m_pos == digitsStart)
            return false;
        bool ok = false;
        out = m_text.mid(start, m_pos - start).toLongLong(&ok);
        return ok;
    }

    // The word AND in any letter case, followed by a blank.
    bool andKeyword()
    {
        if (m_pos + 3 >= m_text.size())
            return false;
        if (m_text.mid(m_pos, 3).compare(QLatin1String("AND"), Qt::CaseInsensitive) != 0)
            return false;
        if (!m_text.at(m_pos + 3).isSpace())
            return false;
        m_pos += 3;
        return true;
    }

private:
    static bool isAsciiLetter(QChar c)
    {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    }
    static bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

    const QString& m_text;
    int m_pos = 0;
};

} // namespace

std::optional<LookUpFilter> parseLookUpFilter(const QString& text)
{
    LookUpFilter filter;
    FilterScanner scanner(text);
    scanner.skipBlanks();
    if (scanner.atEnd())
        return filter;
    for (;;) {
        LookUpFilterTest test;
        if (!scanner.identifier(test.field))
            return std::nullopt;
        scanner.skipBlanks();
        if (!scanner.character(QLatin1Char('=')))
            return std::nullopt;
        scanner.skipBlanks();
        if (!scanner.integer(test.value))
            return std::nullopt;
        filter.tests.push_back(test);
        const int blanks = scanner.skipBlanks();
        if (scanner.atEnd())
            return filter;
        if (blanks == 0 || !scanner.andKeyword())
            return std::nullopt;
        scanner.skipBlanks();
    }
}

std::optional<LookUpFilter> lookUpFilterFromVariant(const QVariant& filter)
{
    if (!filter.isValid() || filter.isNull())
        return LookUpFilter();
    if (filter.typeId() == QMetaType::QString)
        return parseLookUpFilter(filter.toString());
    if (holdsInteger(filter) && filter.toLongLong() == 0)
        return LookUpFilter();
    return std::nullopt;
}

bool holdsInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}
