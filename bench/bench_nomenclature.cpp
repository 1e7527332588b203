// The nomenclature importer on the national SIRUTA register, against reading the same file and
// splitting it line by line and at the commas, in the same run.
//
// Usage: bench_nomenclature [RAW_DIR]; RAW_DIR as for bench_lookup.
#include "BenchTimer.h"
#include "entry/nomenclature/NomenclatureBuilder.h"
#include "entry/nomenclature/SirutaReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString raw = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (raw.isEmpty()) {
        const QString shared = qEnvironmentVariable("LOTMARK_SHARED");
        raw = !shared.isEmpty()
                  ? shared + QStringLiteral("/data/nomenclature/raw")
                  : QCoreApplication::applicationDirPath() + QStringLiteral("/../../../shared/data/nomenclature/raw");
    }
    const QString siruta = QDir(raw).filePath(QStringLiteral("siruta-s1-2024.csv"));
    if (!QFileInfo::exists(siruta)) {
        std::printf("bench_nomenclature: no SIRUTA register in %s; nothing measured\n", qPrintable(raw));
        return 0;
    }
    QTemporaryDir dir;
    const int rounds = 21;
    size_t lines = 0;
    size_t rows = 0;
    const auto split = [&] {
        QFile file(siruta);
        file.open(QIODevice::ReadOnly);
        const QString text = QString::fromUtf8(file.readAll());
        lines = 0;
        for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
            const auto fields = line.split(QLatin1Char(','));
            lines += fields.isEmpty() ? 0 : 1;
        }
    };
    const auto import = [&] {
        const NomenclatureBuild build = NomenclatureBuilder::build(SirutaReader::readFile(siruta), {});
        rows = NomenclatureBuilder::table(build, QStringLiteral("Localitati.DAT"))->rowCount();
    };
    const auto importAndWrite = [&] {
        const NomenclatureBuild build = NomenclatureBuilder::build(SirutaReader::readFile(siruta), {});
        NomenclatureWriter::writeAll(build.tables, dir.filePath(QStringLiteral("Data")));
    };
    // In turn, round after round, so that the load of a shared machine weighs on all alike.
    double splitMs = 1e300, importMs = 1e300, writeMs = 1e300;
    for (int i = 0; i < rounds; ++i) {
        splitMs = std::min(splitMs, bestOf(1, split));
        importMs = std::min(importMs, bestOf(1, import));
        if (i % 3 == 0)
            writeMs = std::min(writeMs, bestOf(1, importAndWrite));
    }
    std::printf("national SIRUTA register: %zu lines, %zu locality rows\n", lines, rows);
    std::printf("  read and split line by line: %.2f ms\n", splitMs);
    std::printf("  importer, read and build the tables: %.2f ms, ratio %.2f (goal <= 5)\n", importMs,
                importMs / splitMs);
    std::printf("  importer, read, build and write the nine .DAT files: %.2f ms, ratio %.2f\n", writeMs,
                writeMs / splitMs);
    return 0;
}
