#include "app/RecoveryCopy.h"

#include "format/CPFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace {
const QString KeyOriginal = QStringLiteral("original");
const QString KeySavedAt = QStringLiteral("savedAt");
const QString KeyRows = QStringLiteral("rows");
constexpr int RowCells = 4;

QJsonArray rowsToJson(const RecoveryCopy::ListRows& rows)
{
    QJsonArray array;
    for (const QStringList& row : rows)
        array.append(QJsonArray::fromStringList(row));
    return array;
}

// Rows of four texts; anything else makes the whole sidecar unreadable.
std::optional<RecoveryCopy::ListRows> rowsFromJson(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    RecoveryCopy::ListRows rows;
    for (const QJsonValue& row : value.toArray()) {
        const QJsonArray cells = row.toArray();
        if (!row.isArray() || cells.size() != RowCells)
            return std::nullopt;
        QStringList texts;
        for (const QJsonValue& cell : cells) {
            if (!cell.isString())
                return std::nullopt;
            texts.append(cell.toString());
        }
        rows.append(texts);
    }
    return rows;
}

bool writeBytes(const QString& path, const QByteArray& bytes, Error* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = Error{ErrorNumber::PathFileAccess, file.errorString()};
    return false;
}
} // namespace

RecoveryCopy::RecoveryCopy(QString folder, QString baseName)
    : m_folder(std::move(folder)), m_baseName(std::move(baseName))
{
}

QString RecoveryCopy::copyPath() const
{
    return m_folder + QLatin1Char('/') + m_baseName + QStringLiteral(".CP");
}

QString RecoveryCopy::sidecarPath() const
{
    return m_folder + QLatin1Char('/') + m_baseName + QStringLiteral(".json");
}

bool RecoveryCopy::write(const Document& document, const QString& originalName, const QDateTime& savedAt,
                         const ListRows& rows, Error* error) const
{
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = Error{ErrorNumber::PathNotFound, QStringLiteral("Path not found")};
        return false;
    }
    CPFile file;
    file.setDocument(std::make_shared<Document>(document));
    file.setCPFileName(copyPath());
    if (!file.SaveCPFile(error))
        return false;
    QJsonObject sidecar;
    sidecar.insert(KeyOriginal, originalName);
    sidecar.insert(KeySavedAt, savedAt.toString(Qt::ISODate));
    sidecar.insert(KeyRows, rowsToJson(rows));
    return writeBytes(sidecarPath(), QJsonDocument(sidecar).toJson(QJsonDocument::Compact), error);
}

std::optional<RecoveryCopy::Found> RecoveryCopy::find() const
{
    QFile sidecarFile(sidecarPath());
    if (!sidecarFile.exists())
        return std::nullopt;
    const auto unreadable = [this] {
        discard();
        return std::nullopt;
    };
    if (!sidecarFile.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject sidecar = QJsonDocument::fromJson(sidecarFile.readAll()).object();
    const QJsonValue original = sidecar.value(KeyOriginal);
    const QDateTime savedAt = QDateTime::fromString(sidecar.value(KeySavedAt).toString(), Qt::ISODate);
    const std::optional<ListRows> rows = rowsFromJson(sidecar.value(KeyRows));
    if (!original.isString() || !savedAt.isValid() || !rows)
        return unreadable();
    CPFile file;
    file.setCPFileName(copyPath());
    if (!file.LoadCPFile())
        return unreadable();
    return Found{file.Document(), original.toString(), savedAt, *rows};
}

void RecoveryCopy::discard() const
{
    // The JSON goes first: without it what is left is no copy.
    QFile::remove(sidecarPath());
    QFile::remove(copyPath());
}

QString RecoveryCopy::offerText(const Found& found)
{
    const QString name = found.originalName.isEmpty() ? QStringLiteral("(fara nume)") : found.originalName;
    return QStringLiteral("Doriti recuperarea documentului nesalvat ") + name + QStringLiteral(" din ") +
           found.savedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral(" ?");
}
