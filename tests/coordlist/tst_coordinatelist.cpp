#include "ListText.h"
#include "coordlist/CoordinateFormat.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListModel.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

// The list's rows, Data table, numbering and row operations, and the cell-editor commits.
class tst_CoordinateList : public QObject
{
    Q_OBJECT
private slots:
    void formatCoordinate_data();
    void formatCoordinate();
    void dataRead_data();
    void dataRead();
    void dataWriteFormatsBothSeparators_data();
    void dataWriteFormatsBothSeparators();
    void newDocumentState();
    void addNewRowNumbering_data();
    void addNewRowNumbering();
    void addNewRowNeedsAnEntity();
    void addNewEntity();
    void addEntityPrompt();
    void insertRowAbove();
    void moveRowsJoinTheNeighbouringEntity();
    void renumberAndSwap();
    void removeRow();
    void copyFormats();
    void commitEdit_data();
    void commitEdit();
    void leaveCell_data();
    void leaveCell();
    void entityQueries();
    void modelFollowsOperations();
};

void tst_CoordinateList::formatCoordinate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected"); // "!" for a failure

    QTest::newRow("point") << "1234.5"
                           << "." << 3 << "1234.500";
    QTest::newRow("comma in point locale") << "1234,5"
                                           << "." << 3 << "1234.500";
    QTest::newRow("point in comma locale") << "1234.5"
                                           << "," << 3 << "1234,500";
    QTest::newRow("comma") << "1234,5"
                           << "," << 3 << "1234,500";
    QTest::newRow("leading zero") << ".25"
                                  << "." << 3 << "0.250";
    QTest::newRow("negative") << "-3"
                              << "," << 2 << "-3,00";
    QTest::newRow("rounds") << "1.23456"
                            << "." << 3 << "1.235";
    QTest::newRow("no decimals") << "17.6"
                                 << "." << 0 << "18";
    QTest::newRow("spaces around") << "  12 "
                                   << "." << 1 << "12.0";
    QTest::newRow("blank") << "   "
                           << "." << 3 << "";
    QTest::newRow("letters") << "12a"
                             << "." << 3 << "!";
    QTest::newRow("two marks") << "1,234.5"
                               << "." << 3 << "!";
    QTest::newRow("infinity text") << "inf"
                                   << "." << 3 << "!";
}

void tst_CoordinateList::formatCoordinate()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    if (expected == "!") {
        QVERIFY_THROWS_EXCEPTION(Failure, CoordinateFormat::FormatCoordinate(text, decimals, separator));
        return;
    }
    QCOMPARE(CoordinateFormat::FormatCoordinate(text, decimals, separator), expected);
}

void tst_CoordinateList::dataRead_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("expected"); // "nothing", "empty", "error" or the rows read
    QTest::addColumn<bool>("haveCoordinates");

    QTest::newRow("only row, no number") << "TEREN||5.000|6.000"
                                         << "empty" << true;
    QTest::newRow("no rows") << ""
                             << "empty" << true;
    QTest::newRow("fourth row lacks Nord, named")
        << "TEREN|1|1.000|2.000;TEREN|2|3.000|4.000;TEREN|3|5.000|6.000;TEREN|4|7.000|"
        << "nothing" << false;
    QTest::newRow("fourth row lacks Nord, unnamed")
        << "TEREN|1|1.000|2.000;TEREN|2|3.000|4.000;TEREN|3|5.000|6.000;|4|7.000|"
        << "nothing" << true;
    QTest::newRow("not a number") << "TEREN|1|1.000|2.000;TEREN|2|x|4.000"
                                  << "error" << true;
    QTest::newRow("reformatted") << "TEREN|1|1.5|2;C1|7A|-3|4.25"
                                 << "TEREN|1|1.500|2.000;C1|7A|-3.000|4.250" << true;
}

void tst_CoordinateList::dataRead()
{
    QFETCH(QString, rows);
    QFETCH(QString, expected);
    QFETCH(bool, haveCoordinates);
    CoordinateList list(nullptr, ".");
    list.setDecimalNumber(3);
    ListText::fill(list, rows);
    QCOMPARE(list.HaveCoordinates(), haveCoordinates);
    Error error;
    const std::optional<CoordinateTable> table = list.Data(&error);
    if (expected == "nothing" || expected == "error") {
        QVERIFY(!table);
        QCOMPARE(error.number, expected == "error" ? 13 : 0);
        return;
    }
    QVERIFY(table);
    if (expected == "empty") {
        QCOMPARE(table->upperRow(), 0);
        return;
    }
    QStringList read;
    for (int r = 1; r <= table->upperRow(); ++r) {
        QStringList cells;
        for (int c = 1; c <= 4; ++c) {
            QCOMPARE(table->cell(r, c).typeId(), int(QMetaType::QString));
            cells << table->text(r, c);
        }
        read << cells.join('|');
    }
    QCOMPARE(read.join(';'), expected);
}

