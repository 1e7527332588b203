// A crash or a power cut mid-edit loses nothing: a child process edits a document, keeps its
// recovery copy and is killed with SIGKILL; the next window offers the copy back. The copy goes
// once the document is saved, set aside or closed.
#include "app/RecoveryCopy.h"
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "support/CreateMainWindow.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
using Answer = Prompter::Answer;
using Command = std::function<void(frmMain&, ScriptedPrompter&, const QString& folder)>;

const QString Sample = TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP"));
// A building contour the form does not list yet and a row whose Nord is still being typed.
const QList<QStringList> EditedRows = {
    {"C9", "1", "100,000", "200,000"}, {"C9", "2", "110,000", "200,000"}, {"C9", "3", "110,000", ""}};

// The edits the killed process makes: an owner without a first name (the form does not
// validate) and three rows appended to the sample's contours.
void makeEdits(frmMain& window)
{
    window.dataForm()->ownersGrid()->addRow({QStringLiteral("VASILESCU"), QString()});
    CoordinateList& list = *window.coordinateList()->list();
    const int first = list.rowCount();
    for (int i = 0; i < EditedRows.size(); ++i)
        list.AddNewRow();
    for (int i = 0; i < EditedRows.size(); ++i) {
        for (int column = 0; column < CoordinateList::ColumnCount; ++column)
            list.setCell(first + 1 + i, column, EditedRows[i][column]);
    }
}

QList<QStringList> lastRows(const CoordinateList& list, int count)
{
    QList<QStringList> rows;
    for (int row = list.rowCount() - count + 1; row <= list.rowCount(); ++row)
        rows.append(QStringList(list.row(row).begin(), list.row(row).end()));
    return rows;
}

// The child: opens the sample, edits it, says "kept" once the copy is on disk and waits to be
// killed.
int editAndWait(const QString& folder)
{
    std::unique_ptr<ProgramFolder> program;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<ScriptedPrompter> prompter;
    std::unique_ptr<frmMain> window;
    createMainWindow(program, settings, prompter, window);
    window->LoadIntoWindow(Sample);
    window->setRecovery(folder, 50);
    makeEdits(*window);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        // Where the copy goes depends on the windows already running: any copy is this one's,
        // the test's own window writes none before it is told "kept".
        if (!QDir(folder).entryList({QStringLiteral("*.json")}).isEmpty()) {
            poll.stop();
            printf("kept\n");
            fflush(stdout);
        }
    });
    poll.start(20);
    return QApplication::exec();
}
} // namespace

Q_DECLARE_METATYPE(Command)

