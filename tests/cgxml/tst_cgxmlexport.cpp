// Export of the sample documents: schema-valid, axes in the file's order, and read back into
// the same document.
#include "CgxmlTestFiles.h"
#include "cgxml/CgxmlReader.h"
#include "cgxml/CgxmlWriter.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"
#include "support/FailDevice.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace CgxmlTestFiles;

namespace {

const QString Date = QStringLiteral("2026-03-01T10:00:00");

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void comparePolygons(const PolygonPtr& actual, const PolygonPtr& expected, const QString& what)
{
    QVERIFY2(bool(actual) == bool(expected), qPrintable(what + ": contour present on one side only"));
    if (!expected)
        return;
    QCOMPARE(actual->Points()->Count(), expected->Points()->Count());
    for (int i = 1; i <= expected->Points()->Count(); ++i) {
        const Point& a = *actual->Points()->Item(i);
        const Point& e = *expected->Points()->Item(i);
        QCOMPARE(a.No(), e.No());
        QCOMPARE(a.X(), e.X()); // exact: the file keeps every digit
        QCOMPARE(a.Y(), e.Y());
    }
}

void compareDocuments(const Document& actual, const Document& expected)
{
    QCOMPARE(actual.IsAp(), expected.IsAp());
    QCOMPARE(actual.SurveyorName(), expected.SurveyorName());
    QCOMPARE(actual.SurveyorLicense(), expected.SurveyorLicense());
    const Land& a = *actual.Land();
    const Land& e = *expected.Land();
    const Address& aa = *a.Address();
    const Address& ea = *e.Address();
    QCOMPARE(aa.SIRUTA(), ea.SIRUTA());
    QCOMPARE(aa.IECode(), ea.IECode());
    QCOMPARE(aa.StreetType(), ea.StreetType());
    QCOMPARE(aa.StreetName(), ea.StreetName());
    QCOMPARE(aa.StreetNo(), ea.StreetNo());
    QCOMPARE(aa.BuildNo(), ea.BuildNo());
    QCOMPARE(aa.EntranceNo(), ea.EntranceNo());
    QCOMPARE(aa.FloorNo(), ea.FloorNo());
    QCOMPARE(aa.ApartmentNo(), ea.ApartmentNo());
    QCOMPARE(aa.TarlaNo(), ea.TarlaNo());
    QCOMPARE(aa.ParcelNo(), ea.ParcelNo());

    QCOMPARE(a.Owners()->Count(), e.Owners()->Count());
    for (int i = 1; i <= e.Owners()->Count(); ++i) {
        QCOMPARE(a.Owners()->Item(i)->LastName(), e.Owners()->Item(i)->LastName());
        QCOMPARE(a.Owners()->Item(i)->FirstName(), e.Owners()->Item(i)->FirstName());
    }
    QCOMPARE(a.Parcels()->TotalMeasuredArea(), e.Parcels()->TotalMeasuredArea());
    QCOMPARE(a.Parcels()->TotalLegalArea(), e.Parcels()->TotalLegalArea());
    QCOMPARE(a.Parcels()->Count(), e.Parcels()->Count());
    for (int i = 1; i <= e.Parcels()->Count(); ++i) {
        const Parcel& ap = *a.Parcels()->Item(i);
        const Parcel& ep = *e.Parcels()->Item(i);
        QCOMPARE(ap.No(), ep.No());
        QCOMPARE(ap.LandUse(), ep.LandUse());
        QCOMPARE(ap.LandDestination(), ep.LandDestination());
        QCOMPARE(ap.MeasuredArea(), ep.MeasuredArea());
        QCOMPARE(ap.Comments(), ep.Comments());
    }
    QCOMPARE(a.Buildings()->TotalMeasuredArea(), e.Buildings()->TotalMeasuredArea());
    QCOMPARE(a.Buildings()->TotalLegalArea(), e.Buildings()->TotalLegalArea());
    QCOMPARE(a.Buildings()->Count(), e.Buildings()->Count());
    for (int i = 1; i <= e.Buildings()->Count(); ++i) {
        const Build& ab = *a.Buildings()->Item(i);
        const Build& eb = *e.Buildings()->Item(i);
        QCOMPARE(ab.No(), eb.No());
        QCOMPARE(ab.Description(), eb.Description());
        QCOMPARE(ab.MeasuredArea(), eb.MeasuredArea());
        QCOMPARE(ab.BuildDestination(), eb.BuildDestination());
        QCOMPARE(ab.Comments(), eb.Comments());
        comparePolygons(ab.Geometry(), eb.Geometry(), eb.No());
    }
    comparePolygons(a.Geometry(), e.Geometry(), QStringLiteral("TEREN"));
}

void roundTrip(const QString& path)
{
    QTemporaryDir dir;
    const QString exported = dir.filePath(QStringLiteral("out.cgxml"));
    const QString data = QStringLiteral(LOTMARK_BUILD_DATA);
    const CliResult written = runCliCaptured({QStringLiteral("cgxml"), path, QStringLiteral("-o"), exported,
                                              QStringLiteral("--date"), Date, QStringLiteral("--data"), data});
    QVERIFY2(written.code == 0, qPrintable(written.err));
    if (haveXmllint()) {
        const QString problems = schemaProblems(exported);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    const QString back = dir.filePath(QStringLiteral("back.CP"));
    const CliResult imported = runCliCaptured(
        {QStringLiteral("import-cgxml"), exported, QStringLiteral("-o"), back, QStringLiteral("--data"), data});
    QVERIFY2(imported.code == 0, qPrintable(imported.err));
    QVERIFY2(!imported.err.contains(QStringLiteral("nomenclator")), qPrintable(imported.err));
    const DocumentPtr original = load(path);
    const DocumentPtr copy = load(back);
    QVERIFY(original && copy);
    compareDocuments(*copy, *original);

    // What was read back exports to the same file.
    const QString again = dir.filePath(QStringLiteral("again.cgxml"));
    QVERIFY(runCliCaptured({QStringLiteral("cgxml"), back, QStringLiteral("-o"), again, QStringLiteral("--date"), Date,
                            QStringLiteral("--data"), data})
                .code == 0);
    QCOMPARE(readAll(again).replace("again.cgxml", "out.cgxml"), readAll(exported));
}

} // namespace

class tst_cgxmlexport : public QObject
{
    Q_OBJECT

private slots:
    void samples_data()
    {
        QTest::addColumn<QString>("name");
        // Each row: a sample whose export or read-back would lose or misplace its kind of data.
        QTest::newRow("intravilan land with buildings") << "Teren-intravilan-Alba-Iulia.CP";
        QTest::newRow("extravilan land, tarla and parcel") << "Extravilan-Ciugud.CP";
        QTest::newRow("apartment") << "Apartament-Alba-Iulia.CP";
    }

