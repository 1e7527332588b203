#include "scrivel/ImageFile.h"

#include <QBuffer>
#include <QDir>
#include <QWidget>
#include <QtTest>

namespace {

// A picture whose every pixel tells where it came from: red = x, green = y, blue = 7.
QImage coordinates(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

qint32 packed(int red, int green, int blue)
{
    return blue + 256 * green + 65536 * red;
}

} // namespace

class tst_ImageFile : public QObject
{
    Q_OBJECT

private slots:
    void paddingAndStride_data();
    void paddingAndStride();
    void emptyObjectDoesNothing();
    void pictureTakesOnlyDeepColour_data();
    void pictureTakesOnlyDeepColour();
    void pixelForms();
    void positionsOutsideTheBufferFail();
    void fitInto_data();
    void fitInto();
    void resizeAndCrop();
    void rotateTurnsClockwise();
    void flipsMirrorAndKeepPadding();
    void invert_data();
    void invert();
    void createBlank();
    void region();
    void regionOnAWidget();
    void comparePicture();
    void savePictureToArray();
};

void tst_ImageFile::paddingAndStride_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("padding");
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("2") << 2 << 2;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("4") << 4 << 0;
    QTest::newRow("5") << 5 << 1;
}

void tst_ImageFile::paddingAndStride()
{
    QFETCH(int, width);
    QFETCH(int, padding);
    ImageFile image;
    QVERIFY(image.CreateBlank(width, 3));
    QCOMPARE(int(image.Padding()), padding);
    QCOMPARE(image.Bits().size(), 3 * (3 * width + padding));
    image.setPicture(coordinates(width, 3));
    QCOMPARE(image.Bits().size(), 3 * (3 * width + padding));
    // Row 1 starts right after row 0's padding, top-down.
    QCOMPARE(image.Bits().at(3 * width + padding + 1), char(1));
    if (padding > 0)
        QCOMPARE(image.Bits().at(3 * width), char(0));
}

void tst_ImageFile::emptyObjectDoesNothing()
{
    ImageFile image;
    QVERIFY(image.Picture().isNull());
    QVERIFY(!image.Resize(10, 10));
    QVERIFY(!image.HasRegion());
    QCOMPARE(image.Width(), 0);
    QCOMPARE(image.Height(), 0);
    image.Rotate();
    image.FlipX();
    image.FlipY();
    image.Invert(true, true, true);
    image.FitInto(10, 10, true);
    image.CreateRegion(0);
    QVERIFY(!image.HasRegion());
    QVERIFY(!image.Crop(0, 0, 1, 1));
    QVERIFY(!image.ComparePicture(ImageFile()));
    QVERIFY(image.Bits().isEmpty());

    QVERIFY(image.CreateBlank(4, 4));
    image.CreateRegion(1);
    image.Reset();
    QCOMPARE(image.Width(), 0);
    QVERIFY(!image.HasRegion());
    QVERIFY(image.Picture().isNull());
}

void tst_ImageFile::pictureTakesOnlyDeepColour_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("taken");
    QTest::newRow("RGB32") << int(QImage::Format_RGB32) << true;
    QTest::newRow("ARGB32") << int(QImage::Format_ARGB32) << true;
    QTest::newRow("RGB888") << int(QImage::Format_RGB888) << true;
    QTest::newRow("RGB16") << int(QImage::Format_RGB16) << false;
    QTest::newRow("Indexed8") << int(QImage::Format_Indexed8) << false;
    QTest::newRow("Mono") << int(QImage::Format_Mono) << false;
}

void tst_ImageFile::pictureTakesOnlyDeepColour()
{
    QFETCH(int, format);
    QFETCH(bool, taken);
    const QImage source = coordinates(5, 4).convertToFormat(static_cast<QImage::Format>(format));
    ImageFile image;
    QVERIFY(image.CreateBlank(2, 2));
    image.setPicture(source);
    QCOMPARE(image.Width(), taken ? 5 : 0);
    QCOMPARE(image.Height(), taken ? 4 : 0);
    if (taken) {
        QCOMPARE(image.Pixel(3, 2), packed(3, 2, 7));
        const QImage back = image.Picture();
        QCOMPARE(back.size(), QSize(5, 4));
        QCOMPARE(back.pixel(4, 3), qRgb(4, 3, 7));
    }
}

