#include "plan/PlanScale.h"
#include "plan/SitePlan.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

using DocumentFactory::polygonOf;

// The site plan: which scale and orientation it takes, what it refuses, what a document without
// a land contour gives, and, read back from the PDF, that the drawing is at its true scale and
// that the inventory prints the document's coordinates.
class tst_SitePlan : public QObject
{
    Q_OBJECT

private slots:
    void scaleChoice_data();
    void scaleChoice();
    void documentWithoutLandContour();
    void longInventoryGoesToLaterPages();
    void refusedOrFailedWriteKeepsOldFile_data();
    void refusedOrFailedWriteKeepsOldFile();
    void gridTicksAreTrueScale_data();
    void gridTicksAreTrueScale();
    void inventoryRowsEqualTheCoordinates();
    void laterInventoryPagesKeepEveryRowInOrder();

private:
    static DocumentPtr rectangleLot(double width, double height);
    static QString pdfText(const QString& pdf, const QStringList& options);
};

DocumentPtr tst_SitePlan::rectangleLot(double width, double height)
{
    const DocumentPtr document = DocumentFactory::sample(4);
    const double x = 388200.0, y = 546500.0;
    document->Land()->setGeometry(
        polygonOf({{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, QStringLiteral("TEREN")));
    // Buildings inside the lot, so that they do not widen the extent.
    int i = 0;
    for (const BuildPtr& build : *document->Land()->Buildings()) {
        const double bx = x + 2 + 4 * i++;
        build->setGeometry(polygonOf({{bx, y + 2}, {bx + 3, y + 2}, {bx + 3, y + 5}, {bx, y + 5}}, build->No()));
    }
    return document;
}

QString tst_SitePlan::pdfText(const QString& pdf, const QStringList& options)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void tst_SitePlan::scaleChoice_data()
{
    QTest::addColumn<QSizeF>("lot");
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<int>("orientation"); // -1 free, else QPageLayout::Orientation
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("expectedOrientation");
    QTest::addColumn<QString>("refusal");
    const int free = -1, portrait = QPageLayout::Portrait, landscape = QPageLayout::Landscape;
    // Catches a default that is not the largest scale that fits (1:200 would not fit, 1:500 is smaller).
    QTest::newRow("tall lot: largest fitting")
        << QSizeF(20, 25) << QPageSize::A4 << free << 0 << 250 << portrait << QString();
    // Catches an orientation that never turns for a wide lot.
    QTest::newRow("wide lot turns the page")
        << QSizeF(55, 12) << QPageSize::A4 << free << 0 << 250 << landscape << QString();
    QTest::newRow("smaller scale on request")
        << QSizeF(20, 25) << QPageSize::A4 << free << 1000 << 1000 << portrait << QString();
    // Catches a drawing that would run off the paper instead of a refusal naming what fits.
    QTest::newRow("too large a scale refused")
        << QSizeF(20, 25) << QPageSize::A4 << free << 100 << 0 << portrait
        << QStringLiteral("Desenul nu incape pe A4 la scara 1:100. Cea mai mare scara la care incape este 1:250.");
    QTest::newRow("A3 holds a larger scale")
        << QSizeF(20, 25) << QPageSize::A3 << free << 0 << 200 << portrait << QString();
    QTest::newRow("orientation forced") << QSizeF(20, 25) << QPageSize::A4 << landscape << 0 << 500 << landscape
                                        << QString();
    QTest::newRow("too large for any scale")
        << QSizeF(2000, 2000) << QPageSize::A4 << free << 0 << 0 << portrait
        << QStringLiteral("Desenul nu incape pe A4 la nicio scara standard (1:100, 1:200, 1:250, 1:500, 1:1000, "
                          "1:2000, 1:5000).");
    QTest::newRow("scale that is not standard")
        << QSizeF(20, 25) << QPageSize::A4 << free << 300 << 0 << portrait
        << QStringLiteral("Scara 1:300 nu este o scara standard (1:100, 1:200, 1:250, 1:500, 1:1000, 1:2000, 1:5000).");
}

void tst_SitePlan::scaleChoice()
{
    QFETCH(QSizeF, lot);
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(int, orientation);
    QFETCH(int, asked);
    QFETCH(int, scale);
    QFETCH(int, expectedOrientation);
    QFETCH(QString, refusal);
    PlanOptions options;
    options.paper = paper;
    options.scale = asked;
    if (orientation >= 0)
        options.orientation = QPageLayout::Orientation(orientation);
    const DocumentPtr document = rectangleLot(lot.width(), lot.height());
    SitePlan plan(*document, options);
    Error error;
    const bool prepared = plan.prepare(&error);
    QCOMPARE(prepared, refusal.isEmpty());
    if (!prepared) {
        QCOMPARE(error.description, refusal);
        return;
    }
    QCOMPARE(plan.scale(), scale);
    QCOMPARE(int(plan.pageLayout().orientation()), expectedOrientation);
    // The lot and its margin lie inside the frame at that scale.
    const QRectF world = plan.worldRect();
    const QRectF frame = plan.frameRect();
    QVERIFY(qAbs(world.width() * 1000.0 / scale - frame.width()) < 1e-6);
    QVERIFY(qAbs(world.height() * 1000.0 / scale - frame.height()) < 1e-6);
    QVERIFY(world.contains(QRectF(388200.0, 546500.0, lot.width(), lot.height())));
}

void tst_SitePlan::documentWithoutLandContour()
{
    const DocumentPtr document = DocumentFactory::sample(4);
    document->Land()->setGeometry(nullptr);
    SitePlan plan(*document, PlanOptions());
    Error error;
    QVERIFY(plan.prepare(&error));
    QVERIFY(!plan.hasDrawing());
    QCOMPARE(plan.scale(), 0);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("fara-teren.pdf"));
    QVERIFY2(plan.writePdf(pdf, &error), qPrintable(error.text()));
    QVERIFY(QFile(pdf).size() > 1000);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString text = pdfText(pdf, {QStringLiteral("-raw")});
    QVERIFY2(text.contains(QStringLiteral("planul nu conține desenul")), qPrintable(text));
    // The buildings' contours are still inventoried.
    QVERIFY(text.contains(QStringLiteral("Construcția C1")));
}

void tst_SitePlan::longInventoryGoesToLaterPages()
{
    // Catches an inventory painted past the page's bottom instead of flowing on.
    const DocumentPtr small = DocumentFactory::sample(5);
    SitePlan one(*small, PlanOptions());
    QVERIFY(one.prepare(nullptr));
    QCOMPARE(one.pageCount(), 1);
    const DocumentPtr document = DocumentFactory::sample(2000);
    SitePlan plan(*document, PlanOptions());
    QVERIFY(plan.prepare(nullptr));
    QVERIFY(plan.pageCount() >= 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lung.pdf"));
    QVERIFY(plan.writePdf(pdf, nullptr));
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("pdfinfo (poppler-utils) is not installed");
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(60000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(plan.pageCount()))));
}

