#include "app/AppSettings.h"

#include "app/DelimiterList.h"
#include "base/IniFile.h"
#include "base/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

AppSettings::AppSettings(const QString& programFolder)
    : m_paths(ProgramPaths::forProgramFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                     : programFolder))
{
}

AppSettings::AppSettings(ProgramPaths paths) : m_paths(std::move(paths)) {}

QString AppSettings::read(const QString& key) const
{
    return IniFile::read(Section, key, settingsFilePath());
}

bool AppSettings::write(const QString& key, const QString& value) const
{
    const QString path = settingsFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return IniFile::write(Section, key, value, path);
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