void tst_CoordinateList::dataWriteFormatsBothSeparators_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QVariant>("est");
    QTest::addColumn<QString>("shown");
    QTest::newRow("float, comma") << "," << QVariant(1234.5) << "1234,500";
    QTest::newRow("float, point") << "." << QVariant(1234.5) << "1234.500";
    QTest::newRow("text, comma") << "," << QVariant(QStringLiteral("0,5")) << "0,500";
    QTest::newRow("empty counts as zero") << "," << QVariant() << "0,000";
}

void tst_CoordinateList::dataWriteFormatsBothSeparators()
{
    QFETCH(QString, separator);
    QFETCH(QVariant, est);
    QFETCH(QString, shown);
    CoordinateList list(nullptr, separator);
    list.setDecimalNumber(3);
    CoordinateTable table(1);
    table.setCell(1, 1, QStringLiteral("TEREN"));
    table.setCell(1, 2, QStringLiteral("1"));
    table.setCell(1, 3, est);
    table.setCell(1, 4, 7.0);
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    QVERIFY(list.setData(table));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(list.cell(1, CoordinateList::EstColumn), shown);
    const auto read = list.Data();
    QVERIFY(read);
    QCOMPARE(read->text(1, 3), shown);

    // A text that is not a number is refused and the list stays as it was.
    CoordinateTable bad(2);
    bad.setCell(2, 3, QStringLiteral("abc"));
    Error error;
    QVERIFY(!list.setData(bad, &error));
    QCOMPARE(error.number, 13);
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(list.cell(1, CoordinateList::EstColumn), shown);
}

void tst_CoordinateList::newDocumentState()
{
    CoordinateList list(nullptr, ".");
    QCOMPARE(list.rowCount(), 1); // a fresh list has one empty row
    list.setDecimalNumber(3);
    ListText::fill(list, "TEREN|1|1|2");
    list.ClearControl();
    QCOMPARE(list.rowCount(), 0);
    QVERIFY(list.setData(CoordinateTable(1)));
    QCOMPARE(ListText::dump(list), QString("||0.000|0.000"));
    QCOMPARE(list.Data()->upperRow(), 0);
    QVERIFY(list.HaveCoordinates());
}

void tst_CoordinateList::addNewRowNumbering_data()
{
    QTest::addColumn<QString>("lastNumber");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("reported");
    QTest::newRow("letter after digits") << "12A"
                                         << "13" << false;
    QTest::newRow("half rounds to even 12") << "12.5"
                                            << "13" << false;
    QTest::newRow("half rounds to even 14") << "13.5"
                                            << "15" << false;
    QTest::newRow("negative") << "-4"
                              << "-3" << false;
    QTest::newRow("empty") << ""
                           << "1" << false;
    QTest::newRow("top of range") << "32767"
                                  << "32768" << false;
    QTest::newRow("out of range") << "40000"
                                  << "" << true;
    QTest::newRow("below range") << "-32769"
                                 << "" << true;
}

void tst_CoordinateList::addNewRowNumbering()
{
    QFETCH(QString, lastNumber);
    QFETCH(QString, expected);
    QFETCH(bool, reported);
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    list.setAutoNumber(true);
    ListText::fill(list, "TEREN|1|1|1;C1|" + lastNumber + "|2|2");
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    list.AddNewRow();
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.cell(3, CoordinateList::EntityColumn), QString("C1"));
    QCOMPARE(list.cell(3, CoordinateList::NumberColumn), expected);
    QCOMPARE(changed.count(), 0);
    if (reported) {
        QCOMPARE(prompter.log().size(), 1);
        QCOMPARE(prompter.last().text, QString("Numar punct incorect."));
        QCOMPARE(prompter.last().caption, QString("Eroare"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::None);
    } else {
        QVERIFY(prompter.log().isEmpty());
    }
    list.setAutoNumber(false);
    list.AddNewRow();
    QCOMPARE(list.cell(4, CoordinateList::NumberColumn), QString());
}

