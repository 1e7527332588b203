#pragma once

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

    // programFolder holds Lotmark.INI, Data/ and Help/.
    explicit AppSettings(const QString& programFolder = QString());

    QString programFolder() const { return m_programFolder; }
    QString settingsFilePath() const;
    QString dataFolder() const;
    QString helpFile() const;

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
    bool write(const QString& key, const QString& value) const;

private:
    QString m_programFolder;
};