void tst_ImageFile::pixelForms()
{
    ImageFile image;
    image.setPicture(coordinates(3, 3));
    QCOMPARE(image.Pixel(2, 1), packed(2, 1, 7));
    QCOMPARE(image.PixelB(2, 1), QByteArray("\x07\x01\x02", 3));
    QVERIFY(image.setPixel(0, 0, 0x7F123456)); // the top byte is ignored
    QCOMPARE(image.PixelB(0, 0), QByteArray("\x56\x34\x12", 3));
    QVERIFY(image.setPixelB(1, 2, QByteArray("\x01\x02\x03", 3)));
    QCOMPARE(image.Pixel(1, 2), packed(3, 2, 1));
    QCOMPARE(image.Picture().pixel(1, 2), qRgb(3, 2, 1));
}

void tst_ImageFile::positionsOutsideTheBufferFail()
{
    ImageFile image;
    QVERIFY(image.CreateBlank(3, 2, packed(1, 2, 3)));
    for (const QPoint& p : {QPoint(-1, 0), QPoint(3, 0), QPoint(0, 2), QPoint(0, -1)}) {
        QCOMPARE(image.Pixel(p.x(), p.y()), 0);
        QCOMPARE(image.lastError().number, 9);
        QVERIFY(!image.setPixel(p.x(), p.y(), 0));
        QVERIFY(image.PixelB(p.x(), p.y()).isEmpty());
    }
    QVERIFY(!image.setPixelB(0, 0, QByteArray(2, 'x')));
    QCOMPARE(image.lastError().number, 9);

    // A buffer set shorter than the size says: reads past it fail, nothing crashes.
    image.setBits(QByteArray(5, '\0'));
    QCOMPARE(image.Pixel(0, 0), 0);
    QCOMPARE(image.lastError().number, 0);
    QCOMPARE(image.Pixel(2, 1), 0);
    QCOMPARE(image.lastError().number, 9);
    image.Rotate();
    QCOMPARE(image.lastError().number, 9);
    QVERIFY(!image.Resize(6, 4));
    QVERIFY(image.Picture().isNull());
    QCOMPARE(image.Width(), 3);
}

void tst_ImageFile::fitInto_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<bool>("enlarge");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("wide shrinks") << QSize(800, 400) << QSize(600, 600) << false << QSize(600, 300);
    QTest::newRow("tall shrinks") << QSize(400, 1000) << QSize(600, 600) << false << QSize(240, 600);
    QTest::newRow("small stays") << QSize(300, 200) << QSize(600, 600) << false << QSize(300, 200);
    QTest::newRow("small enlarged") << QSize(300, 200) << QSize(600, 600) << true << QSize(600, 400);
    QTest::newRow("same size") << QSize(600, 600) << QSize(600, 600) << false << QSize(600, 600);
    // Heights of 2.5 and 3.5 round half to even.
    QTest::newRow("half down to even") << QSize(400, 100) << QSize(10, 10) << false << QSize(10, 2);
    QTest::newRow("half up to even") << QSize(400, 100) << QSize(14, 14) << false << QSize(14, 4);
    // The ratio is kept in single precision: 1000 / 3 makes 500 / ratio just below 1.5.
    QTest::newRow("single precision ratio") << QSize(1000, 3) << QSize(500, 500) << false << QSize(500, 1);
    QTest::newRow("sliver keeps a pixel") << QSize(5000, 1) << QSize(600, 600) << false << QSize(600, 1);
    QTest::newRow("one dimension larger") << QSize(700, 100) << QSize(600, 600) << false << QSize(600, 86);
}

void tst_ImageFile::fitInto()
{
    QFETCH(QSize, image);
    QFETCH(QSize, box);
    QFETCH(bool, enlarge);
    QFETCH(QSize, expected);
    ImageFile picture;
    QVERIFY(picture.CreateBlank(image.width(), image.height(), packed(10, 20, 30)));
    picture.CreateRegion(0);
    picture.FitInto(box.width(), box.height(), enlarge);
    QCOMPARE(QSize(picture.Width(), picture.Height()), expected);
    QCOMPARE(picture.Pixel(expected.width() - 1, expected.height() - 1), packed(10, 20, 30));
    QCOMPARE(picture.HasRegion(), expected == image);
}

