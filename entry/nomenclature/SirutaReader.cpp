#include "entry/nomenclature/SirutaReader.h"

#include "base/Error.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

namespace SirutaReader {

namespace {

Failure badInput(const QString& what)
{
    return Failure(ErrorNumber::InvalidArgument, what);
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1250");
    if (ansi.isValid())
        return ansi.decode(bytes);
    return QString::fromLatin1(bytes);
}

int toCode(QStringView field, int lineNumber, const char* column)
{
    // Plain digits are nearly every field of the register: read them without a conversion.
    const QStringView digits = field.trimmed();
    bool ok = !digits.isEmpty() && digits.size() <= 9;
    int value = 0;
    for (qsizetype i = 0; ok && i < digits.size(); ++i) {
        const char16_t c = digits[i].unicode();
        ok = c >= u'0' && c <= u'9';
        value = value * 10 + (c - u'0');
    }
    if (!ok)
        value = digits.toInt(&ok);
    if (!ok)
        throw badInput(QStringLiteral("SIRUTA line %1: %2 \"%3\" is not a whole number")
                           .arg(lineNumber)
                           .arg(QLatin1String(column), field.left(40).toString()));
    return value;
}

} // namespace

QStringList splitLine(const QString& line, QChar separator)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            fields << current;
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

std::vector<SirutaRecord> read(QIODevice& device)
{
    const QByteArray bytes = device.readAll();
    QString text = decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    std::vector<SirutaRecord> records;
    records.reserve(size_t(text.size() / 48));
    QHash<QString, int> column;
    const char* required[] = {"SIRUTA", "DENLOC", "JUD", "SIRSUP", "TIP", "NIV", "FSJ", "FSL"};
    int c[8] = {};
    int needed = 0;
    int lineNumber = 0;
    bool header = true;
    QChar separator = QLatin1Char(',');
    QStringList quotedFields;
    std::vector<QStringView> fields;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (header && line.count(QLatin1Char(';')) > line.count(QLatin1Char(',')))
            separator = QLatin1Char(';');
        // Most lines have no quotes: split them in place; the others field by field.
        fields.clear();
        if (line.contains(QLatin1Char('"'))) {
            quotedFields = splitLine(line.toString(), separator);
            for (const QString& field : std::as_const(quotedFields))
                fields.push_back(field);
        } else {
            qsizetype from = 0;
            for (;;) {
                const qsizetype at = line.indexOf(separator, from);
                if (at < 0) {
                    fields.push_back(line.mid(from));
                    break;
                }
                fields.push_back(line.mid(from, at - from));
                from = at + 1;
            }
        }
        if (header) {
            for (size_t i = 0; i < fields.size(); ++i)
                column.insert(fields[i].trimmed().toString().toUpper(), int(i));
            for (int i = 0; i < 8; ++i) {
                const QString name = QLatin1String(required[i]);
                if (!column.contains(name))
                    throw badInput(QStringLiteral("SIRUTA: the header has no column %1").arg(name));
                c[i] = column.value(name);
                needed = std::max(needed, c[i] + 1);
            }
            header = false;
            continue;
        }
        if (int(fields.size()) < needed)
            throw badInput(QStringLiteral("SIRUTA line %1: %2 fields, %3 expected")
                               .arg(lineNumber)
                               .arg(fields.size())
                               .arg(needed));
        SirutaRecord r;
        r.siruta = toCode(fields[size_t(c[0])], lineNumber, "SIRUTA");
        r.name = fields[size_t(c[1])].trimmed().toString();
        r.county = toCode(fields[size_t(c[2])], lineNumber, "JUD");
        r.parent = toCode(fields[size_t(c[3])], lineNumber, "SIRSUP");
        r.type = toCode(fields[size_t(c[4])], lineNumber, "TIP");
        r.level = toCode(fields[size_t(c[5])], lineNumber, "NIV");
        r.countyOrder = toCode(fields[size_t(c[6])], lineNumber, "FSJ");
        bool orderOk = false;
        r.order = fields[size_t(c[7])].trimmed().toLongLong(&orderOk);
        if (!orderOk)
            throw badInput(QStringLiteral("SIRUTA line %1: FSL \"%2\" is not a whole number")
                               .arg(lineNumber)
                               .arg(fields[size_t(c[7])].left(40).toString()));
        records.push_back(std::move(r));
    }
    if (header)
        throw badInput(QStringLiteral("SIRUTA: the file is empty"));
    return records;
}

std::vector<SirutaRecord> readFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.exists())
        throw Failure(ErrorNumber::FileNotFound, QStringLiteral("File not found: %1").arg(fileName));
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(fileName));
    return read(file);
}

} // namespace SirutaReader
