// The data form's fixed texts in the order the user meets them: a stored document's codes that
// the nomenclature lacks, the validation's first failed rule when two fail at once, and the add
// commands after a number too long to continue.
#include "entry/FormMapping.h"
#include "entry/FormValidation.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "format/CPFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QtTest>
#include <functional>

using DocumentChange = std::function<void(Document&)>;
using FormChange = std::function<void(FormData&)>;
Q_DECLARE_METATYPE(DocumentChange)
Q_DECLARE_METATYPE(FormChange)

namespace {

ParcelPtr parcel(Document& document, int index)
{
    return document.Land()->Parcels()->Item(index);
}

GridRows rowsOf(int column, const QStringList& numbers)
{
    GridRows rows;
    for (const QString& number : numbers) {
        QStringList row(8);
        row[column - 1] = number;
        rows.rows.append(row);
    }
    return rows;
}

} // namespace

class tst_FormMessages : public QObject
{
    Q_OBJECT

    // The intravilan sample (buildings C1 and C2) with the build's nomenclature: it shows
    // without a message.
    DocumentPtr m_sample;
    std::unique_ptr<CreateFBI> m_form;
    ScriptedPrompter m_prompter;

private slots:
    void init()
    {
        CPFile file(QStringLiteral("."));
        file.setCPFileName(TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")));
        QVERIFY(file.LoadCPFile());
        m_sample = file.Document();
        m_prompter.clear();
        m_form = std::make_unique<CreateFBI>(m_prompter);
        Error error;
        if (!m_form->InitializeData(QStringLiteral(LOTMARK_BUILD_DATA), &error))
            QSKIP("the build's Data folder is missing");
        m_form->setDocument(m_sample);
        m_form->ShowData();
        QCOMPARE(m_prompter.texts(), QStringList());
        m_prompter.clear();
    }

    void showDataMisses_data()
    {
        QTest::addColumn<DocumentChange>("change");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("street type") << DocumentChange([](Document& d) { d.Land()->Address()->setStreetType("Xyz"); })
                                     // without a street type the street list stays empty
                                     << QStringList{"Tip artera incorect.", "Strada este incorecta."};
        QTest::newRow("sub-unit type") << DocumentChange([](Document& d) {
            d.Land()->Address()->setDistrictType("Xyz");
        }) << QStringList{"Tip subunitate administrativa incorect."};
        QTest::newRow("parcel destination")
            << DocumentChange([](Document& d) { parcel(d, 1)->setLandDestination("ZZ"); })
            << QStringList{"Cod grupa destinatie este incorect pentru parcela 1."};
        QTest::newRow("land use before destination")
            << DocumentChange([](Document& d) {
                   parcel(d, 1)->setLandDestination("ZZ");
                   parcel(d, 1)->setLandUse("ZZ");
               })
            << QStringList{"Categoria de folosinta este incorecta pentru parcela 1.",
                           "Cod grupa destinatie este incorect pentru parcela 1."};
        QTest::newRow("address, then parcels, then buildings")
            << DocumentChange([](Document& d) {
                   d.Land()->Buildings()->Item(1)->setBuildDestination("ZZ");
                   parcel(d, 1)->setLandDestination("ZZ");
                   d.Land()->Address()->setDistrictType("Xyz");
               })
            << QStringList{"Tip subunitate administrativa incorect.",
                           "Cod grupa destinatie este incorect pentru parcela 1.",
                           "Cod grupa destinatie este incorect pentru cladirea C1."};
    }
    void showDataMisses()
    {
        QFETCH(DocumentChange, change);
        QFETCH(QStringList, messages);
        change(*m_sample);
        m_form->ShowData();
        QCOMPARE(m_prompter.texts(), messages);
        for (const ScriptedPrompter::Entry& entry : m_prompter.log()) {
            QCOMPARE(entry.caption, QString("Eroare"));
            QCOMPARE(entry.icon, Prompter::Icon::Exclamation);
        }
    }

    // Two rules broken at once on the shown sample; the first one checked is the one named.
    void validationOrder_data()
    {
        QTest::addColumn<FormChange>("change");
        QTest::addColumn<QString>("message");
        const auto cell = [](GridRows FormData::*grid, int row, int column, const QString& text) {
            return [=](FormData& f) { (f.*grid).setCell(row, column, text); };
        };
        const auto both = [](FormChange first, FormChange second) {
            return FormChange([=](FormData& f) {
                first(f);
                second(f);
            });
        };
        const FormChange noLandUse = cell(&FormData::parcels, 0, 2, "");
        const FormChange noDestination = cell(&FormData::parcels, 0, 3, "");
        const FormChange noMeasuredArea = cell(&FormData::parcels, 0, 4, "");
        const FormChange noOwnerName = cell(&FormData::owners, 0, 1, "");
        const FormChange noBuildingName = cell(&FormData::buildings, 0, 2, "");
        const FormChange noBuildingArea = cell(&FormData::buildings, 0, 3, "");
        const FormChange noBuildingDestination = cell(&FormData::buildings, 0, 4, "");
        const FormChange sumArea = cell(&FormData::buildings, 0, 3, "12+5");
        const FormChange noCounty = [](FormData& f) { f.county.clear(); };
        const FormChange noTerritory = [](FormData& f) { f.territory.clear(); };
        const FormChange noLocality = [](FormData& f) { f.locality.clear(); };
        const FormChange badLegalTotal = [](FormData& f) { f.parcelsLegalTotal = "abc"; };
        const FormChange badBuildingsTotal = [](FormData& f) { f.buildingsLegalTotal = "abc"; };
        const QString building = "C1";
        QTest::newRow("county before territory") << both(noTerritory, noCounty) << "Judetul nu este completat.";
        QTest::newRow("territory before locality")
            << both(noLocality, noTerritory) << "Teritoriul administrativ nu este completat.";
        QTest::newRow("locality before owners") << both(noOwnerName, noLocality) << "Localitatea nu este completata.";
        QTest::newRow("owners before parcels")
            << both(noLandUse, noOwnerName) << "Numele proprietarului nu este completat.";
        QTest::newRow("land use before destination")
            << both(noDestination, noLandUse) << "Categoria de folosinta pentru parcela 1 nu este completata.";
        QTest::newRow("destination before measured area")
            << both(noMeasuredArea, noDestination) << "Codul grupa destinatie pentru parcela 1 nu este completat.";
        QTest::newRow("parcel rows before their legal total")
            << both(badLegalTotal, noMeasuredArea) << "Suprafata din masuratori pentru parcela 1 nu este completata.";
        QTest::newRow("parcels before buildings")
            << both(noBuildingName, badLegalTotal)
            << "Valoarea introdusa pentru totalul suprafetei din acte pentru parcele nu este numerica.";
        QTest::newRow("building name before area")
            << both(noBuildingArea, noBuildingName) << "Denumirea constructiei " + building + " nu este completata.";
        QTest::newRow("building area before destination")
            << both(noBuildingDestination, noBuildingArea)
            << "Suprafata construita la sol pentru constructia " + building + " nu este completata.";
        QTest::newRow("destination before a sum as area")
            << both(sumArea, noBuildingDestination)
            << "Codul grupa destinatie pentru constructia " + building + " nu este completat.";
        QTest::newRow("building rows before their legal total")
            << both(badBuildingsTotal, sumArea)
            << "Valoarea suprafetei pentru cladirea " + building + " nu este numerica.";
        QTest::newRow("buildings legal total")
            << badBuildingsTotal
            << "Valoarea introdusa pentru totalul suprafetei din acte pentru cladiri nu este numerica.";
    }
    void validationOrder()
    {
        QFETCH(FormChange, change);
        QFETCH(QString, message);
        FormData form = m_form->formData();
        change(form);
        Document document;
        QVERIFY(!FormValidation::ValidateData(form, document, m_prompter, QStringLiteral(".")));
        QCOMPARE(m_prompter.texts(), QStringList{message});
    }

    // After a number too long to go on from, the add commands refuse with a message instead
    // of inventing one; ordinary numbers go on as before.
    void nextNumbers_data()
    {
        QTest::addColumn<bool>("building");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("next");
        QTest::newRow("parcel 7") << false << "7"
                                  << "8";
        QTest::newRow("parcel of 15 digits") << false << "999999999999998"
                                             << "999999999999999";
        QTest::newRow("parcel of 20 digits") << false << "99999999999999999999"
                                             << "";
        QTest::newRow("parcel with an exponent") << false << "1e300"
                                                 << "";
        QTest::newRow("negative parcel of 20 digits") << false << "-99999999999999999999"
                                                      << "";
        QTest::newRow("building C3") << true << "C3"
                                     << "C4";
        QTest::newRow("building C1e300") << true << "C1e300"
                                         << "";
        QTest::newRow("building of 20 digits") << true << "C99999999999999999999"
                                               << "";
    }
    void nextNumbers()
    {
        QFETCH(bool, building);
        QFETCH(QString, last);
        QFETCH(QString, next);
        const QString computed = building ? FormMapping::nextBuildingNumber(rowsOf(BuildColumn::No, {last}), false)
                                          : FormMapping::nextParcelNumber(rowsOf(ParcelColumn::No, {last}));
        QCOMPARE(computed, next);

        FormGrid* grid = building ? m_form->buildingsGrid() : m_form->parcelsGrid();
        grid->clearRows();
        grid->addRow({last});
        building ? m_form->AddBuildingRow() : m_form->AddParcelRow();
        QCOMPARE(grid->rowCount(), next.isEmpty() ? 1 : 2);
        if (next.isEmpty()) {
            QCOMPARE(m_prompter.texts(),
                     QStringList{
                         building
                             ? "Numarul constructiei " + last + " este prea mare pentru a adauga constructia urmatoare."
                             : "Numarul parcelei " + last + " este prea mare pentru a adauga parcela urmatoare."});
            QCOMPARE(m_prompter.last().caption, QString("Eroare"));
        } else {
            QCOMPARE(grid->cell(1, 1), next);
            QCOMPARE(m_prompter.texts(), QStringList());
        }
    }
};

QTEST_MAIN(tst_FormMessages)
#include "tst_formmessages.moc"
