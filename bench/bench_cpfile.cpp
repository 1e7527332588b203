// Save then load of a document at the .CP format's limits, against writing and reading the
// same number of bytes with plain QFile calls.
#include "BenchTimer.h"
#include "model/CPFile.h"
#include "support/DocumentFactory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("limite.CP");
    const QString plainPath = dir.filePath("plain.bin");

    CPFile file(".");
    file.setDocument(DocumentFactory::large(32767, 200, 1000, 500));
    file.setCPFileName(path);
    if (!file.SaveCPFile()) {
        std::fprintf(stderr, "save failed\n");
        return 1;
    }
    const QByteArray bytes = file.compose();

    const double lotmark = bestOf(7, [&] {
        CPFile writer(".");
        writer.setDocument(file.Document());
        writer.setCPFileName(path);
        writer.SaveCPFile();
        CPFile reader(".");
        reader.setCPFileName(path);
        reader.LoadCPFile();
    });
    const double plain = bestOf(7, [&] {
        {
            QFile out(plainPath);
            out.open(QIODevice::WriteOnly);
            out.write(bytes);
        }
        QFile in(plainPath);
        in.open(QIODevice::ReadOnly);
        QByteArray back = in.readAll();
        (void)back;
    });
    std::printf("cp save+load at the limits (32767 points, 200 buildings, 1000 owners, 500 parcels): %zd bytes\n",
                size_t(bytes.size()));
    std::printf("  lotmark %.2f ms, plain QFile %.2f ms, ratio %.2f (goal <= 5)\n", lotmark, plain, lotmark / plain);
    return 0;
}
