#include "ListText.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

// The grid driven with synthetic keys and clicks: the cell editor and its commit rules, the
// keyboard commands and the pop-up menu's states.
class tst_EditableList : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void typingOpensTheEditor_data();
    void typingOpensTheEditor();
    void commitRules_data();
    void commitRules();
    void leavingACellFormatsIt();
    void renameRunThroughTheEditor();
    void selectAllAndCopy();
    void keysWithoutExtraEditor();
    void menuStates();
    void shiftClickKeepsTheAnchor();

private:
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    std::unique_ptr<EditableList> m_widget;
    ScriptedPrompter m_prompter;
};

void tst_EditableList::init()
{
    m_prompter.clear();
    m_widget = std::make_unique<EditableList>(m_prompter);
    m_widget->list()->setDecimalSeparator(".");
    m_widget->list()->setDecimalNumber(3);
    m_widget->list()->setAutoNumber(true);
    m_widget->list()->setDelimiters({"\t", " "});
    m_widget->resize(500, 400);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
    ListText::fill(*m_widget->list(), "TEREN|1|1.000|1.000;TEREN|2|2.000|2.000;TEREN|3|3.000|3.000;TEREN|4|4.000|4.000;"
                                      "C1|5|5.000|5.000;C1|6|6.000|");
}

void tst_EditableList::cleanup()
{
    m_widget.reset();
}

void tst_EditableList::clickCell(int row, int column, Qt::KeyboardModifiers modifiers)
{
    QTableView* grid = m_widget->grid();
    const QRect rect = grid->visualRect(grid->model()->index(row - 1, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, rect.center());
}

void tst_EditableList::typingOpensTheEditor_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("opens");
    QTest::newRow("digit in Est") << int(CoordinateList::EstColumn) << "5" << true;
    QTest::newRow("comma in Nord") << int(CoordinateList::NordColumn) << "," << true;
    QTest::newRow("letter in Est") << int(CoordinateList::EstColumn) << "a" << false;
    QTest::newRow("minus in Est") << int(CoordinateList::EstColumn) << "-" << false;
    QTest::newRow("letter in entity") << int(CoordinateList::EntityColumn) << "x" << true;
    QTest::newRow("blank in number") << int(CoordinateList::NumberColumn) << " " << false;
}

void tst_EditableList::typingOpensTheEditor()
{
    QFETCH(int, column);
    QFETCH(QString, key);
    QFETCH(bool, opens);
    clickCell(6, column);
    QTest::keyClick(m_widget->grid(), key.at(0).toLatin1());
    QCOMPARE(m_widget->isEditing(), opens);
    QCOMPARE(m_widget->cellEditor()->isVisible(), opens);
    if (!opens)
        return;
    QCOMPARE(m_widget->cellEditor()->text(), key);
    // In the coordinate columns the editor filters its keys too.
    QTest::keyClicks(m_widget->cellEditor(), "7b");
    const QString expected = column == CoordinateList::EntityColumn ? key + "7b" : key + "7";
    QCOMPARE(m_widget->cellEditor()->text(), expected);
}

void tst_EditableList::commitRules_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("message");
    QTest::newRow("bound kept") << 2 << "1000000" << int(Qt::Key_Return) << "1000000" << 1 << "";
    QTest::newRow("over bound") << 2 << "1000000.5" << int(Qt::Key_Return) << "" << 0
                                << "Valoarea coordonatelor depaseste ordinul milioanelor.";
    QTest::newRow("escape keeps the text") << 3 << "12" << int(Qt::Key_Escape) << "12" << 1 << "";
    QTest::newRow("tab commits") << 1 << "9A" << int(Qt::Key_Tab) << "9A" << 0 << "";
}

void tst_EditableList::commitRules()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, stored);
    QFETCH(int, changes);
    QFETCH(QString, message);
    QSignalSpy changed(m_widget.get(), &EditableList::CoordinateChanged);
    clickCell(3, column);
    QTest::mouseDClick(m_widget->grid()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       m_widget->grid()->visualRect(m_widget->grid()->model()->index(2, column)).center());
    QVERIFY(m_widget->isEditing());
    QCOMPARE(m_widget->cellEditor()->selectedText(), m_widget->list()->cell(3, column));
    QTest::keyClicks(m_widget->cellEditor(), typed);
    QTest::keyClick(m_widget->cellEditor(), Qt::Key(key));
    QVERIFY(!m_widget->isEditing());
    QVERIFY(!m_widget->cellEditor()->isVisible());
    QCOMPARE(m_widget->list()->cell(3, column), stored);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(m_prompter.texts().join('/'), message);
}

void tst_EditableList::leavingACellFormatsIt()
{
    m_widget->list()->setDecimalSeparator(",");
    clickCell(2, CoordinateList::EstColumn);
    QTest::keyClick(m_widget->grid(), '1'); // the first key opens the editor, which takes the rest
    QTest::keyClicks(m_widget->cellEditor(), "23.45");
    QTest::keyClick(m_widget->cellEditor(), Qt::Key_Return);
    QCOMPARE(m_widget->list()->cell(2, CoordinateList::EstColumn), QString("123,45"));
    QTest::keyClick(m_widget->grid(), Qt::Key_Down);
    QCOMPARE(m_widget->list()->anchorRow(), 3);
    QCOMPARE(m_widget->list()->cell(2, CoordinateList::EstColumn), QString("123,450"));
    QVERIFY(m_prompter.log().isEmpty());
}

