#include "DxfText.h"

#include "dxf/DxfImportWizard.h"
#include "dxf/DxfPolylineReader.h"
#include "dxf/ImportedEntities.h"
#include "support/CompareNear.h"
#include "support/ScriptedPrompter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace DxfText;
using Answer = Prompter::Answer;
Q_DECLARE_METATYPE(DxfMapView::View)

namespace {

// Polylines: 1 TEREN (the parcel), 2-4 CLADIRI (three houses), 5 VECINI (the neighbour).
QByteArray sampleDrawing()
{
    return groups(
        entities(lwpolyline("TEREN", "1", square(0, 0, 100)) + lwpolyline("CLADIRI", "1", square(10, 10, 10)) +
                 lwpolyline("CLADIRI", "1", square(30, 10, 10)) + lwpolyline("CLADIRI", "1", square(50, 10, 10)) +
                 lwpolyline("VECINI", "1", square(200, 0, 50))));
}

QStringList texts(const std::vector<DxfImportWizard::Line>& lines)
{
    QStringList out;
    for (const auto& line : lines)
        out << line.text + QLatin1Char('@') + QString::number(line.position);
    return out;
}

struct Fixture
{
    QTemporaryDir dir;
    ScriptedPrompter prompter;
    DxfImportWizard wizard{prompter, QStringLiteral("/opt/lotmark")};

    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("plan.dxf"))
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    void open(const QByteArray& bytes = sampleDrawing())
    {
        wizard.setAreaSize(2880, 2880);
        wizard.openFile(write(bytes));
    }
    // Page 1, the land chosen on its layer's row `row`, then page 2.
    void toPage2(const QString& layer = QStringLiteral("TEREN"), int row = 0)
    {
        wizard.next();
        wizard.chooseLayer(int(wizard.layerNames().indexOf(layer)));
        wizard.clickLine(row);
        prompter.queueAnswer(Answer::Yes);
        wizard.next();
    }
    // Ties the page-2 line showing "Polilinia <position>" to a building number.
    // In pan mode the line is chosen first, then "Pan" pressed, as the list is disabled in it.
    void tie(int position, const QString& number, bool confirm = true, bool inPanMode = false)
    {
        const auto& lines = wizard.lines();
        for (std::size_t row = 0; row < lines.size(); ++row) {
            if (lines[row].position == position)
                wizard.clickLine(int(row));
        }
        if (inPanMode)
            wizard.togglePan();
        wizard.setNumberText(number);
        prompter.queueAnswer(confirm ? Answer::Yes : Answer::No);
        wizard.associate();
        if (inPanMode)
            wizard.togglePan();
    }
};

} // namespace

class tst_DxfWizard : public QObject
{
    Q_OBJECT

private slots:
    void loadingSetsNoteAndNext_data();
    void loadingSetsNoteAndNext();
    void openDialogAndCancelledDialog();
    void pagesButtonsAndLayerList();
    void landQuestions();
    void buildingTies_data();
    void buildingTies();
    void tieRefusals();
    void landChoiceRemovesTie();
    void renumberingAtFinish_data();
    void renumberingAtFinish();
    void cancelAndHandOver();
    void panModeDisablesAndRestores();
    void fitting_data();
    void fitting();
    void zoomLimitsAndRoundTrip();
    void zoomThereAndBack_data();
    void zoomThereAndBack();
    void centreAndZoomSelected();
};

void tst_DxfWizard::loadingSetsNoteAndNext_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("error");
    const QString found = "Nota:\r\nAu fost gasite entitati de tip polilinie in fisierul selectat !";
    const QString notFound = "Nota:\r\nNu s-au gasit entitati de tip polilinie in fisierul selectat !";
    QTest::newRow("polylines") << sampleDrawing() << found << false;
    QTest::newRow("only open polylines") << groups(entities(lwpolyline("A", "0", square()))) << notFound << true;
    QTest::newRow("no ENTITIES end") << groups({"0", "SECTION", "2", "ENTITIES", "0", "LINE"}) << notFound << true;
    QTest::newRow("damaged") << groups({"0", "SECTION", "2", "ENTITIES", "0"})
                             << "Nota:\r\nFisierul .DXF este incomplet: se termina dupa codul de grup de la linia 5."
                             << true;
    QTest::newRow("random bytes") << QByteArray("\x01\x02\xff\n\x7f\x00\x00", 7)
                                  << "Nota:\r\nFisierul selectat nu este un fisier .DXF text (linia 1)." << true;
}