void tst_CoordinateList::addNewRowNeedsAnEntity()
{
    CoordinateList list(nullptr, ".");
    list.setAutoNumber(true);
    list.AddNewRow();
    QCOMPARE(list.rowCount(), 1);
    ListText::fill(list, "|1|1|1;TEREN|2|1|1");
    list.AddNewRow();
    QCOMPARE(list.rowCount(), 2);
}

void tst_CoordinateList::addNewEntity()
{
    CoordinateList list(nullptr, ".");
    list.setAutoNumber(true);
    list.AddNewEntity("TEREN");
    QCOMPARE(ListText::dump(list), QString("TEREN|1||"));
    for (int i = 0; i < 3; ++i)
        list.AddNewRow();
    list.AddNewEntity("C1");
    QCOMPARE(list.rowCount(), 5);
    QCOMPARE(list.cell(5, CoordinateList::NumberColumn), QString("5")); // numbering runs on
    QCOMPARE(list.cell(5, CoordinateList::EntityColumn), QString("C1"));

    // Row 1 without an entity is reused with its other cells.
    CoordinateList reuse(nullptr, ".");
    ListText::fill(reuse, "|9|1.000|2.000");
    reuse.AddNewEntity("c2");
    QCOMPARE(ListText::dump(reuse), QString("c2|9|1.000|2.000"));
}

void tst_CoordinateList::addEntityPrompt()
{
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    prompter.queueInput(QStringLiteral(" c2 "));
    list.AddEntity();
    QCOMPARE(prompter.last().kind, ScriptedPrompter::Entry::Input);
    QCOMPARE(prompter.last().text, QString("Denumire entitate"));
    QCOMPARE(prompter.last().caption, QString("Adauga entitate"));
    QCOMPARE(list.cell(1, 0), QString(" C2 ")); // upper-cased, spaces kept
    prompter.queueInput(QStringLiteral("   "));
    list.AddEntity();
    prompter.queueInput(std::nullopt);
    list.AddEntity();
    QCOMPARE(list.rowCount(), 1);
}

void tst_CoordinateList::insertRowAbove()
{
    CoordinateList list(nullptr, ".");
    list.setAutoNumber(true);
    ListText::fill(list, "TEREN|1|1|1;TEREN|2|2|2;C1|3|3|3;C1|4||");
    list.setCurrentCell(1, 2);
    list.InsertRowAbove();
    QCOMPARE(list.rowCount(), 4); // not on row 1
    list.setCurrentCell(4, 2);
    list.InsertRowAbove();
    QCOMPARE(list.rowCount(), 4); // not on an incomplete row
    list.setCurrentCell(3, 1);
    list.InsertRowAbove();
    QCOMPARE(ListText::dump(list), QString("TEREN|1|1|1;TEREN|2|2|2;C1|||;C1|3|3|3;C1|4||"));
    QCOMPARE(list.currentRow(), 3);
}

void tst_CoordinateList::moveRowsJoinTheNeighbouringEntity()
{
    CoordinateList list(nullptr, ".");
    ListText::fill(list, "TEREN|1|1|1;TEREN|2|2|2;C1|3|3|3;C1|4||");
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    list.setCurrentCell(3, 0);
    list.MoveRowUp();
    QCOMPARE(ListText::dump(list), QString("TEREN|1|1|1;TEREN|3|3|3;TEREN|2|2|2;C1|4||"));
    QCOMPARE(list.currentRow(), 2);
    QCOMPARE(changed.count(), 1);
    list.setCurrentCell(3, 0);
    list.MoveRowDown();
    QCOMPARE(ListText::dump(list), QString("TEREN|1|1|1;TEREN|3|3|3;C1|4||;C1|2|2|2"));
    QCOMPARE(changed.count(), 2);
    list.setCurrentCell(3, 0);
    list.MoveRowUp(); // a row without both coordinates moves silently
    QCOMPARE(changed.count(), 2);
    list.setCurrentCell(1, 0);
    list.MoveRowUp();
    list.setCurrentCell(4, 0);
    list.MoveRowDown();
    QCOMPARE(ListText::dump(list), QString("TEREN|1|1|1;TEREN|4||;TEREN|3|3|3;C1|2|2|2"));
}

