// Attaching contours to the land and its buildings: the one rule the window's save, the .CP
// reader and import-dxf share. Each row is a document (building numbers, each with or without
// an old contour), the contours given, how numbers are matched and what happens to a contour
// no building has; the expected result names the contour each building ends with.
#include "model/Contours.h"
#include "support/DocumentFactory.h"

#include <QTest>

namespace {

LandPtr landWith(const QStringList& numbers)
{
    auto land = std::make_shared<Land>();
    land->setGeometry(DocumentFactory::polygon(QStringLiteral("TEREN"), 4, 900));
    auto buildings = std::make_shared<Buildings>();
    for (const QString& number : numbers) {
        auto build = std::make_shared<Build>();
        build->setNo(number);
        build->setGeometry(DocumentFactory::polygon(QStringLiteral("old"), 4, 800));
        buildings->Add(BuildPtr(build));
    }
    land->setBuildings(buildings);
    return land;
}

// "No=contour" per building, "-" for none; the land's contour first.
QStringList outcome(const Land& land)
{
    QStringList result{land.Geometry() ? land.Geometry()->Name() : QStringLiteral("-")};
    for (const BuildPtr& build : *land.Buildings())
        result << build->No() + QLatin1Char('=') +
                      (build->Geometry() ? build->Geometry()->Name() : QStringLiteral("-"));
    return result;
}

} // namespace

class tst_Contours : public QObject
{
    Q_OBJECT

private slots:
    void attach_data()
    {
        QTest::addColumn<QStringList>("buildings");
        QTest::addColumn<QStringList>("contours");
        QTest::addColumn<bool>("exactCase");
        QTest::addColumn<bool>("addMissing");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("land and buildings by number") << QStringList{"C1", "C2"} << QStringList{"TEREN", "C2", "C1"}
                                                      << false << false << QStringList{"TEREN", "C1=C1", "C2=C2"};
        QTest::newRow("the land's name in any case")
            << QStringList{} << QStringList{"teren"} << false << false << QStringList{"teren"};
        QTest::newRow("a building's number in any case")
            << QStringList{"c1"} << QStringList{"C1"} << false << false << QStringList{"-", "c1=C1"};
        QTest::newRow("the file's rule: exact case only")
            << QStringList{"c1", "C1"} << QStringList{"C1"} << true << false << QStringList{"-", "c1=-", "C1=C1"};
        QTest::newRow("buildings sharing a number share its contour")
            << QStringList{"C1", "C1"} << QStringList{"C1"} << false << false << QStringList{"-", "C1=C1", "C1=C1"};
        QTest::newRow("old contours do not survive a list without them")
            << QStringList{"C1", "C2"} << QStringList{"C1"} << false << false << QStringList{"-", "C1=C1", "C2=-"};
        QTest::newRow("an unknown building is left out by default")
            << QStringList{"C1"} << QStringList{"C1", "C7"} << false << false << QStringList{"-", "C1=C1"};
        QTest::newRow("an unknown building is added when asked")
            << QStringList{"C1"} << QStringList{"C1", "C7"} << false << true << QStringList{"-", "C1=C1", "C7=C7"};
        QTest::newRow("a contour of neither kind is never added")
            << QStringList{} << QStringList{"GARD"} << false << true << QStringList{"-"};
    }

    void attach()
    {
        QFETCH(QStringList, buildings);
        QFETCH(QStringList, contours);
        QFETCH(bool, exactCase);
        QFETCH(bool, addMissing);
        QFETCH(QStringList, expected);
        const LandPtr land = landWith(buildings);
        Polygons polygons;
        for (const QString& name : contours)
            polygons.Add(DocumentFactory::polygon(name, 4, 1));
        Contours::attach(*land, polygons, exactCase ? Qt::CaseSensitive : Qt::CaseInsensitive,
                         addMissing ? Contours::Unmatched::AddBuilding : Contours::Unmatched::Ignore);
        QCOMPARE(outcome(*land), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Contours)
#include "tst_contours.moc"
