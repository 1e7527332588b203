// The code lists of the exchange file and the mapping of the document's values onto them.
#include "cgxml/CgxmlCodes.h"
#include "entry/nomenclature/CodeLists.h"

#include <QTest>

class tst_cgxmlcodes : public QObject
{
    Q_OBJECT

private slots:
    void streetTypes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("nameBack");
        // Each row: a street type whose code a wrong table row, a case-sensitive lookup or the
        // cedilla spelling would lose.
        QTest::newRow("strada") << "Strada"
                                << "STR"
                                << "Strada";
        QTest::newRow("bulevard") << "Bulevardul"
                                  << "BDUL"
                                  << "Bulevardul";
        QTest::newRow("calea") << "Calea"
                               << "CALEA"
                               << "Calea";
        QTest::newRow("aleea") << "Aleea"
                               << "AL"
                               << "Aleea";
        QTest::newRow("intrarea") << "Intrarea"
                                  << "INTR"
                                  << "Intrarea";
        QTest::newRow("soseaua comma below") << "Șoseaua"
                                             << "SOS"
                                             << "Șoseaua";
        QTest::newRow("soseaua cedilla") << "Şoseaua"
                                         << "SOS"
                                         << "Șoseaua";
        QTest::newRow("lower case") << "strada"
                                    << "STR"
                                    << "Strada";
        QTest::newRow("blanks around") << " Piața "
                                       << "PTA"
                                       << "Piața";
        QTest::newRow("unknown type") << "Magistrala"
                                      << ""
                                      << "";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }

    void streetTypes()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, nameBack);
        QCOMPARE(CgxmlCodes::streetTypeCode(name), code);
        QCOMPARE(CgxmlCodes::streetTypeName(code), nameBack);
    }

    void importedCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        // Spellings other programs write: lower case and the short forms.
        QTest::newRow("lower case code") << "bdul"
                                         << "Bulevardul";
        QTest::newRow("short BD") << "BD"
                                  << "Bulevardul";
        QTest::newRow("DR") << "DR"
                            << "Drumul";
        QTest::newRow("unknown") << "XYZ"
                                 << "";
    }

    void importedCodes()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(CgxmlCodes::streetTypeName(code), name);
    }

    // Every street type name the table writes must be one the nomenclature's list knows, or
    // the imported address would show a type the form cannot select.
    void namesAreNomenclatureNames()
    {
        for (const QString code : {"STR", "AL", "BDUL", "CALEA", "SOS", "INTR", "PTA", "SPL", "DRUM", "PRL", "FDT"})
            QVERIFY2(CodeLists::streetTypeOfName(CgxmlCodes::streetTypeName(code)) != 0, qPrintable(code));
    }

    void useCategories_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("known");
        QTest::newRow("arabil") << "A" << true;
        QTest::newRow("curti constructii") << "CC" << true;
        QTest::newRow("altele") << "ALTELE" << true;
        QTest::newRow("neproductiv NA") << "NA" << true;
        QTest::newRow("lower case is not a code") << "cc" << false;
        QTest::newRow("destination is not a category") << "TDI" << false;
        QTest::newRow("empty") << "" << false;
    }

    void useCategories()
    {
        QFETCH(QString, code);
        QFETCH(bool, known);
        QCOMPARE(CgxmlCodes::isUseCategory(code), known);
    }

    // The program's own category list must fit in the file's.
    void programCategoriesAreFileCodes()
    {
        const NomenclatureTable table = CodeLists::landUseCategories();
        for (size_t row = 0; row < table.rowCount(); ++row)
            QVERIFY2(CgxmlCodes::isUseCategory(table.cell(row, 0).toString()),
                     qPrintable(table.cell(row, 0).toString()));
        const NomenclatureTable buildings = CodeLists::buildingDestinations();
        for (size_t row = 0; row < buildings.rowCount(); ++row)
            QVERIFY(CgxmlCodes::isBuildingDestination(buildings.cell(row, 0).toString()));
    }

    void buildingDestinations_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("known");
        QTest::newRow("locuinte") << "CL" << true;
        QTest::newRow("anexa") << "CA" << true;
        QTest::newRow("industriale") << "CIE" << true;
        QTest::newRow("administrative") << "CAS" << true;
        QTest::newRow("land code") << "CC" << false;
    }

    void buildingDestinations()
    {
        QFETCH(QString, code);
        QFETCH(bool, known);
        QCOMPARE(CgxmlCodes::isBuildingDestination(code), known);
    }

    void landDestination_data()
    {
        QTest::addColumn<QString>("use");
        QTest::addColumn<bool>("intravilan");
        QTest::addColumn<QString>("destination");
        // Each row: a parcel whose destination group would come back wrong from a file.
        QTest::newRow("intravilan yard") << "CC" << true << "TDI";
        QTest::newRow("intravilan arable") << "A" << true << "TDI";
        QTest::newRow("extravilan arable") << "A" << false << "TDA";
        QTest::newRow("extravilan forest") << "PD" << false << "TDF";
        QTest::newRow("extravilan water") << "HR" << false << "TDH";
        QTest::newRow("extravilan road") << "DR" << false << "TDS";
        QTest::newRow("extravilan railway") << "CF" << false << "TDS";
        QTest::newRow("unknown category") << "XX" << false << "";
    }

    void landDestination()
    {
        QFETCH(QString, use);
        QFETCH(bool, intravilan);
        QFETCH(QString, destination);
        QCOMPARE(CgxmlCodes::landDestination(use, intravilan), destination);
    }
};

QTEST_GUILESS_MAIN(tst_cgxmlcodes)
#include "tst_cgxmlcodes.moc"
