#include "DxfText.h"

#include "dxf/DxfLineReader.h"
#include "dxf/ImportDXF.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTest>
#include <charconv>
#include <random>

using namespace DxfText;

namespace {

// Each polyline as "layer|no:x,y no:x,y ...".
QStringList describe(const DxfPolylines& store)
{
    QStringList out;
    for (int p = 1; p <= store.count(); ++p) {
        QStringList points;
        for (auto v = store.begin(p); v < store.end(p); ++v)
            points << QStringLiteral("%1:%2,%3").arg(pointNumberText(store.number(v))).arg(store.x(v)).arg(store.y(v));
        out << store.layerName(p) + QLatin1Char('|') + points.join(QLatin1Char(' '));
    }
    return out;
}

DxfReadResult readBytes(const QByteArray& bytes, DxfPolylines* store)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    DxfPolylineReader reader;
    return reader.read(buffer, *store);
}

} // namespace

class tst_DxfReader : public QObject
{
    Q_OBJECT

private slots:
    void polylines_data();
    void polylines();
    void lineEnds_data();
    void lineEnds();
    void unpublishedWhenSectionDoesNotEnd();
    void damagedFiles_data();
    void damagedFiles();
    void everyTruncationIsHandled();
    void leadingNumber_data();
    void leadingNumber();
    void leadingNumberRoundsCorrectly_data();
    void leadingNumberRoundsCorrectly();
    void byteOrderMark_data();
    void byteOrderMark();
    void layerNames_data();
    void layerNames();
    void eventsAndAppending();
    void cleaning_data();
    void cleaning();
    void libraryWrittenDrawings_data();
    void libraryWrittenDrawings();
};

void tst_DxfReader::polylines_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QStringList>("expected");

    const QString sq = QStringLiteral("1:0,0 2:10,0 3:10,10 4:0,10");
    QTest::newRow("flagged closed gets its first point again")
        << lwpolyline("A", "1", square()) << QStringList{"A|" + sq + " 1:0,0"};
    QTest::newRow("unflagged, geometrically closed, kept as is")
        << lwpolyline("A", "0", square() + QList<QPair<QString, QString>>{{"0", "0"}})
        << QStringList{"A|" + sq + " 5:0,0"};
    QTest::newRow("open polyline dropped") << lwpolyline("A", "0", square()) << QStringList();
    QTest::newRow("129 counts as closed (bit 1)")
        << lwpolyline("A", "129", square()) << QStringList{"A|" + sq + " 1:0,0"};
    QTest::newRow("flags are not carried to the next polyline")
        << lwpolyline("A", "1", square()) + lwpolyline("B", "", square(20)) << QStringList{"A|" + sq + " 1:0,0"};
    QTest::newRow("130 is open") << lwpolyline("A", "130", square()) << QStringList();
    QTest::newRow("POLYLINE odd flag closed, header point ignored, vertex layers ignored")
        << polyline("H", "9", square()) << QStringList{"H|" + sq + " 1:0,0"};
    QTest::newRow("POLYLINE even flag open") << polyline("H", "8", square()) << QStringList();
    QTest::newRow("two equal points open: dropped") << lwpolyline("A", "0", {{"1", "1"}, {"1", "1"}}) << QStringList();
    QTest::newRow("three points first equals last: kept")
        << lwpolyline("A", "0", {{"1", "1"}, {"2", "2"}, {"1", "1"}}) << QStringList{"A|1:1,1 2:2,2 3:1,1"};
    QTest::newRow("no group 8 gives an empty layer")
        << lwpolyline(QString(), "1", {{"1", "1"}, {"2", "1"}, {"2", "2"}}) << QStringList{"|1:1,1 2:2,1 3:2,2 1:1,1"};
    QTest::newRow("comma decimal reads the leading number")
        << lwpolyline("A", "1", {{"12,5", " 12.5"}, {"20", "0"}, {"20", "20"}})
        << QStringList{"A|1:12,12.5 2:20,0 3:20,20 1:12,12.5"};
    QTest::newRow("group codes are trimmed, values are not")
        << QStringList{"  0", "LWPOLYLINE", " 8 ", "A",  " 70", "     1", "10", "0", "20",    "0", "10",
                       "1",   "20",         "0",   "10", "1",   "20",     "1",  "0", "LINE ", "0", "LINE"}
        << QStringList{"A|1:0,0 2:1,0 3:1,1 1:0,0"};
    QTest::newRow("mixed kinds in a row, ended by other entities")
        << polyline("H", "1", square()) + QStringList{"0", "TEXT", "8", "T", "10", "5", "20", "5", "70", "1"} +
               lwpolyline("L", "1", square(100))
        << QStringList{"H|" + sq + " 1:0,0", "L|1:100,0 2:110,0 3:110,10 4:100,10 1:100,0"};
}