    // Export, schema check, import back: the same document, and exporting that gives the same file.
    void samples()
    {
        QFETCH(QString, name);
        roundTrip(sample(name));
    }

    // An apartment of two units (the flat and its storage room) comes back with both.
    void apartmentOfTwoUnits()
    {
        QTemporaryDir dir;
        CPFile file(QStringLiteral("."));
        file.setCPFileName(sample(QStringLiteral("Apartament-Alba-Iulia.CP")));
        QVERIFY(file.LoadCPFile());
        auto storage = std::make_shared<Build>();
        storage->setNo(QStringLiteral("2"));
        storage->setDescription(QStringLiteral("BOXA"));
        storage->setMeasuredArea(QStringLiteral("4.5"));
        storage->setBuildDestination(QStringLiteral("CL"));
        file.Document()->Land()->Buildings()->Add(std::move(storage));
        file.Document()->Land()->Buildings()->setTotalMeasuredArea(QStringLiteral("58.82"));
        file.setCPFileName(dir.filePath(QStringLiteral("two.CP")));
        QVERIFY(file.SaveCPFile());
        roundTrip(file.CPFileName());
    }
    // The file's X is the northing: the document's "Nord" (its Y); a swap would put X near 388,000.
    void axesFollowTheFileOrder()
    {
        QTemporaryDir dir;
        const QString exported = dir.filePath(QStringLiteral("t.cgxml"));
        QCOMPARE(runCliCaptured({QStringLiteral("cgxml"), sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")),
                                 QStringLiteral("-o"), exported})
                     .code,
                 0);
        CgxmlReader reader;
        QString error;
        QVERIFY2(reader.readFile(exported, &error), qPrintable(error));
        const QList<CgxmlRow> points = reader.rows(QStringLiteral("Points"));
        QCOMPARE(points.size(), 8 + 6 + 4);
        for (const CgxmlRow& point : points) {
            QVERIFY2(qAbs(point.value("X").toDouble() - 546000) < 1000, qPrintable(point.value("X")));
            QVERIFY2(qAbs(point.value("Y").toDouble() - 388000) < 1000, qPrintable(point.value("Y")));
        }
    }

    void refusedExportLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("breakDocument");
        // A document failing the checks must not replace the previous export.
        QTest::newRow("checks refuse") << QStringLiteral("old.cgxml") << true;
        // A folder that does not exist fails cleanly with a message.
        QTest::newRow("missing folder") << QStringLiteral("missing/x.cgxml") << false;
    }

    void refusedExportLeavesTheOldFile()
    {
        QFETCH(QString, target);
        QFETCH(bool, breakDocument);
        QTemporaryDir dir;
        CPFile file(QStringLiteral("."));
        file.setDocument(DocumentFactory::sample(5));
        if (breakDocument)
            file.Document()->Land()->Parcels()->Item(1)->setLandUse(QStringLiteral("XX"));
        file.setCPFileName(dir.filePath(QStringLiteral("doc.CP")));
        QVERIFY(file.SaveCPFile());
        const QString path = dir.filePath(target);
        CgxmlTestFiles::write(path, "old"); // fails for the missing folder, as it should
        const CliResult result = runCliCaptured(
            {QStringLiteral("cgxml"), dir.filePath(QStringLiteral("doc.CP")), QStringLiteral("-o"), path});
        QCOMPARE(result.code, 1);
        QVERIFY(!result.err.isEmpty());
        if (breakDocument) {
            QCOMPARE(readAll(path), QByteArray("old"));
            QVERIFY(result.err.contains(QStringLiteral("Categoria de folosinta \"XX\" a parcelei")));
        }
    }

    // A device that fills up mid-file reports the failure instead of a short file called success.
    void fullDeviceFails()
    {
        FailDevice device(200);
        QVERIFY(device.open(QIODevice::WriteOnly));
        Error error;
        QVERIFY(!CgxmlWriter::write(*DocumentFactory::sample(50), {}, &device, &error));
        QVERIFY(error.number != 0);
    }

    void numbersKeepEveryDigit_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        // Each row: a value a fixed 3-decimal or 6-significant format would change.
        QTest::newRow("whole") << 546512.0 << "546512";
        QTest::newRow("millimetres") << 388270.625 << "388270.625";
        QTest::newRow("below millimetre") << 388270.0625 << "388270.0625";
        QTest::newRow("small area") << 14.6 << "14.6";
    }

    void numbersKeepEveryDigit()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(CgxmlWriter::number(value), text);
        QCOMPARE(text.toDouble(), value);
    }
};

QTEST_GUILESS_MAIN(tst_cgxmlexport)
#include "tst_cgxmlexport.moc"
