#include "support/TestPaths.h"

#include <QDir>
#include <QFileInfo>

namespace TestPaths {

QString testData(const QString& relative)
{
    QString root = qEnvironmentVariable("LOTMARK_TEST_DATA");
    if (root.isEmpty())
        root = source(QStringLiteral("tests/data"));
    return relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
}

QString source(const QString& relative)
{
    return QStringLiteral(LOTMARK_SOURCE_DIR "/") + relative;
}

QString sample(const QString& name)
{
    return source(QStringLiteral("samples/") + name);
}

QString shared(const QString& relative)
{
    const QString root = qEnvironmentVariable("LOTMARK_SHARED");
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return QString();
    const QString path = relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
    return QFileInfo::exists(path) ? QDir::cleanPath(path) : QString();
}

} // namespace TestPaths
