#pragma once

#include <QString>

// Where the program keeps its settings and finds its nomenclature tables and manual. Two
// layouts:
// - portable: Lotmark.INI, Data/ and Help/ beside the executable (a build folder, a copy on a
//   stick). Chosen whenever Lotmark.INI or Data/ is there, or when there is no installed tree.
// - installed (e.g. under /usr): the program folder is not writable, so the settings live in
//   the user's config folder, an imported nomenclature in the user's data folder (read before
//   the shipped demonstration tables), and the manual and tables shipped with the program in
//   share/lotmark.
// The layout is decided once, at construction; which Data folder is read is decided on every
// call, so a first import takes effect without a restart.
class ProgramPaths
{
public:
    struct Folders
    {
        QString program;        // the executable's folder
        QString installedShare; // share/lotmark of the tree the executable was installed into
        QString configHome;     // $XDG_CONFIG_HOME, usually ~/.config
        QString dataHome;       // $XDG_DATA_HOME, usually ~/.local/share
        QString home;
    };

    explicit ProgramPaths(Folders folders);

    // The layout of an executable in programFolder, with the user's folders from the
    // environment and the installed tree found relative to the executable.
    static ProgramPaths forProgramFolder(const QString& programFolder);

    bool isPortable() const { return m_portable; }
    QString programFolder() const { return m_folders.program; }

    QString settingsFile() const;
    // The nomenclature tables to read: the user's imported ones when complete, else the shipped.
    QString dataFolder() const;
    // Where "Importa nomenclator..." writes the tables.
    QString importFolder() const;
    QString helpFile() const;
    // The compiled translations (.qm) of Qt's own texts.
    QString translationsFolder() const;
    // Where the copy of an unsaved document is kept: always the user's data folder, since a
    // portable program folder may be read-only or shared.
    QString recoveryFolder() const;
    // Where file dialogs start: the program folder, or the home folder once installed.
    QString startFolder() const;

private:
    QString userDataFolder() const;

    Folders m_folders;
    bool m_portable = true;
};
