#include "dxf/DxfPolylineReader.h"
#include "format/CPFile.h"
#include "plan/DxfExport.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The DXF drawing of a document: it reads back through the program's own import into the same
// contours, and a second reader (ezdxf) finds the layers and entities a CAD user expects.
class tst_DxfExport : public QObject
{
    Q_OBJECT

private slots:
    void readsBackIntoTheSameContours_data();
    void readsBackIntoTheSameContours();
    void importCommandRebuildsTheDocument();
    void secondReaderSeesLayersAndEntities();
    void failedWriteKeepsOldFile();

private:
    static DocumentPtr document(const QString& kind);
};

DocumentPtr tst_DxfExport::document(const QString& kind)
{
    if (kind == QLatin1String("sample"))
        return DocumentFactory::sample(6);
    if (kind == QLatin1String("odd coordinates")) {
        // Values whose shortest text has many digits, and a negative one.
        const DocumentPtr doc = DocumentFactory::sample(4);
        doc->Land()->setGeometry(DocumentFactory::polygonOf(
            {{0.1 + 0.2, -7.000001}, {123456.789012, 1e-7}, {99999.999, 0.3}, {5, 5}}, QStringLiteral("TEREN")));
        return doc;
    }
    const DocumentPtr doc = DocumentFactory::sample(5);
    doc->Land()->Buildings()->Item(1)->setGeometry(nullptr);
    return doc;
}

void tst_DxfExport::readsBackIntoTheSameContours_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("land and two buildings") << QStringLiteral("sample");
    // Catches coordinates rounded by the writer ("%.3f", float) or written with an exponent.
    QTest::newRow("coordinates needing every digit") << QStringLiteral("odd coordinates");
    // Catches an empty POLYLINE written for a building without a contour.
    QTest::newRow("building without contour") << QStringLiteral("one building bare");
}

void tst_DxfExport::readsBackIntoTheSameContours()
{
    QFETCH(QString, kind);
    const DocumentPtr doc = document(kind);
    QBuffer buffer;
    buffer.setData(DxfExport::compose(*doc->Land()));
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    DxfPolylines store;
    DxfPolylineReader reader;
    const DxfReadResult result = reader.read(buffer, store);
    QCOMPARE(result.status, DxfReadResult::Published);
    store.clean();

    std::vector<PolygonPtr> expected{doc->Land()->Geometry()};
    for (const BuildPtr& build : *doc->Land()->Buildings()) {
        if (build->Geometry())
            expected.push_back(build->Geometry());
    }
    QCOMPARE(store.count(), int(expected.size()));
    for (int p = 1; p <= store.count(); ++p) {
        const Polygon& polygon = *expected[std::size_t(p - 1)];
        QCOMPARE(store.layerName(p), p == 1 ? QStringLiteral("TEREN") : QStringLiteral("CLADIRI"));
        QCOMPARE(store.pointCount(p), polygon.Points()->Count());
        for (int i = 0; i < store.pointCount(p); ++i) {
            const Point& point = *polygon.Points()->Item(i + 1);
            QCOMPARE(store.x(store.begin(p) + std::uint32_t(i)), point.X());
            QCOMPARE(store.y(store.begin(p) + std::uint32_t(i)), point.Y());
        }
    }
}

void tst_DxfExport::importCommandRebuildsTheDocument()
{
    QTemporaryDir dir;
    const QString input = TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP"));
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    const QString rebuilt = dir.filePath(QStringLiteral("rebuilt.CP"));
    CliResult result = runCliCaptured({QStringLiteral("export-dxf"), input, QStringLiteral("-o"), dxf});
    QVERIFY2(result.code == 0, qPrintable(result.err));
    result = runCliCaptured({QStringLiteral("import-dxf"), dxf, QStringLiteral("--land"), QStringLiteral("1"),
                             QStringLiteral("--building"), QStringLiteral("2=1"), QStringLiteral("--building"),
                             QStringLiteral("3=2"), QStringLiteral("--cp"), input, QStringLiteral("-o"), rebuilt});
    QVERIFY2(result.code == 0, qPrintable(result.err));
    const auto contours = [](const QString& path) {
        CPFile file(QStringLiteral("."));
        file.setCPFileName(path);
        file.LoadCPFile();
        QStringList out;
        const Land& land = *file.Document()->Land();
        std::vector<PolygonPtr> polygons{land.Geometry()};
        for (const BuildPtr& build : *land.Buildings())
            polygons.push_back(build->Geometry());
        for (const PolygonPtr& polygon : polygons) {
            QString line = polygon ? polygon->Name() + QLatin1Char(':') : QStringLiteral("none");
            if (polygon) {
                for (const PointPtr& point : *polygon->Points())
                    line += QStringLiteral(" %1,%2").arg(point->X(), 0, 'f', 6).arg(point->Y(), 0, 'f', 6);
            }
            out << line;
        }
        return out;
    };
    QCOMPARE(contours(rebuilt), contours(input));
}