void tst_CoordinateList::renumberAndSwap()
{
    CoordinateList list(nullptr, ".");
    ListText::fill(list, "TEREN|10|1|2;TEREN|11|3|4;TEREN|x|5|6;TEREN||7|8;C1|1|9|10;C1|2|11|12;C1|3|13|14;C1|4|15|16");
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    list.Renumber();
    QCOMPARE(changed.count(), 0);
    for (int r = 1; r <= 8; ++r)
        QCOMPARE(list.cell(r, CoordinateList::NumberColumn), QString::number(r));
    list.SwapCols();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(list.row(8)[2], QString("16"));
    QCOMPARE(list.row(8)[3], QString("15"));
}

void tst_CoordinateList::removeRow()
{
    CoordinateList list(nullptr, ".");
    ListText::fill(list, "TEREN|1|1|1");
    list.RemoveRow();
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(ListText::dump(list), QString("|||"));

    ListText::fill(list, "TEREN|1|1|1;TEREN|2|2|2;TEREN|3|3|3");
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    list.setSelection(2, 0, 3, 3); // the anchor row goes, whatever the selection end
    list.RemoveRow();
    QCOMPARE(ListText::dump(list), QString("TEREN|1|1|1;TEREN|3|3|3"));
    QCOMPARE(changed.count(), 1);
    list.setCurrentCell(2, 0);
    list.RemoveRow();
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(list.currentRow(), 1);
}

void tst_CoordinateList::copyFormats()
{
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    list.setDecimalNumber(3);
    ListText::fill(list, "TEREN|1|1.000|2.000;TEREN|2|3.000|4.000;TEREN|3|5.000|6.000;C1|4|7.000|8.000;"
                         "TEREN|5|9.000|10.000;C1|6|11.000|12.000");
    list.setSelection(3, 2, 2, 0);
    QVERIFY(list.CopySelection());
    QCOMPARE(list.clipboard().text(), QString("TEREN\t2\t3.000\t4.000\r\nTEREN\t3\t5.000\t6.000\r\n"));

    list.setCurrentCell(4, 0);
    QVERIFY(list.CopyPointList());
    QCOMPARE(list.clipboard().text(), QString("4\t7.000\t8.000\r\n6\t11.000\t12.000\r\n"));

    // The copied point list pastes back on a fresh list with the tab among the delimiters.
    CoordinateList other(&prompter, ".");
    other.setDecimalNumber(3);
    other.setDelimiters({"\t"});
    QVERIFY(other.PasteText(list.clipboard().text()));
    QCOMPARE(ListText::dump(other), QString("TEREN|4|7.000|8.000;TEREN|6|11.000|12.000"));

    list.setSelection(2, 1, 3, 3);
    QVERIFY(list.CutSelection()); // copies both rows and deletes both
    QCOMPARE(list.rowCount(), 4);
    QCOMPARE(list.cell(2, CoordinateList::NumberColumn), QString("4"));
    QCOMPARE(list.clipboard().text().count("\r\n"), 2);

    list.setCurrentCell(1, 2); // an empty name gives an empty clipboard
    ListText::fill(list, "|1|1|1");
    list.setCurrentCell(1, 0);
    QVERIFY(list.CopyPointList());
    QCOMPARE(list.clipboard().text(), QString());
    QVERIFY(prompter.log().isEmpty());
}

void tst_CoordinateList::commitEdit_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("changes");

    const QString rows = "TEREN|1|1|1;TEREN|2|2|2;TEREN|3|3|3;TEREN|4|4|4;C1|5|5|5;C1|6|6|6";
    QTest::newRow("rename run") << "." << 1 << 0 << "LOT"
                                << "LOT|1|1|1;LOT|2|2|2;LOT|3|3|3;LOT|4|4|4;C1|5|5|5;C1|6|6|6"
                                << "" << 0;
    QTest::newRow("rename mid-run renames the rest only")
        << "." << 3 << 0 << "lot"
        << "TEREN|1|1|1;TEREN|2|2|2;lot|3|3|3;lot|4|4|4;C1|5|5|5;C1|6|6|6"
        << "" << 0;
    QTest::newRow("number") << "." << 2 << 1 << "2A" << rows.mid(0).replace("TEREN|2|", "TEREN|2A|") << "" << 0;
    QTest::newRow("bound kept") << "." << 1 << 2 << "1000000" << rows.mid(0).replace("TEREN|1|1|", "TEREN|1|1000000|")
                                << "" << 1;
    QTest::newRow("over bound") << "." << 1 << 2 << "1000000.5" << rows.mid(0).replace("TEREN|1|1|", "TEREN|1||")
                                << "Valoarea coordonatelor depaseste ordinul milioanelor." << 0;
    QTest::newRow("over bound, comma") << "," << 1 << 2 << "1000000,5" << rows.mid(0).replace("TEREN|1|1|", "TEREN|1||")
                                       << "Valoarea coordonatelor depaseste ordinul milioanelor." << 0;
    QTest::newRow("point to comma") << "," << 1 << 3 << "123.45"
                                    << rows.mid(0).replace("TEREN|1|1|1", "TEREN|1|1|123,45") << "" << 1;
}

