// Which stored contour becomes the land's when a file holds several runs named "TEREN".
#include "format/CPFile.h"
#include "support/DocumentFactory.h"

#include <QtTest>

class tst_LandContour : public QObject
{
    Q_OBJECT

private slots:
    // The contour names in the order the file stores them (the land's first, then each
    // building's); each contour starts at its own X. The land is the last "TEREN" run.
    void lastLandRunWins_data()
    {
        QTest::addColumn<QStringList>("runs");
        QTest::addColumn<int>("landRun");
        QTest::newRow("one land") << QStringList{"TEREN", "C1"} << 0;
        QTest::newRow("a later land after a building") << QStringList{"TEREN", "C1", "teren"} << 2;
        QTest::newRow("three lands") << QStringList{"TEREN", "C1", "TEREN", "C2", "TEREN"} << 4;
    }
    void lastLandRunWins()
    {
        QFETCH(QStringList, runs);
        QFETCH(int, landRun);
        auto document = std::make_shared<Document>();
        auto buildings = std::make_shared<Buildings>();
        for (int i = 0; i < runs.size(); ++i) {
            const PolygonPtr contour = DocumentFactory::polygon(runs[i], 4, 1, 1000.0 * (i + 1), 0, 10);
            if (i == 0) {
                document->Land()->setGeometry(contour);
                continue;
            }
            auto build = std::make_shared<Build>();
            build->setNo(QStringLiteral("C%1").arg(i));
            build->setGeometry(contour);
            buildings->Add(build);
        }
        document->Land()->setBuildings(buildings);
        QTemporaryDir dir;
        CPFile file(QStringLiteral("."));
        file.setDocument(document);
        file.setCPFileName(dir.filePath("runs.CP"));
        QVERIFY(file.SaveCPFile());
        CPFile back(QStringLiteral("."));
        back.setCPFileName(dir.filePath("runs.CP"));
        QVERIFY(back.LoadCPFile());
        const PolygonPtr land = back.Document()->Land()->Geometry();
        QVERIFY(land);
        QCOMPARE(land->Points()->Item(1)->X(),
                 DocumentFactory::polygon("", 4, 1, 1000.0 * (landRun + 1), 0, 10)->Points()->Item(1)->X());
    }
};

QTEST_GUILESS_MAIN(tst_LandContour)
#include "tst_landcontour.moc"
