// Undo and redo in the main window: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z from the coordinate grid
// take back and do again each thing the user did to the list, as one step named after it, and
// the document stays marked modified.
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListModel.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "entry/ui/FormPanels.h"
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
#include <QToolButton>

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

// The three grids of the form, each row's cells joined, with the two measured totals.
QString formText(const frmMain& window)
{
    const CreateFBI& form = *window.dataForm();
    QStringList parts;
    for (const FormGrid* grid : {form.ownersGrid(), form.parcelsGrid(), form.buildingsGrid()}) {
        QStringList rows;
        for (const QStringList& row : grid->rows().rows)
            rows << row.join('|');
        parts << rows.join(';');
    }
    parts << form.TotalParcelsArea() << form.TotalBuildingsArea();
    return parts.join(" // ");
}

// Types `text` into a cell through its editor, as the user does, and leaves it with Return.
void typeIntoCell(FormGrid* grid, int row, int column, const QString& text)
{
    QTableWidget* table = grid->table();
    table->setFocus();
    table->setCurrentCell(row, column - 1);
    table->editItem(table->item(row, column - 1));
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(grid->cell(row, column), text);
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
            m_window->coordinateList()->list()->setData(table);
        }
        m_window->documentState().markClean();
        m_window->tabs()->setCurrentIndex(1);
        m_window->coordinateList()->grid()->setFocus();
    }

    // Two owners, three parcels and two buildings, shown as a document is (clean, no history).
    void showForm()
    {
        showList();
        CreateFBI* form = m_window->dataForm();
        {
            const auto quiet = m_window->documentState().quiet();
            form->ownersGrid()->addRow({"POPESCU", "ION"});
            form->ownersGrid()->addRow({"IONESCU", "MARIA"});
            form->parcelsGrid()->addRow({"1", "A", "", "250"});
            form->parcelsGrid()->addRow({"2", "CC", "", "120"});
            form->parcelsGrid()->addRow({"3", "A", "", "75"});
            form->buildingsGrid()->addRow({"C1", "Casa", "80"});
            form->buildingsGrid()->addRow({"C2", "Garaj", "20"});
            form->UpdateParcelsTotal();
            form->UpdateBuildingsTotal();
        }
        m_window->documentState().markClean();
        m_window->tabs()->setCurrentIndex(0);
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

    // Each row is one user action on a grid of the form: one undo gives back exactly the rows
    // (and totals) it found, one redo the rows it left.
    void eachGridActionUndoesAndRedoes_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("undoText");

        auto click = [](FormGrid* (CreateFBI::*grid)() const, const char* key) {
            return Edit([grid, key](frmMain& w) {
                QTest::mouseClick((w.dataForm()->*grid)()->commandButton(key), Qt::LeftButton);
            });
        };
        QTest::newRow("owner added by its button")
            << click(&CreateFBI::ownersGrid, "AddOwner") << "Anuleaza adaugare proprietar";
        QTest::newRow("parcel added by F5") << Edit([](frmMain& w) {
            w.dataForm()->parcelsGrid()->table()->setFocus();
            QTest::keyClick(w.dataForm()->parcelsGrid()->table(), Qt::Key_F5);
        }) << "Anuleaza adaugare parcela";
        // Put back at its place, not appended: the row after it must not move up.
        QTest::newRow("first owner deleted") << Edit([click](frmMain& w) {
            w.dataForm()->ownersGrid()->table()->setCurrentCell(0, 0);
            click(&CreateFBI::ownersGrid, "DeleteOwner")(w);
        }) << "Anuleaza stergere proprietar";
        QTest::newRow("middle parcel deleted, total follows") << Edit([click](frmMain& w) {
            w.dataForm()->parcelsGrid()->table()->setCurrentCell(1, 0);
            click(&CreateFBI::parcelsGrid, "DeleteParcel")(w);
        }) << "Anuleaza stergere parcela";
        QTest::newRow("owner's name typed")
            << Edit([](frmMain& w) { typeIntoCell(w.dataForm()->ownersGrid(), 1, OwnerColumn::FirstName, "ELENA"); })
            << "Anuleaza editare proprietar";
        QTest::newRow("parcel area typed, total follows")
            << Edit([](frmMain& w) { typeIntoCell(w.dataForm()->parcelsGrid(), 2, ParcelColumn::Area, "1000"); })
            << "Anuleaza editare parcela";
        QTest::newRow("building description typed") << Edit([](frmMain& w) {
            typeIntoCell(w.dataForm()->buildingsGrid(), 0, BuildColumn::Description, "Casa de locuit");
        }) << "Anuleaza editare cladire";
        // The comma the apartment's check turns into a point is part of the same edit.
        QTest::newRow("apartment share with a comma") << Edit([](frmMain& w) {
            w.dataForm()->setIsAp(true);
            FormGrid* parcels = w.dataForm()->parcelsGrid();
            QTableWidget* table = parcels->table();
            table->setFocus();
            table->setCurrentCell(0, ParcelColumn::Area - 1);
            table->editItem(table->item(0, ParcelColumn::Area - 1));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(QApplication::focusWidget(), "12,5");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTRY_COMPARE(parcels->cell(0, ParcelColumn::Area), QString("12.5"));
        }) << "Anuleaza editare parcela";
    }

    void eachGridActionUndoesAndRedoes()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, undoText);
        showForm();
        QAction* undo = m_window->undoActions()[0];
        QAction* redo = m_window->undoActions()[1];
        QVERIFY(!undo->isEnabled());
        const QString before = formText(*m_window);
        const QString list = listText(*m_window);

        edit(*m_window);
        const QString after = formText(*m_window);
        QVERIFY(after != before);
        QCOMPARE(undo->text(), undoText);
        QVERIFY(m_window->isModified());

        QWidget* table = m_window->dataForm()->ownersGrid()->table();
        table->setFocus();
        QTest::keySequence(table, QKeySequence("Ctrl+Z"));
        QCOMPARE(formText(*m_window), before);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QString(undoText).replace("Anuleaza", "Reface"));
        QVERIFY(m_window->isModified());
        QTest::keySequence(table, QKeySequence("Ctrl+Y"));
        QCOMPARE(formText(*m_window), after);
        QTest::keySequence(table, QKeySequence("Ctrl+Z"));
        QTest::keySequence(table, QKeySequence("Ctrl+Shift+Z"));
        QCOMPARE(formText(*m_window), after);
        QCOMPARE(listText(*m_window), list);
    }

    // The one Editare history: each undo takes back whichever of the list and the grids the
    // user changed last, in the reverse order of the changes.
    void listAndGridsShareOneHistory_data()
    {
        QTest::addColumn<bool>("listFirst");
        QTest::newRow("list, then owners") << true;
        QTest::newRow("owners, then list") << false;
    }
    void listAndGridsShareOneHistory()
    {
        QFETCH(bool, listFirst);
        showForm();
        const QString list0 = listText(*m_window);
        const QString form0 = formText(*m_window);
        auto editList = [this] { m_window->runCommand("XToY"); };
        auto editOwners = [this] {
            typeIntoCell(m_window->dataForm()->ownersGrid(), 0, OwnerColumn::LastName, "DUMITRU");
        };
        if (listFirst) {
            editList();
            editOwners();
        } else {
            editOwners();
            editList();
        }
        const QString list1 = listText(*m_window);
        const QString form1 = formText(*m_window);
        QVERIFY(list1 != list0 && form1 != form0);
        QAction* undo = m_window->undoActions()[0];
        QCOMPARE(undo->text(), listFirst ? QString("Anuleaza editare proprietar") : QString("Anuleaza inversare XY"));
        undo->trigger();
        QCOMPARE(listText(*m_window), listFirst ? list1 : list0);
        QCOMPARE(formText(*m_window), listFirst ? form0 : form1);
        undo->trigger();
        QCOMPARE(listText(*m_window), list0);
        QCOMPARE(formText(*m_window), form0);
        QVERIFY(!undo->isEnabled());
    }

    // A name still in a grid's cell editor is the newest step: undo commits it, then takes it back.
    void openGridEditorIsTheNewestStep()
    {
        showForm();
        m_window->runCommand("XToY");
        const QString form0 = formText(*m_window);
        QTableWidget* table = m_window->dataForm()->ownersGrid()->table();
        table->setFocus();
        table->setCurrentCell(0, 0);
        table->editItem(table->item(0, 0));
        QTest::keyClicks(QApplication::focusWidget(), "X");
        m_window->undoActions()[0]->trigger();
        QCOMPARE(formText(*m_window), form0);
        QCOMPARE(m_window->undoActions()[0]->text(), QString("Anuleaza inversare XY"));
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
        QCOMPARE(edit->title(), QString("&Editare"));
        // Undo and redo head the menu, above the list's own commands.
        QCOMPARE(edit->actions().mid(0, 2), m_window->undoActions());
        QCOMPARE(m_window->undoActions()[1]->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    }
};

QTEST_MAIN(tst_undo)
#include "tst_undo.moc"