void tst_EditableList::renameRunThroughTheEditor()
{
    clickCell(1, CoordinateList::EntityColumn);
    QTest::keyClick(m_widget->grid(), 'L');
    QTest::keyClicks(m_widget->cellEditor(), "OT");
    QTest::keyClick(m_widget->cellEditor(), Qt::Key_Return);
    QCOMPARE(m_widget->list()->CountEntityRows("LOT"), 4);
    QCOMPARE(m_widget->list()->CountEntityRows("C1"), 2);
}

void tst_EditableList::selectAllAndCopy()
{
    QApplication::clipboard()->clear();
    clickCell(3, 2);
    QTest::keyClick(m_widget->grid(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(m_widget->list()->anchorRow(), 1);
    QCOMPARE(m_widget->list()->anchorColumn(), 1);
    QCOMPARE(m_widget->list()->currentRow(), 6);
    QTest::keyClick(m_widget->grid(), Qt::Key_C, Qt::ControlModifier);
    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text.count("\r\n"), 6);
    QVERIFY(text.startsWith("TEREN\t1\t1.000\t1.000\r\n"));
    QVERIFY(text.endsWith("C1\t6\t6.000\t\r\n"));

    // Pasting it back on the first row asks before overwriting.
    clickCell(1, 0);
    m_prompter.queueAnswer(Prompter::Answer::No);
    QTest::keyClick(m_widget->grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_prompter.last().caption, QString("Confirmare"));
}

void tst_EditableList::keysWithoutExtraEditor()
{
    m_widget->list()->setExtraEditor(false);
    clickCell(5, 1);
    QTest::keyClick(m_widget->grid(), Qt::Key_Delete);
    QTest::keyClick(m_widget->grid(), Qt::Key_F2);
    QCOMPARE(m_widget->list()->rowCount(), 6);
    QTest::keyClick(m_widget->grid(), Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(m_widget->list()->cell(4, 1), QString("5"));
    QCOMPARE(m_widget->list()->cell(4, 0), QString("TEREN"));
    QCOMPARE(m_widget->grid()->currentIndex().row(), 3); // the view follows the moved row

    m_widget->preparePopupMenu();
    QStringList visible;
    for (QAction* action : m_widget->popupMenu()->actions()) {
        if (action->isVisible())
            visible << action->text();
    }
    QCOMPARE(visible, (QStringList{"Copiaza lista coordonate", "Muta sus\tAlt+Up", "Muta jos\tAlt+Down"}));

    m_widget->list()->setExtraEditor(true);
    QTest::keyClick(m_widget->grid(), Qt::Key_Delete);
    QCOMPARE(m_widget->list()->rowCount(), 5);
    QTest::keyClick(m_widget->grid(), Qt::Key_F2); // runs even when the current row is incomplete
    QCOMPARE(m_widget->list()->rowCount(), 6);
}

void tst_EditableList::menuStates()
{
    auto action = [this](const char* name) { return m_widget->popupMenu()->findChild<QAction*>(name); };
    QVERIFY(action("mnuAutoNumber")->isChecked());
    m_widget->list()->setAutoNumber(false);
    QVERIFY(!action("mnuAutoNumber")->isChecked());
    action("mnuAutoNumber")->trigger();
    QVERIFY(m_widget->list()->AutoNumber());

    QApplication::clipboard()->setText(QString());
    clickCell(1, 0);
    m_widget->preparePopupMenu();
    QVERIFY(!action("mnuPaste")->isEnabled());
    QVERIFY(!action("mnuInsert")->isEnabled());
    QVERIFY(action("mnuCopyPointList")->isEnabled());
    QVERIFY(action("mnuAddRow")->isEnabled());
    QVERIFY(action("mnuCut")->isVisible());

    QApplication::clipboard()->setText("1 2");
    clickCell(6, 2);
    m_widget->preparePopupMenu();
    QVERIFY(action("mnuPaste")->isEnabled());
    QVERIFY(action("mnuInsert")->isEnabled());
    QVERIFY(!action("mnuCopyPointList")->isEnabled());
    QVERIFY(!action("mnuAddRow")->isEnabled()); // row 6 lacks its Nord

    clickCell(5, 0);
    m_widget->preparePopupMenu();
    action("mnuCopyPointList")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("5\t5.000\t5.000\r\n6\t6.000\t\r\n"));
}

void tst_EditableList::shiftClickKeepsTheAnchor()
{
    clickCell(2, 1);
    clickCell(4, 3, Qt::ShiftModifier);
    QCOMPARE(m_widget->list()->anchorRow(), 2);
    QCOMPARE(m_widget->list()->currentRow(), 4);
    QCOMPARE(m_widget->list()->currentColumn(), 3);
    // The current cell is the yellow one, not the moving end of the selection.
    QTableView* grid = m_widget->grid();
    const QImage image = grid->viewport()->grab().toImage();
    auto probe = [&](int row, int column) {
        return image.pixelColor(grid->visualRect(grid->model()->index(row - 1, column)).center() + QPoint(30, 0));
    };
    QCOMPARE(probe(2, 1), QColor(255, 255, 0));
    QVERIFY(probe(4, 3) != QColor(255, 255, 0));

    QTest::keyClick(grid, Qt::Key_Delete); // deletes the anchor row only
    QCOMPARE(m_widget->list()->rowCount(), 5);
    QCOMPARE(m_widget->list()->cell(2, 1), QString("3"));
    QCOMPARE(m_widget->list()->anchorRow(), 2);
    QCOMPARE(grid->currentIndex().row(), 1); // the view follows the list
}

QTEST_MAIN(tst_EditableList)
#include "tst_editablelist.moc"
