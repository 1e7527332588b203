#include "app/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef LOTMARK_SHARE_FROM_BIN
#define LOTMARK_SHARE_FROM_BIN "../share/lotmark"
#endif

namespace {

const QString SettingsName = QStringLiteral("Lotmark.INI");
const QString UserFolderName = QStringLiteral("Lotmark");

bool isDir(const QString& path)
{
    return QFileInfo(path).isDir();
}

} // namespace

ProgramPaths::ProgramPaths(Folders folders) : m_folders(std::move(folders))
{
    const QString program = m_folders.program;
    const bool portableFilesThere =
        QFileInfo(program + QLatin1Char('/') + SettingsName).isFile() || isDir(program + QStringLiteral("/Data"));
    // Without an installed tree there is nowhere else to look: keep everything beside the program.
    m_portable = portableFilesThere || m_folders.installedShare.isEmpty() || !isDir(m_folders.installedShare);
}

ProgramPaths ProgramPaths::forProgramFolder(const QString& programFolder)
{
    Folders folders;
    folders.program = programFolder;
    folders.installedShare = QDir::cleanPath(programFolder + QLatin1Char('/') + QStringLiteral(LOTMARK_SHARE_FROM_BIN));
    folders.configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    folders.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    folders.home = QDir::homePath();
    return ProgramPaths(std::move(folders));
}

QString ProgramPaths::settingsFile() const
{
    if (m_portable)
        return m_folders.program + QLatin1Char('/') + SettingsName;
    return m_folders.configHome + QLatin1Char('/') + UserFolderName + QLatin1Char('/') + SettingsName;
}

QString ProgramPaths::userDataFolder() const
{
    return m_folders.dataHome + QLatin1Char('/') + UserFolderName + QStringLiteral("/Data");
}

QString ProgramPaths::dataFolder() const
{
    if (m_portable)
        return m_folders.program + QStringLiteral("/Data");
    // An import writes all tables or none, and counties come first in the form: their table
    // marks a usable folder. An empty folder left by a failed first import does not count.
    if (QFileInfo(userDataFolder() + QStringLiteral("/Judete.DAT")).isFile())
        return userDataFolder();
    return m_folders.installedShare + QStringLiteral("/Data");
}

QString ProgramPaths::importFolder() const
{
    return m_portable ? dataFolder() : userDataFolder();
}

QString ProgramPaths::helpFile() const
{
    const QString base = m_portable ? m_folders.program : m_folders.installedShare;
    return base + QStringLiteral("/Help/Manual.mht");
}

QString ProgramPaths::translationsFolder() const
{
    const QString base = m_portable ? m_folders.program : m_folders.installedShare;
    return base + QStringLiteral("/translations");
}

QString ProgramPaths::recoveryFolder() const
{
    return m_folders.dataHome + QLatin1Char('/') + UserFolderName + QStringLiteral("/recovery");
}

QString ProgramPaths::startFolder() const
{
    return m_portable ? m_folders.program : m_folders.home;
}
