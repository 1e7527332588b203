#pragma once

#include "base/Error.h"
#include "model/Document.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The copy of an unsaved document that survives a crash or a power cut: a .CP file with the
// form's data and the contours, and beside it a small JSON file with the name of the file the
// document came from, when the copy was made and the coordinate list's rows as the user left
// them (contours the .CP cannot hold, such as a building the form does not list yet, and
// cells that are not numbers yet). Both are written through QSaveFile, the JSON last: a copy
// without its JSON is no copy. Nothing here shows a message; a folder that cannot be written
// only makes write() return false.
class RecoveryCopy
{
public:
    // The rows of the coordinate list: entity, point number, Est, Nord.
    using ListRows = QList<QStringList>;

    struct Found
    {
        DocumentPtr document;
        QString originalName; // empty for a document that never had a file
        QDateTime savedAt;
        ListRows rows;
    };

    // The files are <baseName>.CP and <baseName>.json in `folder`.
    explicit RecoveryCopy(QString folder, QString baseName = QStringLiteral("Recuperare"));

    QString folder() const { return m_folder; }
    QString copyPath() const;
    QString sidecarPath() const;

    // Replaces the copy; false with the failure in *error when a file cannot be written (the
    // folder is created first).
    bool write(const Document& document, const QString& originalName, const QDateTime& savedAt, const ListRows& rows,
               Error* error = nullptr) const;
    // The copy left by a run that ended without saving; nothing when there is none or it cannot
    // be read (a damaged copy is discarded then: it would never become readable).
    std::optional<Found> find() const;
    void discard() const;

    // The question that offers the copy back.
    static QString offerText(const Found& found);

private:
    QString m_folder;
    QString m_baseName;
};