void tst_CoordinateList::commitEdit()
{
    QFETCH(QString, separator);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, message);
    QFETCH(int, changes);
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, separator);
    ListText::fill(list, "TEREN|1|1|1;TEREN|2|2|2;TEREN|3|3|3;TEREN|4|4|4;C1|5|5|5;C1|6|6|6");
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    list.CommitEdit(row, column, list.cell(row, column), typed);
    QCOMPARE(ListText::dump(list), expected);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(prompter.texts().join('/'), message);
}

void tst_CoordinateList::leaveCell_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("reported");
    QTest::newRow("comma locale") << ","
                                  << "123,45"
                                  << "123,450" << false;
    QTest::newRow("point locale") << "."
                                  << "7"
                                  << "7.000" << false;
    QTest::newRow("lone comma") << ","
                                << ","
                                << "0,000" << false;
    QTest::newRow("lone point") << "."
                                << "."
                                << "0.000" << false;
    QTest::newRow("not a number stays") << "."
                                        << "1.2.3"
                                        << "1.2.3" << true;
    QTest::newRow("blank untouched") << "."
                                     << "  "
                                     << "  " << false;
}

void tst_CoordinateList::leaveCell()
{
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(bool, reported);
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, separator);
    list.setDecimalNumber(3);
    list.setCell(1, CoordinateList::NordColumn, text);
    list.setCell(1, CoordinateList::NumberColumn, text);
    list.LeaveCell(1, CoordinateList::NordColumn);
    list.LeaveCell(1, CoordinateList::NumberColumn); // no check outside the coordinates
    QCOMPARE(list.cell(1, CoordinateList::NordColumn), expected);
    QCOMPARE(list.cell(1, CoordinateList::NumberColumn), text);
    QCOMPARE(prompter.log().size(), reported ? 1 : 0);
    if (reported) {
        QCOMPARE(prompter.last().text, QString("Valorea introdusa este incorecta."));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
    }
}

void tst_CoordinateList::entityQueries()
{
    CoordinateList list(nullptr, ".");
    ListText::fill(list, "TEREN|1|1|1;teren|2|2|2;C1|3|3|3");
    QCOMPARE(list.CountEntityRows("Teren"), 2);
    QVERIFY(list.EntityExists("c1"));
    QVERIFY(!list.EntityExists("C2"));
}

void tst_CoordinateList::modelFollowsOperations()
{
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    list.setDecimalNumber(3);
    list.setAutoNumber(true);
    list.setDelimiters({"\t"});
    CoordinateListModel model(&list);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Entitate"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QString("Numar punct"));
    list.AddNewEntity("TEREN");
    list.AddNewRow();
    list.AddNewRow();
    QCOMPARE(model.rowCount(), 3);
    list.setCurrentCell(3, 0);
    prompter.queueAnswer(Prompter::Answer::No);
    QVERIFY(!list.PasteText("1\t2\r\n3\t4\r\n5\t6\r\n"));
    QCOMPARE(model.rowCount(), 3);
    list.setCurrentCell(1, 0);
    prompter.queueAnswer(Prompter::Answer::Yes);
    QVERIFY(list.PasteText("1\t2\r\n3\t4\r\n5\t6\r\n7\t8\r\n"));
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.data(model.index(3, 2)).toString(), QString("7.000"));
    list.setCurrentCell(3, 2);
    list.InsertRowAbove();
    list.RemoveRow();
    list.MoveRowUp();
    list.SwapCols();
    list.ClearControl();
    QCOMPARE(model.rowCount(), 0);
    list.setData(CoordinateTable(2));
    QCOMPARE(model.rowCount(), 2);
}

QTEST_GUILESS_MAIN(tst_CoordinateList)
#include "tst_coordinatelist.moc"
