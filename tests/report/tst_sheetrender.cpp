#include "report/Fisa.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Opens a property sheet in LibreOffice, the reader our Linux users have, and checks what it
// shows: the texts of the tables, and the sketch lying inside its frame, not hidden by it.
class tst_SheetRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sheetShowsTablesAndSketchInFrame();

private:
    static bool run(const QString& program, const QStringList& arguments, QByteArray* out = nullptr);
    static LandPtr land();

    QString m_soffice;
    QString m_pdftotext;
    QString m_pdftoppm;
};

bool tst_SheetRender::run(const QString& program, const QStringList& arguments, QByteArray* out)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(240000))
        return false;
    if (out)
        *out = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void tst_SheetRender::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    m_pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    m_pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
}

LandPtr tst_SheetRender::land()
{
    auto land = std::make_shared<Land>();
    auto address = std::make_shared<Address>();
    address->setIECode(1);
    address->setStreetType(QStringLiteral("Strada"));
    address->setStreetName(QStringLiteral("Mărășești"));
    address->setStreetNo(QStringLiteral("7B"));
    land->setAddress(address);
    auto parcels = std::make_shared<Parcels>();
    auto parcel = std::make_shared<Parcel>();
    parcel->setNo(1);
    parcel->setLandUse(QStringLiteral("CC"));
    parcel->setLandDestination(QStringLiteral("TDI"));
    parcel->setMeasuredArea(QStringLiteral("1404"));
    parcels->Add(parcel);
    parcels->setTotalMeasuredArea(QStringLiteral("1404"));
    parcels->setTotalLegalArea(QStringLiteral("1400"));
    land->setParcels(parcels);
    auto buildings = std::make_shared<Buildings>();
    auto build = std::make_shared<Build>();
    build->setNo(QStringLiteral("C1"));
    build->setDescription(QStringLiteral("Casă"));
    build->setMeasuredArea(QStringLiteral("120"));
    buildings->Add(build);
    buildings->setTotalMeasuredArea(QStringLiteral("120"));
    buildings->setTotalLegalArea(QStringLiteral("0"));
    land->setBuildings(buildings);
    auto owners = std::make_shared<Owners>();
    auto owner = std::make_shared<Owner>();
    owner->setLastName(QStringLiteral("Țurcanu"));
    owner->setFirstName(QStringLiteral("Ștefania"));
    owners->Add(owner);
    land->setOwners(owners);
    return land;
}

