#include "ListText.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListHistory.h"

#include <QTest>
#include <QUndoStack>
#include <functional>

// Undo and redo of the coordinate list: each user action is one step that gives back the exact
// rows, whatever it touched.
class tst_CoordinateHistory : public QObject
{
    Q_OBJECT
private slots:
    void eachActionUndoesAndRedoes_data();
    void eachActionUndoesAndRedoes();
    void sequenceUndoesToTheStart();
    void longestPasteIsOneStep();
    void editAndItsFormattingAreOneStep();
    void outsideChangeStartsAfresh();
    void historyIsBounded();
};

namespace {

using Action = std::function<void(CoordinateList&)>;

const QString Land = QStringLiteral("TEREN|1|10.000|20.000;TEREN|2|11.000|21.000;TEREN|3|12.000|22.000;"
                                    "C1|4|13.000|23.000;C1|5|14.000|24.000");

struct Fixture
{
    CoordinateList list{nullptr, QStringLiteral(".")};
    CoordinateListHistory history{list};

    Fixture(const QString& rows, int anchorRow, int endRow)
    {
        list.setDecimalNumber(3);
        list.setDelimiters({QStringLiteral("\t"), QStringLiteral(" ")});
        list.setAutoNumber(true);
        ListText::fill(list, rows);
        list.setSelection(anchorRow, 1, endRow, 1);
    }
};

} // namespace

Q_DECLARE_METATYPE(Action)

void tst_CoordinateHistory::eachActionUndoesAndRedoes_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("anchorRow");
    QTest::addColumn<int>("endRow");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("stepName");

    // Each row: an action the history would miss, split in two, or give back wrongly.
    QTest::newRow("entity renamed with its run") << Land << 1 << 1 << Action([](CoordinateList& l) {
        l.CommitEdit(1, CoordinateList::EntityColumn, QStringLiteral("TEREN"), QStringLiteral("LOT"));
    }) << "editare celula";
    QTest::newRow("coordinate edited") << Land << 2 << 2 << Action([](CoordinateList& l) {
        l.CommitEdit(2, CoordinateList::EstColumn, QStringLiteral("11.000"), QStringLiteral("99.5"));
    }) << "editare celula";
    QTest::newRow("paste onto the fresh list") << QString("|||") << 1 << 1 << Action([](CoordinateList& l) {
        l.PasteText(QStringLiteral("1\t100.5\t200.25\r\n2\t101\t201\r\n"));
    }) << "lipire";
    QTest::newRow("paste over the middle, growing the list")
        << Land << 4 << 4
        << Action([](CoordinateList& l) { l.PasteText(QStringLiteral("7 1 2\r\n8 3 4\r\n9 5 6\r\n")); }) << "lipire";
    QTest::newRow("cut of three rows") << Land << 2 << 4 << Action([](CoordinateList& l) { l.CutSelection(); })
                                       << "decupare";
    QTest::newRow("cut of every row") << Land << 1 << 5 << Action([](CoordinateList& l) { l.CutSelection(); })
                                      << "decupare";
    QTest::newRow("row deleted") << Land << 3 << 3 << Action([](CoordinateList& l) { l.RemoveRow(); })
                                 << "stergere punct";
    QTest::newRow("only row emptied") << QString("TEREN|1|1.000|2.000") << 1 << 1
                                      << Action([](CoordinateList& l) { l.RemoveRow(); }) << "stergere punct";
    QTest::newRow("row inserted above") << Land << 4 << 4 << Action([](CoordinateList& l) { l.InsertRowAbove(); })
                                        << "inserare punct";
    QTest::newRow("row moved up into the land")
        << Land << 4 << 4 << Action([](CoordinateList& l) { l.MoveRowUp(); }) << "mutare punct";
    QTest::newRow("row moved down") << Land << 1 << 1 << Action([](CoordinateList& l) { l.MoveRowDown(); })
                                    << "mutare punct";
    QTest::newRow("renumbered") << QString("TEREN|7|1|2;TEREN|3|1|2;C1|12|1|2") << 1 << 1
                                << Action([](CoordinateList& l) { l.Renumber(); }) << "renumerotare";
    QTest::newRow("columns swapped") << Land << 1 << 1 << Action([](CoordinateList& l) { l.SwapCols(); })
                                     << "inversare XY";
    QTest::newRow("point added") << Land << 1 << 1 << Action([](CoordinateList& l) { l.AddNewRow(); })
                                 << "adaugare punct";
    QTest::newRow("entity added") << Land << 1 << 1 << Action([](CoordinateList& l) { l.AddNewEntity("C2"); })
                                  << "adaugare entitate";
    QTest::newRow("whole list replaced by a drawing") << Land << 2 << 2 << Action([](CoordinateList& l) {
        const auto action = l.userAction(QStringLiteral("import DXF"));
        l.ClearControl();
        CoordinateTable table(2);
        table.setCell(1, CoordinateTable::EntityColumn, QStringLiteral("TEREN"));
        table.setCell(1, CoordinateTable::NumberColumn, QStringLiteral("1"));
        table.setCell(2, CoordinateTable::EntityColumn, QStringLiteral("TEREN"));
        table.setCell(2, CoordinateTable::NumberColumn, QStringLiteral("2"));
        l.setData(table);
    }) << "import DXF";
}

