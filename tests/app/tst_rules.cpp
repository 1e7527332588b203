#include "app/AppSettings.h"
#include "app/DelimiterEditor.h"
#include "app/MhtDocument.h"
#include "app/OptionsValues.h"
#include "model/Contours.h"
#include "support/DocumentFactory.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

namespace {
PolygonPtr contour(const QString& name, const QList<QPointF>& vertices)
{
    return DocumentFactory::polygonOf(vertices, name);
}

// A rectangle of the given area (width 1).
PolygonPtr strip(const QString& name, double area, double offset = 0)
{
    return contour(name, {{offset, 0}, {offset + area, 0}, {offset + area, 1}, {offset, 1}});
}

BuildingsPtr buildingsOf(const QList<std::pair<QString, QString>>& noAndArea)
{
    auto buildings = std::make_shared<Buildings>();
    for (const auto& [no, area] : noAndArea) {
        auto build = std::make_shared<Build>();
        build->setNo(no);
        build->setMeasuredArea(area);
        buildings->Add(build);
    }
    return buildings;
}

QString firstProblem(const QList<PolygonPtr>& list, const QString& total, const BuildingsPtr& buildings)
{
    Polygons polygons;
    for (const PolygonPtr& polygon : list)
        polygons.Add(PolygonPtr(polygon));
    const auto problem = Contours::check(polygons, total, *buildings);
    return problem ? problem->text : QString();
}
} // namespace