void tst_DxfReader::polylines()
{
    QFETCH(QStringList, body);
    QFETCH(QStringList, expected);
    DxfPolylines store;
    const DxfReadResult result = readBytes(groups(entities(body)), &store);
    QCOMPARE(result.status, DxfReadResult::Published);
    QCOMPARE(describe(store), expected);
    QCOMPARE(result.polylines, expected.size());
}

void tst_DxfReader::lineEnds_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void tst_DxfReader::lineEnds()
{
    QFETCH(QByteArray, lineEnd);
    const QByteArray bytes =
        groups(entities(lwpolyline("A", "1", square()) + polyline("B", "1", square(5))), lineEnd.constData());
    // Also with a buffer small enough that CR and LF fall into different reads.
    for (qsizetype size : {qsizetype(4 << 20), qsizetype(7), qsizetype(8)}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        DxfLineReader lines(buffer, size);
        std::string_view line;
        int count = 0;
        while (lines.next(&line) == DxfLineReader::Status::Line) {
            QVERIFY2(line.find('\r') == std::string_view::npos && line.find('\n') == std::string_view::npos,
                     std::string(line).c_str());
            ++count;
        }
        QCOMPARE(count, bytes.count(lineEnd.constData()));
    }
    DxfPolylines store;
    QCOMPARE(readBytes(bytes, &store).status, DxfReadResult::Published);
    QCOMPARE(store.count(), 2);
}

void tst_DxfReader::unpublishedWhenSectionDoesNotEnd()
{
    DxfPolylines store;
    QStringList noEnd{"0", "SECTION", "2", "ENTITIES"};
    noEnd += lwpolyline("A", "1", square());
    QCOMPARE(readBytes(groups(noEnd), &store).status, DxfReadResult::NotPublished);
    QCOMPARE(store.count(), 0);

    // Polylines of BLOCKS and of a section named otherwise are never read.
    QStringList blocks{"0", "SECTION", "2", "BLOCKS"};
    blocks += lwpolyline("A", "1", square());
    blocks += QStringList{"0", "ENDSEC", "0", "EOF"};
    QCOMPARE(readBytes(groups(blocks), &store).status, DxfReadResult::NotPublished);
    QCOMPARE(readBytes(QByteArray(), &store).status, DxfReadResult::NotPublished);
    QCOMPARE(store.count(), 0);
}

void tst_DxfReader::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("ends after a group code")
        << groups(QStringList{"0", "SECTION", "2", "ENTITIES", "0"}) << "se termina dupa codul de grup de la linia 5";
    QTest::newRow("group 70 not numeric")
        << groups(entities(lwpolyline("A", "x1", square()))) << "grupului 70 de la linia";
    QTest::newRow("polyline without vertex")
        << groups(entities(lwpolyline("A", "1", {}) + lwpolyline("A", "1", square())))
        << "polilinia care incepe la linia 16 nu are niciun varf";
    QTest::newRow("POLYLINE without vertex followed by another")
        << groups(entities(QStringList{"0", "POLYLINE", "8", "A", "70", "1", "0", "SEQEND"} +
                           polyline("B", "1", square())))
        << "nu are niciun varf";
    QTest::newRow("binary drawing") << QByteArray("AutoCAD Binary DXF\r\n\x1a\0\0\0SECTION\0", 32) << ".DXF binar";
    QTest::newRow("DWG") << QByteArray("AC1027\0\0\0\0\0\x01\x02\x03", 14) << ".DWG";
    QTest::newRow("a text that is no drawing")
        << QByteArray("hello\nworld\n") << "nu este un fisier .DXF text (linia 1)";
    QTest::newRow("endless line") << QByteArray(3 << 20, 'A') << "nu este un fisier .DXF text";
}

void tst_DxfReader::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    DxfPolylines store;
    const DxfReadResult result = readBytes(bytes, &store);
    QCOMPARE(result.status, DxfReadResult::Failed);
    QVERIFY2(result.message.contains(message), qPrintable(result.message));
    QCOMPARE(store.count(), 0);
    QCOMPARE(store.vertexCount(), 0u);
}

