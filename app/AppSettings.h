#pragma once

#include "app/ProgramPaths.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// The program-wide settings kept in Lotmark.INI, section "Setari", and the cancel flag of
// the small dialogs. One instance lives from start-up to the end of the program.
class AppSettings
{
public:
    static inline const QString Section = QStringLiteral("Setari");
    static inline const QString KeySurveyorName = QStringLiteral("NumeAutorizat");
    static inline const QString KeySurveyorLicense = QStringLiteral("SerieAutorizat");
    static inline const QString KeyWorkNumber = QStringLiteral("NumarLucrare");
    static inline const QString KeyDelimiters = QStringLiteral("Delimitatori");

    // programFolder is the executable's folder (by default the running program's); ProgramPaths
    // decides from it where Lotmark.INI, Data/ and Help/ are.
    explicit AppSettings(const QString& programFolder = QString());
    explicit AppSettings(ProgramPaths paths);

    const ProgramPaths& paths() const { return m_paths; }
    QString settingsFilePath() const { return m_paths.settingsFile(); }
    QString dataFolder() const { return m_paths.dataFolder(); }
    QString helpFile() const { return m_paths.helpFile(); }

    // Reads the four keys (missing file: everything empty, work number 0).
    void load();

    QString surveyorName;
    QString surveyorLicense;
    std::int16_t workNumber = 0;
    QStringList delimiters;
    bool cancelFlag = false;

    // The work number as the settings file holds it now: a save writes the next one there, and
    // the next save starts from it.
    void reloadWorkNumber();

    QString read(const QString& key) const;
    // Creates the settings file's folder first: the user's config folder may not exist yet.
    bool write(const QString& key, const QString& value) const;

private:
    ProgramPaths m_paths;
};
