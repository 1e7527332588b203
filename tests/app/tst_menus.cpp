#include "app/AppSettings.h"
#include "app/UserState.h"
#include "app/ui/frmMain.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "sketch/SketchView.h"
#include "sketch/ui/DrawSketch.h"
#include "sketch/ui/SketchTools.h"
#include "support/CliRun.h"
#include "support/CreateMainWindow.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {
QString sampleFile(const QString& path)
{
    return exampleLandFile(path);
}

QMenu* menuNamed(frmMain& window, const QString& name)
{
    return window.menuBar()->findChild<QMenu*>(name);
}

// The Alt letter of a caption: what follows its single '&', lower case; empty without one.
QString accelerator(const QString& text)
{
    const QString caption = QString(text).replace("&&", "");
    const qsizetype at = caption.indexOf('&');
    return at >= 0 && at + 1 < caption.size() ? caption.mid(at + 1, 1).toLower() : QString();
}

// The Alt letters that more than one of `captions` uses, each with the captions.
QStringList sharedAccelerators(const QStringList& captions)
{
    QMultiMap<QString, QString> byLetter;
    for (const QString& caption : captions) {
        if (!accelerator(caption).isEmpty())
            byLetter.insert(accelerator(caption), caption);
    }
    QStringList shared;
    for (const QString& letter : byLetter.uniqueKeys()) {
        if (byLetter.count(letter) > 1)
            shared << letter + ": " + QStringList(byLetter.values(letter)).join(", ");
    }
    return shared;
}

QStringList sharedAccelerators(const QList<QAction*>& actions)
{
    QStringList captions;
    for (const QAction* action : actions) {
        if (!action->isSeparator())
            captions << action->text();
    }
    return sharedAccelerators(captions);
}
} // namespace

class tst_menus : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<QSettings> m_store;