void tst_SitePlan::refusedOrFailedWriteKeepsOldFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("outputIsFolder");
    QTest::addColumn<int>("code");
    QTest::newRow("scale refused") << QStringList{QStringLiteral("--scale"), QStringLiteral("100")} << false << 1;
    QTest::newRow("output is a folder") << QStringList{} << true << 1;
    QTest::newRow("unknown paper") << QStringList{QStringLiteral("--paper"), QStringLiteral("A5")} << false << 2;
    QTest::newRow("scale not a number") << QStringList{QStringLiteral("--scale"), QStringLiteral("x")} << false << 2;
}

void tst_SitePlan::refusedOrFailedWriteKeepsOldFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, outputIsFolder);
    QFETCH(int, code);
    QTemporaryDir dir;
    const QString input = TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP"));
    QString output = dir.filePath(QStringLiteral("plan.pdf"));
    if (outputIsFolder) {
        QDir(dir.path()).mkdir(QStringLiteral("plan.pdf"));
    } else {
        QFile old(output);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old plan");
    }
    const CliResult result =
        runCliCaptured(QStringList{QStringLiteral("plan"), input, QStringLiteral("-o"), output} + arguments);
    QCOMPARE(result.code, code);
    QVERIFY(!result.err.isEmpty());
    if (!outputIsFolder) {
        QFile old(output);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old plan"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), outputIsFolder ? 0 : 1);
}

