#include "entry/FormValidation.h"
#include "model/Document.h"
#include "support/ScriptedPrompter.h"

#include <QtTest>
#include <functional>

using Change = std::function<void(FormData&)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QString Dot = QStringLiteral(".");

// A form that passes every check: an intravilan land with one owner, one parcel, one building.
FormData landForm()
{
    FormData form;
    form.county = "Alba";
    form.countyId = 1;
    form.territory = "Municipiul Alba Iulia";
    form.territoryId = 1017;
    form.intravilan = true;
    form.locality = "Alba Iulia";
    form.localityId = 1026;
    form.streetType = "Strada";
    form.hasStreetList = true;
    form.streetListText = "Horea";
    form.streetNo = "5";
    form.owners.rows = {{"pop", "ion"}};
    form.parcels.rows = {{"1", "CC", "TDI", "350", "", "", ""}};
    form.buildings.rows = {{"C1", "casa", "100", "CL", ""}};
    form.parcelsLegalTotal = "350";
    form.buildingsLegalTotal = "100";
    return form;
}

FormData apartmentForm()
{
    FormData form = landForm();
    form.isAp = true;
    form.apartmentNo = "12";
    form.parcels.rows = {{"1", "CC", "TDI", "0.025", "", "", ""}};
    form.buildings.rows = {{"1", "apartament", "54,5", "CL", ""}};
    form.buildingsLegalTotal = "54,5";
    return form;
}

// A document whose land already holds data, so a failed run can be seen to leave it alone.
Document heldDocument()
{
    Document document;
    auto address = std::make_shared<Address>();
    address->setStreetName("old");
    document.Land()->setAddress(address);
    return document;
}

} // namespace

