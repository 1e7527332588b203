#include "report/Fisa.h"
#include "sketch/SketchRenderer.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The property sheet's composition: the reviewed reference files, the rules that depend on the
// data (address line, empty lines, totals), the picture and the file handling.
class tst_Fisa : public QObject
{
    Q_OBJECT

private slots:
    void matchesReviewedSheet_data();
    void matchesReviewedSheet();
    void addressLine_data();
    void addressLine();
    void emptyLinesBeforeOwners_data();
    void emptyLinesBeforeOwners();
    void emptyTablesShowDashes();
    void ownerRowsRepeatLegalTotals();
    void pictureIsFittedNotEnlarged_data();
    void pictureIsFittedNotEnlarged();
    void dateFollowsLocale();
    void twoExportsGiveTwoSingleSheets();
    void failureWritesNothing();

private:
    static LandPtr fixedLand(std::uint8_t ieCode, int parcels, int buildings, int owners);
    static QByteArray fixturePicture();
    static QList<QByteArray> lines(const QByteArray& rtf);
};

LandPtr tst_Fisa::fixedLand(std::uint8_t ieCode, int parcelCount, int buildingCount, int ownerCount)
{
    auto land = std::make_shared<Land>();
    auto address = std::make_shared<Address>();
    address->setSIRUTA(179132);
    address->setIECode(ieCode);
    address->setStreetType(QStringLiteral("Strada"));
    address->setStreetName(QStringLiteral("Mărășești"));
    address->setStreetNo(QStringLiteral("7B"));
    address->setTarlaNo(QStringLiteral("41"));
    address->setParcelNo(QStringLiteral("312/2"));
    land->setAddress(address);

    auto parcels = std::make_shared<Parcels>();
    for (int i = 1; i <= parcelCount; ++i) {
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(i));
        parcel->setLandUse(i % 2 ? QStringLiteral("CC") : QStringLiteral("A"));
        parcel->setLandDestination(QStringLiteral("TDI"));
        parcel->setMeasuredArea(QString::number(100 * i));
        parcel->setQualityClass(QStringLiteral("III"));
        parcel->setLocalityZone(QStringLiteral("B"));
        parcel->setComments(i == 1 ? QStringLiteral("împrejmuit {gard}") : QString());
        parcels->Add(parcel);
    }
    parcels->setTotalMeasuredArea(parcelCount ? QString::number(50 * parcelCount * (parcelCount + 1))
                                              : QStringLiteral("0"));
    parcels->setTotalLegalArea(parcelCount ? QStringLiteral("1800") : QStringLiteral("0"));
    land->setParcels(parcels);

    auto buildings = std::make_shared<Buildings>();
    for (int i = 1; i <= buildingCount; ++i) {
        auto build = std::make_shared<Build>();
        build->setNo(QStringLiteral("C%1").arg(i));
        build->setDescription(i == 1 ? QStringLiteral("Casă de locuit") : QStringLiteral("Anexă"));
        build->setMeasuredArea(QString::number(40 + i));
        build->setBuildDestination(QStringLiteral("CL"));
        build->setComments(QStringLiteral("P+1"));
        buildings->Add(build);
    }
    buildings->setTotalMeasuredArea(buildingCount ? QStringLiteral("123") : QStringLiteral("0"));
    buildings->setTotalLegalArea(buildingCount ? QStringLiteral("120") : QStringLiteral("0"));
    land->setBuildings(buildings);

    auto owners = std::make_shared<Owners>();
    for (int i = 1; i <= ownerCount; ++i) {
        auto owner = std::make_shared<Owner>();
        owner->setLastName(i == 1 ? QStringLiteral("Țurcanu") : QStringLiteral("Popa"));
        owner->setFirstName(QStringLiteral("Ana %1").arg(i));
        owners->Add(owner);
    }
    land->setOwners(owners);
    return land;
}

