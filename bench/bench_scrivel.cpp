// Scrivel figures, each a ratio against a baseline measured in the same run:
//  - SaveAndClose of 30,000 body lines and a 600 x 600 picture against writing the same bytes
//    with QFile (limit 2);
//  - Rotate, FlipX, FlipY and Invert of a 4096 x 4096 picture against one plain copy of its
//    pixel buffer (limit 10).
// Exits 1 when a ratio passes its limit.
#include "scrivel/ImageFile.h"
#include "scrivel/RTFDoc.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

double bestMs(int rounds, const std::function<void()>& setup, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        setup();
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

bool report(const char* what, double ms, double baselineMs, double limit)
{
    const double ratio = ms / baselineMs;
    std::printf("%-34s %9.2f ms  baseline %8.2f ms  ratio %5.2f  (limit %.0f) %s\n", what, ms, baselineMs, ratio, limit,
                ratio <= limit ? "ok" : "OVER");
    return ratio <= limit;
}

// A sketch-like picture: contour lines on white, as the property sheet embeds.
QByteArray sketchJpeg()
{
    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QRandomGenerator random(42);
    painter.setPen(Qt::black);
    for (int i = 0; i < 60; ++i) {
        painter.drawLine(random.bounded(600), random.bounded(600), random.bounded(600), random.bounded(600));
    }
    painter.end();
    ImageFile file;
    return file.SavePictureToArray(image, "JPG");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool ok = true;

    RTFDoc doc;
    const int font = doc.Fonts(QStringLiteral("Times New Roman"));
    const int color = doc.Colors(0, 0, 0);
    doc.PaperFormat(297, 210, 20, 20, 12.5, 10, false);
    const QByteArray picture = sketchJpeg();
    const int pictureLines = static_cast<int>(picture.size() / 64) + 6;
    for (int i = 0; doc.lineCount() < 30000; ++i) {
        const QString text =
            QStringLiteral("Parcela %1, categoria de folosință arabil, suprafața %2 mp").arg(i).arg(i * 7);
        doc.AddText(doc.DefineTextData(text, font, color, i % 4, 10, i % 2, false, false), true);
    }
    doc.AddShapePicture(200, 450, 0, 0, 300, 300, 3, 0, 2, picture, 600, 600);
    if (doc.lineCount() != 30000 + pictureLines)
        std::printf("unexpected line count %d\n", doc.lineCount());

    QTemporaryDir dir;
    const QString rtfPath = dir.filePath(QStringLiteral("sheet.rtf"));
    const QString plainPath = dir.filePath(QStringLiteral("plain.rtf"));
    const QByteArray bytes = doc.toRtf();
    std::printf("document: %d lines, %lld bytes, picture %lld bytes\n", doc.lineCount(),
                static_cast<long long>(bytes.size()), static_cast<long long>(picture.size()));
    const auto none = [] {};
    // Interleaved rounds, so that a burst of load elsewhere on the machine hits both alike.
    double plainWrite = 1e300, save = 1e300;
    for (int round = 0; round < 41; ++round) {
        plainWrite = std::min(plainWrite, bestMs(1, none, [&] {
                                  QFile file(plainPath);
                                  file.open(QIODevice::WriteOnly);
                                  file.write(bytes);
                                  file.close();
                              }));
        save = std::min(save, bestMs(1, none, [&] { doc.SaveAndClose(rtfPath); }));
    }
    ok &= report("SaveAndClose vs QFile write", save, plainWrite, 2);
    std::printf("  of which composing the bytes:   %9.2f ms\n", bestMs(15, none, [&] { doc.toRtf(); }));

    QImage big(4096, 4096, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < big.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(big.scanLine(y));
        for (int x = 0; x < big.width(); ++x)
            line[x] = random.generate();
    }
    ImageFile image;
    image.setPicture(big);
    const QByteArray pixels = image.Bits();
    QByteArray copy;
    const double copyMs = bestMs(
        7, [&] { copy = QByteArray(); }, [&] { copy = QByteArray(pixels.constData(), pixels.size()); });
    // For context: the same copy into a buffer whose pages are already mapped.
    QByteArray warm(pixels.size(), '\0');
    std::printf("  copy into a mapped buffer:       %9.2f ms\n",
                bestMs(7, none, [&] { std::memcpy(warm.data(), pixels.constData(), size_t(pixels.size())); }));
    warm = QByteArray();
    copy = QByteArray();
    ok &= report("Rotate 4096x4096 vs buffer copy", bestMs(5, none, [&] { image.Rotate(); }), copyMs, 10);
    ok &= report("FlipX 4096x4096 vs buffer copy", bestMs(5, none, [&] { image.FlipX(); }), copyMs, 10);
    ok &= report("FlipY 4096x4096 vs buffer copy", bestMs(5, none, [&] { image.FlipY(); }), copyMs, 10);
    ok &= report("Invert 4096x4096 vs buffer copy", bestMs(5, none, [&] { image.Invert(true, false, true); }), copyMs,
                 10);
    return ok ? 0 : 1;
}
