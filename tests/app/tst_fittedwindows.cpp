#include "app/AppSettings.h"
#include "app/WindowFit.h"
#include "app/ui/ScreenFit.h"
#include "app/ui/frmHelp.h"
#include "app/ui/frmMain.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "sketch/ui/DrawSketch.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"

#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// Windows that fit the screen: the maths of placing them, the main window's first start and
// its restored state, dialogs kept inside the screen, and the form's labels clear of their fields.
// The offscreen screen (800 x 800) is narrower and lower than the main window asks for.
class tst_fittedwindows : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    ScriptedPrompter m_prompter;

    std::unique_ptr<frmMain> newWindow()
    {
        auto window = std::make_unique<frmMain>(*m_settings, m_prompter);
        return window;
    }

    void closeWindow(frmMain& window)
    {
        m_prompter.queueAnswer(Prompter::Answer::No);
        window.close();
    }

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void initTestCase()
    {
        ScreenFit::install();
        m_folder = std::make_unique<ProgramFolder>();
        m_folder->writeUsualSettings();
        m_settings = std::make_unique<AppSettings>(m_folder->dir.path());
        m_settings->load();
    }

    void fitted_data()
    {
        QTest::addColumn<QSize>("preferred");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");

        QTest::newRow("large screen: preferred size, centred")
            << QSize(1280, 800) << QRect(0, 0, 1920, 1080) << QRect(320, 140, 1280, 800);
        QTest::newRow("laptop 1366x768 with a panel: never taller than the free area")
            << QSize(1280, 800) << QRect(0, 0, 1366, 740) << QRect(43, 0, 1280, 740);
        QTest::newRow("netbook 1024x600: the whole free area")
            << QSize(1280, 800) << QRect(0, 0, 1024, 600) << QRect(0, 0, 1024, 600);
        QTest::newRow("panel on the left: free area off the origin")
            << QSize(1280, 800) << QRect(48, 0, 1318, 768) << QRect(67, 0, 1280, 768);
        QTest::newRow("second screen right of the first")
            << QSize(800, 600) << QRect(1920, 0, 1024, 768) << QRect(2032, 84, 800, 600);
    }

    void fitted()
    {
        QFETCH(QSize, preferred);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(WindowFit::fitted(preferred, available), expected);
    }

    void keptInside_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("expected");

        const QRect laptop(0, 0, 1366, 740);
        QTest::newRow("inside: unchanged") << QRect(100, 50, 600, 400) << laptop << QRect(100, 50, 600, 400);
        QTest::newRow("past the right edge: moved left")
            << QRect(1000, 50, 600, 400) << laptop << QRect(766, 50, 600, 400);
        QTest::newRow("past the bottom (status bar hidden): moved up")
            << QRect(40, 400, 1280, 400) << laptop << QRect(40, 340, 1280, 400);
        QTest::newRow("above the top (title bar out of reach): moved down")
            << QRect(40, -30, 600, 400) << laptop << QRect(40, 0, 600, 400);
        QTest::newRow("larger than the screen: shrunk to it") << QRect(-10, -10, 1400, 900) << laptop << laptop;
        QTest::newRow("saved on a screen that is gone: brought back")
            << QRect(2500, 100, 800, 600) << laptop << QRect(566, 100, 800, 600);
        QTest::newRow("no screen known: unchanged") << QRect(5, 5, 10, 10) << QRect() << QRect(5, 5, 10, 10);
    }

    void keptInside()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QFETCH(QRect, expected);
        QCOMPARE(WindowFit::keptInside(frame, available), expected);
    }

    void firstStartFitsTheSmallScreen()
    {
        QTemporaryDir dir;
        QSettings state(dir.filePath("state.ini"), QSettings::IniFormat);
        auto window = newWindow();
        window->restoreWindowState(state);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY2(available().contains(window->frameGeometry()),
                 qPrintable(QStringLiteral("window %1,%2 %3x%4 past the screen")
                                .arg(window->frameGeometry().x())
                                .arg(window->frameGeometry().y())
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())));
        // The status bar, with the distances, lies inside the window and so on the screen.
        QStatusBar* bar = window->statusBar();
        QVERIFY(bar->isVisible());
        QVERIFY(bar->geometry().bottom() < window->height());
        QVERIFY(bar->height() > 0);
        // The sketch keeps a usable width beside the data form.
        QVERIFY(window->sketch()->width() >= 200);
        closeWindow(*window);
    }

    void minimumSizeFitsANetbook()
    {
        auto window = newWindow();
        const QSize minimum = window->minimumSizeHint().expandedTo(window->minimumSize());
        QVERIFY2(minimum.width() <= 1024 && minimum.height() <= 600 - 30,
                 qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
    }

    void laterStartRestoresWhatTheUserLeft()
    {
        QTemporaryDir dir;
        QSettings state(dir.filePath("state.ini"), QSettings::IniFormat);
        QList<int> sizes;
        {
            auto window = newWindow();
            window->restoreWindowState(state);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            window->resize(700, 500);
            window->move(available().topLeft() + QPoint(20, 10));
            const int total = window->splitter()->sizes().value(0) + window->splitter()->sizes().value(1);
            window->splitter()->setSizes({total - 250, 250});
            sizes = window->splitter()->sizes();
            window->tabs()->setCurrentIndex(1);
            closeWindow(*window);
            window->saveWindowState(state);
        }
        auto window = newWindow();
        window->restoreWindowState(state);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->size(), QSize(700, 500));
        QCOMPARE(window->splitter()->sizes(), sizes);
        QCOMPARE(window->tabs()->currentIndex(), 1);
        closeWindow(*window);
    }

    void stateFromALargerScreenIsKeptInside()
    {
        QTemporaryDir dir;
        QSettings state(dir.filePath("state.ini"), QSettings::IniFormat);
        {
            // A state written on a 1920x1080 screen: the window sat low and wide.
            auto window = newWindow();
            window->setGeometry(600, 400, 1280, 800);
            window->saveWindowState(state);
        }
        auto window = newWindow();
        window->restoreWindowState(state);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(available().contains(window->frameGeometry()));
        closeWindow(*window);
    }

    void dialogsOpenInsideTheScreen_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("size");

        // Faults caught: a dialog taller than the screen, and a narrow prompt whose title the
        // window manager cuts to "Adau...".
        QTest::newRow("tall dialog") << QStringLiteral("Import DXF") << QSize(500, 900);
        QTest::newRow("narrow prompt keeps its title") << QStringLiteral("Adauga entitate") << QSize(60, 80);
        QTest::newRow("wide dialog") << QStringLiteral("Optiuni") << QSize(1200, 300);
    }

    void dialogsOpenInsideTheScreen()
    {
        QFETCH(QString, title);
        QFETCH(QSize, size);
        QDialog dialog;
        dialog.setWindowTitle(title);
        dialog.resize(size);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(available().contains(dialog.frameGeometry()));
        QFont bold = dialog.font();
        bold.setBold(true);
        QVERIFY(dialog.width() > QFontMetrics(bold).horizontalAdvance(title) + 60);
    }

    void helpWindowOpensInsideTheScreen()
    {
        frmHelp help(m_settings->helpFile());
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QVERIFY(available().contains(help.frameGeometry()));
    }

    void addressLabelsClearOfTheirFields_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");

        QTest::newRow("Numar") << "Numar"
                               << "txtNumar";
        QTest::newRow("Bloc") << "Bloc"
                              << "txtBloc";
        QTest::newRow("Scara") << "Scara"
                               << "txtScara";
        QTest::newRow("Tarla") << "Tarla"
                               << "txtTarla";
        QTest::newRow("Parcela") << "Parcela"
                                 << "txtParcela";
    }

    void addressLabelsClearOfTheirFields()
    {
        QFETCH(QString, label);
        QFETCH(QString, field);
        CreateFBI form(m_prompter);
        form.resize(900, 700);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* edit = form.findChild<QLineEdit*>(field);
        QVERIFY(edit);
        QLabel* caption = nullptr;
        for (QLabel* candidate : form.findChildren<QLabel*>()) {
            if (candidate->text() == label && candidate->parentWidget() == edit->parentWidget())
                caption = candidate;
        }
        QVERIFY(caption);
        const int gap = edit->geometry().left() - caption->geometry().right() - 1;
        QVERIFY2(gap >= 4, qPrintable(QStringLiteral("gap of %1 px").arg(gap)));
    }

    void buildingNameColumnShowsWholeNames_data()
    {
        QTest::addColumn<bool>("apartment");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");

        // Faults caught: "CASĂ DE ..." cut in a new row, and a longer typed name left cut.
        QTest::newRow("new land form") << false << QString() << QStringLiteral("CASĂ DE LOCUIT P+1E");
        QTest::newRow("new apartment form") << true << QString() << QStringLiteral("CASĂ DE LOCUIT P+1E");
        QTest::newRow("a longer name typed") << false << QStringLiteral("CASĂ DE LOCUIT CU ANEXE GOSPODĂREȘTI")
                                             << QStringLiteral("CASĂ DE LOCUIT CU ANEXE GOSPODĂREȘTI");
    }

    void buildingNameColumnShowsWholeNames()
    {
        QFETCH(bool, apartment);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        CreateFBI form(m_prompter);
        form.setIsAp(apartment);
        form.resize(900, 700);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FormGrid* grid = form.buildingsGrid();
        if (!typed.isEmpty()) {
            grid->addRow();
            // As the cell editor commits it: an item change outside the grid's own writes.
            grid->table()->item(0, 1)->setText(typed);
        }
        const int width = grid->table()->horizontalHeader()->sectionSize(1);
        const int needed = grid->table()->fontMetrics().horizontalAdvance(shown);
        QVERIFY2(width > needed, qPrintable(QStringLiteral("%1 px for %2 px of text").arg(width).arg(needed)));
    }
};

QTEST_MAIN(tst_fittedwindows)
#include "tst_fittedwindows.moc"
