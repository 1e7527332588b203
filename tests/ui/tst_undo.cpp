// Undo and redo in the main window: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z from the coordinate grid
// take back and do again each thing the user did to the list, as one step named after it, and
// the document stays marked modified.
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListModel.h"
#include "coordlist/ui/EditableList.h"
#include "model/DXFEntity.h"
#include "support/CreateMainWindow.h"
#include "support/DocumentFactory.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTest>

namespace {
using Answer = Prompter::Answer;
using Edit = std::function<void(frmMain& window)>;

QString listText(const frmMain& window)
{
    const CoordinateList& list = *window.coordinateList()->list();
    QStringList rows;
    for (int r = 1; r <= list.rowCount(); ++r)
        rows << QStringList(list.row(r).begin(), list.row(r).end()).join('|');
    return rows.join(';');
}

void press(frmMain& window, const QKeySequence& key)
{
    QTest::keySequence(window.coordinateList()->grid(), key);
}
} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_undo : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

    // Six land points and four of a building numbered from 107, loaded as a document is (clean, no history).
    void showList()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        CoordinateTable table(10);
        for (int r = 1; r <= 10; ++r) {
            table.setCell(r, CoordinateTable::EntityColumn, r <= 6 ? "TEREN" : "C1");
            table.setCell(r, CoordinateTable::NumberColumn, QString::number(r <= 6 ? r : 100 + r));
            table.setCell(r, CoordinateTable::XColumn, 1000.0 + r * 7);
            table.setCell(r, CoordinateTable::YColumn, 2000.0 + r * r);
        }
        {
            const auto quiet = m_window->documentState().quiet();
            m_window->coordinateList()->setData(table);
        }
        m_window->documentState().markClean();
        m_window->tabs()->setCurrentIndex(1);
        m_window->coordinateList()->grid()->setFocus();
    }

