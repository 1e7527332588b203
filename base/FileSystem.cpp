#include "base/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace FileSystem {
bool fileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString notWrittenMessage(const QString& path)
{
    return QStringLiteral("Fisierul ") + QDir::toNativeSeparators(path) + QStringLiteral(" nu a putut fi scris.");
}
} // namespace FileSystem
