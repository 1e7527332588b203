#include "base/ui/QtPrompter.h"
#include "dxf/ui/DxfMapWidget.h"
#include "dxf/ui/frmImportDXF.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

using Answer = Prompter::Answer;

// The window end to end on a drawing written by a DXF library. With LOTMARK_DXF_SCREENSHOTS set
// to a folder, each page is saved there as a picture (run under a real X server to look at them).
class tst_frmImportDXF : public QObject
{
    Q_OBJECT

private:
    template <typename T> T* child(QWidget& window, const char* name)
    {
        T* widget = window.findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    void shot(QWidget& window, const QString& name)
    {
        const QString folder = qEnvironmentVariable("LOTMARK_DXF_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        QTest::qWait(100);
        window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // Picks the list line whose text is `text`.
    void pick(QListWidget* list, const QString& text)
    {
        const auto items = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(text));
        list->setCurrentItem(items.first());
    }

private slots:
    void landAndTwoBuildings();
    void cancelHandsBackNothing();
    void damagedFileStaysOnPageZero();
    void dragPansOnlyInPanMode();
    void refusedLandKeepsHighlight_data();
    void refusedLandKeepsHighlight();
    void promptsOpenOverTheWizard_data();
    void promptsOpenOverTheWizard();
};

void tst_frmImportDXF::landAndTwoBuildings()
{
    ScriptedPrompter prompter;
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Import fisier .DXF"));
    auto* next = child<QPushButton>(window, "cmdNext");
    auto* exit = child<QPushButton>(window, "cmdExit");
    auto* zoomIn = child<QPushButton>(window, "cmdZoomIN");
    QVERIFY(!next->isEnabled());
    QVERIFY(!child<QPushButton>(window, "cmdPrevious")->isEnabled());
    QVERIFY(zoomIn->isHidden());

    prompter.queueFileName(TestPaths::testData(QStringLiteral("dxf/parcels_r2000.dxf")));
    QTest::mouseClick(child<QPushButton>(window, "cmdOpenFile"), Qt::LeftButton);
    QCOMPARE(child<QLabel>(window, "lblNote")->text(),
             QStringLiteral("Nota:\r\nAu fost gasite entitati de tip polilinie in fisierul selectat !"));
    QVERIFY(child<QLineEdit>(window, "txtOpenFile")->text().endsWith(QLatin1String("parcels_r2000.dxf")));
    QVERIFY(next->isEnabled());
    shot(window, QStringLiteral("page0"));

    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(child<QTabWidget>(window, "tabWizard")->currentIndex(), 1);
    QVERIFY(!zoomIn->isHidden());
    auto* layers = child<QComboBox>(window, "cmbLayers");
    QCOMPARE(layers->count(), 3);
    QCOMPARE(layers->currentIndex(), -1);
    window.cmbLayers_Click(0); // TEREN
    auto* list = child<QListWidget>(window, "lstEntities");
    QCOMPARE(list->count(), 1);
    QVERIFY(!next->isEnabled());
    pick(list, QStringLiteral("Polilinia 1"));
    QVERIFY(next->isEnabled());
    // The selected polyline is drawn in red, centred in the preview.
    window.map(0)->updatePicture();
    const QImage picture = window.map(0)->picture();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(255, 0, 0);
    }
    QVERIFY(red > 100);
    shot(window, QStringLiteral("page1"));

    prompter.queueAnswer(Answer::Yes);
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(window.wizard().LandIndex(), 1);
    auto* list2 = child<QListWidget>(window, "lstEntities2");
    QCOMPARE(list2->item(0)->text(), QStringLiteral("TEREN"));
    QCOMPARE(list2->count(), 5);
    auto* number = child<QLineEdit>(window, "txtNrConst");
    auto* tie = child<QPushButton>(window, "cmdAsociate");
    QVERIFY(!tie->isEnabled());
    pick(list2, QStringLiteral("Polilinia 5"));
    QVERIFY(tie->isEnabled());
    QTest::keyClicks(number, QStringLiteral("2"));
    prompter.queueAnswer(Answer::Yes);
    QTest::mouseClick(tie, Qt::LeftButton);
    pick(list2, QStringLiteral("Polilinia 2"));
    QTest::keyClicks(number, QStringLiteral("1"));
    prompter.queueAnswer(Answer::Yes);
    QTest::mouseClick(tie, Qt::LeftButton);
    QCOMPARE(list2->item(1)->text(), QStringLiteral("C1"));
    QCOMPARE(list2->item(2)->text(), QStringLiteral("C2"));
    QVERIFY(number->text().isEmpty());
    pick(list2, QStringLiteral("C2"));
    window.cmdZoomSelected_Click();
    shot(window, QStringLiteral("page2"));

    // Pan mode disables the navigation and gives it back.
    window.cmdPan_Click();
    QVERIFY(!next->isEnabled());
    QVERIFY(!exit->isEnabled());
    QVERIFY(!list2->isEnabled());
    QTest::mouseClick(window.map(1), Qt::RightButton);
    QVERIFY(next->isEnabled());
    QVERIFY(list2->isEnabled());

    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(exit->text(), QStringLiteral("OK"));
    QVERIFY(!next->isEnabled());
    auto* report = child<QListWidget>(window, "lstRaport");
    QCOMPARE(report->count(), 4);
    QCOMPARE(report->item(2)->text(), QStringLiteral("Constructia C1 coresponde poliliniei 2"));
    shot(window, QStringLiteral("page3"));

    QVERIFY(!window.importedEntities());
    QTest::mouseClick(exit, Qt::LeftButton);
    QCOMPARE(window.result(), int(QDialog::Accepted));
    const DXFEntitiesPtr imported = window.importedEntities();
    QVERIFY(imported);
    QCOMPARE(imported.get(), window.wizard().result().get());
    QCOMPARE(imported->Count(), 3);
    QCOMPARE(imported->Item(3)->Polygon()->Name(), QStringLiteral("C2"));
    QCOMPARE(imported->Item(3)->Polygon()->Points()->Count(), 6);
    QVERIFY(prompter.allUsed());
}

void tst_frmImportDXF::cancelHandsBackNothing()
{
    ScriptedPrompter prompter;
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"));
    window.show();
    window.openFile(TestPaths::testData(QStringLiteral("dxf/parcels_r12.dxf")));
    window.cmdNext_Click();
    child<QPushButton>(window, "cmdExit")->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(!window.importedEntities());
}

void tst_frmImportDXF::damagedFileStaysOnPageZero()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write("AutoCAD Binary DXF\r\n\x1a", 21);
    file.close();
    ScriptedPrompter prompter;
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"));
    window.show();
    window.openFile(file.fileName());
    QVERIFY(child<QLabel>(window, "lblNote")->text().contains(QLatin1String(".DXF binar")));
    QVERIFY(!child<QPushButton>(window, "cmdNext")->isEnabled());
    QVERIFY(window.isVisible());
    QVERIFY(prompter.log().isEmpty());
}