void tst_CoordinateHistory::eachActionUndoesAndRedoes()
{
    QFETCH(QString, rows);
    QFETCH(int, anchorRow);
    QFETCH(int, endRow);
    QFETCH(Action, action);
    QFETCH(QString, stepName);
    Fixture f(rows, anchorRow, endRow);
    const QString before = ListText::dump(f.list);

    action(f.list);
    const QString after = ListText::dump(f.list);
    QVERIFY(after != before);
    QCOMPARE(f.history.stack()->count(), 1);
    QCOMPARE(f.history.stack()->undoText(), stepName);

    f.history.stack()->undo();
    QCOMPARE(ListText::dump(f.list), before);
    QCOMPARE(f.list.anchorRow(), anchorRow);
    QCOMPARE(f.list.currentRow(), endRow);
    f.history.stack()->redo();
    QCOMPARE(ListText::dump(f.list), after);
    f.history.stack()->undo();
    QCOMPARE(ListText::dump(f.list), before);
}

void tst_CoordinateHistory::sequenceUndoesToTheStart()
{
    Fixture f(Land, 2, 2);
    QStringList states{ListText::dump(f.list)};
    f.list.PasteText(QStringLiteral("C2 1 5 6\r\nC2 2 7 8\r\n"));
    states << ListText::dump(f.list);
    f.list.setSelection(3, 1, 4, 1);
    f.list.CutSelection();
    states << ListText::dump(f.list);
    f.list.SwapCols();
    states << ListText::dump(f.list);
    f.list.CommitEdit(1, CoordinateList::NumberColumn, QStringLiteral("1"), QStringLiteral("100"));
    states << ListText::dump(f.list);
    f.list.Renumber();
    states << ListText::dump(f.list);
    QCOMPARE(f.history.stack()->count(), 5);

    for (int i = int(states.size()) - 2; i >= 0; --i) {
        f.history.stack()->undo();
        QCOMPARE(ListText::dump(f.list), states[i]);
    }
    QVERIFY(!f.history.stack()->canUndo());
    for (int i = 1; i < states.size(); ++i) {
        f.history.stack()->redo();
        QCOMPARE(ListText::dump(f.list), states[i]);
    }
    // A new action after an undo drops what could be redone.
    f.history.stack()->undo();
    f.list.setCurrentCell(1, 1);
    f.list.MoveRowDown();
    QVERIFY(!f.history.stack()->canRedo());
}

void tst_CoordinateHistory::longestPasteIsOneStep()
{
    Fixture f(QStringLiteral("|||"), 1, 1);
    QString text;
    for (int i = 1; i <= CoordinateList::MaximumRows; ++i)
        text += QStringLiteral("%1\t%2.125\t%3.5\r\n").arg(i).arg(400000 + i).arg(300000 + i);
    const QString before = ListText::dump(f.list);
    QVERIFY(f.list.PasteText(text));
    QCOMPARE(f.list.rowCount(), CoordinateList::MaximumRows);
    const QString after = ListText::dump(f.list);
    QCOMPARE(f.history.stack()->count(), 1);

    f.history.stack()->undo();
    QCOMPARE(ListText::dump(f.list), before);
    f.history.stack()->redo();
    QCOMPARE(ListText::dump(f.list), after);
}

void tst_CoordinateHistory::editAndItsFormattingAreOneStep()
{
    Fixture f(Land, 2, 2);
    const QString before = ListText::dump(f.list);
    f.list.CommitEdit(2, CoordinateList::EstColumn, QStringLiteral("11.000"), QStringLiteral("5"));
    f.list.LeaveCell(2, CoordinateList::EstColumn);
    QCOMPARE(f.list.cell(2, CoordinateList::EstColumn), QStringLiteral("5.000"));
    // A second edit of another cell of the same row stays a step of its own.
    f.list.CommitEdit(2, CoordinateList::NordColumn, QStringLiteral("21.000"), QStringLiteral("6.000"));
    QCOMPARE(f.history.stack()->count(), 2);
    f.history.stack()->undo();
    f.history.stack()->undo();
    QCOMPARE(ListText::dump(f.list), before);
}

void tst_CoordinateHistory::outsideChangeStartsAfresh()
{
    Fixture f(Land, 1, 1);
    f.list.MoveRowDown();
    f.list.SwapCols();
    QCOMPARE(f.history.stack()->count(), 2);
    // A document loaded: the steps belong to the list that was there before.
    ListText::fill(f.list, QStringLiteral("C1|1|1.000|2.000"));
    QCOMPARE(f.history.stack()->count(), 0);
    f.list.ClearControl();
    QCOMPARE(f.history.stack()->count(), 0);
}

void tst_CoordinateHistory::historyIsBounded()
{
    Fixture f(Land, 1, 1);
    for (int i = 0; i < CoordinateListHistory::UndoLimit + 20; ++i)
        f.list.SwapCols();
    QCOMPARE(f.history.stack()->count(), CoordinateListHistory::UndoLimit);
    // An action that changes nothing is no step.
    f.list.setCurrentCell(1, 1);
    f.list.MoveRowUp();
    f.list.LeaveCell(1, CoordinateList::EstColumn);
    QCOMPARE(f.history.stack()->count(), CoordinateListHistory::UndoLimit);
}

QTEST_GUILESS_MAIN(tst_CoordinateHistory)
#include "tst_coordinatehistory.moc"
