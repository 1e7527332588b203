#include "cli/CliPrompter.h"
#include "cli/CommandRegistry.h"
#include "support/CliRun.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// How every command of lotmark-cli reads its command line: the faults one command's
// declarations could bring that the others would not show.
namespace {

const QString Sample = TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP"));
const QString Missing = QStringLiteral("/nonexistent/lotmark/input");

// Arguments each command understands, `{out}` standing for a path in a fresh folder: the
// command runs (and refuses the missing input, or does its work), so a 2 after one more
// argument comes from that argument alone.
struct Understood
{
    const char* command;
    QStringList arguments;
    int code;
};

const QList<Understood>& understood()
{
    static const QList<Understood> rows{
        {"dump", {Missing}, 1},
        {"build", {Missing, "-o", "{out}"}, 1},
        {"coords", {Missing}, 1},
        {"nomenclature", {"--siruta", Missing, "-o", "{out}"}, 1},
        {"sketch", {Missing, "-o", "{out}"}, 1},
        {"sheet", {Missing, "-o", "{out}"}, 1},
        {"dxf", {Missing}, 1},
        {"import-dxf", {Missing, "--land", "1"}, 1},
        {"paths", {}, 0},
        {"inventory", {Missing}, 1},
        {"plan", {Missing, "-o", "{out}"}, 1},
        {"export-dxf", {Missing, "-o", "{out}"}, 1},
        {"cgxml", {Missing, "-o", "{out}"}, 1},
        {"import-cgxml", {Missing}, 1},
    };
    return rows;
}

QStringList expand(QStringList arguments, const QString& out)
{
    for (QString& argument : arguments)
        argument.replace(QStringLiteral("{out}"), out);
    return arguments;
}

QString usageLine(const QString& command)
{
    for (const auto& registered : allCommands()) {
        if (registered->name() == command)
            return QStringLiteral("usage: lotmark-cli ") + command + QLatin1Char(' ') + registered->synopsis() +
                   QLatin1Char('\n');
    }
    return QString();
}

} // namespace

class tst_clioptions : public QObject
{
    Q_OBJECT

private slots:
    // A command added without a row here would escape the tables below.
    void everyCommandHasARow()
    {
        QSet<QString> rows;
        for (const Understood& row : understood())
            rows.insert(QString::fromLatin1(row.command));
        for (const auto& command : allCommands())
            QVERIFY2(rows.contains(command->name()), qPrintable(command->name()));
        QCOMPARE(rows.size(), int(allCommands().size()));
    }

