// Writes small .CP files into the folder given as the argument, as a seed corpus for
// fuzz_cpfile: documents from the test factory, one without contours and one with many
// buildings. Built on demand (target make_cp_seeds).
#include "format/CPFile.h"
#include "support/DocumentFactory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

static bool write(const QString& folder, const QString& name, const DocumentPtr& document)
{
    CPFile file(QStringLiteral(","));
    file.setDocument(document);
    file.setVersion(QStringLiteral("v1.0.18"));
    const QByteArray bytes = file.compose();
    QFile out(QDir(folder).filePath(name));
    return !bytes.isEmpty() && out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_cp_seeds FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = write(folder, QStringLiteral("sample.cp"), DocumentFactory::sample(5));
    ok = write(folder, QStringLiteral("sample-12.cp"), DocumentFactory::sample(12)) && ok;
    ok = write(folder, QStringLiteral("large.cp"), DocumentFactory::large(40, 4, 3, 3)) && ok;
    auto empty = std::make_shared<Document>();
    ok = write(folder, QStringLiteral("empty.cp"), empty) && ok;
    return ok ? 0 : 1;
}