class tst_recovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_program;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;
    std::unique_ptr<QTemporaryDir> m_home;

    QString folder() const { return m_home->filePath("recovery"); }

    // A second window that keeps its copy in the folder and goes on running.
    void startEditing(QProcess& child)
    {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QApplication::applicationFilePath(), {QStringLiteral("--edit-and-wait"), folder()});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += child.readAllStandardOutput()).contains("kept"), 30000);
    }
    void kill(QProcess& child)
    {
        QTest::qWait(200); // a few more ticks: the copy is replaced while the process dies
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

    // A copy left by a run that was killed mid-edit.
    void killMidEdit()
    {
        QProcess child;
        startEditing(child);
        kill(child);
    }

    // Every file of the recovery folder but the locks (which hold process numbers), with its bytes.
    QMap<QString, QByteArray> folderFiles() const
    {
        QMap<QString, QByteArray> files;
        for (const QFileInfo& info : QDir(folder()).entryInfoList(QDir::Files)) {
            if (info.suffix() == "lock")
                continue;
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                files.insert(info.fileName(), file.readAll());
        }
        return files;
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        createMainWindow(m_program, m_settings, m_prompter, m_window);
        m_window->setRecovery(folder(), 60000);
    }
    void cleanup()
    {
        m_prompter->queueAnswer(Answer::No);
        m_window->close();
        m_window.reset();
    }

    void killedRunIsOffered_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("restored on Yes") << Answer::Yes;
        QTest::newRow("discarded on No") << Answer::No;
    }
    void killedRunIsOffered()
    {
        QFETCH(Answer, answer);
        killMidEdit();
        m_prompter->queueAnswer(answer);
        QCOMPARE(m_window->offerRecovery(), answer == Answer::Yes);
        QVERIFY(m_prompter->last().text.startsWith("Doriti recuperarea documentului nesalvat " + Sample + " din "));
        if (answer == Answer::No) {
            QVERIFY(!RecoveryCopy(folder()).find());
            QVERIFY(!m_window->isModified());
            return;
        }
        // The form as typed, the rows as typed, no file name to overwrite the original with.
        const FormGrid& owners = *m_window->dataForm()->ownersGrid();
        QCOMPARE(owners.cell(owners.rowCount() - 1, 1), QStringLiteral("VASILESCU"));
        QCOMPARE(lastRows(*m_window->coordinateList()->list(), 3), EditedRows);
        QVERIFY(m_window->CountEntityRows("TEREN") >= 4);
        QVERIFY(m_window->isModified());
        QCOMPARE(m_window->currentFileName(), QString());
        QVERIFY(m_window->windowTitle().contains(Sample + " (recuperat)"));
        QVERIFY(RecoveryCopy(folder()).find()); // kept until the document is saved or left
    }

    // Two windows at once: the one that is running keeps its copy whatever the other does (it
    // is not offered, not written over, not deleted); once it is killed its copy is offered.
    void runningWindowKeepsItsCopy()
    {
        QProcess child;
        startEditing(child);
        const QMap<QString, QByteArray> childs = folderFiles();
        QVERIFY(!childs.isEmpty());
        QVERIFY(!m_window->offerRecovery());
        QVERIFY(m_prompter->log().isEmpty());
        m_window->LoadIntoWindow(Sample);
        makeEdits(*m_window);
        m_window->writeRecoveryCopy();
        QCOMPARE(folderFiles().size(), childs.size() * 2);
        m_prompter->queueAnswer(Answer::No); // changes set aside: this window's copy goes
        m_window->setPropertyTypeAsker([](bool* isApartment) {
            *isApartment = false;
            return true;
        });
        m_window->runCommand("New");
        QCOMPARE(folderFiles(), childs);
        kill(child);
        m_prompter->queueAnswer(Answer::Yes);
        QVERIFY(m_window->offerRecovery());
        QVERIFY(m_prompter->last().text.startsWith("Doriti recuperarea documentului nesalvat " + Sample));
        // Restored into this window's own copy; the dead window's is gone.
        QCOMPARE(folderFiles().size(), childs.size());
        QVERIFY(folderFiles() != childs);
    }

    // The lock a killed window left behind does not keep its copy from the next window, which
    // takes over its place in the folder.
    void staleLockIsTakenOver()
    {
        m_window.reset(); // the killed run was the only one
        killMidEdit();
        const QMap<QString, QByteArray> left = folderFiles();
        createMainWindow(m_program, m_settings, m_prompter, m_window);
        m_window->setRecovery(folder(), 60000);
        m_prompter->queueAnswer(Answer::Yes);
        QVERIFY(m_window->offerRecovery());
        QCOMPARE(folderFiles().keys(), left.keys()); // kept in the same place, now this window's
    }

    // Only a document set aside on purpose loses its copy; a save that does not happen keeps it.
    void copyGoesWithTheDocument_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<bool>("kept");
        QTest::newRow("saved") << Command([](frmMain& window, ScriptedPrompter& prompter, const QString& folder) {
            window.dataForm()->ownersGrid()->setCell(window.dataForm()->ownersGrid()->rowCount() - 1, 2, "ION");
            window.coordinateList()->list()->setData(CoordinateTable(0));
            prompter.queueAnswer(Answer::Yes); // no coordinates: save anyway
            prompter.queueAnswer(Answer::Yes); // overwrite its own file
            QVERIFY(window.SaveDocument());
            Q_UNUSED(folder);
        }) << false;
        QTest::newRow("save refused by a check")
            << Command([](frmMain& window, ScriptedPrompter&, const QString&) { QVERIFY(!window.SaveDocument()); })
            << true;
        QTest::newRow("new, changes discarded")
            << Command([](frmMain& window, ScriptedPrompter& prompter, const QString&) {
                   window.setPropertyTypeAsker([](bool* isApartment) {
                       *isApartment = false;
                       return true;
                   });
                   prompter.queueAnswer(Answer::No);
                   window.runCommand("New");
               })
            << false;
        QTest::newRow("closed, changes discarded")
            << Command([](frmMain& window, ScriptedPrompter& prompter, const QString&) {
                   prompter.queueAnswer(Answer::No);
                   QVERIFY(window.close());
               })
            << false;
        QTest::newRow("close cancelled") << Command([](frmMain& window, ScriptedPrompter& prompter, const QString&) {
            prompter.queueAnswer(Answer::Cancel);
            QVERIFY(!window.close());
        }) << true;
    }
    void copyGoesWithTheDocument()
    {
        QFETCH(Command, command);
        QFETCH(bool, kept);
        const QString own = m_home->filePath("own.CP");
        QVERIFY(QFile::copy(Sample, own));
        m_window->LoadIntoWindow(own);
        makeEdits(*m_window);
        QVERIFY(m_window->isModified());
        m_window->writeRecoveryCopy();
        QVERIFY(RecoveryCopy(folder()).find());
        m_prompter->clear();
        command(*m_window, *m_prompter, folder());
        QCOMPARE(bool(RecoveryCopy(folder()).find()), kept);
    }

    // The timer keeps the copy only while there is something unsaved.
    void timerRunsWhileModified()
    {
        m_window->LoadIntoWindow(Sample);
        QVERIFY(!m_window->recoveryTimer()->isActive());
        makeEdits(*m_window);
        QVERIFY(m_window->recoveryTimer()->isActive());
        QCOMPARE(m_window->recoveryTimer()->interval(), 60000);
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--edit-and-wait")
        return editAndWait(QString::fromLocal8Bit(argv[2]));
    tst_recovery test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_recovery.moc"