void tst_DxfReader::everyTruncationIsHandled()
{
    const QByteArray whole = groups(
        entities(lwpolyline("A", "1", square()) + polyline("B", "1", square(5)) + lwpolyline("C", "0", square(9))));
    const qsizetype endsec = whole.indexOf("ENDSEC", whole.indexOf("ENTITIES"));
    for (qsizetype size = 0; size < whole.size(); ++size) {
        DxfPolylines store;
        const DxfReadResult result = readBytes(whole.left(size), &store);
        if (size >= endsec + 6) {
            QCOMPARE(result.status, DxfReadResult::Published);
            QCOMPARE(store.count(), 2);
        } else {
            QVERIFY2(result.status != DxfReadResult::Published, qPrintable(QString::number(size)));
            QCOMPARE(store.count(), 0);
            if (result.status == DxfReadResult::Failed)
                QVERIFY(!result.message.isEmpty());
        }
    }
    // The same over a library-written drawing, at every byte.
    QFile fixture(TestPaths::testData(QStringLiteral("dxf/parcels_r12.dxf")));
    QVERIFY(fixture.open(QIODevice::ReadOnly));
    const QByteArray drawing = fixture.readAll();
    const qsizetype drawingEnd = drawing.lastIndexOf("ENDSEC");
    for (qsizetype size = 0; size < drawing.size(); ++size) {
        DxfPolylines store;
        const DxfReadResult result = readBytes(drawing.left(size), &store);
        QCOMPARE(result.status == DxfReadResult::Published, size >= drawingEnd + 6);
        QCOMPARE(store.count(), result.status == DxfReadResult::Published ? 5 : 0);
    }
}

void tst_DxfReader::leadingNumber_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << QByteArray("12.5") << 12.5;
    QTest::newRow("leading blanks") << QByteArray("   -3.25") << -3.25;
    QTest::newRow("comma stops") << QByteArray("12,5") << 12.0;
    QTest::newRow("exponent") << QByteArray("1.5E+3") << 1500.0;
    QTest::newRow("incomplete exponent") << QByteArray("2e") << 2.0;
    QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
    QTest::newRow("point first") << QByteArray(".5") << 0.5;
    QTest::newRow("nothing") << QByteArray("abc") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("inf is no number") << QByteArray("inf") << 0.0;
    QTest::newRow("nan is no number") << QByteArray("nan") << 0.0;
    QTest::newRow("huge") << QByteArray("1e999") << 0.0;
    QTest::newRow("trailing text") << QByteArray("4.5m") << 4.5;
    QTest::newRow("stereo 70 metres") << QByteArray("580012.345") << 580012.345;
    QTest::newRow("more digits than the quick path")
        << QByteArray("0.12345678901234567890123") << 0.12345678901234567890123;
    QTest::newRow("sixteen digits") << QByteArray("1234567.123456789") << 1234567.123456789;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("negative zero point five") << QByteArray("-.5") << -0.5;
}

void tst_DxfReader::leadingNumber()
{
    QFETCH(QByteArray, text);
    QFETCH(double, value);
    QCOMPARE(DxfPolylineReader::leadingNumber(std::string_view(text.constData(), std::size_t(text.size()))), value);
}

// Bit for bit what a correctly rounding conversion gives; QCOMPARE on doubles would forgive the
// last bit, which is the fault these rows are about.
void tst_DxfReader::leadingNumberRoundsCorrectly_data()
{
    QTest::addColumn<QByteArrayList>("texts");
    QTest::newRow("sixteen digits above 2^53") << QByteArrayList{"-98.36476942818761", "98.36476942818761"};
    QTest::newRow("sixteen digits, Stereo 70") << QByteArrayList{"580012.3456789012", "9876543.210987654"};
    QTest::newRow("2^53 and one above it")
        << QByteArrayList{"9007199254740992", "9007199254740993", "900719925474099.3"};
    QTest::newRow("sixteen nines") << QByteArrayList{"9999999999999999", "0.9999999999999999", "99999999.99999999"};
    QTest::newRow("fifteen digits") << QByteArrayList{"388120.512345678", "0.123456789012345"};
    QTest::newRow("seventeen digits") << QByteArrayList{"-98.364769428187613", "546225.00000000012"};
    // Seeded: the same values every run, about half of them past 2^53.
    QByteArrayList swept;
    std::mt19937_64 random(20);
    for (int i = 0; i < 20000; ++i) {
        const int digits = 15 + int(random() % 3);
        QByteArray mantissa = QByteArray::number(qulonglong(random() % 9 + 1));
        while (mantissa.size() < digits)
            mantissa += char('0' + random() % 10);
        const int point = 1 + int(random() % qulonglong(digits - 1));
        swept << (random() % 2 ? "-" : "") + mantissa.left(point) + '.' + mantissa.mid(point);
    }
    QTest::newRow("20,000 random values of 15 to 17 digits") << swept;
}

