#pragma once

// A throw-away program folder for the window tests: its own Lotmark.INI and a copy of the
// build's Data folder, so a test never reads or changes the developer's settings.
// The including test defines LOTMARK_BUILD_DATA (the build's bin/Data).
#include "app/AppSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

struct ProgramFolder
{
    QTemporaryDir dir;

    ProgramFolder()
    {
        QDir().mkpath(dir.filePath(QStringLiteral("Data")));
        const QDir data(QStringLiteral(LOTMARK_BUILD_DATA));
        for (const QString& name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), dir.filePath(QStringLiteral("Data/") + name));
    }

    bool hasData() const { return !QDir(dir.filePath(QStringLiteral("Data"))).entryList(QDir::Files).isEmpty(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The surveyor, work number and delimiters the window tests expect.
    void writeUsualSettings() const
    {
        AppSettings settings(dir.path());
        settings.write(AppSettings::KeySurveyorName, QStringLiteral("Popescu Ion"));
        settings.write(AppSettings::KeySurveyorLicense, QStringLiteral("AB"));
        settings.write(AppSettings::KeyWorkNumber, QStringLiteral("15"));
        settings.write(AppSettings::KeyDelimiters, QStringLiteral("9,32,59"));
    }

    // The settings of the usual values above, loaded.
    std::unique_ptr<AppSettings> usualSettings() const
    {
        writeUsualSettings();
        auto settings = std::make_unique<AppSettings>(dir.path());
        settings->load();
        return settings;
    }
};