void tst_DxfWizard::loadingSetsNoteAndNext()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, note);
    QFETCH(bool, error);
    Fixture f;
    int started = 0, stopped = 0, last = 0;
    f.wizard.progress.started = [&](const QString&) { ++started; };
    f.wizard.progress.polyline = [&](int count) { last = count; };
    f.wizard.progress.stopped = [&] { ++stopped; };
    f.open(bytes);
    QCOMPARE(f.wizard.note(), note);
    QCOMPARE(f.wizard.noteIsError(), error);
    QCOMPARE(f.wizard.nextEnabled(), !error);
    QVERIFY(!f.wizard.previousEnabled());
    QVERIFY(!f.wizard.previewButtonsVisible());
    QCOMPARE(started, 1);
    QCOMPARE(stopped, 1);
    QCOMPARE(last, f.wizard.ImportedCount());
    QVERIFY(f.prompter.log().isEmpty());
}

void tst_DxfWizard::openDialogAndCancelledDialog()
{
    Fixture f;
    const QString path = f.write(sampleDrawing());
    f.prompter.queueFileName(path);
    f.wizard.openFile();
    QCOMPARE(f.prompter.last().kind, ScriptedPrompter::Entry::OpenFile);
    QCOMPARE(f.prompter.last().caption, QStringLiteral("Selectati Fisierul DXF"));
    QCOMPARE(f.wizard.polylines().count(), 5);
    // A cancelled dialog keeps the name and reads the file again, from scratch.
    f.prompter.queueFileName(QString());
    f.wizard.openFile();
    QCOMPARE(f.wizard.fileName(), path);
    QCOMPARE(f.wizard.polylines().count(), 5);
    QVERIFY(f.wizard.nextEnabled());
}

void tst_DxfWizard::pagesButtonsAndLayerList()
{
    Fixture f;
    f.open();
    f.wizard.next();
    QCOMPARE(f.wizard.page(), 1);
    QVERIFY(f.wizard.previousEnabled());
    QVERIFY(!f.wizard.nextEnabled());
    QVERIFY(f.wizard.previewButtonsVisible());
    QCOMPARE(f.wizard.layerNames(), (QStringList{"TEREN", "CLADIRI", "VECINI"}));
    QCOMPARE(f.wizard.chosenLayer(), -1);
    QVERIFY(f.wizard.lines().empty());

    f.wizard.chooseLayer(1);
    QCOMPARE(texts(f.wizard.lines()), (QStringList{"Polilinia 2@2", "Polilinia 3@3", "Polilinia 4@4"}));
    QVERIFY(f.wizard.drawsPolyline(0, 3));
    QVERIFY(!f.wizard.drawsPolyline(0, 1));
    f.wizard.clickLine(1);
    QCOMPARE(f.wizard.SelectedIndex(), 3);
    QVERIFY(f.wizard.nextEnabled());
    // Choosing a layer again drops the selection and disables Next.
    f.wizard.chooseLayer(0);
    QCOMPARE(f.wizard.SelectedIndex(), 0);
    QVERIFY(!f.wizard.nextEnabled());

    f.wizard.clickLine(0);
    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.next();
    QCOMPARE(f.wizard.page(), 2);
    QCOMPARE(f.wizard.LandIndex(), 1);
    QVERIFY(f.wizard.nextEnabled());
    QVERIFY(!f.wizard.associateEnabled());
    QCOMPARE(texts(f.wizard.lines()),
             (QStringList{"TEREN@1", "Polilinia 2@2", "Polilinia 3@3", "Polilinia 4@4", "Polilinia 5@5"}));
    f.wizard.next();
    QCOMPARE(f.wizard.page(), 3);
    QVERIFY(!f.wizard.nextEnabled());
    QVERIFY(f.wizard.exitIsOk());
    QVERIFY(!f.wizard.previewButtonsVisible());
    QCOMPARE(f.wizard.report(), (QStringList{"Terenul polilinia numarul 1", "----------------------------"}));
    f.wizard.previous();
    QCOMPARE(f.wizard.page(), 2);
    QVERIFY(!f.wizard.exitIsOk());
    QVERIFY(f.wizard.nextEnabled());
    f.wizard.previous();
    f.wizard.previous();
    QCOMPARE(f.wizard.page(), 0);
    QVERIFY(!f.wizard.previousEnabled());
    QCOMPARE(f.wizard.LandIndex(), 1); // going back undoes nothing
}

