#include "app/FileSystem.h"

#include <QFileInfo>

namespace FileSystem {
bool fileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}
} // namespace FileSystem