void tst_ImageFile::resizeAndCrop()
{
    ImageFile image;
    image.setPicture(coordinates(10, 8));
    QVERIFY(!image.Resize(0, 5));
    QCOMPARE(image.lastError().number, 5);
    QVERIFY(!image.Resize(900000000, 1));
    QCOMPARE(image.lastError().number, 6);
    QCOMPARE(image.Width(), 10);
    QCOMPARE(image.Pixel(9, 7), packed(9, 7, 7));

    QVERIFY(image.Crop(2, 3, 5, 4));
    QCOMPARE(QSize(image.Width(), image.Height()), QSize(5, 4));
    QCOMPARE(image.Pixel(0, 0), packed(2, 3, 7));
    QCOMPARE(image.Pixel(4, 3), packed(6, 6, 7));
    QCOMPARE(image.Bits().size(), 4 * 16);

    QVERIFY(!image.Crop(1, 0, 5, 4));
    QCOMPARE(image.lastError().number, 5);
    QVERIFY(!image.Crop(-1, 0, 2, 2));
    QCOMPARE(image.Width(), 5);

    QVERIFY(image.Resize(10, 2));
    QCOMPARE(QSize(image.Width(), image.Height()), QSize(10, 2));
    QCOMPARE(image.Bits().size(), 2 * 32);
}

void tst_ImageFile::rotateTurnsClockwise()
{
    ImageFile image;
    image.setPicture(coordinates(3, 2));
    image.CreateRegion(packed(0, 0, 7));
    image.Rotate();
    QCOMPARE(QSize(image.Width(), image.Height()), QSize(2, 3));
    QCOMPARE(int(image.Padding()), 2);
    // The top-left pixel is the old bottom-left one; new (x, y) is old (y, 1 - x).
    QCOMPARE(image.Pixel(0, 0), packed(0, 1, 7));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            QCOMPARE(image.Pixel(x, y), packed(y, 1 - x, 7));
    QVERIFY(image.HasRegion());

    // Larger than one tile of the blocked copy, with odd sizes: four turns give the original.
    const QImage big = coordinates(131, 70);
    ImageFile turned;
    turned.setPicture(big);
    for (int i = 0; i < 4; ++i)
        turned.Rotate();
    QVERIFY(turned.ComparePicture(big));
    turned.Rotate();
    QCOMPARE(turned.Pixel(69, 130), packed(130, 0, 7));
}

void tst_ImageFile::flipsMirrorAndKeepPadding()
{
    ImageFile image;
    image.setPicture(coordinates(3, 3));
    image.FlipX();
    QCOMPARE(image.Pixel(0, 1), packed(2, 1, 7));
    QCOMPARE(image.Pixel(1, 1), packed(1, 1, 7));
    QCOMPARE(image.Pixel(2, 2), packed(0, 2, 7));

    // Mark each row's padding byte: only the pixel bytes move.
    QByteArray bits = image.Bits();
    for (int row = 0; row < 3; ++row)
        bits[12 * row + 9] = char(100 + row);
    image.setBits(bits);
    image.FlipY();
    QCOMPARE(image.Pixel(0, 0), packed(2, 2, 7));
    QCOMPARE(image.Pixel(2, 2), packed(0, 0, 7));
    QCOMPARE(image.Bits().at(9), char(100));
    QCOMPARE(image.Bits().at(33), char(102));
}

void tst_ImageFile::invert_data()
{
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("channels"); // 1 red, 2 green, 4 blue
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("red on red") << qRgb(255, 0, 0) << 1 << qRgb(0, 0, 0);
    QTest::newRow("red on white") << qRgb(255, 255, 255) << 1 << qRgb(0, 255, 255);
    QTest::newRow("green and blue") << qRgb(10, 20, 30) << 6 << qRgb(10, 235, 225);
    QTest::newRow("all") << qRgb(10, 20, 30) << 7 << qRgb(245, 235, 225);
    QTest::newRow("none") << qRgb(10, 20, 30) << 0 << qRgb(10, 20, 30);
}

void tst_ImageFile::invert()
{
    QFETCH(QRgb, colour);
    QFETCH(int, channels);
    QFETCH(QRgb, expected);
    QImage source(5, 2, QImage::Format_RGB32);
    source.fill(colour);
    ImageFile image;
    image.setPicture(source);
    image.Invert(channels & 1, channels & 2, channels & 4);
    QCOMPARE(image.Picture().pixel(4, 1), expected);
    QCOMPARE(image.Picture().pixel(0, 0), expected);
    QCOMPARE(image.Bits().at(15), char(0)); // padding untouched
}