void tst_DxfWizard::landQuestions()
{
    Fixture f;
    f.open();
    f.wizard.next();
    f.wizard.chooseLayer(0);
    f.wizard.clickLine(0);
    f.prompter.queueAnswer(Answer::No);
    f.wizard.next();
    QCOMPARE(f.wizard.page(), 1);
    QCOMPARE(f.wizard.LandIndex(), 0);
    QCOMPARE(f.prompter.last().text, QStringLiteral("Atribuiti aceasta polilinie terenului?"));
    QCOMPARE(f.prompter.last().caption, QStringLiteral("Info"));
    QCOMPARE(f.prompter.last().buttons, Prompter::Buttons::YesNo);

    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.next();
    QCOMPARE(f.wizard.LandIndex(), 1);
    f.wizard.previous();
    // Back on page 1 with nothing selected: Next leaves without a question.
    const int questions = f.prompter.log().size();
    f.wizard.next();
    QCOMPARE(f.wizard.page(), 2);
    QCOMPARE(f.prompter.log().size(), questions);

    f.wizard.previous();
    f.wizard.chooseLayer(2);
    f.wizard.clickLine(0);
    f.prompter.queueAnswer(Answer::Yes);
    f.prompter.queueAnswer(Answer::No);
    f.wizard.next();
    QCOMPARE(f.prompter.last().text,
             QStringLiteral("Ati mai atribuit alta polilinie terenului.\rDoriti sa suprascrieti?"));
    QCOMPARE(f.wizard.page(), 1);
    QCOMPARE(f.wizard.LandIndex(), 1);
    f.prompter.queueAnswer(Answer::Yes);
    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.next();
    QCOMPARE(f.wizard.LandIndex(), 5);
    QVERIFY(f.prompter.allUsed());
}

void tst_DxfWizard::buildingTies_data()
{
    QTest::addColumn<QStringList>("numbers"); // tied to polylines 2, 3, 4 in this order
    QTest::addColumn<QStringList>("associations");
    QTest::addColumn<QStringList>("page2");
    QTest::addColumn<bool>("inPanMode");
    QTest::newRow("10, 2, 1 listed in numeric order")
        << QStringList{"10", "2", "1"} << QStringList{"4_1", "3_2", "2_10"}
        << QStringList{"TEREN@1", "C1@4", "C2@3", "C10@2", "Polilinia 5@5"} << false;
    QTest::newRow("02 is not 2") << QStringList{"2", "02"} << QStringList{"2_2", "3_02"}
                                 << QStringList{"TEREN@1", "C2@2", "C02@3", "Polilinia 4@4", "Polilinia 5@5"} << false;
    QTest::newRow("blanks around the number dropped")
        << QStringList{" 7 "} << QStringList{"2_7"}
        << QStringList{"TEREN@1", "C7@2", "Polilinia 3@3", "Polilinia 4@4", "Polilinia 5@5"} << false;
    // "Asociaza" stays enabled in pan mode, so it ties there as well.
    QTest::newRow("tied in pan mode") << QStringList{"2", "1"} << QStringList{"3_1", "2_2"}
                                      << QStringList{"TEREN@1", "C1@3", "C2@2", "Polilinia 4@4", "Polilinia 5@5"}
                                      << true;
}