class tst_FormValidation : public QObject
{
    Q_OBJECT

private slots:
    // Every plain check: its exact message, shown once, the document untouched.
    void failedCheck_data()
    {
        QTest::addColumn<bool>("apartment");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("message");

        QTest::newRow("county") << false << Change([](FormData& f) { f.county.clear(); })
                                << "Judetul nu este completat.";
        QTest::newRow("territory") << false << Change([](FormData& f) { f.territory.clear(); })
                                   << "Teritoriul administrativ nu este completat.";
        QTest::newRow("locality") << false << Change([](FormData& f) { f.locality.clear(); })
                                  << "Localitatea nu este completata.";
        QTest::newRow("apartment number") << true << Change([](FormData& f) { f.apartmentNo.clear(); })
                                          << "Numarul apartamentului nu este completat.";
        QTest::newRow("owner first name") << false << Change([](FormData& f) {
            f.owners.rows.append(QStringList{"A", ""});
        }) << "Numele proprietarului nu este completat.";
        QTest::newRow("owner last name") << false << Change([](FormData& f) {
            f.owners.rows = {{"", "B"}};
        }) << "Numele proprietarului nu este completat.";
        QTest::newRow("no parcels, land") << false << Change([](FormData& f) { f.parcels.rows.clear(); })
                                          << "Corpul de proprietate curent trebuie sa contina cel putin o parcela.";
        QTest::newRow("land use") << false << Change([](FormData& f) { f.parcels.setCell(0, 2, ""); })
                                  << "Categoria de folosinta pentru parcela 1 nu este completata.";
        QTest::newRow("land destination") << false << Change([](FormData& f) { f.parcels.setCell(0, 3, ""); })
                                          << "Codul grupa destinatie pentru parcela 1 nu este completat.";
        QTest::newRow("measured area") << false << Change([](FormData& f) { f.parcels.setCell(0, 4, ""); })
                                       << "Suprafata din masuratori pentru parcela 1 nu este completata.";
        QTest::newRow("share") << true << Change([](FormData& f) { f.parcels.setCell(0, 4, "1/2"); })
                               << "Cota teren indiviza pentru parcela 1 nu este o valoare numerica.";
        QTest::newRow("parcels legal total")
            << false << Change([](FormData& f) { f.parcelsLegalTotal = "350 mp"; })
            << "Valoarea introdusa pentru totalul suprafetei din acte pentru parcele nu este numerica.";
        QTest::newRow("no apartment rows") << true << Change([](FormData& f) { f.buildings.rows.clear(); })
                                           << "Nu au fost introduse informatii despre apartament.";
        QTest::newRow("building name") << false << Change([](FormData& f) { f.buildings.setCell(0, 2, ""); })
                                       << "Denumirea constructiei C1 nu este completata.";
        QTest::newRow("building area, land") << false << Change([](FormData& f) { f.buildings.setCell(0, 3, ""); })
                                             << "Suprafata construita la sol pentru constructia C1 nu este completata.";
        QTest::newRow("building area, apartment")
            << true << Change([](FormData& f) { f.buildings.setCell(0, 3, ""); })
            << "Suprafata construita la sol pentru constructia 1 nu este completata.";
        QTest::newRow("building destination") << false << Change([](FormData& f) { f.buildings.setCell(0, 4, ""); })
                                              << "Codul grupa destinatie pentru constructia C1 nu este completat.";
        QTest::newRow("useful area") << true << Change([](FormData& f) { f.buildings.setCell(0, 3, "54 mp"); })
                                     << "Suprafata utila a apartamentului nu este o valoare numerica.";
        QTest::newRow("land building area, a sum") << false << Change([](FormData& f) {
            f.buildings.rows.append(QStringList{"C2", "anexa", "12+5", "CA", ""});
        }) << "Valoarea suprafetei pentru cladirea C2 nu este numerica.";
        QTest::newRow("buildings legal total")
            << false << Change([](FormData& f) { f.buildingsLegalTotal = "1/2"; })
            << "Valoarea introdusa pentru totalul suprafetei din acte pentru cladiri nu este numerica.";
        QTest::newRow("parcel number not whole")
            << false << Change([](FormData& f) { f.parcels.setCell(0, 1, "12A"); }) << "13 Type mismatch";
        QTest::newRow("parcel number overflow")
            << false << Change([](FormData& f) { f.parcels.setCell(0, 1, "40000"); }) << "6 Overflow";
        // The first failed rule wins: the county is checked before the owners.
        QTest::newRow("order") << false << Change([](FormData& f) {
            f.owners.rows = {{"", ""}};
            f.county.clear();
        }) << "Judetul nu este completat.";
    }
    void failedCheck()
    {
        QFETCH(bool, apartment);
        QFETCH(Change, change);
        QFETCH(QString, message);
        FormData form = apartment ? apartmentForm() : landForm();
        change(form);
        Document document = heldDocument();
        const AddressPtr before = document.Land()->Address();
        ScriptedPrompter prompter;
        QVERIFY(!FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(prompter.texts(), QStringList{message});
        QCOMPARE(prompter.last().caption, QString("Eroare"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QCOMPARE(prompter.last().kind, ScriptedPrompter::Entry::Message);
        QCOMPARE(document.Land()->Address(), before);
        QVERIFY(!document.Land()->Parcels());
        QVERIFY(!document.Land()->Owners());
    }

    // The three street questions: Yes goes on, No stops with the document untouched.
    void streetQuestions_data()
    {
        QTest::addColumn<QList<int>>("answers"); // 1 yes, 0 no
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("passed");
        QTest::newRow("all yes") << QList<int>{1, 1, 1} << 3 << true;
        QTest::newRow("no to street type") << QList<int>{0} << 1 << false;
        QTest::newRow("no to street name") << QList<int>{1, 0} << 2 << false;
        QTest::newRow("no to number") << QList<int>{1, 1, 0} << 3 << false;
    }
    void streetQuestions()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(bool, passed);
        FormData form = landForm();
        form.streetType.clear();
        form.streetListText.clear();
        form.streetText = "ignored while the list is used";
        form.streetNo.clear();
        form.buildNo.clear();
        ScriptedPrompter prompter;
        for (int answer : answers)
            prompter.queueAnswer(answer ? Prompter::Answer::Yes : Prompter::Answer::No);
        Document document = heldDocument();
        QCOMPARE(FormValidation::ValidateData(form, document, prompter, Dot), passed);
        const QStringList expected{"Tipul de artera nu este completat. Continuati ?",
                                   "Denumire artera nu este completata. Continuati ?",
                                   "Numar bloc sau numar postal nu este completat. Continuati ?"};
        QCOMPARE(prompter.texts(), expected.mid(0, questions));
        for (const auto& entry : prompter.log()) {
            QCOMPARE(entry.kind, ScriptedPrompter::Entry::Question);
            QCOMPARE(entry.caption, QString("Eroare"));
            QCOMPARE(entry.buttons, Prompter::Buttons::YesNo);
            QCOMPARE(entry.icon, Prompter::Icon::Exclamation);
        }
        QCOMPARE(document.Land()->Address()->StreetName(), passed ? QString() : QString("old"));
    }

    void streetQuestionsSkipped()
    {
        ScriptedPrompter prompter;
        Document document;
        // A block number alone answers the number question; a typed street is the name when
        // the locality has no listed streets.
        FormData form = landForm();
        form.hasStreetList = false;
        form.streetText = "Libera";
        form.streetNo.clear();
        form.buildNo = "B1";
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(document.Land()->Address()->StreetName(), QString("Libera"));
        // Extravilan: nothing about locality or street is asked.
        form = landForm();
        form.intravilan = false;
        form.locality.clear();
        form.streetType.clear();
        form.streetListText.clear();
        form.streetNo.clear();
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QVERIFY(prompter.log().isEmpty());
        QCOMPARE(document.Land()->Address()->SIRUTA(), 1017);
    }

    void landPasses()
    {
        FormData form = landForm();
        form.parcels.rows.append(
            QStringList{"", "", "", "50", "", "", ""}); // unnumbered: skipped but counted in the total
        form.parcelsLegalTotal.clear();
        form.buildings.rows.append(QStringList{"C2", "anexa", "12.5", "CA", "nota"});
        Document document = heldDocument();
        ScriptedPrompter prompter;
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QVERIFY(prompter.log().isEmpty());
        const LandPtr& land = document.Land();
        QCOMPARE(land->Address()->SIRUTA(), 1026);
        QCOMPARE(land->Address()->StreetName(), QString("Horea"));
        QCOMPARE(land->Owners()->Count(), 1);
        QCOMPARE(land->Owners()->Item(1)->LastName(), QString("POP"));
        QCOMPARE(land->Parcels()->Count(), 1);
        QCOMPARE(land->Parcels()->TotalMeasuredArea(), QString("400"));
        QCOMPARE(land->Parcels()->TotalLegalArea(), QString("0"));
        QCOMPARE(form.parcelsLegalTotal, QString("0"));
        QCOMPARE(land->Buildings()->Count(), 2);
        QCOMPARE(land->Buildings()->Item(2)->Comments(), QString("NOTA"));
        QCOMPARE(land->Buildings()->TotalMeasuredArea(), QString("112.5"));
        QCOMPARE(land->Buildings()->TotalLegalArea(), QString("100"));
        QVERIFY(form.parcelsTotalMarked && form.buildingsTotalMarked);
    }

    void landWithoutBuildingsOrOwners()
    {
        FormData form = landForm();
        form.owners.rows.clear();
        form.buildings.rows.clear();
        form.parcels.rows = {{"", "", "", "", "", "", ""}};
        Document document;
        ScriptedPrompter prompter;
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(document.Land()->Parcels()->Count(), 0);
        QCOMPARE(document.Land()->Parcels()->TotalMeasuredArea(), QString("0"));
        QCOMPARE(document.Land()->Buildings()->Count(), 0);
        QCOMPARE(document.Land()->Buildings()->TotalMeasuredArea(), QString("0"));
        QCOMPARE(document.Land()->Owners()->Count(), 0);
    }

    void apartmentPasses()
    {
        FormData form = apartmentForm();
        form.parcels.rows = {{"1", "CC", "TDI", "0,25", "", "", ""}, {"2", "CC", "TDI", "", "", "", ""}};
        Document document;
        ScriptedPrompter prompter;
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(form.parcels.cell(0, ParcelColumn::Area), QString("0.25"));
        QCOMPARE(form.buildings.cell(0, BuildColumn::Area), QString("54.5"));
        QCOMPARE(form.buildingsLegalTotal, QString("54.5"));
        QCOMPARE(document.Land()->Parcels()->Item(1)->MeasuredArea(), QString("0.25"));
        QCOMPARE(document.Land()->Buildings()->Item(1)->MeasuredArea(), QString("54.5"));
        QCOMPARE(document.Land()->Buildings()->TotalLegalArea(), QString("54.5"));
        QCOMPARE(document.Land()->Address()->ApartmentNo(), QString("12"));

        form.parcels.rows.clear();
        QVERIFY(FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(document.Land()->Parcels()->Count(), 0);
        QVERIFY(prompter.log().isEmpty());
    }

    // A failed run keeps what it changed in the form before the failing rule.
    void failedRunKeepsFormChanges()
    {
        FormData form = apartmentForm();
        form.parcels.rows = {{"1", "CC", "TDI", "0,5", "", "", ""}};
        form.buildings.setCell(0, BuildColumn::Description, "");
        Document document;
        ScriptedPrompter prompter;
        QVERIFY(!FormValidation::ValidateData(form, document, prompter, Dot));
        QCOMPARE(form.parcels.cell(0, ParcelColumn::Area), QString("0.5"));
        QCOMPARE(form.parcelsTotal, QString("0.5"));
        QVERIFY(form.parcelsTotalMarked);
        QVERIFY(!form.buildingsTotalMarked);
        QCOMPARE(form.buildings.cell(0, BuildColumn::Area), QString("54,5"));
    }

    void localeSeparator()
    {
        FormData form = landForm();
        form.buildings.setCell(0, BuildColumn::Area, "12,5");
        form.parcelsLegalTotal = "350,5";
        Document document;
        ScriptedPrompter prompter;
        QVERIFY(FormValidation::ValidateData(form, document, prompter, ","));
        QCOMPARE(document.Land()->Buildings()->Item(1)->MeasuredArea(), QString("12,5"));
        QCOMPARE(document.Land()->Parcels()->TotalLegalArea(), QString("350,5"));
    }
};

QTEST_GUILESS_MAIN(tst_FormValidation)
#include "tst_formvalidation.moc"
