#include "app/AppSettings.h"

#include "app/DelimiterList.h"
#include "app/IniFile.h"
#include "app/NumberText.h"

#include <QCoreApplication>

AppSettings::AppSettings(const QString& programFolder)
    : m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder)
{
}

QString AppSettings::settingsFilePath() const
{
    return m_programFolder + QStringLiteral("/Lotmark.INI");
}

QString AppSettings::dataFolder() const
{
    return m_programFolder + QStringLiteral("/Data");
}

QString AppSettings::helpFile() const
{
    return m_programFolder + QStringLiteral("/Help/Manual.mht");
}

QString AppSettings::read(const QString& key) const
{
    return IniFile::read(Section, key, settingsFilePath());
}

bool AppSettings::write(const QString& key, const QString& value) const
{
    return IniFile::write(Section, key, value, settingsFilePath());
}

void AppSettings::load()
{
    surveyorName = read(KeySurveyorName);
    surveyorLicense = read(KeySurveyorLicense);
    reloadWorkNumber();
    delimiters = DelimiterList::parse(read(KeyDelimiters));
}

void AppSettings::reloadWorkNumber()
{
    workNumber = NumberText::toInt16(NumberText::leadingNumber(read(KeyWorkNumber)));
}