void tst_SitePlan::gridTicksAreTrueScale_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("paper");
    // 10 m at 1:500 is 20 mm; the other rows catch a scale applied through the wrong factor.
    QTest::newRow("1:500 A4") << 500 << QStringLiteral("A4");
    QTest::newRow("1:2000 A4") << 2000 << QStringLiteral("A4");
    QTest::newRow("1:1000 A3") << 1000 << QStringLiteral("A3");
}

void tst_SitePlan::gridTicksAreTrueScale()
{
    QFETCH(int, scale);
    QFETCH(QString, paper);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    const CliResult result =
        runCliCaptured({QStringLiteral("plan"), TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")),
                        QStringLiteral("-o"), pdf, QStringLiteral("--scale"), QString::number(scale),
                        QStringLiteral("--paper"), paper});
    QVERIFY2(result.code == 0, qPrintable(result.err));
    const QString html = pdfText(pdf, {QStringLiteral("-bbox")});
    // The labels of the Est ticks under the frame: whole multiples of the grid step.
    const double step = PlanScale::gridStep(scale);
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">(\\d{6})</word>"));
    std::vector<std::pair<double, double>> ticks; // (value, centre in mm)
    double labelRow = -1;
    for (auto match = word.globalMatch(html); match.hasNext();) {
        const auto m = match.next();
        const double value = m.captured(4).toDouble();
        if (value < 388000 || value > 389000 || std::fmod(value, step) != 0)
            continue;
        const double yMin = m.captured(2).toDouble();
        if (labelRow < 0)
            labelRow = yMin;
        if (qAbs(yMin - labelRow) > 0.5)
            continue;
        ticks.push_back({value, (m.captured(1).toDouble() + m.captured(3).toDouble()) / 2 * 25.4 / 72});
    }
    QVERIFY2(ticks.size() >= 2, qPrintable(html.left(2000)));
    std::sort(ticks.begin(), ticks.end());
    for (std::size_t i = 1; i < ticks.size(); ++i) {
        const double metres = ticks[i].first - ticks[i - 1].first;
        const double expectedMm = metres * 1000.0 / scale;
        QVERIFY2(qAbs(ticks[i].second - ticks[i - 1].second - expectedMm) <= 0.2,
                 qPrintable(QStringLiteral("%1 m apart printed %2 mm apart, expected %3 mm")
                                .arg(metres)
                                .arg(ticks[i].second - ticks[i - 1].second)
                                .arg(expectedMm)));
    }
}