void tst_DxfReader::leadingNumberRoundsCorrectly()
{
    QFETCH(QByteArrayList, texts);
    for (const QByteArray& text : texts) {
        double exact = 0;
        QVERIFY(std::from_chars(text.constData(), text.constData() + text.size(), exact).ec == std::errc());
        const double read =
            DxfPolylineReader::leadingNumber(std::string_view(text.constData(), std::size_t(text.size())));
        QVERIFY2(read == exact, qPrintable(QStringLiteral("%1 read as %2, not %3")
                                               .arg(QString::fromLatin1(text))
                                               .arg(read, 0, 'g', 17)
                                               .arg(exact, 0, 'g', 17)));
    }
}

void tst_DxfReader::byteOrderMark_data()
{
    const QByteArray mark("\xEF\xBB\xBF");
    const QByteArray drawing = groups(entities(lwpolyline("A", "1", square()) + polyline("B", "1", square(5))));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("polylines"); // -1: refused as no text drawing
    QTest::newRow("mark before the first group code") << mark + drawing << 2;
    QTest::newRow("mark before a padded group code") << mark + "  " + drawing << 2;
    QTest::newRow("mark with LF line ends") << mark + groups(entities(lwpolyline("A", "1", square())), "\n") << 1;
    // Only a leading mark is skipped: one before a later group code still makes no drawing.
    QTest::newRow("mark before a later group code")
        << drawing.left(drawing.indexOf("2\r\nHEADER")) + mark + drawing.mid(drawing.indexOf("2\r\nHEADER")) << -1;
}

void tst_DxfReader::byteOrderMark()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, polylines);
    DxfPolylines store;
    const DxfReadResult result = readBytes(bytes, &store);
    QVERIFY2((result.status == DxfReadResult::Failed) == (polylines < 0), qPrintable(result.message));
    QCOMPARE(store.count(), std::max(polylines, 0));
    if (polylines > 0)
        QCOMPARE(describe(store).first(), QStringLiteral("A|1:0,0 2:10,0 3:10,10 4:0,10 1:0,0"));
}

void tst_DxfReader::layerNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");
    QTest::newRow("ascii") << QByteArray("CADASTRU") << QStringLiteral("CADASTRU");
    QTest::newRow("unicode escape") << QByteArray("CL\\U+0102DIRI") << QStringLiteral("CL\u0102DIRI");
    QTest::newRow("utf-8") << QByteArray("CL\xc4\x82") << QStringLiteral("CL\u0102");
    QTest::newRow("windows-1250") << QByteArray("CL\xc3 \xaa") << QStringLiteral("CL\u0102 \u015e");
    QTest::newRow("windows-1250 s cedilla") << QByteArray("CURTI\xbaI") << QStringLiteral("CURTI\u015fI");
    QTest::newRow("short escape kept") << QByteArray("A\\U+01") << QStringLiteral("A\\U+01");
}

void tst_DxfReader::layerNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    QCOMPARE(DxfPolylineReader::decodeText(std::string_view(bytes.constData(), std::size_t(bytes.size()))), name);
}

void tst_DxfReader::eventsAndAppending()
{
    ImportDXF reader;
    QSignalSpy start(&reader, &ImportDXF::StartImport);
    QSignalSpy importing(&reader, &ImportDXF::Importing);
    QSignalSpy stop(&reader, &ImportDXF::StopImport);
    QList<int> order;
    connect(&reader, &ImportDXF::StartImport, this, [&] { order << 1; });
    connect(&reader, &ImportDXF::Importing, this, [&] { order << 2; });
    connect(&reader, &ImportDXF::StopImport, this, [&] { order << 3; });

    QBuffer noEntities;
    noEntities.setData(groups(QStringList{"0", "SECTION", "2", "HEADER", "0", "ENDSEC", "0", "EOF"}));
    noEntities.open(QIODevice::ReadOnly);
    QCOMPARE(reader.Import(noEntities).status, DxfReadResult::NotPublished);
    QVERIFY(!reader.DXFEntities());
    QCOMPARE(order, (QList<int>{1, 3}));

    order.clear();
    QBuffer drawing;
    drawing.setData(groups(entities(lwpolyline("A", "1", square()) + lwpolyline("B", "0", square()))));
    drawing.open(QIODevice::ReadOnly);
    QCOMPARE(reader.Import(drawing).status, DxfReadResult::Published);
    QCOMPARE(order, (QList<int>{1, 2, 3}));
    const DXFEntitiesPtr first = reader.DXFEntities();
    QCOMPARE(first->Count(), 1);
    QCOMPARE(first->Item(1)->Polygon()->Points()->Count(), 5);
    QCOMPARE(first->Item(1)->Polygon()->Points()->Item(5)->No(), QStringLiteral("1"));
    QVERIFY(first->Item(1)->Polygon()->Name().isEmpty());

    // A second read appends to the same collection.
    drawing.seek(0);
    reader.Import(drawing);
    QCOMPARE(reader.DXFEntities().get(), first.get());
    QCOMPARE(first->Count(), 2);
    first->RemoveAll();
    QCOMPARE(reader.DXFEntities()->Count(), 0);

    reader.setDXFFileName(QStringLiteral("/nonexistent/plan.dxf"));
    const DxfReadResult missing = reader.Import();
    QCOMPARE(missing.status, DxfReadResult::Failed);
    QVERIFY(missing.message.contains(QStringLiteral("plan.dxf")));
    QCOMPARE(start.size(), 3);
    QCOMPARE(stop.size(), 3);
    QCOMPARE(importing.size(), 2);
}