private slots:
    void init()
    {
        createMainWindow(m_folder, m_settings, m_prompter, m_window);
        m_store = std::make_unique<QSettings>(m_folder->path("user.ini"), QSettings::IniFormat);
        m_window->setUserState(m_store.get());
    }

    void cleanup()
    {
        m_window->documentState().markClean();
        m_window.reset();
        m_store.reset();
    }

    // Each key reaches its command from the coordinate grid, where the keys are typed most.
    void keysReachTheirCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("command");
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Ctrl+N new") << int(Qt::Key_N) << ctrl << "New";
        QTest::newRow("Ctrl+O open") << int(Qt::Key_O) << ctrl << "Open";
        QTest::newRow("Ctrl+S save") << int(Qt::Key_S) << ctrl << "Save";
        QTest::newRow("Ctrl+Shift+S save as")
            << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier) << "SaveAs";
        QTest::newRow("Ctrl+E sheet") << int(Qt::Key_E) << ctrl << "ExportRTF";
        QTest::newRow("Ctrl+I DXF import") << int(Qt::Key_I) << ctrl << "ImportDXF";
        QTest::newRow("Ctrl+Q quit") << int(Qt::Key_Q) << ctrl << "Exit";
        QTest::newRow("F1 help") << int(Qt::Key_F1) << 0 << "Help";
    }
    void keysReachTheirCommands()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, command);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        m_window->coordinateList()->grid()->setFocus();
        // The spies stand in for the commands: no dialog opens.
        QList<QAction*> actions = m_window->findChild<QToolBar*>("tbrMain")->actions();
        std::map<QString, std::unique_ptr<QSignalSpy>> spies;
        for (QAction* action : actions) {
            if (!action->objectName().isEmpty()) {
                spies[action->objectName()] = std::make_unique<QSignalSpy>(action, &QAction::triggered);
                action->disconnect(m_window.get());
            }
        }
        QTest::keyClick(m_window->coordinateList()->grid(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        for (const auto& [name, spy] : spies)
            QCOMPARE(std::make_pair(name, int(spy->count())), std::make_pair(name, name == command ? 1 : 0));
    }

    // One action per command: the menu item and the toolbar button are the same object, so a
    // command disabled on one is disabled on the other.
    void menusShareTheToolbarsActions_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("Fisier") << "mnuFile"
                                << QStringList{"New", "Open", "Save", "SaveAs", "ImportDXF", "ExportRTF", "Exit"};
        QTest::newRow("Editare") << "mnuEdit" << QStringList{"XToY", "Options"};
        QTest::newRow("Vizualizare") << "mnuView" << QStringList{"Refresh"};
        QTest::newRow("Ajutor") << "mnuHelp" << QStringList{"Help"};
    }
    void menusShareTheToolbarsActions()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, commands);
        QMenu* found = menuNamed(*m_window, menu);
        QVERIFY(found);
        for (const QString& command : commands)
            QVERIFY2(found->actions().contains(m_window->toolButton(command)), qPrintable(command));
    }

    void menuBarOrderAndSharedViewActions()
    {
        QStringList titles;
        for (QAction* action : m_window->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&Fisier", "&Editare", "&Vizualizare", "A&jutor"}));
        QVERIFY(menuNamed(*m_window, "mnuView")->actions().contains(m_window->sketch()->zoomToFitAction()));
        QVERIFY(menuNamed(*m_window, "mnuEdit")
                    ->actions()
                    .contains(m_window->coordinateList()->findChild<QAction*>("mnuPaste")));
        // The site-plan commands stay in the one "Fisier" menu.
        QVERIFY(menuNamed(*m_window, "mnuFile")->findChild<QAction*>("mnuPlanPdf"));
    }

    // Alt and a letter opens each menu, and a letter picks each item of an open menu: never two
    // of one menu bar or one menu with the same letter (the first would win, the other be out
    // of reach). Every item gets one, but undo and redo, whose captions change as they go.
    void acceleratorsAreUnique()
    {
        // The menu titles and the pages of the window answer the same Alt letters.
        QStringList windowLevel;
        for (QAction* title : m_window->menuBar()->actions())
            windowLevel << title->text();
        for (int page = 0; page < m_window->tabs()->count(); ++page) {
            QVERIFY2(!accelerator(m_window->tabs()->tabText(page)).isEmpty(),
                     qPrintable(m_window->tabs()->tabText(page)));
            windowLevel << m_window->tabs()->tabText(page);
        }
        QCOMPARE(sharedAccelerators(windowLevel), QStringList());
        QList<QMenu*> menus;
        for (QAction* title : m_window->menuBar()->actions()) {
            QVERIFY2(!accelerator(title->text()).isEmpty(), qPrintable(title->text()));
            menus << title->menu();
        }
        while (!menus.isEmpty()) {
            QMenu* menu = menus.takeFirst();
            QVERIFY2(sharedAccelerators(menu->actions()).isEmpty(),
                     qPrintable(menu->title() + " - " + sharedAccelerators(menu->actions()).join("; ")));
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus << action->menu();
                if (action->isSeparator() || m_window->undoActions().contains(action))
                    continue;
                QVERIFY2(!accelerator(action->text()).isEmpty(), qPrintable(action->text()));
            }
        }
        // The toolbar shows the same actions without the '&'.
        for (QAction* action : m_window->findChild<QToolBar*>("tbrMain")->actions())
            QVERIFY2(!action->iconText().contains('&'), qPrintable(action->iconText()));
    }

    // Each sketch tool chosen from "Vizualizare" becomes the one current tool, its entry alone
    // checked, and only it gets the canvas's buttons and moves. Faults caught: two tools on at
    // once, a tool left on after another is chosen, a chain started (or measuring turned on by
    // the right button) while the measure tool is not current, hover or drag in the wrong tool.
    void menuChoosesTheSketchTool_data()
    {
        QTest::addColumn<QStringList>("chosen"); // the entries' object names, chosen in this order
        QTest::addColumn<QString>("current");    // the entry left checked; empty: no tool

        const QString info = "actInformatii", pan = "actExplorareLibera", measure = "actMasurareDistante";
        QTest::newRow("no tool") << QStringList{} << QString();
        QTest::newRow("information") << QStringList{info} << info;
        QTest::newRow("free exploration") << QStringList{pan} << pan;
        QTest::newRow("measuring") << QStringList{measure} << measure;
        QTest::newRow("information after measuring") << QStringList{measure, info} << info;
        QTest::newRow("exploration after information") << QStringList{info, pan} << pan;
        QTest::newRow("measuring after exploration") << QStringList{pan, measure} << measure;
        QTest::newRow("measuring chosen again lets it go") << QStringList{measure, measure} << QString();
        QTest::newRow("information chosen again lets it go") << QStringList{info, info} << QString();
    }
    void menuChoosesTheSketchTool()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QString, current);
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->LoadIntoWindow(sampleFile(m_folder->path("sample.CP")));
        DrawSketch* sketch = m_window->sketch();
        QVERIFY(sketch->mapping().isValid());

        QMenu* view = menuNamed(*m_window, "mnuView");
        const QMap<QString, std::pair<DrawSketch::ToolButton, SketchTool*>> tools{
            {"actInformatii", {DrawSketch::Informatii, sketch->infoTool()}},
            {"actExplorareLibera", {DrawSketch::ExplorareLibera, sketch->panTool()}},
            {"actMasurareDistante", {DrawSketch::MasurareDistante, sketch->measureTool()}},
        };
        for (auto it = tools.cbegin(); it != tools.cend(); ++it) {
            // The menu entry is the sketch toolbar's own button.
            QVERIFY(view->actions().contains(sketch->toolAction(it->first)));
            QCOMPARE(sketch->toolAction(it->first)->objectName(), it.key());
        }
        const auto entry = [view](const QString& name) {
            const QList<QAction*> actions = view->actions();
            const auto found = std::find_if(actions.cbegin(), actions.cend(),
                                            [&name](const QAction* action) { return action->objectName() == name; });
            return found == actions.cend() ? nullptr : *found;
        };
        for (const QString& name : chosen) {
            QAction* action = entry(name);
            QVERIFY2(action, qPrintable(name));
            action->trigger();
        }
        QCOMPARE(sketch->tool(), current.isEmpty() ? nullptr : tools[current].second);
        for (auto it = tools.cbegin(); it != tools.cend(); ++it)
            QCOMPARE(sketch->toolAction(it->first)->isChecked(), it.key() == current);

        const PolygonPtr land = SketchView::landPolygon(*sketch->GeometryCollection());
        const PointPtr corner = land->Points()->Item(1);
        const QPoint at = sketch->mapping().toPixel(corner->X(), corner->Y()).toPoint();
        QWidget* canvas = sketch->canvas();
        QSignalSpy vertices(sketch, &DrawSketch::HitVertex);
        QSignalSpy edges(sketch, &DrawSketch::HitLine); // on a corner the edge wins
        // Sent, not simulated: a move to where the last row left the pointer would be dropped.
        QMouseEvent move(QEvent::MouseMove, QPointF(at), canvas->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QCOMPARE(vertices.size() + edges.size(), current == "actInformatii" ? 1 : 0);
        QTest::mousePress(canvas, Qt::LeftButton, {}, at);
        QCOMPARE(sketch->measureTool()->chain().clickCount(), current == "actMasurareDistante" ? 1 : 0);
        QCOMPARE(sketch->panTool()->dragging(), current == "actExplorareLibera");
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, at);
        QTest::mouseClick(canvas, Qt::RightButton, {}, at);
        QCOMPARE(sketch->measuringMode(), current == "actMasurareDistante");
        QCOMPARE(sketch->measureTool()->chain().measuring(), current == "actMasurareDistante");
        QCOMPARE(sketch->tool(), current.isEmpty() ? nullptr : tools[current].second);
    }

    // The list keeps the newest first, each file once, at most eight; a file that is gone leaves
    // it with a note when chosen.
    void recentFiles_data()
    {
        QTest::addColumn<QStringList>("added"); // names in the order opened or saved
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("newest first") << QStringList{"a", "b"} << QStringList{"b", "a"};
        QTest::newRow("reopened moves up, listed once") << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
        QTest::newRow("capped at eight") << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}
                                         << QStringList{"9", "8", "7", "6", "5", "4", "3", "2"};
        QTest::newRow("same file by another path") << QStringList{"a", "sub/../a"} << QStringList{"a"};
    }
    void recentFiles()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        QDir(m_folder->dir.path()).mkpath("sub");
        for (const QString& name : added)
            m_window->userState().addRecentFile(m_folder->path(name + ".CP"));
        QStringList full;
        for (const QString& name : expected)
            full << QDir::cleanPath(m_folder->path(name + ".CP"));
        // Kept in the user's store, read back by the next session.
        QSettings again(m_folder->path("user.ini"), QSettings::IniFormat);
        m_store->sync();
        UserState next;
        next.setStore(&again);
        QCOMPARE(next.recentFiles(), full);
    }

    void openingAndSavingFillTheRecentMenu()
    {
        const QString path = sampleFile(m_folder->path("sample.CP"));
        m_window->LoadIntoWindow(path);
        QMenu* recent = menuNamed(*m_window, "mnuRecent");
        QVERIFY(recent->isEnabled());
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(recent->actions().first()->data().toString(), QDir::cleanPath(path));

        // A file gone since: chosen, it is dropped with a note, and the document stays.
        QVERIFY(QFile::remove(path));
        m_prompter->clear();
        recent->actions().first()->trigger();
        QCOMPARE(m_prompter->log().size(), 1);
        QVERIFY(m_prompter->last().text.contains("nu mai exista"));
        QVERIFY(m_window->userState().recentFiles().isEmpty());
        QVERIFY(!recent->isEnabled());
        QCOMPARE(m_window->currentFileName(), path);
    }

    // Dialogs open in the folder used last while it exists, else in the documents folder;
    // never in the program's folder.
    void dialogStartFolder_data()
    {
        QTest::addColumn<QString>("lastUsed"); // relative to the test folder; empty: none
        QTest::addColumn<bool>("removeIt");
        QTest::addColumn<bool>("expectLast");
        QTest::newRow("none used yet") << QString() << false << false;
        QTest::newRow("last used") << "work" << false << true;
        QTest::newRow("last used since removed") << "work" << true << false;
    }
    void dialogStartFolder()
    {
        QFETCH(QString, lastUsed);
        QFETCH(bool, removeIt);
        QFETCH(bool, expectLast);
        const QString folder = m_folder->path("work");
        QDir().mkpath(folder);
        if (!lastUsed.isEmpty()) {
            m_prompter->queueFileName(folder + "/x.CP");
            m_window->runCommand("Open");
            m_prompter->clear();
            m_window->documentState().markClean();
        }
        if (removeIt)
            QDir(folder).removeRecursively();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        const QString expected =
            expectLast ? QDir::cleanPath(folder) : (QFileInfo(documents).isDir() ? documents : QDir::homePath());
        QCOMPARE(m_window->userState().dialogFolder(), expected);
        QVERIFY(m_window->userState().dialogFolder() != QCoreApplication::applicationDirPath());
        // The save dialog proposes its name inside that folder.
        m_prompter->queueFileName(QString());
        m_window->ShowFileDialog("(*.CP)|*.CP*|", "X-1-2026", "t", frmMain::DialogKind::Save);
        QCOMPARE(m_prompter->last().text, expected + "/X-1-2026");
    }

    // A property file that cannot be read says so before the reader's own message; a file that
    // does not open says only why.
    void failedLoadMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("expected");
        QTest::newRow("not a property file") << QByteArray("hello") << "nu este un fisier corp proprietate valid.\r";
        QTest::newRow("missing file") << QByteArray() << "53 File not found";
    }
    void failedLoadMessage()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString path = m_folder->path("bad.CP");
        if (!bytes.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        m_window->LoadIntoWindow(path);
        // Nothing about the empty form or list follows.
        QVERIFY2(m_prompter->texts().size() == 1, qPrintable(m_prompter->texts().join("|")));
        QVERIFY2(m_prompter->last().text.contains(expected), qPrintable(m_prompter->last().text));
        if (!bytes.isEmpty())
            QVERIFY(m_prompter->last().text.startsWith("Fisierul " + QDir::toNativeSeparators(path)));
    }

    // The land-use and destination lists show "code - name" and the cell keeps the code.
    void codeListsShowNamesStoreCodes()
    {
        FormGrid grid(nullptr);
        grid.setColumns({"Cod"});
        grid.setChoices(1, {"CC", "A"}, {"CC - curti constructii", "A - Arabil"});
        grid.addRow({"A"});
        auto* table = grid.findChild<QTableWidget*>();
        QVERIFY(table);
        QAbstractItemDelegate* delegate = table->itemDelegateForColumn(0);
        QStyleOptionViewItem option;
        const QModelIndex index = table->model()->index(0, 0);
        std::unique_ptr<QWidget> editor(delegate->createEditor(table->viewport(), option, index));
        auto* combo = qobject_cast<QComboBox*>(editor.get());
        QVERIFY(combo);
        QCOMPARE(combo->itemText(0), QString("CC - curti constructii"));
        delegate->setEditorData(combo, index);
        QCOMPARE(combo->currentIndex(), 1);
        combo->setCurrentIndex(0);
        delegate->setModelData(combo, table->model(), index);
        QCOMPARE(grid.cell(0, 1), QString("CC"));
    }
};

QTEST_MAIN(tst_menus)
#include "tst_menus.moc"