private slots:
    void init() { createMainWindow(m_folder, m_settings, m_prompter, m_window); }

    void cleanup()
    {
        m_window->documentState().markClean();
        m_window.reset();
        QApplication::clipboard()->clear();
    }

    void eachActionUndoesAndRedoes_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("undoText");

        auto at = [](int row, int column) {
            return [row, column](frmMain& window) {
                window.coordinateList()->list()->setCurrentCell(row, column);
                window.coordinateList()->grid()->setCurrentIndex(
                    window.coordinateList()->model()->index(row - 1, column));
            };
        };
        QTest::newRow("typed coordinate") << Edit([at](frmMain& w) {
            at(3, CoordinateList::EstColumn)(w);
            QTest::keyClicks(w.coordinateList()->grid(), "55");
            QTest::keyClick(w.coordinateList()->cellEditor(), Qt::Key_Return);
        }) << "Anuleaza editare celula";
        QTest::newRow("paste") << Edit([this, at](frmMain& w) {
            at(5, CoordinateList::NumberColumn)(w);
            QApplication::clipboard()->setText("40\t1.5\t2.5\r\n41\t3\t4\r\n42\t5\t6\r\n43\t7\t8\r\n44\t9\t9\r\n"
                                               "45\t8\t8\r\n46\t7\t7\r\n");
            m_prompter->queueAnswer(Answer::Yes); // "Se vor suprascrie inregistrarile din lista."
            press(w, QKeySequence("Ctrl+V"));
        }) << "Anuleaza lipire";
        QTest::newRow("cut of rows") << Edit([](frmMain& w) {
            w.coordinateList()->list()->setSelection(2, 1, 4, 1);
            press(w, QKeySequence("Ctrl+X"));
        }) << "Anuleaza decupare";
        QTest::newRow("delete") << Edit([at](frmMain& w) {
            at(7, 1)(w);
            press(w, QKeySequence(Qt::Key_Delete));
        }) << "Anuleaza stergere punct";
        QTest::newRow("insert above") << Edit([at](frmMain& w) {
            at(4, 1)(w);
            press(w, QKeySequence(Qt::Key_F4));
        }) << "Anuleaza inserare punct";
        QTest::newRow("move up") << Edit([at](frmMain& w) {
            at(7, 1)(w);
            press(w, QKeySequence("Alt+Up"));
        }) << "Anuleaza mutare punct";
        QTest::newRow("renumber") << Edit([](frmMain& w) {
            w.coordinateList()->popupMenu()->findChild<QAction*>("mnuRenumber")->trigger();
        }) << "Anuleaza renumerotare";
        QTest::newRow("swap columns") << Edit([](frmMain& w) { w.runCommand("XToY"); }) << "Anuleaza inversare XY";
        QTest::newRow("dxf import") << Edit([](frmMain& w) {
            w.setDxfWizardShower([] {
                auto land = std::make_shared<DXFEntity>();
                land->setPolygon(DocumentFactory::polygon("TEREN", 5, 1, 500, 600, 20));
                auto entities = std::make_shared<DXFEntities>();
                entities->Add(land);
                return entities;
            });
            w.runCommand("ImportDXF");
        }) << "Anuleaza import DXF";
    }

    void eachActionUndoesAndRedoes()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, undoText);
        showList();
        const QList<QAction*> actions = m_window->undoActions();
        QCOMPARE(actions.size(), 2);
        QAction* undo = actions[0];
        QAction* redo = actions[1];
        QVERIFY(!undo->isEnabled());
        QCOMPARE(undo->text(), QString("Anuleaza"));
        const QString before = listText(*m_window);

        edit(*m_window);
        const QString after = listText(*m_window);
        QVERIFY(after != before);
        QCOMPARE(undo->text(), undoText);
        QVERIFY(m_window->isModified());

        press(*m_window, QKeySequence("Ctrl+Z"));
        QCOMPARE(listText(*m_window), before);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString(undoText).replace("Anuleaza", "Reface"));
        QVERIFY(m_window->isModified());
        press(*m_window, QKeySequence("Ctrl+Y"));
        QCOMPARE(listText(*m_window), after);
        press(*m_window, QKeySequence("Ctrl+Z"));
        press(*m_window, QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(listText(*m_window), after);
    }

    // The step an undo takes back is the newest one: a coordinate still in the cell editor,
    // after the steps before it.
    void openEditorIsTheNewestStep()
    {
        showList();
        const QString start = listText(*m_window);
        m_window->coordinateList()->list()->setSelection(1, 1, 2, 1);
        press(*m_window, QKeySequence("Ctrl+X"));
        const QString afterCut = listText(*m_window);
        m_window->coordinateList()->list()->setCurrentCell(2, CoordinateList::NordColumn);
        m_window->coordinateList()->BeginCellEdit(QString("9"));
        m_window->undoActions()[0]->trigger();
        QVERIFY(!m_window->coordinateList()->isEditing());
        QCOMPARE(listText(*m_window), afterCut);
        m_window->undoActions()[0]->trigger();
        QCOMPARE(listText(*m_window), start);
    }

    // Opening or starting a document leaves nothing to undo into the previous one.
    void newDocumentForgetsTheHistory()
    {
        showList();
        m_window->runCommand("XToY");
        QVERIFY(m_window->undoActions()[0]->isEnabled());
        m_window->setPropertyTypeAsker([](bool* isApartment) {
            *isApartment = false;
            return true;
        });
        m_prompter->queueAnswer(Answer::No); // "Salvati datele inainte de inchiderea aplicatiei ?"
        m_window->runCommand("New");
        QVERIFY(!m_window->undoActions()[0]->isEnabled());
    }

    void editMenuHoldsTheActions()
    {
        QMenu* edit = m_window->menuBar()->findChild<QMenu*>("mnuEdit");
        QVERIFY(edit);
        QCOMPARE(edit->title(), QString("Editare"));
        // Undo and redo head the menu, above the list's own commands.
        QCOMPARE(edit->actions().mid(0, 2), m_window->undoActions());
        QCOMPARE(m_window->undoActions()[1]->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    }
};

QTEST_MAIN(tst_undo)
#include "tst_undo.moc"
