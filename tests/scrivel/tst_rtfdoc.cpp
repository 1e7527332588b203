#include "scrivel/RTFDoc.h"

#include "support/FailDevice.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Braces that open and close groups, skipping escaped ones; 0 for a balanced text.
int braceBalance(const QByteArray& rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return -1;
    }
    return depth;
}

QByteArray bytesOf(int count)
{
    QByteArray data;
    for (int i = 0; i < count; ++i)
        data.append(static_cast<char>(i));
    return data;
}

} // namespace

class tst_RTFDoc : public QObject
{
    Q_OBJECT

private slots:
    void smallestDocumentIsByteExact();
    void fontsAndColorsAreIndexedOnce();
    void colorOutsideByteRangeIsRefused();
    void paperFormat_data();
    void paperFormat();
    void textRun_data();
    void textRun();
    void textSizeOverflowChangesNothing();
    void romanianLettersSurviveEncoding_data();
    void romanianLettersSurviveEncoding();
    void tableRowsAndCells();
    void tableCellWordsAndMissingCells();
    void tableCellOutsideGridFails_data();
    void tableCellOutsideGridFails();
    void rectangleConvertsSums();
    void unlistedAnchorsKeepGroupsBalanced();
    void pictureHexLines_data();
    void pictureHexLines();
    void pictureOtherFormatsBecomeJpeg();
    void bodyLineLimit();
    void saveWritesTheSameBytes();
    void failedSaveReportsAndKeepsOldFile();
};

void tst_RTFDoc::smallestDocumentIsByteExact()
{
    RTFDoc doc;
    QCOMPARE(doc.Fonts(QStringLiteral("Times New Roman")), 1);
    QCOMPARE(doc.Colors(0, 0, 0), 1);
    QVERIFY(doc.AddText(doc.DefineTextData(QStringLiteral("Fisa"), 1, 1, 0, 12, true, false, false), true));
    const QByteArray expected = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f1\\froman\\fcharset238 "
                                "Times New Roman;}}\r\r\n"
                                "{\\colortbl ;\\red0\\green0\\blue0;}\r\r\n"
                                "\r\n"
                                "{\\pard\\qc\\cf1\\f1\\fs24\\b\\ulnone\\i0 Fisa \\par}\r\n"
                                "}\r\n";
    QCOMPARE(doc.toRtf(), expected);
    QCOMPARE(braceBalance(doc.toRtf()), 0);
}

void tst_RTFDoc::fontsAndColorsAreIndexedOnce()
{
    RTFDoc doc;
    QCOMPARE(doc.Fonts(QStringLiteral("Times New Roman")), 1);
    QCOMPARE(doc.Fonts(QStringLiteral("Times New Roman")), 1);
    QCOMPARE(doc.Fonts(QStringLiteral("times new roman")), 2);
    QCOMPARE(doc.Fonts(QStringLiteral("Arial")), 3);
    QCOMPARE(doc.Fonts(QVariant()), 0);
    QCOMPARE(doc.lastError().number, 13);
    QCOMPARE(doc.fontCount(), 3);

    QCOMPARE(doc.Colors(255, 0, 0), 1);
    QCOMPARE(doc.Colors(0, 0, 255), 2);
    QCOMPARE(doc.Colors(255, 0, 0), 1);
    // Colour values are integers: 254.5 rounds half to even.
    QCOMPARE(doc.Colors(254.5, 0, 0), 3);
    QVERIFY(
        doc.toRtf().contains("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;\\red254\\green0\\blue0;}"));
}

void tst_RTFDoc::colorOutsideByteRangeIsRefused()
{
    RTFDoc doc;
    QCOMPARE(doc.Colors(256, 0, 0), 0);
    QCOMPARE(doc.lastError().number, 5);
    QCOMPARE(doc.Colors(0, -1, 0), 0);
    QCOMPARE(doc.Colors(0, 0, 40000), 0);
    QCOMPARE(doc.lastError().number, 6);
    QCOMPARE(doc.colorCount(), 0);
}

void tst_RTFDoc::paperFormat_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QByteArray>("expected");
    const QList<double> a4{297, 210, 20, 20, 12.5, 10};
    QTest::newRow("A4 portrait") << a4 << false
                                 << QByteArray(
                                        "\\paperw11907\\paperh16839\\margl1134\\margr1134\\margt708\\margb567\r");
    QTest::newRow("A4 landscape") << a4 << true
                                  << QByteArray("\\paperw16839\\paperh11907\\margl1134\\margr1134\\margt708\\margb567"
                                                "\\landscape\r");
    // Toward minus infinity: -10.1 mm is -572.67 twips, written -573.
    QTest::newRow("negative margin") << QList<double>{297, 210, -10.1, 0.01, 0, 1e-9} << false
                                     << QByteArray("\\paperw11907\\paperh16839\\margl-573\\margr0\\margt0\\margb0\r");
}