void tst_frmImportDXF::dragPansOnlyInPanMode()
{
    ScriptedPrompter prompter;
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.openFile(TestPaths::testData(QStringLiteral("dxf/parcels_r2000.dxf")));
    window.cmdNext_Click();
    window.cmbLayers_Click(0);
    DxfMapWidget* map = window.map(0);
    const auto drag = [&] {
        QTest::mousePress(map, Qt::LeftButton, {}, QPoint(100, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(150, 120), map->mapToGlobal(QPointF(150, 120)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(map, &move);
        QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(150, 120));
    };
    const auto before = window.wizard().map(0).view();
    drag();
    QVERIFY(window.wizard().map(0).view() == before);

    window.cmdPan_Click();
    drag();
    const auto after = window.wizard().map(0).view();
    // The grabbed point follows the pointer: 50 by 20 pixels of the full view.
    QCOMPARE_LT(std::abs(after.left - (before.left - 50 * before.width / map->width())), 0.01);
    QCOMPARE_LT(std::abs(after.top - (before.top - 20 * before.height / map->height())), 0.01);
    QCOMPARE(after.width, before.width);
    QVERIFY(window.wizard().panMode());
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(10, 10));
    QVERIFY(!window.wizard().panMode());
}

void tst_frmImportDXF::refusedLandKeepsHighlight_data()
{
    QTest::addColumn<bool>("landChosenBefore");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::newRow("No to the land question") << false << QList<Answer>{Answer::No};
    QTest::newRow("No to overwriting the land") << true << QList<Answer>{Answer::Yes, Answer::No};
}

// The wizard keeps its selected polyline when the page move is refused; the list must show it.
void tst_frmImportDXF::refusedLandKeepsHighlight()
{
    QFETCH(bool, landChosenBefore);
    QFETCH(QList<Answer>, answers);
    ScriptedPrompter prompter;
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"));
    window.show();
    window.openFile(TestPaths::testData(QStringLiteral("dxf/parcels_r2000.dxf")));
    window.cmdNext_Click();
    auto* list = child<QListWidget>(window, "lstEntities");
    if (landChosenBefore) {
        window.cmbLayers_Click(0);
        pick(list, QStringLiteral("Polilinia 1"));
        prompter.queueAnswer(Answer::Yes);
        window.cmdNext_Click();
        window.cmdPrevious_Click();
    }
    window.cmbLayers_Click(int(window.wizard().layerNames().indexOf(window.wizard().polylines().layerName(2))));
    pick(list, QStringLiteral("Polilinia 2"));
    for (Answer answer : answers)
        prompter.queueAnswer(answer);
    window.cmdNext_Click();
    QCOMPARE(window.wizard().page(), 1);
    QCOMPARE(window.wizard().SelectedIndex(), 2);
    QVERIFY(list->currentItem());
    QCOMPARE(list->currentItem()->text(), QStringLiteral("Polilinia 2"));
    QVERIFY(list->currentItem()->isSelected());
    QVERIFY(child<QPushButton>(window, "cmdNext")->isEnabled());
    QVERIFY(prompter.allUsed());
}

void tst_frmImportDXF::promptsOpenOverTheWizard_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("message") << 0;
    QTest::newRow("question") << 1;
    QTest::newRow("open dialog") << 2;
    QTest::newRow("text prompt") << 3;
}