void tst_DxfReader::cleaning_data()
{
    QTest::addColumn<QStringList>("body");
    QTest::addColumn<QStringList>("expected");
    // A=(0,0) B=(5,0) C=(5,5)
    QTest::newRow("A A B C C A becomes A B C")
        << lwpolyline("L", "0", {{"0", "0"}, {"0", "0"}, {"5", "0"}, {"5", "5"}, {"5", "5"}, {"0", "0"}})
        << QStringList{"L|1:0,0 2:5,0 3:5,5"};
    QTest::newRow("A B A B A becomes A B A B")
        << lwpolyline("L", "0", {{"0", "0"}, {"5", "0"}, {"0", "0"}, {"5", "0"}, {"0", "0"}})
        << QStringList{"L|1:0,0 2:5,0 3:0,0 4:5,0"};
    QTest::newRow("two distinct points dropped, later ones move up")
        << lwpolyline("L", "1", {{"0", "0"}, {"5", "0"}, {"5", "0"}}) + lwpolyline("M", "1", square())
        << QStringList{"M|1:0,0 2:10,0 3:10,10 4:0,10"};
    QTest::newRow("flagged closed loses its closing point")
        << lwpolyline("L", "1", square(1, 1, 1)) << QStringList{"L|1:1,1 2:2,1 3:2,2 4:1,2"};
}

void tst_DxfReader::cleaning()
{
    QFETCH(QStringList, body);
    QFETCH(QStringList, expected);
    DxfPolylines store;
    QCOMPARE(readBytes(groups(entities(body)), &store).status, DxfReadResult::Published);
    store.clean();
    QCOMPARE(describe(store), expected);
    // The model objects carry the same points and numbers.
    DXFEntities entities;
    store.appendEntities(entities);
    QCOMPARE(entities.Count(), expected.size());
}

void tst_DxfReader::libraryWrittenDrawings_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("layers");
    QTest::addColumn<QList<int>>("pointCounts");
    // Written with a DXF library (see tests/data/dxf/make_fixtures.py); after cleaning.
    QTest::newRow("R2000 lightweight") << "parcels_r2000.dxf"
                                       << QStringList{"TEREN", "CONSTRUCTII", "CONSTRUCTII", "VECINI", "CONSTRUCTII"}
                                       << QList<int>{5, 4, 4, 4, 6};
    QTest::newRow("R12 heavy") << "parcels_r12.dxf"
                               << QStringList{"TEREN", "CONSTRUCTII", "CONSTRUCTII", "VECINI", "CONSTRUCTII"}
                               << QList<int>{5, 4, 4, 4, 6};
}

void tst_DxfReader::libraryWrittenDrawings()
{
    QFETCH(QString, file);
    QFETCH(QStringList, layers);
    QFETCH(QList<int>, pointCounts);
    QFile drawing(TestPaths::testData(QStringLiteral("dxf/") + file));
    QVERIFY2(drawing.open(QIODevice::ReadOnly), qPrintable(drawing.fileName()));
    DxfPolylines store;
    DxfPolylineReader reader;
    QCOMPARE(reader.read(drawing, store).status, DxfReadResult::Published);
    store.clean();
    QStringList gotLayers;
    QList<int> gotCounts;
    for (int p = 1; p <= store.count(); ++p) {
        gotLayers << store.layerName(p);
        gotCounts << store.pointCount(p);
    }
    QCOMPARE(gotLayers, layers);
    QCOMPARE(gotCounts, pointCounts);
}

QTEST_GUILESS_MAIN(tst_DxfReader)
#include "tst_dxfreader.moc"
