#include "SketchSamples.h"
#include "cli/SketchCommand.h"
#include "format/CPFile.h"
#include "sketch/SketchRenderer.h"
#include "support/DocumentFactory.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using SketchSamples::polygon;

class tst_SketchRenderer : public QObject
{
    Q_OBJECT

private slots:
    void contoursAndMarkersWhereTheTransformPutsThem();
    void buildingOutsideTheSquareIsCutOff();
    void sheetPictureKeepsEveryLabel_data();
    void sheetPictureKeepsEveryLabel();
    void refusesWithoutLand();
    void degenerateContoursDrawWithoutFailing();
    void canvasSizeIsBounded_data();
    void canvasSizeIsBounded();
    void documentPolygonsInSketchOrder();

    void command_data();
    void command();
    void commandRefusesWhatItCannotDraw();
};

namespace {

// True when some pixel within `reach` of `at` satisfies `test`.
template <typename Test> bool near(const QImage& image, QPointF at, int reach, Test test)
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(int(at.x()) + dx, int(at.y()) + dy);
            if (image.rect().contains(p) && test(image.pixelColor(p)))
                return true;
        }
    }
    return false;
}

bool isColour(const QColor& colour, const QColor& expected)
{
    return std::abs(colour.red() - expected.red()) < 40 && std::abs(colour.green() - expected.green()) < 40 &&
           std::abs(colour.blue() - expected.blue()) < 40;
}

int count(const QImage& image, const QColor& expected)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += isColour(image.pixelColor(x, y), expected) ? 1 : 0;
    return n;
}

} // namespace

void tst_SketchRenderer::contoursAndMarkersWhereTheTransformPutsThem()
{
    const PolygonPtr building = polygon(QStringLiteral("C1"), {{"11", 2, 2}, {"12", 6, 2}, {"13", 6, 5}});
    const PolygonsPtr polygons = SketchSamples::collection({SketchSamples::square(), building});
    Error error;
    const QImage image = SketchRenderer::renderSketchImage(*polygons, 240, &error);
    QCOMPARE(image.size(), QSize(240, 240));

    const SketchView::CanvasMapping mapping(SketchView::ComputeSketchScale(*polygons), QSizeF(240, 240));
    auto black = [](const QColor& c) { return isColour(c, SketchRenderer::landColour()); };
    auto green = [](const QColor& c) { return isColour(c, SketchRenderer::buildingColour()); };
    auto magenta = [](const QColor& c) { return c.red() > 180 && c.blue() > 180 && c.green() < 150; };
    QVERIFY(near(image, mapping.toPixel(5, 0), 1, black));
    QVERIFY(near(image, mapping.toPixel(0, 6), 1, black));
    QVERIFY(near(image, mapping.toPixel(4, 2), 1, green));
    // The marker ring of point 1 (3 px) left of the point, where no line or text runs.
    QVERIFY(near(image, mapping.toPixel(0, 0) - QPointF(3, 0), 1, magenta));
    // The margin stays blank.
    QCOMPARE(image.pixelColor(2, 2), SketchRenderer::backgroundColour());
    QCOMPARE(image.pixelColor(237, 237), SketchRenderer::backgroundColour());
}

void tst_SketchRenderer::buildingOutsideTheSquareIsCutOff()
{
    const PolygonPtr far = polygon(QStringLiteral("C2"), {{"21", 100, 100}, {"22", 110, 100}, {"23", 110, 110}});
    const QImage image =
        SketchRenderer::renderSketchImage(*SketchSamples::collection({SketchSamples::square(), far}), 200);
    QVERIFY(!image.isNull());
    QCOMPARE(count(image, SketchRenderer::buildingColour()), 0);
    QVERIFY(count(image, SketchRenderer::landColour()) > 100);
}

void tst_SketchRenderer::sheetPictureKeepsEveryLabel_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("side");

    // Labels print right of and below their vertex: with the W/9 margin alone those of the
    // bottom (tall strip) or right (flat strip) vertices ran off the picture.
    QTest::newRow("tall strip, sheet picture") << 26.0 << 204.0 << 600;
    QTest::newRow("tall strip, small picture") << 5.0 << 120.0 << 200;
    QTest::newRow("flat strip, small picture") << 300.0 << 3.0 << 120;
}

void tst_SketchRenderer::sheetPictureKeepsEveryLabel()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(int, side);
    const PolygonPtr land = polygon(QStringLiteral("TEREN"),
                                    {{"1001", 0, 0}, {"1002", width, 0}, {"1003", width, height}, {"1004", 0, height}});
    const QImage image = SketchRenderer::renderSketchImage(*SketchSamples::collection({land}), side);
    QVERIFY(!image.isNull());
    // Nothing drawn touches the picture's border: the label ink ends inside it.
    const QRgb white = SketchRenderer::backgroundColour().rgb();
    for (int i = 0; i < side; ++i) {
        for (const QPoint edge : {QPoint(i, 0), QPoint(i, side - 1), QPoint(0, i), QPoint(side - 1, i)})
            QVERIFY2(image.pixel(edge) == white,
                     qPrintable(QStringLiteral("ink at %1,%2").arg(edge.x()).arg(edge.y())));
    }
}

void tst_SketchRenderer::refusesWithoutLand()
{
    Error error;
    const QImage image =
        SketchRenderer::renderSketchImage(*SketchSamples::collection({SketchSamples::square("C1")}), 200, &error);
    QVERIFY(image.isNull());
    QCOMPARE(error.number, ErrorNumber::InvalidArgument);
    QVERIFY(SketchRenderer::renderSketchImage(Polygons(), 200).isNull());
}

