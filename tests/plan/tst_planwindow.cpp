#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "entry/ui/CreateFBI.h"
#include "plan/SitePlan.h"
#include "plan/ui/frmInventory.h"
#include "plan/ui/frmPlanOptions.h"
#include "support/CliRun.h"
#include "support/CreateMainWindow.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

// The window's plan, print, inventory and DXF commands: what they ask, what they write, and
// that they leave the open document as it was.
class tst_PlanWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;
    std::optional<PlanOptions> m_answer;
    int m_asked = 0;

    QString openSample()
    {
        const QString path = exampleLandFile(m_folder->path(QStringLiteral("sample.CP")));
        m_window->openCommandLine(path);
        return path;
    }
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        createMainWindow(m_folder, m_settings, m_prompter, m_window);
        m_window->setToday([] { return QDate(2026, 12, 7); });
        m_asked = 0;
        m_answer = PlanOptions();
        m_window->setPlanOptionsAsker([this](const PlanOptions&) {
            ++m_asked;
            return m_answer;
        });
    }
    void cleanup() { m_window.reset(); }

    void fileMenuHoldsTheCommands()
    {
        QMenu* menu = m_window->menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("&Fisier"));
        // The menu holds other commands too; the plan's four stand together, in this order.
        QStringList captions;
        for (QAction* action : menu->actions())
            captions << action->text().remove('&'); // without the Alt letters
        const QStringList planCommands{QStringLiteral("Plan de amplasament (PDF)..."),
                                       QStringLiteral("Tiparire plan de amplasament..."),
                                       QStringLiteral("Inventar de coordonate..."), QStringLiteral("Export DXF...")};
        const qsizetype first = captions.indexOf(planCommands.first());
        QVERIFY(first >= 0);
        QCOMPARE(captions.mid(first, planCommands.size()), planCommands);
    }

    void planIsWrittenAndTheDocumentStays()
    {
        openSample();
        const PolygonPtr landBefore = m_window->dataForm()->Document()->Land()->Geometry();
        m_answer->cadastralNo = QStringLiteral("50123");
        const QString pdf = m_folder->path(QStringLiteral("plan"));
        m_prompter->queueFileName(pdf);
        m_window->ExportPlan();
        QCOMPARE(m_asked, 1);
        QCOMPARE(m_prompter->last().text, QStringLiteral("Fisierul ") + pdf + QStringLiteral(".pdf a fost salvat"));
        QVERIFY(readAll(pdf + QStringLiteral(".pdf")).startsWith("%PDF"));
        // The plan's copy took the contours; the form's document did not change.
        QCOMPARE(m_window->dataForm()->Document()->Land()->Geometry(), landBefore);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf + QStringLiteral(".pdf"), QStringLiteral("-")});
        QVERIFY(text.waitForFinished(60000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("Nr. cadastral: 50123")), qPrintable(printed));
        QVERIFY(printed.contains(QStringLiteral("Popescu Ion")));
        QVERIFY(printed.contains(QStringLiteral("07.12.2026")));
        if (m_folder->hasData())
            QVERIFY2(printed.contains(QStringLiteral("UAT: ")) && !printed.contains(QStringLiteral("UAT: -")),
                     qPrintable(printed));
    }

    void planRefusalsAndCancel_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        // Catches a file dialog shown (and a file written) for a plan that cannot be drawn.
        QTest::newRow("scale too large") << 100 << false
                                         << QStringLiteral("Desenul nu incape pe A4 la scara 1:100. Cea mai mare "
                                                           "scara la care incape este 1:500.");
        QTest::newRow("options cancelled") << 0 << true << QString();
    }
    void planRefusalsAndCancel()
    {
        QFETCH(int, scale);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        openSample();
        m_prompter->clear();
        if (cancel)
            m_answer.reset();
        else
            m_answer->scale = scale;
        m_window->ExportPlan();
        m_window->PrintPlan();
        QCOMPARE(m_asked, 2);
        const QStringList expected = message.isEmpty() ? QStringList() : QStringList{message, message};
        QCOMPARE(m_prompter->texts(), expected);
    }

    void printGoesToThePreviewAtThePlansLayout()
    {
        openSample();
        m_answer->paper = QPageSize::A3;
        int previews = 0;
        m_window->setPlanPreviewer([&](const SitePlan& plan) {
            ++previews;
            QCOMPARE(plan.pageLayout().pageSize().id(), QPageSize::A3);
            QVERIFY(plan.hasDrawing());
        });
        m_window->PrintPlan();
        QCOMPARE(previews, 1);
    }

    void inventoryDialogCopiesAndExports()
    {
        openSample();
        std::optional<CoordinateInventory> shown;
        m_window->setInventoryShower([&](const CoordinateInventory& inventory) { shown = inventory; });
        m_window->ShowInventory();
        QVERIFY(shown);
        QCOMPARE(shown->contours().front().name, QStringLiteral("TEREN"));

        frmInventory dialog(*shown, *m_prompter);
        QString copied;
        dialog.setClipboardWriter([&](const QString& text) { copied = text; });
        dialog.cmdCopy->click();
        QCOMPARE(copied, shown->toCsv());
        const QString csv = m_folder->path(QStringLiteral("inventar"));
        m_prompter->queueFileName(csv);
        QVERIFY(dialog.exportCsv());
        QCOMPARE(QString::fromUtf8(readAll(csv + QStringLiteral(".csv"))), shown->toCsv());
        // A folder in the file's place: the failure is shown, nothing is written.
        QDir(m_folder->dir.path()).mkdir(QStringLiteral("bad.csv"));
        m_prompter->queueFileName(m_folder->path(QStringLiteral("bad.csv")));
        QVERIFY(!dialog.exportCsv());
        QCOMPARE(m_prompter->last().caption, QStringLiteral("Eroare"));
        QCOMPARE(dialog.grdInventory->rowCount(), shown->pointCount() + int(shown->contours().size()));
    }

    void drawingExportAsksBeforeOverwriting()
    {
        openSample();
        const QString dxf = m_folder->path(QStringLiteral("desen.dxf"));
        QFile old(dxf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        m_prompter->clear();
        m_prompter->queueFileName(dxf);
        m_prompter->queueAnswer(Prompter::Answer::No);
        m_window->ExportDrawing();
        QCOMPARE(readAll(dxf), QByteArray("old"));
        m_prompter->queueFileName(dxf);
        m_prompter->queueAnswer(Prompter::Answer::Yes);
        m_window->ExportDrawing();
        QVERIFY(readAll(dxf).contains("AC1009"));
        QVERIFY(m_prompter->allUsed());
    }

    void commandsWithoutCoordinatesSayWhy()
    {
        m_window->ShowInventory();
        m_window->ExportDrawing();
        QCOMPARE(m_prompter->texts(), (QStringList{QStringLiteral("Nu exista coordonate pentru inventar."),
                                                   QStringLiteral("Nu exista coordonate pentru desen.")}));
    }

    void optionsDialogReturnsTheChoices()
    {
        PlanOptions initial;
        initial.cadastralNo = QStringLiteral("1");
        frmPlanOptions dialog(initial);
        QCOMPARE(dialog.txtCadastralNo->text(), QStringLiteral("1"));
        dialog.cmbScale->setCurrentIndex(dialog.cmbScale->findData(500));
        dialog.cmbPaper->setCurrentIndex(dialog.cmbPaper->findData(int(QPageSize::A3)));
        dialog.cmbOrientation->setCurrentIndex(dialog.cmbOrientation->findData(int(QPageLayout::Landscape)));
        dialog.txtLandBookNo->setText(QStringLiteral("  70001 "));
        const PlanOptions options = dialog.options();
        QCOMPARE(options.scale, 500);
        QCOMPARE(options.paper, QPageSize::A3);
        QCOMPARE(options.orientation, std::optional<QPageLayout::Orientation>(QPageLayout::Landscape));
        QCOMPARE(options.landBookNo, QStringLiteral("70001"));
        QCOMPARE(options.cadastralNo, QStringLiteral("1"));
    }
};

QTEST_MAIN(tst_PlanWindow)
#include "tst_planwindow.moc"
