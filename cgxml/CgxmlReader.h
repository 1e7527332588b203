#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

class QIODevice;

// One row of an exchange file: an element under the root and its fields (child elements with
// their text), with the line it starts on.
struct CgxmlRow
{
    QString type;
    qint64 line = 0;
    // In file order; a row has a handful, so a list searched in order beats a hash.
    QList<std::pair<QString, QString>> fields;

    QString value(const char* name) const
    {
        const QLatin1String key(name);
        for (const auto& field : fields) {
            if (field.first == key)
                return field.second;
        }
        return QString();
    }
    bool has(const char* name) const { return !value(name).trimmed().isEmpty(); }
};

// Reads an exchange file into its rows, whatever their types. The file is outside input: no DTD
// (so no entities of its own), no external fetches, and sizes are bounded. A refusal names the
// line.
class CgxmlReader
{
public:
    struct Limits
    {
        qint64 maxBytes = 256LL * 1024 * 1024;
        int maxRows = 2000000;
        int maxFieldsPerRow = 200;
        int maxFieldChars = 100000;
    };

    CgxmlReader() = default;
    explicit CgxmlReader(Limits limits) : m_limits(limits) {}

    // Reads the whole device; false with a Romanian message in *error.
    bool read(QIODevice* device, QString* error);
    bool readFile(const QString& path, QString* error);

    // The rows of one type in file order.
    QList<CgxmlRow> rows(const QString& type) const { return m_rows.value(type); }
    // Every type met, in the order it first appeared.
    QStringList types() const { return m_types; }

private:
    bool readRow(class QXmlStreamReader& xml, QString* error);

    Limits m_limits;
    QHash<QString, QList<CgxmlRow>> m_rows;
    QStringList m_types;
    int m_rowCount = 0;
};
