// Runs a fuzz entry point over files and folders of inputs without libFuzzer, so every build
// (and the sanitizer build) replays the corpus and the kept crashes as an ordinary test.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

int main(int argc, char** argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList paths;
        const QFileInfo info(QString::fromLocal8Bit(argv[i]));
        if (info.isDir()) {
            QDirIterator it(info.filePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (it.hasNext())
                paths << it.next();
            paths.sort();
        } else if (info.exists()) {
            paths << info.filePath();
        }
        for (const QString& path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray content = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(content.constData()),
                                   std::size_t(content.size()));
            ++files;
        }
    }
    std::printf("%d passed, 0 failed\n", files);
    return 0;
}