void tst_DxfWizard::buildingTies()
{
    QFETCH(QStringList, numbers);
    QFETCH(QStringList, associations);
    QFETCH(QStringList, page2);
    QFETCH(bool, inPanMode);
    Fixture f;
    f.open();
    f.toPage2();
    int position = 2;
    for (const QString& number : numbers)
        f.tie(position++, number, true, inPanMode);
    QCOMPARE(f.wizard.associationTexts(), associations);
    QCOMPARE(texts(f.wizard.lines()), page2);
    QVERIFY(f.wizard.numberText().isEmpty());
    QVERIFY(!f.wizard.associateEnabled());
    QCOMPARE(f.prompter.last().text,
             QStringLiteral("Asociati polilinia la constructia cu numarul ") + numbers.last().trimmed());
    // The page-1 list of any layer shows every building line.
    f.wizard.previous();
    f.wizard.chooseLayer(2);
    QCOMPARE(texts(f.wizard.lines()).mid(0, numbers.size()), page2.mid(1, numbers.size()));
    QVERIFY(f.prompter.allUsed());
}

void tst_DxfWizard::tieRefusals()
{
    Fixture f;
    f.open();
    f.toPage2();
    f.tie(4, QStringLiteral("2"));

    // Invalid numbers empty the box without a question.
    for (const QString& bad : {QString(), QStringLiteral("abc"), QStringLiteral("-1"), QStringLiteral("1.5")}) {
        f.wizard.clickLine(2);
        f.wizard.setNumberText(bad);
        f.wizard.associate();
        QCOMPARE(f.prompter.last().text,
                 QStringLiteral("Numarul constructiei nu poate fi asociat. Introduceti o valoare valida."));
        QCOMPARE(f.prompter.last().caption, QStringLiteral("Eroare"));
        QVERIFY(f.wizard.numberText().isEmpty());
    }
    // A used number is refused and stays in the box.
    f.wizard.setNumberText(QStringLiteral("2"));
    f.wizard.associate();
    QCOMPARE(f.prompter.last().text,
             QStringLiteral("Numarul constructie nu poate fi asociat. Ati mai introdus aceasta valoare."));
    QCOMPARE(f.wizard.numberText(), QStringLiteral("2"));

    // The land cannot be tied (asked first, refused after the Yes).
    f.wizard.clickLine(0);
    f.wizard.setNumberText(QStringLiteral("5"));
    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.associate();
    QCOMPARE(f.prompter.last().text, QStringLiteral("Polilinia este asociata terenului. Nu puteti asocia."));

    // Re-tying: No keeps the entry, Yes changes its number.
    f.wizard.clickLine(1); // C2, polyline 4
    f.wizard.setNumberText(QStringLiteral("3"));
    f.prompter.queueAnswer(Answer::Yes);
    f.prompter.queueAnswer(Answer::No);
    f.wizard.associate();
    QCOMPARE(f.prompter.last().text,
             QStringLiteral("Polilinia a mai fost asociata unei constructii. Vreti sa reasociati?"));
    QCOMPARE(f.wizard.associationTexts(), QStringList{"4_2"});
    f.wizard.clickLine(1);
    f.wizard.setNumberText(QStringLiteral("3"));
    f.prompter.queueAnswer(Answer::Yes);
    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.associate();
    QCOMPARE(f.wizard.associationTexts(), QStringList{"4_3"});

    // Answering No to the tie question changes nothing.
    f.tie(5, QStringLiteral("9"), false);
    QCOMPARE(f.wizard.associationTexts(), QStringList{"4_3"});
    QVERIFY(f.prompter.allUsed());
}

