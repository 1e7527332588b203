#pragma once

#include <QString>
#include <QStringList>

class QSettings;

// What the program remembers for the user between sessions, apart from Lotmark.INI: the
// property files used last and the folder the file dialogs open in. Without a store (tests,
// a store that cannot be opened) it remembers for the session only.
class UserState
{
public:
    static constexpr int RecentCapacity = 8;

    void setStore(QSettings* store);

    // The files opened or saved last, the newest first.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    // The folder a file dialog opens in: the one used last while it still exists, else the
    // user's documents folder (the home folder when there is none).
    QString dialogFolder() const;
    // Remembers the folder of a file chosen in a dialog.
    void rememberDialogFile(const QString& path);

private:
    void storeRecentFiles(const QStringList& files);

    QSettings* m_store = nullptr;
    QStringList m_recentFiles;
    QString m_lastFolder;
};
