// Areas are read by one rule, with the user's decimal separator; names read back from a .CP
// file (cedillas) find their comma-below entries in the nomenclature tables.
#include "base/AnsiText.h"
#include "base/AreaText.h"
#include "entry/FormMapping.h"
#include "entry/LookUpData.h"
#include "entry/nomenclature/MfpStreetReader.h"
#include "entry/nomenclature/NomenclatureBuilder.h"
#include "entry/nomenclature/SirutaReader.h"
#include "model/Contours.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_AreasAndNames : public QObject
{
    Q_OBJECT

    static void row(const char* fault, const char* text, const char* separator, bool number, double value)
    {
        QTest::newRow(fault) << QString::fromUtf8(text) << QString(separator) << number << value;
    }

private slots:
    void readingAnArea_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("number");
        QTest::addColumn<double>("value");
        row("user's comma read as 54", "54,5", ",", true, 54.5);
        row("comma taken as a point by a '.' user", "54,5", ".", false, 54);
        row("letter O for a zero passes", "52O", ".", false, 52);
        row("letter O inside passes", "4O2", ",", false, 4);
        row("blanks refused", " 1 234,5 ", ",", true, 1234.5);
        row("point refused beside a comma user", "500.5", ",", true, 500.5);
        row("two decimal points pass", "1.234,5", ",", false, 1.234);
        row("foreign digits pass", "١٢", ".", false, 0);
    }
    void readingAnArea()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, number);
        QFETCH(double, value);
        QCOMPARE(FormMapping::readsAsNumber(text, separator), number);
        QCOMPARE(AreaText::value(text, separator), value);
        GridRows buildings;
        buildings.rows = {{"C1", "casa", text}};
        QCOMPARE(FormMapping::buildingsTotal(buildings, separator), FormMapping::decimalText(value));
        // The save's building check reads it alike: of these only 54 is the area of a 54 m² contour.
        Polygons contours;
        contours.Add(DocumentFactory::polygonOf({{0, 0}, {54, 0}, {54, 1}, {0, 1}}, "C1"));
        Buildings form;
        form.Add(std::make_shared<Build>());
        form.Item(1)->setNo("C1");
        form.Item(1)->setMeasuredArea(text);
        QCOMPARE(!Contours::check(contours, "0", form, separator).has_value(), value == 54);
    }

    // Every Alba street of the national tables with a comma-below letter is found again, under
    // its locality and street type, after a round trip through the .CP code page.
    void nationalStreetsAfterTheFile()
    {
        const QString siruta = TestPaths::shared("data/nomenclature/raw/siruta-s1-2024.csv");
        const QString alba = TestPaths::shared("data/nomenclature/raw/mfp/alba");
        if (siruta.isEmpty() || alba.isEmpty())
            QSKIP("the official nomenclature files are not at hand");
        const NomenclatureBuild build =
            NomenclatureBuilder::build(SirutaReader::readFile(siruta), {MfpStreetReader::readCounty(alba)});
        const NomenclatureTable& streets = *NomenclatureBuilder::table(build, "Strazi.DAT");
        QTemporaryDir dir;
        NomenclatureWriter::write(streets, dir.filePath("Strazi.DAT"));
        LookUpData lookup;
        lookup.setFileName(dir.filePath("Strazi.DAT"));
        lookup.CreateLookUp();
        const auto field = [&](size_t row, const char* name) {
            return streets.cell(row, int(streets.fields.indexOf(name)));
        };
        int checked = 0;
        for (size_t row = 0; row < streets.rowCount(); ++row) {
            const QString street = field(row, "street_name").toString();
            if (street == AnsiText::withCedillas(street))
                continue;
            lookup.setFilter(QString("admin_id = %1 AND locality_id = %2 AND street_type_id = %3")
                                 .arg(field(row, "admin_id").toLongLong())
                                 .arg(field(row, "locality_id").toLongLong())
                                 .arg(field(row, "street_type_id").toLongLong()));
            const qint16 found = lookup.Search("street_name", AnsiText::decode(AnsiText::encode(street)));
            QVERIFY2(found >= 0, qPrintable(street));
            QCOMPARE(lookup.rsLookUp().value(found, lookup.rsLookUp().fieldIndex("street_name")).toString(), street);
            ++checked;
        }
        QVERIFY2(checked > 500, qPrintable(QString::number(checked)));
    }
};

QTEST_GUILESS_MAIN(tst_AreasAndNames)
#include "tst_areasandnames.moc"