void tst_SheetRender::sheetShowsTablesAndSketchInFrame()
{
    if (m_soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    if (m_pdftotext.isEmpty() || m_pdftoppm.isEmpty())
        QSKIP("poppler-utils is not installed");

    // A sketch that is blue edge to edge, so that its extent on the page is the blue one.
    QImage sketch(700, 700, QImage::Format_RGB32);
    sketch.fill(QColor(0, 0, 255));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Fisa sheet;
    sheet.setLand(land());
    sheet.setSIRUTA(QStringLiteral("179132"));
    sheet.setSurveyorName(QStringLiteral("Ionescu Ion"));
    sheet.setDateText(QStringLiteral("07.12.2026"));
    sheet.setControlPicture(sketch);
    sheet.setFileName(dir.filePath(QStringLiteral("fisa.RTF")));
    Error error;
    QVERIFY2(sheet.GenerateFile(&error), qPrintable(error.text()));

    // A profile of its own: two runs sharing one fail.
    QVERIFY(run(m_soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
                            QStringLiteral("--outdir"), dir.path(), sheet.FileName()}));
    // LibreOffice exits 0 even when it could not load the file.
    const QString pdf = dir.filePath(QStringLiteral("fisa.pdf"));
    QVERIFY2(QFile::exists(pdf), "LibreOffice did not produce a PDF");

    QByteArray raw;
    QVERIFY(run(m_pdftotext, {pdf, QStringLiteral("-")}, &raw));
    const QString text = QString::fromUtf8(raw).simplified();
    for (const char* expected : {"FISA CORPULUI DE PROPRIETATE",
                                 "din Strada Mărășești nr.7B",
                                 "Cod SIRUTA:",
                                 "179132",
                                 "Nr. carte funciară:",
                                 "SCHITA CORPULUI DE PROPRIETATE",
                                 "A. DATE REFERITOARE LA TEREN",
                                 "Nr. parcela",
                                 "Categorie folosinta",
                                 "B. DATE REFERITOARE LA CONSTRUCTII",
                                 "Denumire",
                                 "C. DATE REFERITOARE LA PROPRIETAR",
                                 "Nr. crt.",
                                 "Mentiuni",
                                 "TOTAL",
                                 "1404",
                                 "TDI",
                                 "Casă",
                                 "Țurcanu Ștefania",
                                 "Intocmit: Ionescu Ion",
                                 "Data: 07.12.2026",
                                 "Verificat: ..........."})
        QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    QCOMPARE(text.count(QStringLiteral("FISA CORPULUI DE PROPRIETATE")), 1);

    const int dpi = 100;
    QVERIFY(run(m_pdftoppm,
                {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                 QStringLiteral("-f"), QStringLiteral("1"), pdf, dir.filePath(QStringLiteral("page"))}));
    const QImage page = QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    QVERIFY2(page.width() > page.height(), "the page is not landscape");
    if (!qEnvironmentVariableIsEmpty("LOTMARK_KEEP_RENDER")) {
        page.save(qEnvironmentVariable("LOTMARK_KEEP_RENDER"));
        QFile::copy(sheet.FileName(), qEnvironmentVariable("LOTMARK_KEEP_RENDER") + QStringLiteral(".rtf"));
    }

    // The frame: the only long dark lines in the left part of the page (the tables with borders
    // start right of it, and the owners' table is wider than half the page).
    const auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 110; };
    const double pxPerMm = dpi / 25.4;
    const int leftPart = int(page.width() * 0.45);
    QRect frame;
    for (int x = 0; x < leftPart; ++x) {
        int run = 0, best = 0, end = 0;
        for (int y = 0; y < page.height(); ++y) {
            run = dark(x, y) ? run + 1 : 0;
            if (run > best) {
                best = run;
                end = y;
            }
        }
        if (best > 80 * pxPerMm) {
            const QRect side(x, end - best + 1, 1, best);
            frame = frame.isNull() ? side : frame.united(side);
        }
    }
    QVERIFY2(!frame.isNull() && frame.width() > 90 * pxPerMm, "no frame found");
    QVERIFY2(std::abs(frame.height() - 91.44 * pxPerMm) < 3, qPrintable(QString::number(frame.height())));

    QRect blue;
    int bluePixels = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            if (qBlue(pixel) > 180 && qRed(pixel) < 90 && qGreen(pixel) < 90) {
                ++bluePixels;
                blue = blue.united(QRect(x, y, 1, 1));
            }
        }
    // 275 x 252 points, nothing of it covered.
    const double expectedArea = (275 / 72.0 * dpi) * (252 / 72.0 * dpi);
    QVERIFY2(bluePixels > 0.9 * expectedArea, qPrintable(QStringLiteral("%1 blue pixels").arg(bluePixels)));
    QVERIFY2(frame.adjusted(-1, -1, 1, 1).contains(blue),
             qPrintable(QStringLiteral("sketch (%1,%2 %3x%4) outside the frame (%5,%6 %7x%8)")
                            .arg(blue.x())
                            .arg(blue.y())
                            .arg(blue.width())
                            .arg(blue.height())
                            .arg(frame.x())
                            .arg(frame.y())
                            .arg(frame.width())
                            .arg(frame.height())));
}

QTEST_GUILESS_MAIN(tst_SheetRender)
#include "tst_sheetrender.moc"
