// The checks made before an exchange file is written: one table row per fault a rule catches,
// with the exact Romanian text the user sees.
#include "cgxml/CgxmlChecks.h"
#include "support/DocumentFactory.h"

#include <QTest>
#include <functional>

Q_DECLARE_METATYPE(std::function<void(Document&)>)

namespace {

using Change = std::function<void(Document&)>;

// A sound land: a 100 m square (10,000 mp), one parcel, a legal area equal to the measured one
// and a 10 m square house in the middle.
DocumentPtr soundLand()
{
    auto document = std::make_shared<Document>();
    Land& land = *document->Land();
    land.setAddress(std::make_shared<Address>());
    land.Address()->setStreetType(QStringLiteral("Strada"));
    land.setGeometry(DocumentFactory::polygonOf({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, QStringLiteral("TEREN")));
    auto parcels = std::make_shared<Parcels>();
    auto parcel = std::make_shared<Parcel>();
    parcel->setNo(1);
    parcel->setLandUse(QStringLiteral("CC"));
    parcel->setMeasuredArea(QStringLiteral("10000"));
    parcels->Add(std::move(parcel));
    parcels->setTotalMeasuredArea(QStringLiteral("10000"));
    parcels->setTotalLegalArea(QStringLiteral("10000"));
    land.setParcels(parcels);
    auto buildings = std::make_shared<Buildings>();
    auto build = std::make_shared<Build>();
    build->setNo(QStringLiteral("C1"));
    build->setMeasuredArea(QStringLiteral("100"));
    build->setBuildDestination(QStringLiteral("CL"));
    build->setGeometry(DocumentFactory::polygonOf({{45, 45}, {55, 45}, {55, 55}, {45, 55}}, QStringLiteral("C1")));
    buildings->Add(std::move(build));
    land.setBuildings(buildings);
    return document;
}

Parcel& parcel1(Document& d)
{
    return *d.Land()->Parcels()->Item(1);
}

Build& build1(Document& d)
{
    return *d.Land()->Buildings()->Item(1);
}

QStringList texts(const QList<CgxmlFinding>& findings, CgxmlFinding::Severity severity)
{
    QStringList list;
    for (const CgxmlFinding& finding : findings) {
        if (finding.severity == severity)
            list << finding.text;
    }
    return list;
}

} // namespace

class tst_cgxmlchecks : public QObject
{
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<QStringList>("warnings");

        QTest::newRow("sound land passes") << Change([](Document&) {}) << QStringList() << QStringList();

        // Parcels against the land's measured area.
        QTest::newRow("parcels within 1 mp")
            << Change([](Document& d) { parcel1(d).setMeasuredArea("10000.9"); }) << QStringList() << QStringList();
        QTest::newRow("parcels 2 mp short")
            << Change([](Document& d) { parcel1(d).setMeasuredArea("9998"); })
            << QStringList{"Suma suprafetelor parcelelor (9998 mp) difera de suprafata masurata a terenului (10000 mp) "
                           "cu mai mult de 1 mp."}
            << QStringList();

        // Built areas against the land.
        QTest::newRow("building larger than the land") << Change([](Document& d) {
            build1(d).setMeasuredArea("10001");
        }) << QStringList{"Suprafata construita a constructiei C1 (10001 mp) depaseste suprafata terenului (10000 mp)."}
                                                       << QStringList();
        QTest::newRow("buildings together larger than the land")
            << Change([](Document& d) {
                   build1(d).setMeasuredArea("6000");
                   auto second = std::make_shared<Build>();
                   second->setNo("C2");
                   second->setMeasuredArea("6000");
                   second->setBuildDestination("CA");
                   second->setGeometry(DocumentFactory::polygonOf({{10, 10}, {20, 10}, {20, 20}}, "C2"));
                   d.Land()->Buildings()->Add(std::move(second));
               })
            << QStringList{"Suprafetele construite ale constructiilor (12000 mp) depasesc suprafata terenului (10000 "
                           "mp)."}
            << QStringList();

