#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// Qt's own texts (message-box buttons, the file dialog, the edit pop-up menus) in Romanian.
// Debian ships no Romanian catalogue for Qt, so the program brings its own, compiled at build
// time into translations/qt_ro.qm.
namespace QtTranslation {

// The catalogue's base name inside a translations folder.
inline QString catalogueName()
{
    return QStringLiteral("qt_ro");
}

// Where the catalogue is looked for, in order: "translations" beside the program (a build
// folder), then the installed "share/lotmark/translations".
QStringList searchFolders(const QString& programFolder);

// Loads the catalogue from the first folder that has it and installs it on the application,
// which becomes its owner. Returns the translator, or nullptr when no folder has the catalogue
// (Qt's texts then stay as Qt has them).
QTranslator* install(const QString& programFolder);

} // namespace QtTranslation
