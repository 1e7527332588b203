#pragma once

#include <QByteArray>
#include <QStringList>

// Small hand-written drawings for the tests: groups as "code", "value" pairs.
namespace DxfText {

inline QByteArray groups(const QStringList& pairs, const char* lineEnd = "\r\n")
{
    QByteArray out;
    for (const QString& line : pairs)
        out += line.toLatin1() + lineEnd;
    return out;
}

// An ENTITIES section around the given groups, preceded by a header section.
inline QStringList entities(const QStringList& body)
{
    QStringList all{"0",      "SECTION", "2",      "HEADER", "9",       "$ACADVER", "1",
                    "AC1015", "0",       "ENDSEC", "0",      "SECTION", "2",        "ENTITIES"};
    all += body;
    all += QStringList{"0", "ENDSEC", "0", "EOF"};
    return all;
}

// An LWPOLYLINE on a layer with a flag (empty flag: no group 70) and x,y vertices.
inline QStringList lwpolyline(const QString& layer, const QString& flag, const QList<QPair<QString, QString>>& xy)
{
    QStringList out{"0", "LWPOLYLINE", "5", "2A", "100", "AcDbEntity"};
    if (!layer.isNull())
        out += QStringList{"8", layer};
    out += QStringList{"90", QString::number(xy.size())};
    if (!flag.isEmpty())
        out += QStringList{"70", flag};
    for (const auto& p : xy)
        out += QStringList{"10", p.first, "20", p.second};
    return out;
}

inline QList<QPair<QString, QString>> square(double x = 0, double y = 0, double side = 10)
{
    return {{QString::number(x), QString::number(y)},
            {QString::number(x + side), QString::number(y)},
            {QString::number(x + side), QString::number(y + side)},
            {QString::number(x), QString::number(y + side)}};
}

// A POLYLINE with its header point, VERTEX records and SEQEND.
inline QStringList polyline(const QString& layer, const QString& flag, const QList<QPair<QString, QString>>& xy)
{
    QStringList out{"0", "POLYLINE", "8", layer, "66", "1", "10", "999", "20", "999", "30", "0", "70", flag};
    for (const auto& p : xy)
        out += QStringList{"0", "VERTEX", "8", "OTHER", "10", p.first, "20", p.second, "30", "0", "70", "32"};
    out += QStringList{"0", "SEQEND", "8", layer};
    return out;
}

} // namespace DxfText