void tst_SketchRenderer::degenerateContoursDrawWithoutFailing()
{
    const PolygonsPtr polygons = SketchSamples::collection({
        polygon(QStringLiteral("TEREN"), {{"1", 5, 5}}),
        polygon(QStringLiteral("C1"), {}),
        polygon(QStringLiteral("C2"), {{"2", 5, 5}, {"3", 5, 5}, {"4", 5, 5}}),
    });
    QVERIFY(!SketchRenderer::renderSketchImage(*polygons, 100).isNull());
    const PolygonsPtr line =
        SketchSamples::collection({polygon(QStringLiteral("TEREN"), {{"1", 0, 0}, {"2", 10, 10}, {"3", 20, 20}})});
    const QImage image = SketchRenderer::renderSketchImage(*line, 100);
    QVERIFY(count(image, SketchRenderer::landColour()) > 50);
}

void tst_SketchRenderer::canvasSizeIsBounded_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("made");
    QTest::newRow("ordinary") << QSize(800, 800) << 1.0 << true;
    QTest::newRow("at the bound") << QSize(SketchRenderer::MaxCanvasSide, 10) << 1.0 << true;
    QTest::newRow("past the bound") << QSize(SketchRenderer::MaxCanvasSide + 1, 10) << 1.0 << false;
    QTest::newRow("past it in device pixels") << QSize(5000, 5000) << 2.0 << false;
    QTest::newRow("empty") << QSize(0, 10) << 1.0 << false;
}

void tst_SketchRenderer::canvasSizeIsBounded()
{
    QFETCH(QSize, size);
    QFETCH(double, ratio);
    QFETCH(bool, made);
    const QImage image = SketchRenderer::createCanvasImage(size, ratio);
    QCOMPARE(!image.isNull(), made);
    if (made)
        QCOMPARE(image.deviceIndependentSize().toSize(), size);
}

void tst_SketchRenderer::documentPolygonsInSketchOrder()
{
    const DocumentPtr document = DocumentFactory::sample(6);
    const Polygons polygons = SketchRenderer::documentPolygons(*document->Land());
    QCOMPARE(polygons.Count(), 1 + document->Land()->Buildings()->Count());
    QCOMPARE(polygons.Item(1), document->Land()->Geometry());
    QCOMPARE(polygons.Item(2), document->Land()->Buildings()->Item(1)->Geometry());
}

void tst_SketchRenderer::command_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("side");
    QTest::newRow("default size") << QStringList{} << int(CliCommand::Done) << 600;
    QTest::newRow("--size 256") << QStringList{QStringLiteral("--size"), QStringLiteral("256")} << int(CliCommand::Done)
                                << 256;
    QTest::newRow("--size 0") << QStringList{QStringLiteral("--size"), QStringLiteral("0")} << int(CliCommand::Usage)
                              << 0;
    QTest::newRow("--size too large") << QStringList{QStringLiteral("--size"), QStringLiteral("100000")}
                                      << int(CliCommand::Usage) << 0;
    QTest::newRow("--size not a number") << QStringList{QStringLiteral("--size"), QStringLiteral("big")}
                                         << int(CliCommand::Usage) << 0;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour")} << int(CliCommand::Usage) << 0;
}

void tst_SketchRenderer::command()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(int, side);

    QTemporaryDir dir;
    CPFile file(QStringLiteral("."));
    file.setCPFileName(dir.filePath(QStringLiteral("sample.CP")));
    file.setDocument(DocumentFactory::sample(12));
    QVERIFY(file.SaveCPFile());

    const QString png = dir.filePath(QStringLiteral("sketch.png"));
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    SketchCommand command;
    const int code = command.run(QStringList{file.CPFileName(), QStringLiteral("-o"), png} + options, out, err);
    QCOMPARE(code, exitCode);
    QImage image(png);
    QCOMPARE(image.isNull(), side == 0);
    if (side) {
        QCOMPARE(image.size(), QSize(side, side));
        QVERIFY(count(image, SketchRenderer::landColour()) > 0);
    } else {
        QVERIFY(!errText.isEmpty());
    }
}

void tst_SketchRenderer::commandRefusesWhatItCannotDraw()
{
    QTemporaryDir dir;
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    SketchCommand command;
    const QString png = dir.filePath(QStringLiteral("sketch.png"));

    QCOMPARE(command.run({dir.filePath(QStringLiteral("missing.CP")), QStringLiteral("-o"), png}, out, err),
             int(CliCommand::Refused));
    QCOMPARE(command.run({dir.filePath(QStringLiteral("missing.CP"))}, out, err), int(CliCommand::Usage));

    // A document without a land contour: refused, and no picture is left behind.
    const DocumentPtr document = DocumentFactory::sample(5);
    document->Land()->setGeometry(nullptr);
    CPFile file(QStringLiteral("."));
    file.setCPFileName(dir.filePath(QStringLiteral("noland.CP")));
    file.setDocument(document);
    QVERIFY(file.SaveCPFile());
    errText.clear();
    QCOMPARE(command.run({file.CPFileName(), QStringLiteral("-o"), png}, out, err), int(CliCommand::Refused));
    QVERIFY(errText.contains(QStringLiteral("noland.CP")));
    QVERIFY(!QFile::exists(png));

    // An output folder that does not exist.
    file.setCPFileName(dir.filePath(QStringLiteral("land.CP")));
    file.setDocument(DocumentFactory::sample(5));
    QVERIFY(file.SaveCPFile());
    QCOMPARE(
        command.run({file.CPFileName(), QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/x.png"))}, out, err),
        int(CliCommand::Refused));
}

// The renderer needs fonts, hence a GUI application (offscreen in the test run).
QTEST_MAIN(tst_SketchRenderer)
#include "tst_sketchrenderer.moc"