void tst_RTFDoc::paperFormat()
{
    QFETCH(QList<double>, values);
    QFETCH(bool, landscape);
    QFETCH(QByteArray, expected);
    RTFDoc doc;
    QVERIFY(doc.PaperFormat(values[0], values[1], values[2], values[3], values[4], values[5], landscape));
    const QList<QByteArray> lines = doc.toRtf().split('\n');
    QCOMPARE(lines.value(2), expected + '\r');

    QVERIFY(!doc.PaperFormat(1e12, 210, 0, 0, 0, 0, false));
    QCOMPARE(doc.lastError().number, 6);
    QVERIFY(!doc.PaperFormat(qQNaN(), 210, 0, 0, 0, 0, false));
    QCOMPARE(doc.toRtf().split('\n').value(2), expected + '\r');
}

void tst_RTFDoc::textRun_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("alignment");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("style"); // 1 bold, 2 italic, 4 underline
    QTest::addColumn<QString>("expected");
    QTest::newRow("left plain") << "Nr. cadastral" << 1.0 << 10.0 << 0
                                << "\\pard\\ql\\cf2\\f3\\fs20\\b0\\ulnone\\i0 Nr. cadastral";
    QTest::newRow("right all styles") << "x" << 2.0 << 8.0 << 7 << "\\pard\\qr\\cf2\\f3\\fs16\\b\\ul\\i x";
    QTest::newRow("justified") << "" << 3.0 << 11.0 << 2 << "\\pard\\qj\\cf2\\f3\\fs22\\b0\\ulnone\\i ";
    QTest::newRow("unlisted alignment") << "a" << 0.5 << 9.0 << 0 << "\\pard\\cf2\\f3\\fs18\\b0\\ulnone\\i0 a";
    QTest::newRow("size half to even") << "a" << 0.0 << 12.5 << 0 << "\\pard\\qc\\cf2\\f3\\fs24\\b0\\ulnone\\i0 a";
    QTest::newRow("largest size") << "a" << 0.0 << 16383.0 << 0 << "\\pard\\qc\\cf2\\f3\\fs32766\\b0\\ulnone\\i0 a";
    QTest::newRow("braces and backslash")
        << "{a\\b}" << 1.0 << 10.0 << 0 << "\\pard\\ql\\cf2\\f3\\fs20\\b0\\ulnone\\i0 \\{a\\\\b\\}";
    QTest::newRow("line breaks and tab") << "a\r\nb\nc\td" << 1.0 << 10.0 << 0
                                         << "\\pard\\ql\\cf2\\f3\\fs20\\b0\\ulnone\\i0 a\\line b\\line c\\tab d";
}

void tst_RTFDoc::textRun()
{
    QFETCH(QString, text);
    QFETCH(double, alignment);
    QFETCH(double, size);
    QFETCH(int, style);
    QFETCH(QString, expected);
    RTFDoc doc;
    QCOMPARE(doc.DefineTextData(text, 3, 2, alignment, size, style & 1, style & 2, style & 4), expected);
    QCOMPARE(doc.lastError().number, 0);
    QCOMPARE(doc.lineCount(), 0);
}

void tst_RTFDoc::textSizeOverflowChangesNothing()
{
    RTFDoc doc;
    QVERIFY(doc.DefineTextData(QStringLiteral("a"), 1, 1, 0, 16384, false, false, false).isEmpty());
    QCOMPARE(doc.lastError().number, 6);
    QVERIFY(doc.DefineTextData(QStringLiteral("a"), 40000, 1, 0, 10, false, false, false).isEmpty());
    QCOMPARE(doc.lastError().number, 6);
    QVERIFY(!doc.DefineTextData(QStringLiteral("a"), 1, 1, 0, 10, false, false, false).isEmpty());
    QCOMPARE(doc.lastError().number, 0);
}