void tst_DxfWizard::landChoiceRemovesTie()
{
    Fixture f;
    f.open();
    f.toPage2();
    f.tie(2, QStringLiteral("1"));
    f.tie(3, QStringLiteral("2"));
    f.wizard.previous();
    f.wizard.chooseLayer(1); // CLADIRI: C1, C2 first
    QCOMPARE(texts(f.wizard.lines()).first(), QStringLiteral("C1@2"));
    f.wizard.clickLine(0);
    f.prompter.queueAnswer(Answer::Yes);
    f.prompter.queueAnswer(Answer::Yes);
    f.wizard.next();
    QCOMPARE(f.wizard.LandIndex(), 2);
    QCOMPARE(f.wizard.associationTexts(), QStringList{"3_2"});
    QCOMPARE(texts(f.wizard.lines()),
             (QStringList{"TEREN@2", "C2@3", "Polilinia 1@1", "Polilinia 4@4", "Polilinia 5@5"}));
    f.wizard.next();
    f.prompter.queueAnswer(Answer::No);
    QVERIFY(f.wizard.exit());
    QCOMPARE(f.wizard.result()->Count(), 2);
}

void tst_DxfWizard::renumberingAtFinish_data()
{
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QStringList>("names"); // after answering Yes
    QTest::newRow("none") << QStringList() << false << QStringList{"TEREN"};
    QTest::newRow("1") << QStringList{"1"} << false << QStringList{"TEREN", "C1"};
    QTest::newRow("2 alone") << QStringList{"2"} << true << QStringList{"TEREN", "C1"};
    QTest::newRow("1, 2") << QStringList{"1", "2"} << false << QStringList{"TEREN", "C1", "C2"};
    QTest::newRow("2, 3") << QStringList{"2", "3"} << true << QStringList{"TEREN", "C1", "C2"};
    QTest::newRow("10, 2, 1") << QStringList{"10", "2", "1"} << true << QStringList{"TEREN", "C1", "C2", "C3"};
}

void tst_DxfWizard::renumberingAtFinish()
{
    QFETCH(QStringList, numbers);
    QFETCH(bool, asked);
    QFETCH(QStringList, names);
    Fixture f;
    f.open();
    f.toPage2();
    int position = 2;
    for (const QString& number : numbers)
        f.tie(position++, number);
    const auto associations = f.wizard.Associations();
    f.wizard.next();
    if (asked)
        f.prompter.queueAnswer(Answer::Yes);
    const int before = f.prompter.log().size();
    QVERIFY(f.wizard.exit());
    QCOMPARE(f.prompter.log().size() - before, asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.prompter.last().text, QStringLiteral("Vreti sa renumerotati constructiile de la 1 la n"));
        // lotmark-cli import-dxf answers it by this name (--renumber).
        QCOMPARE(f.prompter.last().question, Prompter::Question::RenumberBuildings);
    }
    const DXFEntitiesPtr result = f.wizard.result();
    QStringList got;
    for (const auto& entity : *result)
        got << entity->Polygon()->Name();
    QCOMPARE(got, names);
    // Same polylines as before the renumbering, in list order; cleaned: no closing point.
    for (std::size_t i = 0; i < associations.size(); ++i) {
        const auto& polygon = result->Item(int(i) + 2)->Polygon();
        const auto x = f.wizard.polylines().x(f.wizard.polylines().begin(associations[i].position));
        QCOMPARE(polygon->Points()->Item(1)->X(), x);
        QCOMPARE(polygon->Points()->Count(), 4);
        QCOMPARE(polygon->Points()->Item(4)->No(), QStringLiteral("4"));
    }
}

void tst_DxfWizard::cancelAndHandOver()
{
    Fixture f;
    f.open();
    f.toPage2();
    QVERIFY(f.wizard.exit());
    QVERIFY(!f.wizard.result());

    DXFEntitiesPtr entities;
    CoordinateTable table(3);
    QVERIFY(!importedEntitiesToTable(entities, &table));
    entities = std::make_shared<DXFEntities>();
    QVERIFY(!importedEntitiesToTable(entities, &table));
    QCOMPARE(table.upperRow(), 3); // untouched

    Fixture g;
    g.open();
    g.toPage2();
    g.tie(3, QStringLiteral("1"));
    g.wizard.next();
    QVERIFY(g.wizard.exit());
    QVERIFY(importedEntitiesToTable(g.wizard.result(), &table));
    QCOMPARE(table.upperRow(), 8);
    QCOMPARE(table.text(1, CoordinateTable::EntityColumn), QStringLiteral("TEREN"));
    QCOMPARE(table.text(5, CoordinateTable::EntityColumn), QStringLiteral("C1"));
    QCOMPARE(table.text(5, CoordinateTable::NumberColumn), QStringLiteral("1"));
    QCOMPARE(table.cell(6, CoordinateTable::XColumn).toDouble(), 40.0);
}