    void misreadCommandLineIsUsage_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("wrong");
        for (const Understood& row : understood()) {
            const QString name = QString::fromLatin1(row.command);
            QTest::addRow("%s: unknown option after", row.command) << name << row.arguments << QStringList{"--bogus"};
            QTest::addRow("%s: unknown option before", row.command)
                << name << (QStringList{"--bogus"} + row.arguments) << QStringList{};
            QTest::addRow("%s: unknown short option", row.command) << name << row.arguments << QStringList{"-q"};
            QTest::addRow("%s: unknown option with a value", row.command)
                << name << row.arguments << QStringList{"--bogus=1"};
            // sheet takes any number of documents, but one with -o.
            QTest::addRow("%s: one argument too many", row.command) << name << row.arguments << QStringList{"x"};
            if (row.arguments.contains("-o"))
                QTest::addRow("%s: -o without its value", row.command) << name << row.arguments << QStringList{"-o"};
        }
    }

    // Whatever a command's own options, a command line it does not understand exits 2 with its
    // usage line on err and nothing on out, where the same line without the fault would run.
    void misreadCommandLineIsUsage()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, wrong);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out"));
        const CliResult result = runCliCaptured(QStringList{command} + expand(arguments, out) + wrong);
        QCOMPARE(result.code, 2);
        QCOMPARE(result.err, usageLine(command));
        QCOMPARE(result.out, QString());
        QVERIFY(!QFile::exists(out));
    }

    void understoodLinesRun_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        for (const Understood& row : understood())
            QTest::addRow("%s", row.command) << QString::fromLatin1(row.command) << row.arguments << row.code;
    }

    // The counterpart of the table above: without the fault the command runs.
    void understoodLinesRun()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QTemporaryDir dir;
        const CliResult result = runCliCaptured(QStringList{command} + expand(arguments, dir.filePath("out")));
        QCOMPARE(result.code, code);
        QVERIFY2(!result.err.startsWith(QLatin1String("usage:")), qPrintable(result.err));
    }

    void helpListsWhatTheUsageLineShows_data()
    {
        QTest::addColumn<QString>("command");
        for (const auto& command : allCommands())
            QTest::newRow(qPrintable(command->name())) << command->name();
    }

    // --help answers on out with the usage line a mistake prints, and describes every option
    // that line shows: an option shown but not declared would be refused when used.
    void helpListsWhatTheUsageLineShows()
    {
        QFETCH(QString, command);
        const CliResult result = runCliCaptured({command, QStringLiteral("--help")});
        QCOMPARE(result.code, 0);
        QCOMPARE(result.err, QString());
        const QString usage = usageLine(command);
        QVERIFY(result.out.startsWith(usage));
        static const QRegularExpression option(QStringLiteral("(?:^| |\\[)(--?[a-z][a-z-]*)"));
        auto match = option.globalMatch(usage.section(QStringLiteral("  -- "), 0, 0));
        while (match.hasNext()) {
            const QString name = match.next().captured(1);
            if (name == QLatin1String("-o"))
                QVERIFY2(result.out.contains(QLatin1String("\n  -o <")), qPrintable(command));
            else
                QVERIFY2(result.out.contains(QLatin1String("  ") + name + QLatin1Char(' ')) ||
                             result.out.contains(QLatin1String("  ") + name + QLatin1Char('\n')),
                         qPrintable(command + QLatin1Char(' ') + name));
        }
    }

    void outputOptionNamesTheTarget_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"sketch", "sheet", "plan", "export-dxf", "cgxml", "import-cgxml"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    // -o is one option shared by the commands that write: wherever it stands, its value is
    // the file written, and a target that cannot be written is refused by its path.
    void outputOptionNamesTheTarget()
    {
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("no-folder/out"));
        QString input = Sample;
        if (command == QLatin1String("import-cgxml")) {
            input = dir.filePath(QStringLiteral("in.cgxml"));
            QCOMPARE(runCliCaptured({QStringLiteral("cgxml"), Sample, QStringLiteral("-o"), input}).code, 0);
        }
        for (const QStringList& arguments :
             {QStringList{input, QStringLiteral("-o"), target}, QStringList{QStringLiteral("-o"), target, input}}) {
            const CliResult result = runCliCaptured(QStringList{command} + arguments);
            QCOMPARE(result.code, 1);
            QVERIFY2(result.err.contains(target), qPrintable(result.err));
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("no-folder"))));
        }
    }

    void prompterAnswersByName_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        using P = Prompter;
        QTest::newRow("renumber set No") << int(P::Question::RenumberBuildings) << int(P::Answer::No)
                                         << int(P::Answer::No);
        QTest::newRow("renumber set Yes")
            << int(P::Question::RenumberBuildings) << int(P::Answer::Yes) << int(P::Answer::Yes);
        QTest::newRow("another question keeps Yes") << int(P::Question::AssociateBuilding) << -1 << int(P::Answer::Yes);
        QTest::newRow("unnamed question: Yes") << int(P::Question::Unnamed) << -1 << int(P::Answer::Yes);
    }

    // The answer follows the name the caller gives, whatever the question's wording: a text
    // rewritten in the wizard must not turn --renumber around.
    void prompterAnswersByName()
    {
        QFETCH(int, question);
        QFETCH(int, set);
        QFETCH(int, expected);
        CliPrompter prompter;
        prompter.setAnswer(Prompter::Question::RenumberBuildings, Prompter::Answer::No);
        if (set >= 0)
            prompter.setAnswer(Prompter::Question(question), Prompter::Answer(set));
        Prompter& seam = prompter;
        for (const QString& text : {QStringLiteral("Vreti sa renumerotati constructiile de la 1 la n"),
                                    QStringLiteral("Renumerotati constructiile?"), QString()}) {
            QCOMPARE(int(seam.askNamed(Prompter::Question(question), text, QStringLiteral("Info"),
                                       Prompter::Buttons::YesNo, Prompter::Icon::Question)),
                     expected);
        }
        // The plain ask knows no name: a wording that looks like a set question changes nothing.
        QCOMPARE(seam.ask(QStringLiteral("Vreti sa renumerotati constructiile de la 1 la n"), QStringLiteral("Info"),
                          Prompter::Buttons::YesNo, Prompter::Icon::Question),
                 Prompter::Answer::Yes);
        seam.message(QStringLiteral("prima"), QStringLiteral("Eroare"), Prompter::Icon::Critical);
        seam.showError(5, QStringLiteral("Invalid procedure call or argument"));
        QCOMPARE(prompter.errors(),
                 QStringList({QStringLiteral("prima"), QStringLiteral("5 Invalid procedure call or argument")}));
    }
};

QTEST_MAIN(tst_clioptions)
#include "tst_clioptions.moc"
