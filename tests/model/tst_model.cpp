#include "model/DXFEntity.h"
#include "model/Document.h"
#include "support/Failures.h"

#include <QTest>

class tst_model : public QObject
{
    Q_OBJECT

    static PointsPtr threePoints()
    {
        auto points = std::make_shared<Points>();
        for (const char* no : {"1", "2", "3"}) {
            auto point = std::make_shared<Point>();
            point->setNo(no);
            points->Add(point);
        }
        return points;
    }

private slots:
    void newDocumentHasAnEmptyLand()
    {
        Document document;
        QVERIFY(document.Land());
        QVERIFY(!document.Land()->Owners());
        QVERIFY(!document.Land()->Parcels());
        QVERIFY(!document.Land()->Buildings());
        QVERIFY(!document.Land()->Address());
        QVERIFY(!document.Land()->Geometry());
        QCOMPARE(document.IsAp(), std::int16_t(0));
        QVERIFY(document.SurveyorName().isEmpty());
    }

    void addTakesTheCallersReference()
    {
        Owners owners;
        auto owner = std::make_shared<Owner>();
        owner->setLastName("Pop");
        Owner* raw = owner.get();
        owners.Add(owner);
        QVERIFY(!owner);
        QCOMPARE(owners.Item(owners.Count()).get(), raw);
        QCOMPARE(owners.Item(1)->LastName(), QString("Pop"));
    }

    void removeShiftsLaterItemsUp()
    {
        PointsPtr points = threePoints();
        points->Remove(1);
        QCOMPARE(points->Count(), 2);
        QCOMPARE(points->Item(1)->No(), QString("2"));
        QCOMPARE(points->Item(2)->No(), QString("3"));
    }

    void invalidPositionsFailWithError5AndLeaveTheList()
    {
        PointsPtr points = threePoints();
        for (int position : {0, -1, 4}) {
            QCOMPARE(failureNumber([&] { points->Item(position); }), 5);
            QCOMPARE(failureNumber([&] { points->Remove(position); }), 5);
        }
        QCOMPARE(points->Count(), 3);
    }

    void removeAll()
    {
        Points empty;
        empty.RemoveAll();
        QCOMPARE(empty.Count(), 0);
        PointsPtr points = threePoints();
        points->RemoveAll();
        QCOMPARE(points->Count(), 0);
        DXFEntities entities;
        entities.Add(std::make_shared<DXFEntity>());
        entities.RemoveAll();
        QCOMPARE(entities.Count(), 0);
    }

    void polygonSharedByTwoHoldersIsOneObject()
    {
        auto polygon = std::make_shared<Polygon>();
        polygon->setName("C1");
        Build build;
        build.setGeometry(polygon);
        Polygons polygons;
        polygons.Add(polygon);
        polygons.Item(1)->setName("C7");
        QCOMPARE(build.Geometry()->Name(), QString("C7"));
        QCOMPARE(Polygons::Key(*build.Geometry()), QString("C7:"));
    }

    void enumerationKeepsInsertionOrder()
    {
        PointsPtr points = threePoints();
        QStringList numbers;
        for (const PointPtr& point : *points)
            numbers << point->No();
        QCOMPARE(numbers, (QStringList{"1", "2", "3"}));
    }
};

QTEST_GUILESS_MAIN(tst_model)
#include "tst_model.moc"