void tst_DxfExport::secondReaderSeesLayersAndEntities()
{
    // The system's Python holds the Debian package; another python3 may come first on PATH.
    QString python;
    for (const QString& candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
        QProcess probe;
        probe.start(candidate, {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
        if (probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0) {
            python = candidate;
            break;
        }
    }
    if (python.isEmpty())
        QSKIP("python3-ezdxf is not installed");
    const DocumentPtr doc = DocumentFactory::sample(6);
    QTemporaryDir dir;
    const QString dxf = dir.filePath(QStringLiteral("plan.dxf"));
    Error error;
    QVERIFY(DxfExport::write(*doc->Land(), dxf, &error));
    const QString script = QStringLiteral(R"(
import ezdxf, json, sys
from ezdxf import recover
doc, auditor = recover.readfile(sys.argv[1])
msp = doc.modelspace()
out = {"version": doc.dxfversion, "errors": len(auditor.errors), "layers": sorted(l.dxf.name for l in doc.layers),
       "counts": {}, "polylines": [], "texts": {}}
for e in msp:
    key = e.dxftype() + "@" + e.dxf.layer
    out["counts"][key] = out["counts"].get(key, 0) + 1
    if e.dxftype() == "POLYLINE":
        out["polylines"].append({"layer": e.dxf.layer, "closed": e.is_closed,
                                 "points": [[v.dxf.location.x, v.dxf.location.y] for v in e.vertices]})
    if e.dxftype() == "TEXT":
        out["texts"].setdefault(e.dxf.layer, []).append(e.dxf.text)
print(json.dumps(out))
)");
    QProcess reader;
    reader.start(python, {QStringLiteral("-c"), script, dxf});
    QVERIFY(reader.waitForFinished(60000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    const QJsonObject out = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    QCOMPARE(out.value(QStringLiteral("version")).toString(), QStringLiteral("AC1009"));
    QCOMPARE(out.value(QStringLiteral("errors")).toInt(), 0);
    for (const char* layer : {"TEREN", "CLADIRI", "PUNCTE", "COTE"})
        QVERIFY2(out.value(QStringLiteral("layers")).toArray().contains(QString::fromLatin1(layer)), layer);
    const int points = 6 + 4 + 5;
    const QJsonObject counts = out.value(QStringLiteral("counts")).toObject();
    QCOMPARE(counts.value(QStringLiteral("POLYLINE@TEREN")).toInt(), 1);
    QCOMPARE(counts.value(QStringLiteral("POLYLINE@CLADIRI")).toInt(), 2);
    QCOMPARE(counts.value(QStringLiteral("POINT@PUNCTE")).toInt(), points);
    QCOMPARE(counts.value(QStringLiteral("TEXT@PUNCTE")).toInt(), points);
    QCOMPARE(counts.value(QStringLiteral("TEXT@COTE")).toInt(), points);
    QCOMPARE(counts.value(QStringLiteral("TEXT@CLADIRI")).toInt(), 2);
    const QJsonArray polylines = out.value(QStringLiteral("polylines")).toArray();
    const QJsonObject land = polylines.at(0).toObject();
    QVERIFY(land.value(QStringLiteral("closed")).toBool());
    const QJsonArray landPoints = land.value(QStringLiteral("points")).toArray();
    QCOMPARE(landPoints.size(), 6);
    const Points& expected = *doc->Land()->Geometry()->Points();
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(landPoints.at(i).toArray().at(0).toDouble(), expected.Item(i + 1)->X());
        QCOMPARE(landPoints.at(i).toArray().at(1).toDouble(), expected.Item(i + 1)->Y());
    }
    const QJsonObject texts = out.value(QStringLiteral("texts")).toObject();
    QCOMPARE(texts.value(QStringLiteral("CLADIRI")).toArray(),
             (QJsonArray{QStringLiteral("C1"), QStringLiteral("C2")}));
    QVERIFY(texts.value(QStringLiteral("PUNCTE")).toArray().contains(QStringLiteral("101")));
}

void tst_DxfExport::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    const QString input = TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP"));
    // A folder where the drawing should go: nothing is written, nothing else changes.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("plan.dxf")));
    CliResult result = runCliCaptured(
        {QStringLiteral("export-dxf"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("plan.dxf"))});
    QCOMPARE(result.code, 1);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    // A document that cannot be read leaves an older drawing as it was.
    const QString old = dir.filePath(QStringLiteral("old.dxf"));
    QFile file(old);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("old drawing");
    file.close();
    result = runCliCaptured(
        {QStringLiteral("export-dxf"), dir.filePath(QStringLiteral("missing.CP")), QStringLiteral("-o"), old});
    QCOMPARE(result.code, 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old drawing"));
}

QTEST_GUILESS_MAIN(tst_DxfExport)
#include "tst_dxfexport.moc"
