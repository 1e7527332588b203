#include "base/Error.h"
#include "support/ScriptedPrompter.h"

#include <QTest>
#include <functional>

Q_DECLARE_METATYPE(Prompter::Icon)
Q_DECLARE_METATYPE(Prompter::Buttons)
Q_DECLARE_METATYPE(std::function<void(Prompter&)>)

// The shared helpers stand for calls that once spelled caption, icon and buttons out in each
// window: every row is the exact box a user saw before, so a changed word or default shows.
class tst_prompter : public QObject
{
    Q_OBJECT

    using Call = std::function<void(Prompter&)>;

private slots:
    void helpersShowTheKnownBoxes_data()
    {
        QTest::addColumn<Call>("call");
        QTest::addColumn<bool>("question");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Prompter::Icon>("icon");
        QTest::addColumn<Prompter::Buttons>("buttons");
        using I = Prompter::Icon;
        using B = Prompter::Buttons;
        QTest::newRow("error: warning icon by default")
            << Call([](Prompter& p) { p.error("Alegeti fisierul SIRUTA."); }) << false << "Alegeti fisierul SIRUTA."
            << "Eroare" << I::Exclamation << B::Ok;
        QTest::newRow("error keeps the icon it is given")
            << Call([](Prompter& p) { p.error("Numar punct incorect.", I::None); }) << false << "Numar punct incorect."
            << "Eroare" << I::None << B::Ok;
        QTest::newRow("info: information icon by default")
            << Call([](Prompter& p) { p.info("S-a ajuns la ZOOM maxim"); }) << false << "S-a ajuns la ZOOM maxim"
            << "Info" << I::Information << B::Ok;
        QTest::newRow("confirm: yes/no question by default")
            << Call([](Prompter& p) { p.confirm("Continuati?"); }) << true << "Continuati?"
            << "Confirmare" << I::Question << B::YesNo;
        QTest::newRow("confirm keeps buttons and icon it is given")
            << Call([](Prompter& p) { p.confirm("Salvati?", B::YesNoCancel, I::Exclamation); }) << true << "Salvati?"
            << "Confirmare" << I::Exclamation << B::YesNoCancel;
        QTest::newRow("showError of an Error: number, space, description") << Call([](Prompter& p) {
            p.showError(Error{53, "File not found"});
        }) << false << "53 File not found"
                                                                           << "Eroare" << I::Exclamation << B::Ok;
        QTest::newRow("showError of number and description, critical")
            << Call([](Prompter& p) { p.showError(6, "Overflow", I::Critical); }) << false << "6 Overflow"
            << "Eroare" << I::Critical << B::Ok;
    }
    void helpersShowTheKnownBoxes()
    {
        QFETCH(Call, call);
        QFETCH(bool, question);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QFETCH(Prompter::Icon, icon);
        QFETCH(Prompter::Buttons, buttons);
        ScriptedPrompter prompter;
        if (question)
            prompter.queueAnswer(Prompter::Answer::Yes);
        call(prompter);
        QCOMPARE(prompter.log().size(), 1);
        const ScriptedPrompter::Entry& entry = prompter.last();
        QCOMPARE(entry.kind, question ? ScriptedPrompter::Entry::Question : ScriptedPrompter::Entry::Message);
        QCOMPARE(entry.text, text);
        QCOMPARE(entry.caption, caption);
        QCOMPARE(entry.icon, icon);
        QCOMPARE(entry.buttons, buttons);
    }
};

QTEST_GUILESS_MAIN(tst_prompter)
#include "tst_prompter.moc"
