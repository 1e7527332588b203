// Save then load of a document at the .CP format's limits, against writing and reading the
// same number of bytes with plain QFile calls.
#include "BenchTimer.h"
#include "format/CPFile.h"
#include "support/DocumentFactory.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
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
    // The same bytes field by field: one QFile call per 8 bytes, as a writer and reader of the
    // format without a buffer of their own would make them.
    const double fieldwise = bestOf(7, [&] {
        {
            QFile out(plainPath);
            out.open(QIODevice::WriteOnly);
            for (qsizetype at = 0; at < bytes.size(); at += 8)
                out.write(bytes.constData() + at, std::min<qsizetype>(8, bytes.size() - at));
        }
        QFile in(plainPath);
        in.open(QIODevice::ReadOnly);
        char field[8];
        while (in.read(field, 8) > 0) {
        }
    });
    // Where the time goes: composing the bytes, the safe write (temporary file, sync, rename),
    // and reading the model back from bytes already in memory.
    const double compose = bestOf(7, [&] { (void)file.compose(); });
    const double safeWrite = bestOf(7, [&] {
        CPFile writer(".");
        writer.setDocument(file.Document());
        writer.setCPFileName(path);
        writer.SaveCPFile();
    });
    const double parse = bestOf(7, [&] {
        QByteArray copy = bytes;
        QBuffer device(&copy);
        device.open(QIODevice::ReadOnly);
        CPFile reader(".");
        reader.load(&device);
    });
    std::printf("cp save+load at the limits (32767 points, 200 buildings, 1000 owners, 500 parcels): %zd bytes\n",
                size_t(bytes.size()));
    std::printf("  lotmark %.2f ms, plain QFile in one call each way %.2f ms, ratio %.2f (goal <= 5)\n", lotmark, plain,
                lotmark / plain);
    std::printf("  plain QFile calls of 8 bytes %.2f ms, ratio %.2f\n", fieldwise, lotmark / fieldwise);
    std::printf("  parts: compose %.2f ms, save with its sync and rename %.2f ms, load from memory %.2f ms\n", compose,
                safeWrite, parse);
    return 0;
}