void tst_SitePlan::inventoryRowsEqualTheCoordinates()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const DocumentPtr document = DocumentFactory::sample(7);
    PlanOptions options;
    options.cadastralNo = QStringLiteral("54321");
    options.landBookNo = QStringLiteral("98765");
    options.surveyorName = document->SurveyorName();
    SitePlan plan(*document, options);
    QVERIFY(plan.prepare(nullptr));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
    QVERIFY(plan.writePdf(pdf, nullptr));
    const QString text = pdfText(pdf, {QStringLiteral("-layout")});

    // Every row of the document's contours, as printed: number, X, Y and the side after it.
    QStringList printed;
    const QRegularExpression row(
        QStringLiteral("(\\S+)\\s+(\\d+\\.\\d{3})\\s+(\\d+\\.\\d{3})\\s+(\\d+\\.\\d{2})(?!\\d)"));
    for (auto match = row.globalMatch(text); match.hasNext();) {
        const auto m = match.next();
        printed << m.captured(1) + QLatin1Char(' ') + m.captured(2) + QLatin1Char(' ') + m.captured(3) +
                       QLatin1Char(' ') + m.captured(4);
    }
    QStringList expected;
    for (const PolygonPtr& polygon : {document->Land()->Geometry(), document->Land()->Buildings()->Item(1)->Geometry(),
                                      document->Land()->Buildings()->Item(2)->Geometry()}) {
        const Points& points = *polygon->Points();
        for (int i = 1; i <= points.Count(); ++i) {
            const Point& point = *points.Item(i);
            const Point& next = *points.Item(i == points.Count() ? 1 : i + 1);
            expected << point.No() + QLatin1Char(' ') + QString::number(point.X(), 'f', 3) + QLatin1Char(' ') +
                            QString::number(point.Y(), 'f', 3) + QLatin1Char(' ') +
                            QString::number(std::hypot(next.X() - point.X(), next.Y() - point.Y()), 'f', 2);
        }
    }
    printed.sort();
    expected.sort();
    QCOMPARE(printed, expected);
    // The texts a surveyor looks for, with their diacritics.
    for (const QString& needle :
         {QStringLiteral("Plan de amplasament si delimitare a imobilului"), QStringLiteral("Nr. cadastral: 54321"),
          QStringLiteral("Nr. carte funciară: 98765"), QStringLiteral("Ștefan cel Mare"),
          QStringLiteral("Suprafata totala masurata"), QStringLiteral("Suprafata din act: 749 mp"),
          QStringLiteral("Ionescu Țăran"), QStringLiteral("Semnătura și ștampila")})
        QVERIFY2(text.contains(needle), qPrintable(needle));
}

void tst_SitePlan::laterInventoryPagesKeepEveryRowInOrder()
{
    // The inventory's points go out a column at a time, apart from the headings and summaries
    // between them. Catches a row lost or repeated where a column or a page ends, a heading or
    // a summary out of place among its rows, and a point number with a character the plan's
    // font lacks (drawn on its own, with a fallback font) missing or out of order. pdftotext's
    // raw mode keeps the order in which the page draws its texts.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const DocumentPtr document = DocumentFactory::large(3000, 60, 1, 1);
    document->Land()->setGeometry(DocumentFactory::polygon(QStringLiteral("TEREN"), 2520, 1, 500030.0, 400000.0, 40.0));
    document->Land()->Geometry()->Points()->Item(7)->setNo(QStringLiteral("7\u2605"));
    SitePlan plan(*document, PlanOptions());
    QVERIFY(plan.prepare(nullptr));
    QVERIFY(plan.pageCount() >= 5);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("lung.pdf"));
    QVERIFY(plan.writePdf(pdf, nullptr));

    QStringList expected;
    for (const InventoryContour& contour : plan.inventory().contours()) {
        expected << (contour.name == QLatin1String("TEREN") ? QStringLiteral("Teren (TEREN)")
                                                            : QStringLiteral("Construcția ") + contour.name);
        for (const InventoryPoint& point : contour.points)
            expected << point.no + QLatin1Char(' ') + CoordinateInventory::coordinateText(point.x) + QLatin1Char(' ') +
                            CoordinateInventory::coordinateText(point.y) + QLatin1Char(' ') +
                            CoordinateInventory::lengthText(point.side);
        expected << QStringLiteral("S = ") + CoordinateInventory::lengthText(contour.area) +
                        QStringLiteral(" mp P = ") + CoordinateInventory::lengthText(contour.perimeter) +
                        QStringLiteral(" m");
    }
    const QRegularExpression line(
        QStringLiteral(
            "^(Teren \\(TEREN\\)|Construcția \\S+|S = .+ m|\\S+ \\d+\\.\\d{3} \\d+\\.\\d{3} \\d+\\.\\d{2})$"),
        QRegularExpression::MultilineOption);
    QStringList printed;
    for (auto match = line.globalMatch(pdfText(pdf, {QStringLiteral("-raw")})); match.hasNext();)
        printed << match.next().captured(1);
    QCOMPARE(printed.size(), expected.size());
    QCOMPARE(printed, expected);
}

QTEST_MAIN(tst_SitePlan)
#include "tst_siteplan.moc"
