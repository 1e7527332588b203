#include "entry/nomenclature/SirutaReader.h"

#include "app/Error.h"

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

int toCode(const QString& field, int lineNumber, const char* column)
{
    bool ok = false;
    const int value = field.trimmed().toInt(&ok);
    if (!ok)
        throw badInput(QStringLiteral("SIRUTA line %1: %2 \"%3\" is not a whole number")
                           .arg(lineNumber)
                           .arg(QLatin1String(column), field.left(40)));
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
    QHash<QString, int> column;
    const char* required[] = {"SIRUTA", "DENLOC", "JUD", "SIRSUP", "TIP", "NIV", "FSJ", "FSL"};
    int c[8] = {};
    int needed = 0;
    int lineNumber = 0;
    bool header = true;
    QChar separator = QLatin1Char(',');
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QString line = text.mid(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (header && line.count(QLatin1Char(';')) > line.count(QLatin1Char(',')))
            separator = QLatin1Char(';');
        const QStringList fields = splitLine(line, separator);
        if (header) {
            for (int i = 0; i < fields.size(); ++i)
                column.insert(fields.at(i).trimmed().toUpper(), i);
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
        if (fields.size() < needed)
            throw badInput(QStringLiteral("SIRUTA line %1: %2 fields, %3 expected")
                               .arg(lineNumber)
                               .arg(fields.size())
                               .arg(needed));
        SirutaRecord r;
        r.siruta = toCode(fields.at(c[0]), lineNumber, "SIRUTA");
        r.name = fields.at(c[1]).trimmed();
        r.county = toCode(fields.at(c[2]), lineNumber, "JUD");
        r.parent = toCode(fields.at(c[3]), lineNumber, "SIRSUP");
        r.type = toCode(fields.at(c[4]), lineNumber, "TIP");
        r.level = toCode(fields.at(c[5]), lineNumber, "NIV");
        r.countyOrder = toCode(fields.at(c[6]), lineNumber, "FSJ");
        r.order = fields.at(c[7]).trimmed();
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