void tst_DxfWizard::panModeDisablesAndRestores()
{
    Fixture f;
    f.open();
    f.wizard.togglePan(); // page 0 has no preview
    QVERIFY(!f.wizard.panMode());
    f.wizard.next();
    f.wizard.chooseLayer(0);
    f.wizard.clickLine(0);
    f.wizard.togglePan();
    QVERIFY(f.wizard.panMode());
    QVERIFY(!f.wizard.nextEnabled());
    QVERIFY(!f.wizard.previousEnabled());
    QVERIFY(!f.wizard.exitEnabled());
    QVERIFY(!f.wizard.zoomButtonsEnabled());
    QVERIFY(!f.wizard.listEnabled());
    f.wizard.next(); // ignored
    f.wizard.chooseLayer(1);
    QCOMPARE(f.wizard.page(), 1);
    QCOMPARE(f.wizard.chosenLayer(), 0);
    f.wizard.togglePan();
    QVERIFY(f.wizard.nextEnabled());
    QVERIFY(f.wizard.previousEnabled());
    QVERIFY(f.prompter.log().isEmpty());
}

void tst_DxfWizard::fitting_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("k");
    QTest::addColumn<double>("offX");
    QTest::addColumn<double>("offY");
    // 200 x 100 in a 2880 x 2880 area: fills the width, centred vertically.
    QTest::newRow("twice as wide as high")
        << groups(entities(lwpolyline("A", "1", {{"0", "0"}, {"200", "0"}, {"200", "100"}, {"0", "100"}}))) << 14.4
        << 0.0 << 720.0;
    QTest::newRow("no height") << groups(entities(
                                      lwpolyline("A", "0", {{"0", "5"}, {"100", "5"}, {"50", "5"}, {"0", "5"}})))
                               << 28.8 << 0.0 << 1440.0;
    QTest::newRow("no width") << groups(entities(lwpolyline("A", "0", {{"5", "0"}, {"5", "144"}, {"5", "0"}}))) << 20.0
                              << 1440.0 << 0.0;
}

void tst_DxfWizard::fitting()
{
    QFETCH(QByteArray, bytes);
    QFETCH(double, k);
    QFETCH(double, offX);
    QFETCH(double, offY);
    DxfPolylines store;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    DxfPolylineReader().read(buffer, store);
    // Cleaning drops polylines without area extent of 3 distinct points only, so fit the raw store.
    const auto t = DxfMapView::fitAll(store, 2880, 2880);
    COMPARE_NEAR(t.k, k, 1e-9);
    COMPARE_NEAR(t.offX, offX, 1e-9);
    COMPARE_NEAR(t.offY, offY, 1e-9);
    QVERIFY(std::isfinite(t.k));
}

void tst_DxfWizard::zoomLimitsAndRoundTrip()
{
    Fixture f;
    f.open();
    f.wizard.next();
    DxfMapView& map = f.wizard.map(0);
    map.setView({100.0, 200.0, 2880.0, 2880.0});
    const auto start = map.view();
    f.wizard.zoomIn();
    f.wizard.zoomOut();
    QVERIFY(map.view() == start);

    map.resetView();
    for (int i = 0; i < 19; ++i)
        f.wizard.zoomIn();
    QVERIFY(f.prompter.log().isEmpty());
    const auto deepest = map.view();
    f.wizard.zoomIn();
    QCOMPARE(f.prompter.last().text, QStringLiteral("S-a ajuns la ZOOM maxim"));
    QCOMPARE(f.prompter.last().caption, QStringLiteral("Info"));
    QCOMPARE(f.prompter.last().icon, Prompter::Icon::Information);
    QVERIFY(map.view() == deepest);

    map.resetView();
    int outs = 0;
    while (f.prompter.log().size() == 1 && outs < 100) {
        f.wizard.zoomOut();
        ++outs;
    }
    QCOMPARE(outs, 11); // 10 doublings up to 1024 times the full view, the 11th refused
    QCOMPARE(f.prompter.last().text, QStringLiteral("S-a ajuns la ZOOM minim"));
    QCOMPARE(map.view().height, 2880.0 * 1024);
}