class tst_rules : public QObject
{
    Q_OBJECT

private slots:
    void contourChecks_data()
    {
        QTest::addColumn<QList<PolygonPtr>>("contours");
        QTest::addColumn<QString>("total");
        QTest::addColumn<BuildingsPtr>("buildings");
        QTest::addColumn<QString>("problem");
        const QString none;
        const BuildingsPtr noBuildings = buildingsOf({});
        QTest::newRow("land 1234.5 rounds to 1234")
            << QList<PolygonPtr>{strip("teren", 1234.5)} << "1234" << noBuildings << none;
        QTest::newRow("land 1234.5 against 1235")
            << QList<PolygonPtr>{strip("teren", 1234.5)} << "1235" << noBuildings
            << "Suprafata totala calculata din coordonate pentru teren este diferita de cea introdusa in fereastra de "
               "date textuale.";
        QTest::newRow("two points") << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {1, 1}})} << "0" << noBuildings
                                    << "Introduceti cel putin 3 puncte pe contur.";
        QTest::newRow("building without its form entry")
            << QList<PolygonPtr>{strip("TEREN", 100), strip("C3", 20)} << "100" << buildingsOf({{"C1", "20"}})
            << "Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid.";
        QTest::newRow("building area differs")
            << QList<PolygonPtr>{strip("TEREN", 100), strip("C1", 20)} << "100" << buildingsOf({{"C1", "21"}})
            << "Suprafata totala calculata din coordonate pentru C1 este diferita de cea introdusa in fereastra de "
               "date textuale.";
        QTest::newRow("more building contours than buildings")
            << QList<PolygonPtr>{strip("TEREN", 100), strip("C1", 20), strip("C1", 20, 50)} << "100"
            << buildingsOf({{"C1", "20"}})
            << "Numarul de cladiri introduse in lista de coordonate este mai mare decat cel introdus in fereastra de "
               "date textuale.";
        QTest::newRow("fewer building contours")
            << QList<PolygonPtr>{strip("TEREN", 100), strip("C1", 20)} << "100"
            << buildingsOf({{"C1", "20"}, {"C2", "5"}})
            << "Numarul de cladiri introduse in lista de coordonate este mai mic decat cel introdus in fereastra de "
               "date textuale.";
        QTest::newRow("closing point entered")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {10, 0}, {10, 10}, {0, 0}})} << "50" << noBuildings
            << "Primul si ultimul punct ale entitatii TEREN au aceleasi coordonate.";
        QTest::newRow("other entity still checked")
            << QList<PolygonPtr>{strip("TEREN", 100), contour("Gard", {{0, 0}, {5, 5}, {5, 5}, {9, 0}})} << "100"
            << noBuildings << "Entitatea Gard contine punctele 2 si 3 care sunt consecutive.";
        // Two rules broken at once: the first in the order the user is told wins.
        const QString areaOfTeren = "Suprafata totala calculata din coordonate pentru TEREN este diferita de cea "
                                    "introdusa in fereastra de date textuale.";
        const QString closed = "Primul si ultimul punct ale entitatii TEREN au aceleasi coordonate.";
        QTest::newRow("point count before area") << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {10, 10}})} << "7"
                                                 << noBuildings << "Introduceti cel putin 3 puncte pe contur.";
        QTest::newRow("land area before its closing point")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {10, 0}, {10, 10}, {0, 0}})} << "51" << noBuildings
            << areaOfTeren;
        QTest::newRow("land area before repeated points")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {10, 0}, {10, 0}, {10, 10}})} << "51" << noBuildings
            << areaOfTeren;
        QTest::newRow("building area before its closing point")
            << QList<PolygonPtr>{strip("TEREN", 100), contour("C1", {{0, 0}, {4, 0}, {4, 5}, {0, 0}})} << "100"
            << buildingsOf({{"C1", "20"}})
            << "Suprafata totala calculata din coordonate pentru C1 este diferita de cea introdusa in fereastra de "
               "date textuale.";
        QTest::newRow("names before the closing point")
            << QList<PolygonPtr>{strip("TEREN", 100), contour("C3", {{0, 0}, {4, 0}, {4, 5}, {0, 0}})} << "100"
            << buildingsOf({{"C1", "20"}})
            << "Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid.";
        QTest::newRow("closing point before repeated points")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {0, 0}, {10, 0}, {10, 10}, {0, 0}})} << "50" << noBuildings
            << closed;
        QTest::newRow("one contour's checks before the next's")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {10, 0}, {10, 10}, {0, 0}}), strip("C1", 20)} << "50"
            << buildingsOf({{"C1", "21"}}) << closed;
        QTest::newRow("contour checks before the building count")
            << QList<PolygonPtr>{strip("TEREN", 100), strip("C1", 20), contour("C1", {{0, 0}, {8, 0}, {8, 5}, {0, 0}})}
            << "100" << buildingsOf({{"C1", "20"}})
            << "Primul si ultimul punct ale entitatii C1 au aceleasi coordonate.";
        // An area that cannot be measured fails as the measure's own failure, whatever the total.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("coordinate not a number")
            << QList<PolygonPtr>{contour("TEREN", {{0, 0}, {nan, 0}, {10, 10}})} << "0" << noBuildings << "6 Overflow";
        QTest::newRow("area overflows") << QList<PolygonPtr>{contour("TEREN", {{1e200, 0}, {0, 1e200}, {1e200, 1e200}})}
                                        << "0" << noBuildings << "6 Overflow";
        QTest::newRow("all good") << QList<PolygonPtr>{strip("TEREN", 100), strip("C1", 20), strip("C2", 7.5)} << "100"
                                  << buildingsOf({{"C1", "20"}, {"C2", "8"}}) << none;
    }
    void contourChecks()
    {
        QFETCH(QList<PolygonPtr>, contours);
        QFETCH(QString, total);
        QFETCH(BuildingsPtr, buildings);
        QFETCH(QString, problem);
        QCOMPARE(firstProblem(contours, total, buildings), problem);
    }

    void namesProblemUsesTheInformationIcon()
    {
        Polygons polygons;
        polygons.Add(strip("TEREN", 10));
        polygons.Add(strip("C9", 1));
        const auto problem = Contours::check(polygons, "10", *buildingsOf({{"C1", "1"}}));
        QVERIFY(problem);
        QCOMPARE(problem->icon, Prompter::Icon::Information);
    }

    void delimiterEditor()
    {
        ScriptedPrompter prompter;
        DelimiterEditor editor;
        QVERIFY(editor.add(";", prompter));
        QCOMPARE(editor.lines(), QStringList{"';'"});
        QVERIFY(editor.add("{tab}", prompter));
        QVERIFY(editor.add("; ", prompter));
        QCOMPARE(editor.coded(), QString("59,9,59&32"));
        QVERIFY(!editor.add("", prompter));
        QVERIFY(prompter.log().isEmpty());

        for (const char* refused : {",", ".", "'", "~"}) {
            QVERIFY(!editor.add(refused, prompter));
            QCOMPARE(prompter.last().text, QString("Caracterul despartitor '%1' este incorect.").arg(refused));
            QCOMPARE(prompter.last().caption, QString("Eroare"));
            QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        }
        QVERIFY(!editor.add(";", prompter));
        QCOMPARE(prompter.last().text, QString("Caracterul despartitor ';' exista in lista."));
        editor.remove(0);
        editor.remove(7);
        QCOMPARE(editor.lines(), (QStringList{"'{tab}'", "'; '"}));

        const DelimiterEditor loaded({"\t", " ", ";"});
        QCOMPARE(loaded.lines(), (QStringList{"'{Tab}'", "' '", "';'"}));
        QCOMPARE(loaded.coded(), QString("9,32,59"));
    }

    void optionsConfirm()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        ScriptedPrompter prompter;
        const OptionsValues values{"Pop Ion", "RO-12", "14.5"};
        QVERIFY(!values.confirm(DelimiterEditor(), settings, prompter));
        QCOMPARE(prompter.texts(), QStringList{"Lista delimitatorilor trebuie sa contina cel putin un element."});
        QVERIFY(!QFile::exists(settings.settingsFilePath()));

        DelimiterEditor editor;
        QVERIFY(editor.add(";", prompter));
        QVERIFY(values.confirm(editor, settings, prompter));
        QCOMPARE(settings.workNumber, std::int16_t(14));
        QCOMPARE(settings.delimiters, QStringList{";"});
        QCOMPARE(settings.read(AppSettings::KeyDelimiters), QString("59"));
        QCOMPARE(settings.read(AppSettings::KeyWorkNumber), QString("14.5"));
        AppSettings reread(dir.path());
        reread.load();
        QCOMPARE(reread.surveyorName, QString("Pop Ion"));
        QCOMPARE(reread.surveyorLicense, QString("RO-12"));
    }

    // A settings file that cannot be written is named to the user; the values still hold for
    // this session.
    void optionsConfirmReportsAnUnwritableSettingsFile()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        QVERIFY(QDir().mkpath(settings.settingsFilePath()));
        ScriptedPrompter prompter;
        DelimiterEditor editor;
        QVERIFY(editor.add(";", prompter));
        const OptionsValues values{"Pop Ion", "RO-12", "9"};
        QVERIFY(values.confirm(editor, settings, prompter));
        QCOMPARE(prompter.texts(), QStringList{"Fisierul " + settings.settingsFilePath() + " nu a putut fi scris."});
        QCOMPARE(prompter.last().caption, QString("Eroare"));
        QCOMPARE(settings.workNumber, std::int16_t(9));
    }

    void mhtHtmlPart()
    {
        const QByteArray archive =
            "MIME-Version: 1.0\r\nContent-Type: multipart/related;\r\n\tboundary=\"==b==\"\r\n\r\n"
            "--==b==\r\nContent-Type: text/plain\r\n\r\nnu\r\n"
            "--==b==\r\nContent-Type: text/html; charset=\"utf-8\"\r\n"
            "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
            "<p>Schi=C8=9Ba =\r\nla scar=C4=83</p>\r\n--==b==--\r\n";
        QCOMPARE(MhtDocument::html(archive).trimmed(), QString("<p>Schița la scară</p>"));
        QCOMPARE(MhtDocument::html("<html>simplu</html>"), QString("<html>simplu</html>"));
        const QString shipped = MhtDocument::htmlOfFile(TestPaths::source(QStringLiteral("Help/Manual.mht")));
        QVERIFY(shipped.contains("Lista de coordonate"));
        QVERIFY(shipped.contains("Importul contururilor dintr-un desen DXF"));
    }
};

QTEST_GUILESS_MAIN(tst_rules)
#include "tst_rules.moc"
