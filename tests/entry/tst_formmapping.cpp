#include "base/Error.h"
#include "entry/FormMapping.h"

#include <QtTest>

using namespace FormMapping;

namespace {
GridRows column(int column, const QStringList& values)
{
    GridRows grid;
    for (const QString& value : values) {
        QStringList row;
        for (int c = 1; c < column; ++c)
            row.append(QString());
        row.append(value);
        grid.rows.append(row);
    }
    return grid;
}
} // namespace

class tst_FormMapping : public QObject
{
    Q_OBJECT

private slots:
    void parcelsTotal_data()
    {
        QTest::addColumn<QStringList>("areas");
        QTest::addColumn<QString>("total");
        QTest::newRow("areas with an empty cell") << QStringList{"100", "250.5", ""} << "350.5";
        QTest::newRow("no rows") << QStringList{} << "0";
        QTest::newRow("equal shares") << QStringList{"1/4", "1/4"} << "2/4";
        QTest::newRow("last denominator wins") << QStringList{"1/4", "2/8"} << "3/8";
        QTest::newRow("apartment shares") << QStringList{"25/1000", "30/1000"} << "55/1000";
        QTest::newRow("shares and plain areas mix") << QStringList{"1/4", "2"} << "3/4";
        QTest::newRow("leading number only") << QStringList{"12abc", "1,5"} << "13";
        QTest::newRow("blanks ignored") << QStringList{" 1 0 ", "0.25"} << "10.25";
        QTest::newRow("no float noise") << QStringList{"0.1", "0.2"} << "0.3";
        QTest::newRow("negative sum") << QStringList{"-5", "2"} << "-3";
    }
    void parcelsTotal()
    {
        QFETCH(QStringList, areas);
        QFETCH(QString, total);
        QCOMPARE(FormMapping::parcelsTotal(column(ParcelColumn::Area, areas)), total);
    }

    void buildingsTotal_data()
    {
        QTest::addColumn<QStringList>("areas");
        QTest::addColumn<QString>("total");
        QTest::newRow("sum of parts") << QStringList{"80+20", "50"} << "150";
        QTest::newRow("only two parts count") << QStringList{"10+20+30"} << "30";
        QTest::newRow("empty") << QStringList{"", ""} << "0";
        QTest::newRow("decimals") << QStringList{"12.25+0.5", "x"} << "12.75";
    }
    void buildingsTotal()
    {
        QFETCH(QStringList, areas);
        QFETCH(QString, total);
        QCOMPARE(FormMapping::buildingsTotal(column(BuildColumn::Area, areas)), total);
    }

    void totalLabel()
    {
        QCOMPARE(totalLabelText("0"), QString());
        QCOMPARE(totalLabelText("0/4"), QString("0/4"));
        QCOMPARE(totalLabelText("12"), QString("12"));
    }

