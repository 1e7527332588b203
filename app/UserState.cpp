#include "app/UserState.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString RecentFilesKey = QStringLiteral("files/recent");
const QString LastFolderKey = QStringLiteral("files/lastFolder");

// One spelling per file, so that the same file opened by two paths is listed once.
QString canonical(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

void UserState::setStore(QSettings* store)
{
    m_store = store;
}

QStringList UserState::recentFiles() const
{
    return m_store ? m_store->value(RecentFilesKey).toStringList() : m_recentFiles;
}

void UserState::storeRecentFiles(const QStringList& files)
{
    if (m_store)
        m_store->setValue(RecentFilesKey, files);
    else
        m_recentFiles = files;
}

void UserState::addRecentFile(const QString& path)
{
    const QString file = canonical(path);
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > RecentCapacity)
        files.removeLast();
    storeRecentFiles(files);
}

void UserState::removeRecentFile(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(canonical(path));
    storeRecentFiles(files);
}

QString UserState::dialogFolder() const
{
    const QString last = m_store ? m_store->value(LastFolderKey).toString() : m_lastFolder;
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void UserState::rememberDialogFile(const QString& path)
{
    if (path.trimmed().isEmpty())
        return;
    const QString folder = QFileInfo(canonical(path)).absolutePath();
    if (m_store)
        m_store->setValue(LastFolderKey, folder);
    else
        m_lastFolder = folder;
}
