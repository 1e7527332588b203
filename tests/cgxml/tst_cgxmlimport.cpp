// Reading exchange files from outside: refusals that name the line, and a file of several lands,
// persons and deeds whose extra rows are reported.
#include "CgxmlTestFiles.h"
#include "cgxml/CgxmlImport.h"
#include "cgxml/CgxmlNomenclature.h"
#include "support/CliRun.h"
#include "support/TestPaths.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString handWritten()
{
    return TestPaths::testData(QStringLiteral("cgxml/several-lands.cgxml"));
}

// The refusal for `xml`, read and imported; empty when it was accepted.
QString refusalOf(const QByteArray& xml, CgxmlReader::Limits limits = {})
{
    QBuffer buffer;
    buffer.setData(xml);
    buffer.open(QIODevice::ReadOnly);
    CgxmlReader reader(limits);
    QString error;
    if (!reader.read(&buffer, &error))
        return error;
    CgxmlImport::Result result;
    if (!CgxmlImport::toDocument(reader, QString(), nullptr, &result, &error))
        return error;
    return QString();
}

const QByteArray MinimalLand = "<CGXML>\n<Land><LANDID>1</LANDID><MEASUREDAREA>10</MEASUREDAREA></Land>\n</CGXML>\n";

} // namespace

class tst_cgxmlimport : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("refusal");
        // Each row: broken or hostile input that must be refused with its line, not read wrongly.
        QTest::newRow("unclosed row") << QByteArray("<CGXML>\n<Land>\n<LANDID>1</LANDID>\n</CGXML>\n")
                                      << "Fisierul CGXML nu poate fi citit: linia 4:";
        QTest::newRow("not xml") << QByteArray("CP\x01\x02") << "Fisierul CGXML nu poate fi citit: linia 1:";
        QTest::newRow("empty file") << QByteArray() << "Fisierul CGXML nu poate fi citit: linia 1:";
        QTest::newRow("other root")
            << QByteArray("<?xml version=\"1.0\"?>\n<DXF/>\n")
            << "Fisierul CGXML nu poate fi citit: linia 2: elementul radacina este DXF, nu CGXML.";
        QTest::newRow("entity expansion (billion laughs)")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE CGXML [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
                          "\"&a;&a;&a;&a;&a;&a;&a;&a;\">]>\n<CGXML><Land><LANDID>&b;</LANDID></Land></CGXML>")
            << "Fisierul CGXML nu poate fi citit: linia 2: declaratiile DTD nu sunt acceptate.";
        QTest::newRow("external entity")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE CGXML SYSTEM \"file:///etc/passwd\">\n<CGXML/>")
            << "Fisierul CGXML nu poate fi citit: linia 2: declaratiile DTD nu sunt acceptate.";
        QTest::newRow("field holding elements")
            << QByteArray("<CGXML>\n<Land>\n<LANDID><X>1</X></LANDID>\n</Land>\n</CGXML>")
            << "Fisierul CGXML nu poate fi citit: linia 3: campul LANDID al randului Land contine alte elemente.";
        QTest::newRow("no land") << QByteArray("<CGXML>\n<Parcel><PARCELID>1</PARCELID></Parcel>\n</CGXML>")
                                 << "Fisierul CGXML nu contine niciun teren (randul Land lipseste).";
        QTest::newRow("land without id") << QByteArray(
                                                "<CGXML>\n\n<Land><MEASUREDAREA>5</MEASUREDAREA></Land>\n</CGXML>")
                                         << "Fisierul CGXML nu poate fi importat: linia 3: randul Land nu are LANDID.";
        QTest::newRow("land id not a number")
            << QByteArray("<CGXML>\n<Land><LANDID>unu</LANDID></Land>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 2: campul LANDID al randului Land nu este un numar intreg "
               "(\"unu\").";
        QTest::newRow("area not a number")
            << QByteArray("<CGXML>\n<Land><LANDID>1</LANDID><MEASUREDAREA>10,5</MEASUREDAREA></Land>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 2: campul MEASUREDAREA al randului Land nu este un numar "
               "(\"10,5\").";
        QTest::newRow("point without Y")
            << QByteArray("<CGXML>\n<Land><LANDID>1</LANDID></Land>\n<Points><IMMOVABLEID>1</IMMOVABLEID><NO>7</NO>"
                          "<X>1</X></Points>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 3: punctul 7 nu are coordonatele X si Y.";
        QTest::newRow("missing address row")
            << QByteArray("<CGXML>\n<Land><LANDID>1</LANDID><ADDRESSID>9</ADDRESSID></Land>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 2: adresa 9 a terenului lipseste din fisier.";
        QTest::newRow("parcel number past 16 bits")
            << QByteArray("<CGXML>\n<Land><LANDID>1</LANDID></Land>\n<Parcel><LANDID>1</LANDID><NUMBER>40000</NUMBER>"
                          "</Parcel>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 3: numarul parcelei 40000 nu incape intre -32768 si 32767.";
        QTest::newRow("infinite coordinate")
            << QByteArray("<CGXML>\n<Land><LANDID>1</LANDID></Land>\n<Points><IMMOVABLEID>1</IMMOVABLEID><NO>1</NO>"
                          "<X>INF</X><Y>1</Y></Points>\n</CGXML>")
            << "Fisierul CGXML nu poate fi importat: linia 3: campul X al randului Points nu este un numar (\"INF\").";
        QTest::newRow("sound minimal file") << MinimalLand << "";
    }

    void refusals()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, refusal);
        const QString actual = refusalOf(xml);
        if (refusal.isEmpty())
            QCOMPARE(actual, QString());
        else
            QVERIFY2(actual.startsWith(refusal), qPrintable(actual));
    }

    void limits_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("refusal");
        // Each row: a size bound that keeps a hostile file from exhausting memory.
        QTest::newRow("too many rows") << QByteArray("<CGXML>\n<A/>\n<B/>\n<C/>\n<D/>\n</CGXML>")
                                       << "Fisierul CGXML nu poate fi citit: linia 5: fisierul are peste 3 randuri.";
        QTest::newRow("field too long")
            << QByteArray("<CGXML>\n<Land><NOTES>" + QByteArray(50, 'x') + "</NOTES></Land></CGXML>")
            << "Fisierul CGXML nu poate fi citit: linia 2: campul NOTES are peste 40 caractere.";
        QTest::newRow("too many fields")
            << QByteArray("<CGXML>\n<Land><A/><B/><C/><D/><E/><F/></Land></CGXML>")
            << "Fisierul CGXML nu poate fi citit: linia 2: randul Land are peste 5 campuri.";
        QTest::newRow("too many bytes") << QByteArray("<CGXML>" + QByteArray(2000, ' ') + "</CGXML>")
                                        << "Fisierul CGXML are 2015 octeti, peste limita de 1000.";
    }

    void limits()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, refusal);
        CgxmlReader::Limits limits;
        limits.maxRows = 3;
        limits.maxFieldChars = 40;
        limits.maxFieldsPerRow = 5;
        limits.maxBytes = 1000;
        QCOMPARE(refusalOf(xml, limits), refusal);
    }

    // The hand-written file: the first land with its owners (by land and by building), its
    // parcels, buildings and contours; the rest is named in one message.
    void severalLandsFirstOne()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("a.CP"));
        const CliResult result = runCliCaptured({QStringLiteral("import-cgxml"), handWritten(), QStringLiteral("-o"),
                                                 out, QStringLiteral("--data"), QStringLiteral(LOTMARK_BUILD_DATA)});
        QVERIFY2(result.code == 0, qPrintable(result.err));
        QCOMPARE(result.err.count(QLatin1Char('\n')), 1); // one message, one line
        for (const char* extra : {"alte terenuri (Land): 1", "numarul cadastral 81234", "acte (Deed): 2",
                                  "cota sau actul lor: 2", "persoane fara drept asupra terenului ales (Person): 1",
                                  "puncte ale altor imobile (Points): 3", "randuri Contested: 1"})
            QVERIFY2(result.err.contains(QLatin1String(extra)), qPrintable(extra + (": " + result.err)));

        const DocumentPtr document = CgxmlTestFiles::load(out);
        QVERIFY(document);
        const Land& land = *document->Land();
        QCOMPARE(document->SurveyorName(), QStringLiteral("IONESCU MARIA"));
        QCOMPARE(land.Address()->SIRUTA(), 1026);
        QCOMPARE(int(land.Address()->IECode()), 1);
        QCOMPARE(land.Address()->StreetType(), QStringLiteral("Bulevardul"));
        QCOMPARE(land.Address()->StreetNo(), QStringLiteral("12"));
        QCOMPARE(land.Owners()->Count(), 2);
        QCOMPARE(land.Owners()->Item(1)->LastName(), QStringLiteral("POP"));
        QCOMPARE(land.Owners()->Item(1)->FirstName(), QStringLiteral("ANA"));
        QCOMPARE(land.Owners()->Item(2)->FirstName(), QStringLiteral("ION")); // tied through the building
        QCOMPARE(land.Parcels()->Count(), 1);
        QCOMPARE(land.Parcels()->Item(1)->LandDestination(), QStringLiteral("TDI"));
        QCOMPARE(land.Parcels()->TotalLegalArea(), QStringLiteral("398"));
        QCOMPARE(land.Buildings()->Count(), 1);
        QCOMPARE(land.Buildings()->Item(1)->No(), QStringLiteral("C1"));
        QCOMPARE(land.Buildings()->Item(1)->MeasuredArea(), QStringLiteral("80.5"));
        QCOMPARE(land.Buildings()->Item(1)->Description(), QStringLiteral("locuinta P+1"));
        QCOMPARE(land.Buildings()->TotalMeasuredArea(), QStringLiteral("80.5"));
        QCOMPARE(land.Geometry()->Points()->Count(), 4);
        // The file's X (northing) becomes the document's Y.
        QCOMPARE(land.Geometry()->Points()->Item(2)->X(), 388220.2);
        QCOMPARE(land.Geometry()->Points()->Item(2)->Y(), 546500.1);
        QCOMPARE(land.Buildings()->Item(1)->Geometry()->Points()->Count(), 3);
        QCOMPARE(land.Buildings()->Item(1)->Geometry()->Name(), QStringLiteral("C1"));
    }

    // --land picks a land by its cadastral number: the extravilan one keeps its territory code.
    void chosenByCadastralNumber()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("b.CP"));
        const CliResult result =
            runCliCaptured({QStringLiteral("import-cgxml"), handWritten(), QStringLiteral("--land"),
                            QStringLiteral("81235"), QStringLiteral("-o"), out});
        QVERIFY2(result.code == 0, qPrintable(result.err));
        const DocumentPtr document = CgxmlTestFiles::load(out);
        QVERIFY(document);
        const Land& land = *document->Land();
        QCOMPARE(land.Address()->SIRUTA(), 1071);
        QCOMPARE(int(land.Address()->IECode()), 0);
        QCOMPARE(land.Address()->TarlaNo(), QStringLiteral("30"));
        QCOMPARE(land.Address()->ParcelNo(), QStringLiteral("305/2"));
        QCOMPARE(land.Parcels()->Item(1)->LandDestination(), QStringLiteral("TDA"));
        QCOMPARE(land.Owners()->Count(), 1);
        QCOMPARE(land.Owners()->Item(1)->LastName(), QStringLiteral("AGRO SRL"));
        QCOMPARE(land.Buildings()->Count(), 0);
        QCOMPARE(land.Geometry()->Points()->Count(), 3);

        const CliResult missing =
            runCliCaptured({QStringLiteral("import-cgxml"), handWritten(), QStringLiteral("--land"),
                            QStringLiteral("999"), QStringLiteral("-o"), out});
        QCOMPARE(missing.code, 1);
        QVERIFY2(
            missing.err.contains(QStringLiteral("nu contine terenul cu numarul cadastral 999 (contine: 81234, 81235)")),
            qPrintable(missing.err));
    }

    // A block's units: those of the first unit's apartment number make the document, the other
    // apartments are reported.
    void unitsOfOneApartment()
    {
        const QByteArray xml =
            "<CGXML>\n<Land><LANDID>1</LANDID></Land>\n"
            "<Building><BUILDINGID>7</BUILDINGID><LANDID>1</LANDID><BUILDNO>1</BUILDNO>"
            "<BUILDINGDESTINATION>CL</BUILDINGDESTINATION></Building>\n"
            "<IU><IUID>1</IUID><BUILDINGID>7</BUILDINGID><IDENTIFIER>A</IDENTIFIER><APNO>3</APNO>"
            "<MEASUREDAREA>50</MEASUREDAREA></IU>\n"
            "<IU><IUID>2</IUID><BUILDINGID>7</BUILDINGID><APNO>4</APNO><MEASUREDAREA>60</MEASUREDAREA></IU>\n"
            "<IU><IUID>3</IUID><BUILDINGID>7</BUILDINGID><IDENTIFIER>B</IDENTIFIER><APNO>3</APNO>"
            "<MEASUREDAREA>5.5</MEASUREDAREA></IU>\n</CGXML>";
        QBuffer buffer;
        buffer.setData(xml);
        buffer.open(QIODevice::ReadOnly);
        CgxmlReader reader;
        QString error;
        QVERIFY(reader.read(&buffer, &error));
        CgxmlImport::Result result;
        QVERIFY2(CgxmlImport::toDocument(reader, QString(), nullptr, &result, &error), qPrintable(error));
        const Document& document = *result.document;
        QVERIFY(document.isApartment());
        QCOMPARE(document.Land()->Address()->ApartmentNo(), QStringLiteral("3"));
        QCOMPARE(document.Land()->Buildings()->Count(), 2);
        QCOMPARE(document.Land()->Buildings()->Item(2)->No(), QStringLiteral("B"));
        QCOMPARE(document.Land()->Buildings()->Item(2)->BuildDestination(), QStringLiteral("CL"));
        QCOMPARE(document.Land()->Buildings()->TotalMeasuredArea(), QStringLiteral("55.5"));
        QVERIFY2(CgxmlImport::report(result).contains(QStringLiteral("ale altor apartamente: 1")),
                 qPrintable(CgxmlImport::report(result)));
    }

    // A refused import leaves an existing .CP as it was.
    void refusedImportKeepsTheTarget()
    {
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("broken.cgxml"));
        QVERIFY(CgxmlTestFiles::write(broken, "<CGXML><Land>"));
        const QString target = dir.filePath(QStringLiteral("keep.CP"));
        QVERIFY(CgxmlTestFiles::write(target, "old"));
        QCOMPARE(runCliCaptured({QStringLiteral("import-cgxml"), broken, QStringLiteral("-o"), target}).code, 1);
        QFile keep(target);
        QVERIFY(keep.open(QIODevice::ReadOnly));
        QCOMPARE(keep.readAll(), QByteArray("old"));
    }
};

QTEST_GUILESS_MAIN(tst_cgxmlimport)
#include "tst_cgxmlimport.moc"
