// The window's "Fisier" menu: "Deschide CGXML..." and "Export CGXML...", driven as a user would,
// every message through the scripted prompter.
#include "CgxmlTestFiles.h"
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "cgxml/CgxmlChecks.h"
#include "cgxml/CgxmlReader.h"
#include "cgxml/ui/CgxmlChecksDialog.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "support/CreateMainWindow.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

class tst_cgxmlwindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;
    QList<CgxmlFinding> m_shown;

    QAction* menuAction(const QString& name) { return m_window->findChild<QAction*>(name); }

private slots:
    void init()
    {
        createMainWindow(m_folder, m_settings, m_prompter, m_window);
        m_shown.clear();
        m_window->setCgxmlChecksShower([this](const QList<CgxmlFinding>& findings) {
            m_shown = findings;
            return true;
        });
    }

    void cleanup() { m_window.reset(); }

    void menuHoldsBothCommands()
    {
        QVERIFY(menuAction(QStringLiteral("mnuExportCgxml")));
        QVERIFY(menuAction(QStringLiteral("mnuOpenCgxml")));
        QCOMPARE(menuAction(QStringLiteral("mnuExportCgxml"))->iconText(), QStringLiteral("Export CGXML"));
        QCOMPARE(menuAction(QStringLiteral("mnuOpenCgxml"))->iconText(), QStringLiteral("Deschide CGXML"));
    }

    // Several lands: the window asks which one, shows what stays behind, and the document has no
    // file name (Save must ask for one rather than overwrite anything).
    void openAsksForTheLandAndReports()
    {
        m_prompter->queueFileName(TestPaths::testData(QStringLiteral("cgxml/several-lands.cgxml")));
        m_prompter->queueInput(QStringLiteral("81235"));
        menuAction(QStringLiteral("mnuOpenCgxml"))->trigger();
        QVERIFY(m_prompter->allUsed());
        const QStringList texts = m_prompter->texts();
        QVERIFY2(!texts.filter(QStringLiteral("Din fisierul CGXML nu pot fi pastrate")).isEmpty(),
                 qPrintable(texts.join('\n')));
        const Land& land = *m_window->dataForm()->Document()->Land();
        QCOMPARE(land.Owners()->Count(), 1);
        QCOMPARE(land.Owners()->Item(1)->LastName(), QStringLiteral("AGRO SRL"));
        QCOMPARE(m_window->currentFileName(), QString());
        // The file's surveyor (IONESCU MARIA) does not replace the one working now.
        QCOMPARE(m_window->dataForm()->Document()->SurveyorName(), QStringLiteral("Popescu Ion"));
        QCOMPARE(m_settings->surveyorName, QStringLiteral("Popescu Ion"));
        QVERIFY(!m_window->windowTitle().contains(QStringLiteral("import.CP")));
    }

    // A refused file changes nothing in the window.
    void brokenFileLeavesTheDocument()
    {
        m_window->LoadIntoWindow(CgxmlTestFiles::sample(QStringLiteral("Extravilan-Ciugud.CP")));
        const DocumentPtr before = m_window->dataForm()->Document();
        QTemporaryDir dir;
        const QString broken = dir.filePath(QStringLiteral("b.cgxml"));
        QVERIFY(CgxmlTestFiles::write(broken, "<CGXML>\n<Land>\n"));
        m_prompter->clear();
        m_prompter->queueFileName(broken);
        menuAction(QStringLiteral("mnuOpenCgxml"))->trigger();
        QCOMPARE(m_prompter->log().size(), 2);
        QVERIFY(m_prompter->last().text.startsWith(QStringLiteral("Fisierul CGXML nu poate fi citit: linia 3")));
        QCOMPARE(m_window->dataForm()->Document(), before);
    }

    // A sample with a legal-area warning exports after the warning was shown.
    void exportAfterWarnings()
    {
        m_window->LoadIntoWindow(CgxmlTestFiles::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")));
        m_prompter->clear();
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("t.cgxml"));
        m_prompter->queueFileName(target);
        menuAction(QStringLiteral("mnuExportCgxml"))->trigger();
        QVERIFY2(m_prompter->allUsed(), qPrintable(m_prompter->texts().join('\n')));
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown.first().severity, CgxmlFinding::Severity::Warning);
        CgxmlReader reader;
        QString error;
        QVERIFY2(reader.readFile(target, &error), qPrintable(error));
        QCOMPARE(reader.rows(QStringLiteral("Points")).size(), 18);
        QCOMPARE(reader.rows(QStringLiteral("FileDescription")).first().value("LICENSEDNAME"),
                 QStringLiteral("Popescu Ion"));
        if (CgxmlTestFiles::haveXmllint())
            QCOMPARE(CgxmlTestFiles::schemaProblems(target), QString());
    }

    // Errors: the list is shown and no file dialog follows, whatever the user clicks.
    void errorsRefuseWithoutAskingForAFile()
    {
        m_window->LoadIntoWindow(CgxmlTestFiles::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")));
        m_window->dataForm()->Document()->Land()->Parcels()->setTotalLegalArea(QStringLiteral("2000"));
        m_window->dataForm()->ShowData();
        m_prompter->clear();
        menuAction(QStringLiteral("mnuExportCgxml"))->trigger();
        QVERIFY(CgxmlChecks::hasErrors(m_shown));
        QCOMPARE(m_prompter->log().size(), 0);
    }

    // The dialog offers "Exporta" only without errors.
    void dialogButtons_data()
    {
        QTest::addColumn<int>("severity");
        QTest::addColumn<bool>("exportEnabled");
        QTest::newRow("warning only") << int(CgxmlFinding::Severity::Warning) << true;
        QTest::newRow("an error") << int(CgxmlFinding::Severity::Error) << false;
    }

    void dialogButtons()
    {
        QFETCH(int, severity);
        QFETCH(bool, exportEnabled);
        const QList<CgxmlFinding> findings{{CgxmlFinding::Severity::Warning, QStringLiteral("a")},
                                           {CgxmlFinding::Severity(severity), QStringLiteral("b")}};
        CgxmlChecksDialog dialog(findings);
        QCOMPARE(dialog.findingsList()->count(), 2);
        QVERIFY(dialog.findingsList()->item(0)->text().startsWith(QStringLiteral("Avertisment: ")));
        QCOMPARE(dialog.exportButton()->isEnabled(), exportEnabled);
    }
};

QTEST_MAIN(tst_cgxmlwindow)
#include "tst_cgxmlwindow.moc"
