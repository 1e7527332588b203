#include "ListText.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/PasteText.h"
#include "support/ScriptedPrompter.h"

#include <QSignalSpy>
#include <QTest>

// Pasting point lists: the line formats, delimiters, default entities, the overwrite
// question, and the all-or-nothing rule for refused text.
class tst_CoordinatePaste : public QObject
{
    Q_OBJECT
private slots:
    void collapseSpaces_data();
    void collapseSpaces();
    void paste_data();
    void paste();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void badLineLateInALongPasteLosesNothing();
};

namespace {
const QString NoDelimiter = QStringLiteral("A fost gasit un caracter incorect pentru delimitarea coloanelor.");
const QString TooMany = QStringLiteral("Se incearca inserarea unui numar prea mare de coloane.");
const QString OverBound = QStringLiteral("Valoarea coordonatelor depaseste ordinul milioanelor.");
const QString Fresh = QStringLiteral("|||");
} // namespace

void tst_CoordinatePaste::collapseSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("runs") << "  a   b  c  "
                          << "a b c";
    QTest::newRow("tabs stay") << "a \t  b"
                               << "a \t b";
    QTest::newRow("spaces by inner breaks stay") << "a  \r\n  b"
                                                 << "a \r\n b";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_CoordinatePaste::collapseSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(PasteText::CollapseSpaces(text), expected);
}

void tst_CoordinatePaste::paste_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("before"); // list rows before the paste
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after"); // expected rows; equal to before for a refused paste
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    QTest::newRow("three fields, tab, point") << "." << Fresh << 1 << "1\t100.5\t200.25\r\n2\t101\t201\r\n"
                                              << "TEREN|1|100.500|200.250;TEREN|2|101.000|201.000" << none;
    QTest::newRow("three fields, tab, comma locale") << "," << Fresh << 1 << "1\t100.5\t200,25\r\n2\t101\t201\r\n"
                                                     << "TEREN|1|100,500|200,250;TEREN|2|101,000|201,000" << none;
    QTest::newRow("four fields, blanks collapse, upper case") << "." << Fresh << 1 << "c1   5  10     20"
                                                              << "C1|5|10.000|20.000" << none;
    QTest::newRow("entity carries to the following lines on row 1")
        << "." << Fresh << 1 << "c1 5 10 20\r\n6 11 21\r\n7 12 22\r\n"
        << "C1|5|10.000|20.000;C1|6|11.000|21.000;C1|7|12.000|22.000" << none;
    QTest::newRow("two fields numbered by line")
        << "," << Fresh << 1 << "10,5;20\r\n11;21\r\n12;22"
        << "TEREN|1|10,500|20,000;TEREN|2|11,000|21,000;TEREN|3|12,000|22,000" << none;
    QTest::newRow("below row 1 the current row's entity")
        << "."
        << "TEREN|1|1.000|1.000;|2|2.000|2.000" << 2 << "7 8\r\nc9 1 2 3"
        << "TEREN|1|1.000|1.000;TEREN|1|7.000|8.000;C9|1|2.000|3.000" << none;
    QTest::newRow("line feeds only") << "." << Fresh << 1 << "1\t1\t2\n2\t3\t4\n"
                                     << "TEREN|1|1.000|2.000;TEREN|2|3.000|4.000" << none;
    QTest::newRow("trailing blanks on a line") << "." << Fresh << 1 << "1 1 2 \r\n2 3 4"
                                               << "TEREN|1|1.000|2.000;TEREN|2|3.000|4.000" << none;
    QTest::newRow("longer list keeps its further rows") << "."
                                                        << "|1|1.000|1.000;|2|2.000|2.000;|3|3.000|3.000" << 1 << "9 9"
                                                        << "TEREN|1|9.000|9.000;|2|2.000|2.000;|3|3.000|3.000" << none;
    QTest::newRow("over the bound keeps the old cell")
        << "."
        << "|1|1.000|1.000" << 1 << "1 1000000.5 5\r\n2 1000000 6"
        << "TEREN|1|1.000|5.000;TEREN|2|1000000.000|6.000" << QStringList{OverBound};

    const QString list = "TEREN|1|1.000|1.000";
    QTest::newRow("five fields") << "." << list << 1 << "A 1 2 3\r\nA 1 2 3 4" << list
                                 << QStringList{"Linia 2: " + TooMany};
    QTest::newRow("no delimiter") << "." << list << 1 << "1 2 3\r\n1,2,3" << list
                                  << QStringList{"Linia 2: " + NoDelimiter};
    QTest::newRow("empty line") << "." << list << 1 << "1 2 3\r\n\r\n4 5 6" << list
                                << QStringList{"Linia 2: " + NoDelimiter};
    QTest::newRow("empty clipboard") << "." << list << 1 << "" << list << QStringList{"Linia 1: " + NoDelimiter};
    QTest::newRow("not a number") << "," << list << 1 << "1 2 3\r\n2 x 4" << list
                                  << QStringList{"Linia 2: 13 Type mismatch"};
    // The line counted from the first pasted line, not from the list's current row nor from
    // the lines that were read.
    QTest::newRow("line named past good lines")
        << "." << list << 1 << "1 1 1\r\n2 2 2\r\n3 3 3\r\n4 4 4\r\n5 5 5\r\n6 6 6\r\n77" << list
        << QStringList{"Linia 7: " + NoDelimiter};
}