// The wizard keeps itself above all other windows: a box owned by the main window would open
// beneath it, out of sight, and the wizard would seem to hang.
void tst_frmImportDXF::promptsOpenOverTheWizard()
{
    QFETCH(int, kind);
    QWidget mainWindow;
    mainWindow.show();
    QtPrompter prompter(&mainWindow);
    frmImportDXF window(prompter, QStringLiteral("/opt/lotmark"), &mainWindow);
    window.open();
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &window, [&] {
        QWidget* box = QApplication::activeModalWidget();
        owner = box ? box->parentWidget() : nullptr;
        if (box)
            box->close();
    });
    switch (kind) {
    case 0:
        prompter.message(QStringLiteral("S-a ajuns la ZOOM maxim"), QStringLiteral("Info"),
                         Prompter::Icon::Information);
        break;
    case 1:
        prompter.ask(QStringLiteral("Atribuiti aceasta polilinie terenului?"), QStringLiteral("Info"),
                     Prompter::Buttons::YesNo, Prompter::Icon::Question);
        break;
    case 2:
        prompter.openFileName(QStringLiteral("Selectati Fisierul DXF"), QStringLiteral("Fisier DXF | *.DXF"),
                              QDir::tempPath());
        break;
    default:
        prompter.inputText(QStringLiteral("Numar"), QStringLiteral("Info"), QString());
        break;
    }
    QCOMPARE(owner, &window);
}

QTEST_MAIN(tst_frmImportDXF)
#include "tst_frmimportdxf.moc"