void tst_RTFDoc::romanianLettersSurviveEncoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("in the code page") << QStringLiteral("ă â î Ă Â Î ş ţ")
                                      << QByteArray("\xE3 \xE2 \xEE \xC3 \xC2 \xCE \xBA \xFE");
    QTest::newRow("comma below") << QStringLiteral("ș ț Ș Ț")
                                 << QByteArray("\\u537\xBA \\u539\xFE \\u536\xAA \\u538\xDE");
    QTest::newRow("accent dropped") << QStringLiteral("ñ") << QByteArray("\\u241n");
    QTest::newRow("high code unit") << QStringLiteral("\uFF01") << QByteArray("\\u-255?");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
}

void tst_RTFDoc::romanianLettersSurviveEncoding()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    RTFDoc doc;
    QVERIFY(doc.AddText(text, false));
    QCOMPARE(doc.line(1), "{" + expected + "}");
    QVERIFY(doc.DefineTable(1, 1, 0, 0, 0, 0));
    QVERIFY(doc.AddTableCell(1, 1, text, 10, 0, false, true));
    QVERIFY(doc.EndTable());
    QCOMPARE(doc.line(4), expected + " \\intbl \\cell\r");
}

void tst_RTFDoc::tableRowsAndCells()
{
    RTFDoc doc;
    // 1.9 mm of spacing is an integer parameter: 2 mm, 113 twips.
    QVERIFY(doc.DefineTable(3, 2, 10.1, 1.9, 1, 2));
    QVERIFY(doc.EndTable());
    QCOMPARE(doc.lineCount(), 3 * 6);
    QCOMPARE(doc.line(1), QByteArray("{\\trowd \\trql\\trgaph113\\trleft572\\trrh0\\trhdr\r"));
    QCOMPARE(doc.line(6), QByteArray("\\pard \\intbl \\row\r"));
    QCOMPARE(doc.line(7), QByteArray("\\trowd \\trql\\trgaph113\\trleft572\\trrh0\\trhdr\r"));
    QCOMPARE(doc.line(13), QByteArray("\\trowd \\trql\\trgaph113\\trleft572\\trrh0\r"));
    QCOMPARE(doc.line(18), QByteArray("\\pard \\intbl \\row }\r"));
    for (int unfilled : {2, 3, 4, 5, 8, 14, 17})
        QVERIFY2(doc.line(unfilled).isEmpty(), qPrintable(QString::number(unfilled)));

    RTFDoc single;
    QVERIFY(single.DefineTable(1, 1, 0, 0, 7, 0));
    QVERIFY(single.EndTable());
    QCOMPARE(single.line(1), QByteArray("{\\trowd \\trgaph0\\trleft0\\trrh0\r"));
    QCOMPARE(single.line(4), QByteArray("\\pard \\intbl \\row }\r"));
    QCOMPARE(braceBalance(single.toRtf()), 0);

    // A table larger than the body could hold is refused before anything is allocated.
    QVERIFY(!single.DefineTable(30000, 30000, 0, 0, 0, 0));
    QCOMPARE(single.lastError().number, 6);
    QVERIFY(!single.DefineTable(-1, 2, 0, 0, 0, 0));
    QCOMPARE(single.lastError().number, 9);
}

void tst_RTFDoc::tableCellWordsAndMissingCells()
{
    RTFDoc doc;
    QVERIFY(doc.DefineTable(1, 3, 0, 0, 0, 0));
    QVERIFY(doc.AddTableCell(1, 1, QStringLiteral("A"), 30, 0, true, true));
    QVERIFY(doc.AddTableCell(1, 2, QStringLiteral("B"), 60.5, 2, false, true));
    QVERIFY(doc.AddTableCell(1, 3, QStringLiteral("C"), 90, 1, true, true));
    QVERIFY(doc.AddTableCell(1, 3, QStringLiteral("C"), 90, 1, true, false));
    QVERIFY(doc.EndTable());
    QCOMPARE(doc.lineCount(), 8);
    QCOMPARE(doc.line(2), QByteArray("\\clbrdrt\\brdrs\\brdrw15 \\clbrdrl\\brdrs\\brdrw15 \\clbrdrb\\brdrs\\brdrw15 "
                                     "\\clbrdrr\\brdrs\\brdrw15 \\clvertalc \\cellx1701\r"));
    QCOMPARE(doc.line(3), QByteArray("\\clvertalb\\cellx3430\r"));
    QCOMPARE(doc.line(4), QByteArray());
    QCOMPARE(doc.line(5), QByteArray("A \\intbl \\cell\r"));
    QCOMPARE(doc.line(6), QByteArray("B \\intbl \\cell\r"));
    QCOMPARE(doc.line(7), QByteArray());

    // The grid is kept until the next table: ending twice appends it again.
    QVERIFY(doc.EndTable());
    QCOMPARE(doc.lineCount(), 16);
    QCOMPARE(doc.line(14), QByteArray("B \\intbl \\cell\r"));
}