void tst_ImageFile::createBlank()
{
    ImageFile image;
    QVERIFY(image.CreateBlank(2, 2, packed(1, 2, 3)));
    QCOMPARE(image.Pixel(1, 1), packed(1, 2, 3));
    QVERIFY(image.CreateBlank(3, 1, QByteArray("\x09\x08\x07", 3)));
    QCOMPARE(image.Pixel(2, 0), packed(7, 8, 9));
    QVERIFY(image.CreateBlank(4, 4));
    QCOMPARE(image.Pixel(3, 3), 0);

    image.CreateRegion(5);
    QVERIFY(!image.CreateBlank(0, 4));
    QVERIFY(!image.CreateBlank(4, 4, QByteArray(2, 'x')));
    QCOMPARE(image.lastError().number, 9);
    QVERIFY(!image.CreateBlank(800000000, 4));
    QCOMPARE(image.lastError().number, 6);
    QCOMPARE(image.Width(), 4);
    QVERIFY(image.HasRegion());
}

void tst_ImageFile::region()
{
    ImageFile image;
    QVERIFY(image.CreateBlank(6, 4, packed(0, 0, 255)));
    image.CreateRegion(packed(1, 1, 1));
    QVERIFY(image.HasRegion());
    QCOMPARE(image.region(), QRegion(0, 0, 6, 4));

    image.CreateRegion(packed(0, 0, 255));
    QVERIFY(image.HasRegion());
    QVERIFY(image.region().isEmpty());

    // Transparent: a run at the right edge of row 0, one pixel inside row 2, all of row 3.
    image.setPixel(4, 0, 0);
    image.setPixel(5, 0, 0);
    image.setPixel(2, 2, 0);
    for (int x = 0; x < 6; ++x)
        image.setPixel(x, 3, 0);
    image.CreateRegion(0);
    QRegion expected(0, 0, 6, 3);
    expected -= QRegion(4, 0, 2, 1);
    expected -= QRegion(2, 2, 1, 1);
    QCOMPARE(image.region(), expected);

    image.DeleteRegion();
    QVERIFY(!image.HasRegion());
}

void tst_ImageFile::regionOnAWidget()
{
    ImageFile image;
    QVERIFY(image.CreateBlank(20, 10, packed(255, 255, 255)));
    for (int x = 0; x < 10; ++x)
        image.setPixel(x, 0, 0);
    QWidget window;
    window.resize(20, 10);
    image.ApplyRegion(&window); // no region yet: nothing happens
    QVERIFY(window.mask().isEmpty());

    image.CreateRegion(0);
    image.ApplyRegion(&window);
    QCOMPARE(window.mask(), image.region());
    ImageFile::ClearRegion(&window);
    QVERIFY(window.mask().isEmpty());
    QVERIFY(image.HasRegion());

    // An image that is all transparent hides the window instead of clearing its mask.
    image.CreateRegion(packed(255, 255, 255));
    image.CreateBlank(20, 10);
    image.CreateRegion(0);
    image.ApplyRegion(&window);
    QVERIFY(!window.mask().isEmpty());
    QVERIFY(!window.mask().intersects(QRect(0, 0, 20, 10)));
}

void tst_ImageFile::comparePicture()
{
    const QImage source = coordinates(7, 5);
    ImageFile image;
    image.setPicture(source);
    ImageFile copy = image;
    QVERIFY(image.ComparePicture(copy));
    QVERIFY(image.ComparePicture(source));
    copy.setPixel(6, 4, 0);
    QVERIFY(!image.ComparePicture(copy));
    QVERIFY(!image.ComparePicture(source.copy(0, 0, 7, 4)));
    QVERIFY(!image.ComparePicture(source.convertToFormat(QImage::Format_Indexed8)));
    QVERIFY(!image.ComparePicture(QImage()));
}

void tst_ImageFile::savePictureToArray()
{
    ImageFile image;
    const QString before = QDir::currentPath();
    QVERIFY(image.SavePictureToArray(QImage()).isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("temporary_rtf.dat")));

    const QImage source = coordinates(9, 6);
    const QByteArray bmp = image.SavePictureToArray(source);
    QVERIFY(bmp.startsWith("BM"));
    QCOMPARE(QImage::fromData(bmp, "BMP").pixel(8, 5), source.pixel(8, 5));
    QCOMPARE(image.Width(), 0);

    const QByteArray jpeg = image.SavePictureToArray(source, "JPG");
    QVERIFY(jpeg.startsWith("\xFF\xD8\xFF"));
    QCOMPARE(QDir::currentPath(), before);
}

QTEST_MAIN(tst_ImageFile)
#include "tst_imagefile.moc"