// A small JPEG of a sketch, kept as a file so that the reference sheets do not depend on the
// JPEG writer of the machine.
QByteArray tst_Fisa::fixturePicture()
{
    QFile file(TestPaths::testData(QStringLiteral("report/sketch-small.jpg")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The saved lines, each still ending in the carriage return the composer gives most of them.
QList<QByteArray> tst_Fisa::lines(const QByteArray& rtf)
{
    QList<QByteArray> result;
    qsizetype from = 0;
    for (qsizetype at = rtf.indexOf("\r\n"); at >= 0; at = rtf.indexOf("\r\n", from)) {
        result << rtf.mid(from, at - from);
        from = at + 2;
    }
    result << rtf.mid(from);
    return result;
}

void tst_Fisa::matchesReviewedSheet_data()
{
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("ieCode");
    QTest::addColumn<int>("parcels");
    QTest::addColumn<int>("buildings");
    QTest::addColumn<int>("owners");
    QTest::addColumn<bool>("picture");
    QTest::newRow("extravilan land, picture") << "sheet-land.rtf" << 0 << 3 << 4 << 2 << true;
    QTest::newRow("street address, empty tables, no picture") << "sheet-street.rtf" << 1 << 0 << 0 << 0 << false;
}

// The reference files were reviewed word by word; LOTMARK_UPDATE_FIXTURES=1 writes them anew
// (review the difference before committing it).
void tst_Fisa::matchesReviewedSheet()
{
    QFETCH(QString, reference);
    QFETCH(int, ieCode);
    QFETCH(int, parcels);
    QFETCH(int, buildings);
    QFETCH(int, owners);
    QFETCH(bool, picture);

    Fisa sheet;
    sheet.setLand(fixedLand(std::uint8_t(ieCode), parcels, buildings, owners));
    sheet.setSIRUTA(QStringLiteral("179132"));
    sheet.setSurveyorName(QStringLiteral("Ionescu Ștefan"));
    sheet.setDateText(QStringLiteral("07.12.2026"));
    if (picture) {
        if (qEnvironmentVariableIntValue("LOTMARK_UPDATE_FIXTURES") == 1 && fixturePicture().isEmpty()) {
            Polygons polygons;
            polygons.Add(DocumentFactory::polygon(QStringLiteral("TEREN"), 5));
            polygons.Add(DocumentFactory::polygon(QStringLiteral("C1"), 4, 101, 500010.0, 400005.0, 12.0));
            QImage small = SketchRenderer::renderSketchImage(polygons, 96);
            QVERIFY(small.convertToFormat(QImage::Format_RGB888)
                        .save(TestPaths::testData(QStringLiteral("report/sketch-small.jpg")), "JPG", 80));
        }
        const QByteArray bytes = fixturePicture();
        QVERIFY2(!bytes.isEmpty(), "missing fixture sketch-small.jpg");
        sheet.setPictureData(bytes);
    }
    QTemporaryDir dir;
    sheet.setFileName(dir.filePath(QStringLiteral("sheet.RTF")));
    Error error;
    QVERIFY2(sheet.GenerateFile(&error), qPrintable(error.text()));
    QFile written(sheet.FileName());
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray actual = written.readAll();

    const QString path = TestPaths::testData(QStringLiteral("report/") + reference);
    if (qEnvironmentVariableIntValue("LOTMARK_UPDATE_FIXTURES") == 1) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(actual);
    }
    QFile expectedFile(path);
    QVERIFY2(expectedFile.open(QIODevice::ReadOnly), qPrintable(path));
    const QList<QByteArray> expected = lines(expectedFile.readAll());
    const QList<QByteArray> got = lines(actual);
    for (int i = 0; i < std::min(expected.size(), got.size()); ++i)
        QVERIFY2(got[i] == expected[i],
                 qPrintable(QStringLiteral("line %1: %2 instead of %3")
                                .arg(i + 1)
                                .arg(QString::fromLatin1(got[i]), QString::fromLatin1(expected[i]))));
    QCOMPARE(got.size(), expected.size());
}

void tst_Fisa::addressLine_data()
{
    QTest::addColumn<int>("ieCode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("extravilan: tarla and parcel") << 0 << "din T41, P312/2";
    QTest::newRow("intravilan: street") << 1 << "din Strada Mărășești nr.7B";
    QTest::newRow("other code: street") << 2 << "din Strada Mărășești nr.7B";
}

void tst_Fisa::addressLine()
{
    QFETCH(int, ieCode);
    QFETCH(QString, expected);
    const LandPtr land = fixedLand(std::uint8_t(ieCode), 1, 1, 1);
    QCOMPARE(Fisa::addressLine(*land->Address()), expected);

    // The line under the title, and the code itself in the identification block.
    Fisa sheet;
    sheet.setLand(land);
    const QList<QByteArray> rtf = lines(sheet.composeSheet());
    const QByteArray title = "{\\pard\\qc\\cf1\\f1\\fs24\\b\\ulnone\\i0 FISA CORPULUI DE PROPRIETATE \\par}";
    const int at = rtf.indexOf(title);
    QVERIFY(at > 0);
    // The sketch goes with the address line (where LibreOffice places it inside the frame).
    QVERIFY(rtf.value(at + 1).startsWith("{\\shp{\\*\\shpinst\\shpleft-510\\shptop2234\\shpright4990\\shpbottom7274"));
    QCOMPARE(rtf.value(at + 2), QByteArray("{\\sp{\\sn shapeType}{\\sv 75}}\r"));
    const int address =
        rtf.indexOf(QByteArray("{\\sp{\\sn pibFlags}{\\sv 2}}"
                               "{\\sp{\\sn fRecolorFillAsPicture}{\\sv 0}}{\\sp{\\sn fUseShapeAnchor}{\\sv 0}}"
                               "{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn posrelh}{\\sv 0}}{\\sp{\\sn posrelv}{\\sv 0}}"
                               "{\\sp{\\sn fBehindDocument}{\\sv 0}}{\\sp{\\sn fLayoutInCell}{\\sv 1}}}}\r")) +
        1;
    QVERIFY(address > at);
    QVERIFY(rtf.value(address).startsWith("{\\pard\\qc\\cf1\\f1\\fs22\\b0\\ulnone\\i0 din "));
    if (ieCode == 0)
        QCOMPARE(rtf.value(address), QByteArray("{\\pard\\qc\\cf1\\f1\\fs22\\b0\\ulnone\\i0 din T41, P312/2 \\par}"));
    QVERIFY(
        rtf.contains("\\pard\\ql\\cf1\\f1\\fs18\\b0\\ulnone\\i0 " + QByteArray::number(ieCode) + " \\intbl \\cell\r"));
}

void tst_Fisa::emptyLinesBeforeOwners_data()
{
    QTest::addColumn<int>("parcels");
    QTest::addColumn<int>("buildings");
    QTest::addColumn<int>("lines");
    QTest::newRow("3 parcels, 4 buildings") << 3 << 4 << 7;
    QTest::newRow("10 parcels, 8 buildings") << 10 << 8 << 1;
    QTest::newRow("none") << 0 << 0 << 14;
    QTest::newRow("exactly 13") << 13 << 0 << 1;
    QTest::newRow("exactly 14") << 7 << 7 << 1;
}

void tst_Fisa::emptyLinesBeforeOwners()
{
    QFETCH(int, parcels);
    QFETCH(int, buildings);
    QFETCH(int, lines);
    Fisa sheet;
    sheet.setLand(fixedLand(0, parcels, buildings, 1));
    const QList<QByteArray> rtf = tst_Fisa::lines(sheet.composeSheet());
    const int owners =
        rtf.indexOf("{\\pard\\qc\\cf1\\f1\\fs20\\b0\\ulnone\\i C. DATE REFERITOARE LA PROPRIETAR \\par}");
    QVERIFY(owners > 0);
    int empty = 0;
    while (rtf.value(owners - 1 - empty) == "\\par\r")
        ++empty;
    QCOMPARE(empty, lines);
    // The buildings table ends right before them.
    QCOMPARE(rtf.value(owners - 1 - empty), QByteArray("\\pard \\intbl \\row }\r"));
}

void tst_Fisa::emptyTablesShowDashes()
{
    Fisa sheet;
    sheet.setLand(fixedLand(0, 0, 0, 1));
    const QByteArray rtf = sheet.composeSheet();
    const QList<QByteArray> all = lines(rtf);
    // Parcels: a header row and a total row of 7 cells; the measured total is a dash in size 10.
    const int parcelsTitle =
        all.indexOf("{\\pard\\qr\\cf1\\f1\\fs20\\b0\\ulnone\\i A. DATE REFERITOARE LA TEREN \\par}");
    QVERIFY(parcelsTitle > 0);
    QCOMPARE(all.value(parcelsTitle + 1).left(9), QByteArray("{\\trowd \\"));
    const int parcelRows = 2, parcelGrid = 2 * 7 + 2;
    QCOMPARE(all.value(parcelsTitle + parcelRows * parcelGrid), QByteArray("\\pard \\intbl \\row }\r"));
    QCOMPARE(all.value(parcelsTitle + parcelGrid + 1 + 7 + 1),
             QByteArray("\\pard\\qc\\cf1\\f1\\fs20\\b\\ulnone\\i TOTAL \\intbl \\cell\r"));
    QCOMPARE(all.value(parcelsTitle + parcelGrid + 1 + 7 + 4),
             QByteArray("\\pard\\qc\\cf1\\f1\\fs20\\b0\\ulnone\\i0 - \\intbl \\cell\r"));
    // Buildings: the same with 5 columns; its total is a dash in size 9.
    const int buildTitle =
        all.indexOf("{\\pard\\qr\\cf1\\f1\\fs20\\b0\\ulnone\\i B. DATE REFERITOARE LA CONSTRUCTII \\par}");
    QVERIFY(buildTitle > 0);
    const int buildGrid = 2 * 5 + 2;
    QCOMPARE(all.value(buildTitle + 2 * buildGrid), QByteArray("\\pard \\intbl \\row }\r"));
    QCOMPARE(all.value(buildTitle + buildGrid + 1 + 5 + 3),
             QByteArray("\\pard\\qc\\cf1\\f1\\fs18\\b0\\ulnone\\i0 - \\intbl \\cell\r"));
    // The owner's legal areas are dashes too.
    QCOMPARE(rtf.count("\\pard\\qc\\cf1\\f1\\fs18\\b0\\ulnone\\i0 - \\intbl \\cell\r"), 1 + 2);
}

void tst_Fisa::ownerRowsRepeatLegalTotals()
{
    Fisa sheet;
    sheet.setLand(fixedLand(0, 2, 1, 3));
    const QList<QByteArray> all = lines(sheet.composeSheet());
    const int title = all.indexOf("{\\pard\\qc\\cf1\\f1\\fs20\\b0\\ulnone\\i C. DATE REFERITOARE LA PROPRIETAR \\par}");
    QVERIFY(title > 0);
    const int grid = 2 * 10 + 2;
    for (int owner = 1; owner <= 3; ++owner) {
        const int row = title + 1 + owner * grid;
        QCOMPARE(all.value(row).left(7), QByteArray("\\trowd "));
        QCOMPARE(all.value(row + 11),
                 "\\pard\\qc\\cf1\\f1\\fs18\\b0\\ulnone\\i0 " + QByteArray::number(owner) + " \\intbl \\cell\r");
        QVERIFY(all.value(row + 12).startsWith("\\pard\\ql\\cf1\\f1\\fs18\\b0\\ulnone\\i0 "));
        QCOMPARE(all.value(row + 17), QByteArray("\\pard\\qc\\cf1\\f1\\fs18\\b0\\ulnone\\i0 1800 \\intbl \\cell\r"));
        QCOMPARE(all.value(row + 18), QByteArray("\\pard\\qc\\cf1\\f1\\fs18\\b0\\ulnone\\i0 120 \\intbl \\cell\r"));
    }
    // The table ends with the last owner: no row without cells after it.
    QCOMPARE(all.value(title + 4 * grid), QByteArray("\\pard \\intbl \\row }\r"));
    QVERIFY(!all.contains("\r"));
}

void tst_Fisa::pictureIsFittedNotEnlarged_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("fitted");
    QTest::newRow("small stays") << QSize(300, 200) << QSize(300, 200);
    QTest::newRow("exact box") << QSize(600, 600) << QSize(600, 600);
    QTest::newRow("wide shrinks") << QSize(1200, 600) << QSize(600, 300);
    QTest::newRow("tall shrinks") << QSize(400, 800) << QSize(300, 600);
    QTest::newRow("square window sketch") << QSize(731, 731) << QSize(600, 600);
}

void tst_Fisa::pictureIsFittedNotEnlarged()
{
    QFETCH(QSize, size);
    QFETCH(QSize, fitted);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    Fisa sheet;
    sheet.setControlPicture(picture);
    QCOMPARE(sheet.pictureWidth(), fitted.width());
    QCOMPARE(sheet.pictureHeight(), fitted.height());
    // JPEG bytes, as the picture shape declares.
    QVERIFY(sheet.PictureData().startsWith("\xFF\xD8\xFF"));
    const QImage embedded = QImage::fromData(sheet.PictureData(), "JPG");
    QCOMPARE(embedded.size(), fitted);

    // And into the sheet as they are, 64 bytes a line.
    sheet.setLand(fixedLand(0, 1, 1, 1));
    const QByteArray rtf = sheet.composeSheet();
    const QList<QByteArray> all = lines(rtf);
    const int blip =
        all.indexOf(QByteArray("{\\sp{\\sn pib}{\\sv{\\pict\\picscalex130\\picscaley158\\piccropl0\\piccropr0"
                               "\\piccropt0\\piccropb0\\picw7488\\pich5609\\picwgoal4245\\pichgoal3180"
                               "\\jpegblip\r"));
    QVERIFY(blip > 0);
    QCOMPARE(all.value(blip + 1), sheet.PictureData().left(64).toHex().toUpper());

    // No picture: no data, and the shape is still there.
    sheet.setControlPicture(QImage());
    QVERIFY(sheet.PictureData().isEmpty());
    QCOMPARE(sheet.pictureWidth(), 0);
    QVERIFY(sheet.composeSheet().contains("\\jpegblip\r\r\n}}}\r\n"));
}

void tst_Fisa::dateFollowsLocale()
{
    const QDate date(2026, 3, 9);
    QCOMPARE(Fisa::shortDate(date, QLocale(QLocale::Romanian, QLocale::Romania)),
             QLocale(QLocale::Romanian, QLocale::Romania).toString(date, QLocale::ShortFormat));
    QVERIFY(Fisa::shortDate(date, QLocale(QLocale::Romanian, QLocale::Romania)).startsWith(QLatin1String("09.03.")));
    QVERIFY(Fisa::shortDate(date, QLocale(QLocale::English, QLocale::UnitedStates)).startsWith(QLatin1String("3/9/")));

    Fisa sheet;
    sheet.setSurveyorName(QStringLiteral("Pop"));
    sheet.setDateText(QStringLiteral("9 martie"));
    const QByteArray rtf = sheet.composeSheet();
    QVERIFY(lines(rtf).contains("\\pard\\ql\\cf1\\f1\\fs18\\b0\\ulnone\\i0 Intocmit: Pop \\intbl \\cell\r"));
    QVERIFY(lines(rtf).contains("\\pard\\ql\\cf1\\f1\\fs18\\b0\\ulnone\\i0 Data: 9 martie \\intbl \\cell\r"));
    // Without a date text, today's.
    sheet.setDateText(QString());
    QVERIFY(sheet.composeSheet().contains(("Data: " + Fisa::shortDate(QDate::currentDate())).toLatin1()));
}

void tst_Fisa::twoExportsGiveTwoSingleSheets()
{
    QTemporaryDir dir;
    Fisa sheet;
    sheet.setLand(fixedLand(0, 2, 2, 2));
    sheet.setFileName(dir.filePath(QStringLiteral("one.RTF")));
    QVERIFY(sheet.GenerateFile());
    sheet.setFileName(dir.filePath(QStringLiteral("two.RTF")));
    QVERIFY(sheet.GenerateFile());
    for (const char* name : {"one.RTF", "two.RTF"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray rtf = file.readAll();
        QCOMPARE(rtf.count("{\\rtf1"), 1);
        QCOMPARE(rtf.count("FISA CORPULUI DE PROPRIETATE"), 1);
        QCOMPARE(rtf.count("{\\fonttbl{\\f1\\froman\\fcharset238 Times New Roman;}}"), 1);
        QCOMPARE(rtf.count("{\\colortbl ;\\red0\\green0\\blue0;}"), 1);
        QCOMPARE(rtf.count("\\landscape"), 1);
        // The letter ă of "funciară" is the Windows-1250 byte E3.
        QVERIFY(rtf.contains("Nr. carte funciar\xE3:"));
    }
}

void tst_Fisa::failureWritesNothing()
{
    QTemporaryDir dir;
    Fisa sheet;
    sheet.setLand(fixedLand(0, 1, 1, 1));
    Error error;
    sheet.setFileName(dir.filePath(QStringLiteral("missing/folder/sheet.RTF")));
    QVERIFY(!sheet.GenerateFile(&error));
    QCOMPARE(error.number, 75);

    // A sheet over the composer's 32767 lines fails before anything is written, and an older
    // file of that name stays whole.
    const QString path = dir.filePath(QStringLiteral("old.RTF"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older sheet");
    }
    sheet.setLand(fixedLand(0, 1, 1, 1500));
    sheet.setFileName(path);
    error = {};
    QVERIFY(!sheet.GenerateFile(&error));
    QCOMPARE(error.number, 6);
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("older sheet"));
}

// The sketch fixture is drawn with text, which needs the GUI application.
QTEST_MAIN(tst_Fisa)
#include "tst_fisa.moc"