void tst_RTFDoc::tableCellOutsideGridFails_data()
{
    QTest::addColumn<bool>("defined");
    QTest::addColumn<double>("row");
    QTest::addColumn<double>("column");
    QTest::newRow("before any table") << false << 1.0 << 1.0;
    QTest::newRow("row 0") << true << 0.0 << 1.0;
    QTest::newRow("row past the end") << true << 3.0 << 1.0;
    QTest::newRow("column past the end") << true << 1.0 << 3.0;
    QTest::newRow("column 2.5 rounds to 2 then 3") << true << 1.0 << 2.6;
}

void tst_RTFDoc::tableCellOutsideGridFails()
{
    QFETCH(bool, defined);
    QFETCH(double, row);
    QFETCH(double, column);
    RTFDoc doc;
    if (defined)
        QVERIFY(doc.DefineTable(2, 2, 0, 0, 0, 0));
    QVERIFY(!doc.AddTableCell(row, column, QStringLiteral("x"), 10, 0, true, true));
    QCOMPARE(doc.lastError().number, 9);
    QVERIFY(doc.EndTable());
    QVERIFY(!doc.toRtf().contains("x \\intbl"));
}

void tst_RTFDoc::rectangleConvertsSums()
{
    RTFDoc doc;
    // 0.01 mm and 0.01 mm are 0 twips each, but their sum is 1 twip.
    QVERIFY(doc.AddShapeRectangle(0.01, 10, 1, 2, 0.01, 5.5, 3.9, 0, 1));
    QCOMPARE(doc.lineCount(), 3);
    QCOMPARE(doc.line(1), QByteArray("{\\shp{\\*\\shpinst\\shpleft0\\shptop567\\shpright1\\shpbottom878\\shpfhdr0"
                                     "\\shpbxmargin\\shpbxignore\\shpbypara\\shpbyignore\\shpwr3\\shpwrk0"
                                     "\\shpfblwtxt1\\shpz1\r"));
    QCOMPARE(doc.line(2), QByteArray("{\\sp{\\sn shapeType}{\\sv 1}}}\r"));
    QCOMPARE(doc.line(3),
             QByteArray("{\\shprslt{\\*\\do\\dobxmargin\\dobypara\\dpx0\\dpy567\\dpxsize0\\dpysize311}}}\r"));
    QCOMPARE(braceBalance(doc.toRtf()), 0);
}

void tst_RTFDoc::unlistedAnchorsKeepGroupsBalanced()
{
    RTFDoc doc;
    QVERIFY(doc.AddShapeRectangle(0, 0, 5, -1, 10, 10, 0, 0, 0));
    QVERIFY(doc.AddShapePicture(0, 0, 9, 9, 10, 10, 0, 0, 0, bytesOf(10), 0, 0));
    QCOMPARE(doc.line(3), QByteArray("{\\shprslt{\\*\\do\\dpx0\\dpy0\\dpxsize567\\dpysize567}}}\r"));
    QCOMPARE(braceBalance(doc.toRtf()), 0);
}

void tst_RTFDoc::pictureHexLines_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArrayList>("dataLines");
    QByteArray full;
    for (int i = 0; i < 64; ++i)
        full += QByteArray::number(i, 16).rightJustified(2, '0').toUpper();
    QTest::newRow("empty") << 0 << QByteArrayList{"}}}"};
    QTest::newRow("one byte") << 1 << QByteArrayList{"00}}}"};
    QTest::newRow("64 bytes") << 64 << QByteArrayList{full, "}}}"};
    QTest::newRow("65 bytes") << 65 << QByteArrayList{full, "40}}}"};
}

