#include "cli/DataFolder.h"

#include "app/ProgramPaths.h"

#include <QCoreApplication>

QString dataFolderOr(const QString& given)
{
    if (!given.isEmpty())
        return given;
    return ProgramPaths::forProgramFolder(QCoreApplication::applicationDirPath()).dataFolder();
}
