#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace QtTranslation {

QStringList searchFolders(const QString& programFolder)
{
    const QDir program(programFolder);
    return {QDir::cleanPath(program.filePath(QStringLiteral("translations"))),
            QDir::cleanPath(program.filePath(QStringLiteral("../share/lotmark/translations")))};
}

QTranslator* install(const QString& programFolder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : searchFolders(programFolder)) {
        if (translator->load(catalogueName(), folder)) {
            QCoreApplication::installTranslator(translator);
            return translator;
        }
    }
    delete translator;
    return nullptr;
}

} // namespace QtTranslation
