#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "cli/CommandRegistry.h"
#include "entry/ui/CreateFBI.h"
#include "report/Fisa.h"
#include "support/CliRun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// "Export FCP" in the main window: the sheet of the document on screen, with the form's
// SIRUTA code, the settings' surveyor and the window's date, and the questions around it.
class tst_ExportSheet : public QObject
{
    Q_OBJECT

    ProgramFolder m_folder;
    QTemporaryDir& m_dir = m_folder.dir;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        QVERIFY(m_folder.dir.isValid());
        if (!m_folder.hasData())
            QSKIP("the build's Data folder is missing");
        m_folder.writeUsualSettings();
        m_settings = std::make_unique<AppSettings>(m_dir.path());
        m_settings->load();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<frmMain>(*m_settings, *m_prompter);
        m_window->setToday([] { return QDate(2026, 12, 7); });
        m_window->resize(1200, 800);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

        const QString sample = m_dir.filePath(QStringLiteral("sample.CP"));
        QCOMPARE(exampleLandFile(sample), sample);
        m_window->LoadIntoWindow(sample);
        m_prompter->clear();
    }

    void cleanup()
    {
        m_window.reset();
        m_prompter.reset();
        m_settings.reset();
    }

    void exportWritesTheSheetOfTheWindow()
    {
        const QString name = m_dir.filePath(QStringLiteral("fisa"));
        m_prompter->queueFileName(name);
        m_window->runCommand(QStringLiteral("ExportRTF"));
        QCOMPARE(QStringList({QFileInfo(m_prompter->texts().value(0)).fileName(), m_prompter->texts().value(1)}),
                 QStringList({QStringLiteral("AB-16-2026"),
                              QStringLiteral("Fisierul ") + name + QStringLiteral(".RTF a fost salvat")}));
        QCOMPARE(m_prompter->last().caption, QStringLiteral("Confirmare"));

        const QByteArray rtf = readAll(name + QStringLiteral(".RTF"));
        QCOMPARE(rtf.count("FISA CORPULUI DE PROPRIETATE"), 1);
        QVERIFY(rtf.contains("din Strada Mihai Viteazu nr.12"));
        QVERIFY(rtf.contains("\\i0 " + QByteArray::number(m_window->dataForm()->LocalityID()) + " \\intbl"));
        QVERIFY(rtf.contains("Intocmit: Popescu Ion \\intbl"));
        QVERIFY(rtf.contains(("Data: " + Fisa::shortDate(QDate(2026, 12, 7)) + " \\intbl").toLatin1()));
        QVERIFY(rtf.contains("POPA MARIA"));
        // The window's sketch, as JPEG.
        QVERIFY(rtf.contains("\\jpegblip\r\r\nFFD8FF"));
        // Exporting leaves the work number, the caption and the current file alone.
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QStringLiteral("15"));
        QCOMPARE(m_window->currentFileName(), m_dir.filePath(QStringLiteral("sample.CP")));

        // For a look by eye: LOTMARK_KEEP_EXPORT=/tmp/x keeps x.RTF and x.png of the window.
        const QString keep = qEnvironmentVariable("LOTMARK_KEEP_EXPORT");
        if (!keep.isEmpty()) {
            QFile::remove(keep + QStringLiteral(".RTF"));
            QFile::copy(name + QStringLiteral(".RTF"), keep + QStringLiteral(".RTF"));
            m_window->grab().save(keep + QStringLiteral(".png"));
        }
    }

    void overwriteQuestion_data()
    {
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("No keeps the old file") << false;
        QTest::newRow("Yes writes the sheet") << true;
    }

    void overwriteQuestion()
    {
        QFETCH(bool, overwrite);
        const QString name = m_dir.filePath(QStringLiteral("old.rtf"));
        QFile old(name);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older");
        old.close();
        m_prompter->queueFileName(name);
        m_prompter->queueAnswer(overwrite ? Prompter::Answer::Yes : Prompter::Answer::No);
        m_window->runCommand(QStringLiteral("ExportRTF"));
        QCOMPARE(m_prompter->log().size(), overwrite ? 3 : 2);
        QCOMPARE(m_prompter->log().at(1).text,
                 QStringLiteral("Fisierul ") + name + QStringLiteral(" exista.\rDoriti suprascrierea lui ?"));
        QCOMPARE(readAll(name).startsWith("{\\rtf1"), overwrite);
    }

    void failedWriteIsReportedNotConfirmed()
    {
        const QString name = m_dir.filePath(QStringLiteral("missing/fisa.RTF"));
        m_prompter->queueFileName(name);
        m_window->runCommand(QStringLiteral("ExportRTF"));
        QCOMPARE(m_prompter->log().size(), 2);
        QCOMPARE(m_prompter->last().caption, QStringLiteral("Eroare"));
        QVERIFY(m_prompter->last().text.startsWith(QLatin1String("75 ")));
        QVERIFY(!QFile::exists(name));
    }
};

QTEST_MAIN(tst_ExportSheet)
#include "tst_exportsheet.moc"