void tst_CoordinatePaste::paste()
{
    QFETCH(QString, separator);
    QFETCH(QString, before);
    QFETCH(int, currentRow);
    QFETCH(QString, text);
    QFETCH(QString, after);
    QFETCH(QStringList, messages);
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, separator);
    list.setDecimalNumber(3);
    list.setDelimiters({"\t", " ", ";"});
    ListText::fill(list, before);
    list.setCurrentCell(currentRow, 1);
    list.clipboard().setSource([text] { return text; }, {});
    QSignalSpy changed(&list, &CoordinateList::CoordinateChanged);
    const bool pasted = list.PasteFromClipboard();
    QCOMPARE(ListText::dump(list), after);
    QCOMPARE(prompter.texts(), messages);
    for (const auto& entry : prompter.log())
        QCOMPARE(entry.caption, QString("Eroare"));
    const bool refused = after == before && !messages.isEmpty();
    QCOMPARE(pasted, !refused);
    QCOMPARE(changed.count(), refused ? 0 : 1);
}

void tst_CoordinatePaste::overwriteQuestion_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("answer"); // -1: no question expected
    QTest::addColumn<QString>("after");
    const QString text = "1 2\r\n3 4\r\n5 6\r\n";
    QTest::newRow("yes") << "TEREN|1|1.000|1.000;C1|2|2.000|2.000" << int(Prompter::Answer::Yes)
                         << "TEREN|1|1.000|1.000;C1|1|1.000|2.000;C1|2|3.000|4.000;C1|3|5.000|6.000";
    QTest::newRow("no") << "TEREN|1|1.000|1.000;C1|2|2.000|2.000" << int(Prompter::Answer::No)
                        << "TEREN|1|1.000|1.000;C1|2|2.000|2.000";
    QTest::newRow("blank entity, no question")
        << "TEREN|1|1.000|1.000;  |2|2.000|2.000" << -1
        << "TEREN|1|1.000|1.000;TEREN|1|1.000|2.000;TEREN|2|3.000|4.000;TEREN|3|5.000|6.000";
}

void tst_CoordinatePaste::overwriteQuestion()
{
    QFETCH(QString, before);
    QFETCH(int, answer);
    QFETCH(QString, after);
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    list.setDecimalNumber(3);
    list.setDelimiters({" "});
    ListText::fill(list, before);
    list.setCurrentCell(2, 3);
    if (answer >= 0)
        prompter.queueAnswer(Prompter::Answer(answer));
    list.PasteText("1 2\r\n3 4\r\n5 6\r\n");
    QCOMPARE(ListText::dump(list).replace("  |", "TEREN|"), after.replace("  |", "TEREN|"));
    if (answer >= 0) {
        QCOMPARE(prompter.log().size(), 1);
        QCOMPARE(prompter.last().text, QString("Se vor suprascrie inregistrarile din lista.\rContinuati?"));
        QCOMPARE(prompter.last().caption, QString("Confirmare"));
        QCOMPARE(prompter.last().buttons, Prompter::Buttons::YesNo);
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
    } else {
        QVERIFY(prompter.log().isEmpty());
    }
}

void tst_CoordinatePaste::badLineLateInALongPasteLosesNothing()
{
    ScriptedPrompter prompter;
    CoordinateList list(&prompter, ".");
    list.setDecimalNumber(3);
    list.setDelimiters({"\t"});
    QString text;
    for (int i = 1; i <= 1000; ++i)
        text += QString("%1\t%2.5\t%3.25\r\n").arg(i).arg(300000 + i).arg(500000 + i);
    QString bad = text;
    bad.replace("900\t300900.5", "900\t3OO900.5");
    QVERIFY(!list.PasteText(bad));
    QCOMPARE(list.rowCount(), 1);
    QCOMPARE(ListText::dump(list), Fresh);
    QCOMPARE(prompter.texts(), QStringList{"Linia 900: 13 Type mismatch"});

    QVERIFY(list.PasteText(text));
    QCOMPARE(list.rowCount(), 1000);
    QCOMPARE(list.row(1000)[2], QString("301000.500"));
    QCOMPARE(list.Data()->upperRow(), 1000);
}

QTEST_GUILESS_MAIN(tst_CoordinatePaste)
#include "tst_coordinatepaste.moc"