void tst_RTFDoc::pictureHexLines()
{
    QFETCH(int, size);
    QFETCH(QByteArrayList, dataLines);
    RTFDoc doc;
    QVERIFY(doc.AddShapePicture(10, 20.07, 0, 0, 100, 50, 3, 0, 2, bytesOf(size), 480, 640));
    QCOMPARE(doc.lineCount(), 5 + dataLines.size());
    QCOMPARE(doc.line(1), QByteArray("{\\shp{\\*\\shpinst\\shpleft200\\shptop401\\shpright2200\\shpbottom1401\\shpfhdr0"
                                     "\\shpbxpage\\shpbxignore\\shpbypage\\shpbyignore\\shpwr3\\shpwrk0\\shpfblwtxt2"
                                     "\\shpz2\r"));
    QCOMPARE(doc.line(2), QByteArray("{\\sp{\\sn shapeType}{\\sv 75}}\r"));
    QVERIFY(doc.line(4).endsWith("\\picwgoal4245\\pichgoal3180\\jpegblip\r"));
    for (int i = 0; i < dataLines.size(); ++i)
        QCOMPARE(doc.line(5 + i), dataLines[i]);
    QVERIFY(doc.line(doc.lineCount()).startsWith("{\\sp{\\sn pibFlags}{\\sv 2}}"));
    QCOMPARE(braceBalance(doc.toRtf()), 0);
}

void tst_RTFDoc::pictureOtherFormatsBecomeJpeg()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(image.save(&buffer, "BMP"));

    RTFDoc doc;
    QVERIFY(doc.AddShapePicture(0, 0, 0, 0, 40, 30, 3, 0, 0, bmp, 30, 40));
    QByteArray hex;
    for (int i = 5; i < doc.lineCount(); ++i)
        hex += doc.line(i);
    hex.chop(3);
    const QByteArray embedded = QByteArray::fromHex(hex);
    QVERIFY(embedded.startsWith("\xFF\xD8\xFF"));
    const QImage decoded = QImage::fromData(embedded, "JPG");
    QCOMPARE(decoded.size(), image.size());
    QVERIFY(qRed(decoded.pixel(20, 15)) > 240 && qGreen(decoded.pixel(20, 15)) < 16);
}

void tst_RTFDoc::bodyLineLimit()
{
    RTFDoc doc;
    QVERIFY(!doc.AddEmptyLines(40000));
    QCOMPARE(doc.lastError().number, 6);
    QCOMPARE(doc.lineCount(), 32767);
    QVERIFY(!doc.AddText(QStringLiteral("x"), true));
    QVERIFY(!doc.AddShapeRectangle(0, 0, 0, 0, 1, 1, 0, 0, 0));
    QCOMPARE(doc.lineCount(), 32767);
    QCOMPARE(doc.line(32767), QByteArray("\\par\r"));

    RTFDoc fractional;
    QVERIFY(fractional.AddEmptyLines(2.7));
    QVERIFY(fractional.AddEmptyLines(-3));
    QCOMPARE(fractional.lineCount(), 2);
}

void tst_RTFDoc::saveWritesTheSameBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fisa.rtf"));
    RTFDoc doc;
    doc.Fonts(QStringLiteral("Arial"));
    doc.PaperFormat(297, 210, 20, 20, 10, 10, false);
    doc.AddText(doc.DefineTextData(QStringLiteral("Țară"), 1, 0, 1, 10, false, false, false), true);
    QVERIFY(doc.SaveAndClose(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), doc.toRtf());
    file.close();
    QCOMPARE(file.permissions() & QFileDevice::WriteOther, QFileDevice::Permissions());

    // Replacing a file keeps its permissions and leaves no temporary file behind.
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QVERIFY(file.setPermissions(ownerOnly));
    doc.AddText(QStringLiteral("more"), false);
    QVERIFY(doc.SaveAndClose(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), doc.toRtf());
    QCOMPARE(file.permissions() & 0x7077, ownerOnly); // owner, group and others, not the "user" alias
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("fisa.rtf")});
}

void tst_RTFDoc::failedSaveReportsAndKeepsOldFile()
{
    RTFDoc doc;
    doc.AddEmptyLines(100);
    FailDevice device(50);
    device.open(QIODevice::WriteOnly);
    QVERIFY(!doc.SaveAndClose(&device));
    QCOMPARE(doc.lastError().number, 75);
    QCOMPARE(doc.lastError().text(), QStringLiteral("75 Path/File access error"));

    QVERIFY(!doc.SaveAndClose(QString()));
    QCOMPARE(doc.lastError().number, 75);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.rtf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old contents");
    old.close();
    QVERIFY(!doc.SaveAndClose(dir.filePath(QStringLiteral("missing/folder/new.rtf"))));
    QCOMPARE(doc.lastError().number, 75);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old contents"));
}

QTEST_GUILESS_MAIN(tst_RTFDoc)
#include "tst_rtfdoc.moc"