void tst_DxfWizard::zoomThereAndBack_data()
{
    QTest::addColumn<DxfMapView::View>("start");
    QTest::addColumn<QString>("zooms"); // i: Zoom In, o: Zoom Out; as many of each
    const DxfMapView::View offGrid{0.1, 0.2, 2880, 2880};
    QTest::newRow("in, out from an off-grid view") << offGrid << "io";
    QTest::newRow("out, in from an off-grid view") << offGrid << "oi";
    QTest::newRow("three in, three out") << offGrid << "iiiooo";
    QTest::newRow("in, out, out, in") << offGrid << "iooi";
    QTest::newRow("far from the origin") << DxfMapView::View{123456.789, -98765.4321, 1000.3, 700.7}
                                         << "iiiiioooooooii";
}

void tst_DxfWizard::zoomThereAndBack()
{
    QFETCH(DxfMapView::View, start);
    QFETCH(QString, zooms);
    Fixture f;
    f.open();
    f.wizard.next();
    DxfMapView& map = f.wizard.map(0);
    map.setView(start);
    for (QChar zoom : zooms) {
        if (zoom == QLatin1Char('i'))
            f.wizard.zoomIn();
        else
            f.wizard.zoomOut();
        // The centre stays where it was through every step.
        COMPARE_NEAR(map.view().left + map.view().width / 2, start.left + start.width / 2, 1e-6);
        COMPARE_NEAR(map.view().top + map.view().height / 2, start.top + start.height / 2, 1e-6);
    }
    QVERIFY(f.prompter.log().isEmpty());
    const auto end = map.view();
    QVERIFY2(end == start, qPrintable(QStringLiteral("%1 %2 %3 %4")
                                          .arg(end.left, 0, 'g', 17)
                                          .arg(end.top, 0, 'g', 17)
                                          .arg(end.width, 0, 'g', 17)
                                          .arg(end.height, 0, 'g', 17)));

    // After a pan the remembered steps are gone: Zoom Out doubles about the new centre.
    f.wizard.zoomIn();
    map.panBy(10, 0);
    const auto panned = map.view();
    f.wizard.zoomOut();
    COMPARE_NEAR(map.view().left, panned.left - panned.width / 2, 1e-9);
    COMPARE_NEAR(map.view().width, panned.width * 2, 1e-9);
}

void tst_DxfWizard::centreAndZoomSelected()
{
    Fixture f;
    f.open();
    f.wizard.next();
    f.wizard.chooseLayer(1);
    const auto full = f.wizard.map(0).view();
    f.wizard.zoomSelected(); // nothing selected: nothing happens
    QVERIFY(f.wizard.map(0).view() == full);

    f.wizard.clickLine(0); // polyline 2: 10..20 x 10..20 of a 250 x 100 drawing
    const auto& t = f.wizard.transform();
    const auto centred = f.wizard.map(0).view();
    QCOMPARE(centred.width, full.width);
    const QPointF centre = t.toArea(15, 15);
    COMPARE_NEAR(centred.left + centred.width / 2, centre.x(), 1e-2);
    COMPARE_NEAR(centred.top + centred.height / 2, centre.y(), 1e-2);

    f.wizard.zoomSelected();
    const auto zoomed = f.wizard.map(0).view();
    COMPARE_NEAR(zoomed.width, 10 * t.k, 1e-2);
    COMPARE_NEAR(zoomed.left, t.toArea(10, 20).x(), 1e-2);
    COMPARE_NEAR(zoomed.top, t.toArea(10, 20).y(), 1e-2);
}

QTEST_GUILESS_MAIN(tst_DxfWizard)
#include "tst_dxfwizard.moc"