        // Measured against legal area.
        QTest::newRow("legal 1.9% off passes")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("10190"); }) << QStringList()
            << QStringList();
        QTest::newRow("legal 3% above warns")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("9708.74"); }) << QStringList()
            << QStringList{
                   "Suprafata masurata a terenului (10000 mp) difera cu 3% de suprafata din acte (9708.74 mp)."};
        QTest::newRow("legal 4% below warns")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("10416.67"); }) << QStringList()
            << QStringList{
                   "Suprafata masurata a terenului (10000 mp) difera cu 4% de suprafata din acte (10416.67 mp)."};
        QTest::newRow("legal 6% below refuses")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("10638.3"); })
            << QStringList{"Suprafata masurata a terenului (10000 mp) este cu 6% mai mica decat suprafata din acte "
                           "(10638.3 mp); peste 5% nu se poate exporta."}
            << QStringList();
        QTest::newRow("legal 6% above only warns")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("9433.96"); }) << QStringList()
            << QStringList{
                   "Suprafata masurata a terenului (10000 mp) difera cu 6% de suprafata din acte (9433.96 mp)."};
        QTest::newRow("no legal area, no rule")
            << Change([](Document& d) { d.Land()->Parcels()->setTotalLegalArea("0"); }) << QStringList()
            << QStringList();

        // The land contour.
        QTest::newRow("no land contour") << Change([](Document& d) { d.Land()->setGeometry(nullptr); })
                                         << QStringList{"Terenul nu are contur (TEREN)."} << QStringList();
        QTest::newRow("two distinct points and a repeat") << Change([](Document& d) {
            d.Land()->setGeometry(DocumentFactory::polygonOf({{0, 0}, {100, 0}, {0, 0}, {100, 0}}, "TEREN"));
        }) << QStringList{"Conturul terenului are mai putin de 3 puncte distincte."}
                                                          << QStringList();
        QTest::newRow("collinear points enclose nothing") << Change([](Document& d) {
            d.Land()->setGeometry(DocumentFactory::polygonOf({{0, 0}, {50, 50}, {100, 100}}, "TEREN"));
        }) << QStringList{"Conturul terenului nu inchide o suprafata."}
                                                          << QStringList();
        QTest::newRow("closing point repeated is fine") << Change([](Document& d) {
            d.Land()->setGeometry(
                DocumentFactory::polygonOf({{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}}, "TEREN"));
        }) << QStringList() << QStringList();
        QTest::newRow("bow tie crosses itself") << Change([](Document& d) {
            d.Land()->setGeometry(DocumentFactory::polygonOf({{0, 0}, {100, 100}, {100, 0}, {0, 100}}, "TEREN"));
            d.Land()->Buildings()->Remove(1);
        }) << QStringList{"Conturul terenului se autointersecteaza: latura 1-2 intalneste latura 3-4."}
                                                << QStringList();
        QTest::newRow("vertex touching an edge") << Change([](Document& d) {
            d.Land()->setGeometry(
                DocumentFactory::polygonOf({{0, 0}, {100, 0}, {100, 100}, {50, 0}, {0, 100}}, "TEREN"));
            d.Land()->Buildings()->Remove(1);
        }) << QStringList{"Conturul terenului se autointersecteaza: latura 1-2 intalneste latura 4-5."}
                                                 << QStringList();

        // Building contours against the land.
        QTest::newRow("building outside the land") << Change([](Document& d) {
            build1(d).setGeometry(DocumentFactory::polygonOf({{95, 45}, {105, 45}, {105, 55}, {95, 55}}, "C1"));
        }) << QStringList{"Conturul constructiei C1 iese din conturul terenului (punctul 2)."}
                                                   << QStringList();
        QTest::newRow("building on the boundary is inside") << Change([](Document& d) {
            build1(d).setGeometry(DocumentFactory::polygonOf({{90, 45}, {100, 45}, {100, 55}, {90, 55}}, "C1"));
        }) << QStringList() << QStringList();
        QTest::newRow("building crossing a notch") << Change([](Document& d) {
            // An L-shaped land; the building's corners are all inside, one edge crosses the notch.
            d.Land()->setGeometry(DocumentFactory::polygonOf(
                {{0, 0}, {100, 0}, {100, 100}, {60, 100}, {60, 40}, {40, 40}, {40, 100}, {0, 100}}, "TEREN"));
            build1(d).setGeometry(DocumentFactory::polygonOf({{30, 50}, {70, 50}, {70, 30}, {30, 30}}, "C1"));
        }) << QStringList{"Conturul constructiei C1 intersecteaza conturul terenului (latura 1-2)."}
                                                   << QStringList();
        QTest::newRow("building without contour warns")
            << Change([](Document& d) { build1(d).setGeometry(nullptr); }) << QStringList()
            << QStringList{"Constructia C1 nu are contur."};

        // Codes.
        QTest::newRow("unknown use category")
            << Change([](Document& d) { parcel1(d).setLandUse("XX"); })
            << QStringList{"Categoria de folosinta \"XX\" a parcelei 1 nu este in lista de coduri."} << QStringList();
        QTest::newRow("unknown building destination")
            << Change([](Document& d) { build1(d).setBuildDestination("CX"); })
            << QStringList{"Destinatia \"CX\" a constructiei C1 nu este in lista de coduri."} << QStringList();
        QTest::newRow("street type without code")
            << Change([](Document& d) { d.Land()->Address()->setStreetType("Magistrala"); }) << QStringList()
            << QStringList{"Tipul de artera \"Magistrala\" nu are cod in lista de coduri; se scrie in fata denumirii."};
        QTest::newRow("building number without digits")
            << Change([](Document& d) {
                   build1(d).setNo("CASA");
                   build1(d).Geometry()->setName("CASA");
               })
            << QStringList()
            << QStringList{"Numarul constructiei CASA nu este de forma C1, C2, ...; se exporta cu numarul de ordine."};

        // All failures at once, errors and warnings together.
        QTest::newRow("several at once")
            << Change([](Document& d) {
                   parcel1(d).setLandUse("XX");
                   build1(d).setBuildDestination("CX");
                   d.Land()->Parcels()->setTotalLegalArea("9708.74");
               })
            << QStringList{"Categoria de folosinta \"XX\" a parcelei 1 nu este in lista de coduri.",
                           "Destinatia \"CX\" a constructiei C1 nu este in lista de coduri."}
            << QStringList{
                   "Suprafata masurata a terenului (10000 mp) difera cu 3% de suprafata din acte (9708.74 mp)."};
    }

    void rules()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, errors);
        QFETCH(QStringList, warnings);
        DocumentPtr document = soundLand();
        change(*document);
        const QList<CgxmlFinding> findings = CgxmlChecks::run(*document);
        QCOMPARE(texts(findings, CgxmlFinding::Severity::Error), errors);
        QCOMPARE(texts(findings, CgxmlFinding::Severity::Warning), warnings);
        QCOMPARE(CgxmlChecks::hasErrors(findings), !errors.isEmpty());
    }

    // An apartment has no contours and its parcels hold shares: only the code rules apply.
    void apartmentSkipsLandRules()
    {
        DocumentPtr document = soundLand();
        document->setIsAp(-1);
        document->Land()->setGeometry(nullptr);
        parcel1(*document).setMeasuredArea("25/1000");
        build1(*document).setGeometry(nullptr);
        QVERIFY(CgxmlChecks::run(*document).isEmpty());
        build1(*document).setBuildDestination("X");
        QCOMPARE(CgxmlChecks::run(*document).size(), 1);
    }

    // A round contour at the format's limit has no false crossing between its short edges.
    void largeContourIsSound()
    {
        DocumentPtr document = soundLand();
        document->Land()->setGeometry(DocumentFactory::polygon("TEREN", 32000, 1, 50, 50, 5000));
        document->Land()->Parcels()->setTotalMeasuredArea(QString::number(document->Land()->Geometry()->Area()));
        parcel1(*document).setMeasuredArea(document->Land()->Parcels()->TotalMeasuredArea());
        document->Land()->Parcels()->setTotalLegalArea("0");
        QCOMPARE(texts(CgxmlChecks::run(*document), CgxmlFinding::Severity::Error), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_cgxmlchecks)
#include "tst_cgxmlchecks.moc"
