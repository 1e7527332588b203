#include "cli/PathsCommand.h"

#include "app/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

PathsCommand::PathsCommand() = default;

int PathsCommand::execute(const CommandLine&, QTextStream& out, QTextStream&)
{
    const ProgramPaths paths = ProgramPaths::forProgramFolder(QCoreApplication::applicationDirPath());
    const auto line = [&out](const char* key, const QString& path) {
        out << key << '=' << QDir::toNativeSeparators(path) << Qt::endl;
    };
    out << "layout=" << (paths.isPortable() ? "portable" : "installed") << Qt::endl;
    line("settings", paths.settingsFile());
    line("data", paths.dataFolder());
    line("import", paths.importFolder());
    line("help", paths.helpFile());
    line("translations", paths.translationsFolder());
    return Done;
}