    void readsAsNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("number");
        QTest::newRow("integer") << "12"
                                 << "." << true;
        QTest::newRow("point") << "0.25"
                               << "." << true;
        QTest::newRow("locale comma") << "0,25"
                                      << "," << true;
        QTest::newRow("point beside locale comma") << "0.25"
                                                   << "," << true;
        QTest::newRow("comma in point locale") << "0,25"
                                               << "." << false;
        QTest::newRow("signed, blanks") << " -3.5 "
                                        << "." << true;
        QTest::newRow("leading point") << ".5"
                                       << "." << true;
        QTest::newRow("exponent") << "1e3"
                                  << "." << true;
        QTest::newRow("sum") << "12+5"
                             << "." << false;
        QTest::newRow("share") << "1/2"
                               << "." << false;
        QTest::newRow("empty") << ""
                               << "." << false;
        QTest::newRow("blank") << " "
                               << "." << false;
        QTest::newRow("suffix") << "12mp"
                                << "." << false;
        QTest::newRow("sign only") << "-"
                                   << "." << false;
    }
    void readsAsNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(bool, number);
        QCOMPARE(FormMapping::readsAsNumber(text, separator), number);
    }

    void parcelNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("plain") << "12" << 12 << 0;
        QTest::newRow("blanks") << " 7 " << 7 << 0;
        QTest::newRow("lowest") << "-32768" << -32768 << 0;
        QTest::newRow("highest") << "32767" << 32767 << 0;
        QTest::newRow("letter") << "12A" << 0 << ErrorNumber::TypeMismatch;
        QTest::newRow("decimal") << "1.5" << 0 << ErrorNumber::TypeMismatch;
        QTest::newRow("too big") << "32768" << 0 << ErrorNumber::Overflow;
        QTest::newRow("huge") << "99999999999999999999999" << 0 << ErrorNumber::Overflow;
    }
    void parcelNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        try {
            const int read = FormMapping::parcelNumber(text);
            QCOMPARE(error, 0);
            QCOMPARE(read, value);
        } catch (const Failure& failure) {
            QCOMPARE(failure.error().number, error);
        }
    }

    void nextNumbers()
    {
        QCOMPARE(nextParcelNumber(GridRows{}), QString("1"));
        QCOMPARE(nextParcelNumber(column(ParcelColumn::No, {"3", "7"})), QString("8"));
        QCOMPARE(nextParcelNumber(column(ParcelColumn::No, {"7", ""})), QString("1"));
        QCOMPARE(nextBuildingNumber(GridRows{}, false), QString("C1"));
        QCOMPARE(nextBuildingNumber(GridRows{}, true), QString("1"));
        QCOMPARE(nextBuildingNumber(column(BuildColumn::No, {"C1", "C3"}), false), QString("C4"));
        QCOMPARE(nextBuildingNumber(column(BuildColumn::No, {"C12"}), false), QString("C13"));
        QCOMPARE(nextBuildingNumber(column(BuildColumn::No, {"4"}), true), QString("5"));
    }

    // SIRUTA follows the Intravilan box, whatever list holds a selection.
    void addressIdentifier()
    {
        FormData form;
        form.territoryId = 1017;
        form.localityId = 1026;
        form.intravilan = false;
        AddressPtr address = addressFromForm(form);
        QCOMPARE(address->SIRUTA(), 1017);
        QCOMPARE(int(address->IECode()), 0);
        form.intravilan = true;
        address = addressFromForm(form);
        QCOMPARE(address->SIRUTA(), 1026);
        QCOMPARE(int(address->IECode()), 1);
    }

    void streetNameSource()
    {
        FormData form;
        form.streetListText = "Horea";
        form.streetText = "typed";
        QCOMPARE(addressFromForm(form)->StreetName(), QString("typed"));
        form.hasStreetList = true;
        QCOMPARE(addressFromForm(form)->StreetName(), QString("Horea"));
    }

    void rowConversions()
    {
        GridRows owners;
        owners.rows = {{"abc", "def"}};
        OwnerPtr owner = ownerFromRow(owners, 0);
        QCOMPARE(owner->LastName(), QString("ABC"));
        QCOMPARE(owner->FirstName(), QString("DEF"));

        GridRows parcels;
        parcels.rows = {{"3", "cc", "tdi", "0,25", "iv", "a", "note ș"}};
        ParcelPtr land = parcelFromRow(parcels, 0, false);
        QCOMPARE(land->MeasuredArea(), QString("0,25"));
        QCOMPARE(land->LandUse(), QString("cc"));
        QCOMPARE(land->Comments(), QString("NOTE Ș"));
        ParcelPtr share = parcelFromRow(parcels, 0, true);
        QCOMPARE(share->MeasuredArea(), QString("0.25"));

        GridRows buildings;
        buildings.rows = {{"c1", "casa", "12,5", "cl", "x"}};
        BuildPtr build = buildFromRow(buildings, 0, true);
        QCOMPARE(build->No(), QString("c1"));
        QCOMPARE(build->Description(), QString("CASA"));
        QCOMPARE(build->MeasuredArea(), QString("12.5"));
        QCOMPARE(build->BuildDestination(), QString("cl"));
        QCOMPARE(build->Comments(), QString("X"));
        QCOMPARE(buildFromRow(buildings, 0, false)->MeasuredArea(), QString("12,5"));
    }

    // A document read into the form and built back gives the same values.
    void roundTrip()
    {
        Document document;
        auto address = std::make_shared<Address>();
        address->setIECode(1);
        address->setStreetType("Strada");
        address->setStreetName("Horea");
        address->setStreetNo("5");
        address->setBuildNo("B2");
        address->setEntranceNo("A");
        address->setTarlaNo("T1");
        address->setParcelNo("P2");
        address->setFloorNo("3");
        address->setApartmentNo("12");
        address->setDistrictType("Sector");
        address->setDistrictName("Centru");
        address->setDescription("langa parc");
        document.Land()->setAddress(address);
        auto parcels = std::make_shared<Parcels>();
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(4);
        parcel->setLandUse("A");
        parcel->setLandDestination("TDA");
        parcel->setMeasuredArea("120");
        parcel->setComments("C");
        parcels->Add(parcel);
        parcels->setTotalMeasuredArea("120");
        parcels->setTotalLegalArea("118");
        document.Land()->setParcels(parcels);
        auto owners = std::make_shared<Owners>();
        auto owner = std::make_shared<Owner>();
        owner->setLastName("POP");
        owner->setFirstName("ION");
        owners->Add(owner);
        document.Land()->setOwners(owners);

        FormData form = formFromDocument(document);
        QVERIFY(form.intravilan);
        QCOMPARE(form.parcels.rows, (QList<QStringList>{{"4", "A", "TDA", "120", "", "", "C"}}));
        QCOMPARE(form.owners.rows, (QList<QStringList>{{"POP", "ION"}}));
        QCOMPARE(form.buildings.count(), 0);
        QCOMPARE(form.parcelsTotal, QString("120"));
        QCOMPARE(form.parcelsLegalTotal, QString("118"));
        QCOMPARE(form.buildingsLegalTotal, QString("0"));

        form.localityId = 1026;
        AddressPtr back = addressFromForm(form);
        QCOMPARE(back->StreetName(), QString("Horea"));
        QCOMPARE(back->ApartmentNo(), QString("12"));
        QCOMPARE(back->Description(), QString("langa parc"));
        QCOMPARE(back->TarlaNo(), QString("T1"));
        QCOMPARE(back->SIRUTA(), 1026);
        QCOMPARE(parcelRow(*parcelFromRow(form.parcels, 0, false)), form.parcels.rows.at(0));
    }

    void documentWithoutReferences()
    {
        Document document;
        document.setIsAp(-1);
        FormData form = formFromDocument(document);
        QVERIFY(form.isAp);
        QCOMPARE(form.parcels.count(), 0);
        QCOMPARE(form.parcelsTotal, QString("0"));
        document.setLand(nullptr);
        QCOMPARE(formFromDocument(document).owners.count(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_FormMapping)
#include "tst_formmapping.moc"
