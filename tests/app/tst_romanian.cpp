#include "app/AppSettings.h"
#include "app/QtTranslation.h"
#include "app/ui/frmBuildType.h"
#include "app/ui/frmHelp.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmOptions.h"
#include "base/ui/QtPrompter.h"
#include "dxf/ui/frmImportDXF.h"
#include "entry/ui/frmImportNomenclature.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/UntranslatedTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

namespace {

enum class Scenario
{
    MainWindow,
    Options,
    BuildType,
    Help,
    ImportDxf,
    ImportNomenclature,
    QuestionYesNoCancel,
    QuestionYesNo,
    Message,
    OpenFile,
    SaveFile,
    ChooseFolder,
    InputText,
};

// The texts of every menu entry, submenus included.
void collectMenuTexts(QMenu* menu, QStringList& texts)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        texts << action->text();
        if (action->menu())
            collectMenuTexts(action->menu(), texts);
    }
}

// Builds every pop-up menu the user can open inside `window` (the edit menus of line edits and
// text areas, the scroll bars' menu) and returns the texts of their entries.
QStringList openPopupMenus(QWidget* window)
{
    QStringList texts;
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        collectMenuTexts(menu.get(), texts);
    }
    for (QPlainTextEdit* edit : window->findChildren<QPlainTextEdit*>()) {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        collectMenuTexts(menu.get(), texts);
    }
    for (QTextEdit* edit : window->findChildren<QTextEdit*>()) {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu(QPoint(0, 0)));
        collectMenuTexts(menu.get(), texts);
    }
    // A scroll bar's menu is made and shown inside its event handler: close it from a timer.
    QList<QScrollBar*> bars;
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
            if (bar->orientation() == orientation) {
                bars << bar;
                break;
            }
        }
    }
    for (QScrollBar* bar : bars) {
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                collectMenuTexts(popup, texts);
                popup->close();
            }
        });
        closer.start(10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), bar->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(bar, &event);
    }
    return texts;
}

// The button texts of a message box or a dialog's button row, mnemonics removed.
QStringList buttonTexts(QWidget* window)
{
    QStringList texts;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->text().isEmpty())
            texts << button->text().remove(QLatin1Char('&'));
    }
    texts.sort();
    return texts;
}

} // namespace

// No English text of Qt is left in a window the user can open: every text Qt translates is
// found in the program's Romanian catalogue.
class tst_romanian : public QObject
{
    Q_OBJECT

    UntranslatedTexts m_untranslated;

    // Opens a modal window with `open`, hands it to `inspect` once it shows, then closes it.
    void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& inspect)
    {
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen)
                return;
            seen = true;
            // Let a file dialog list its folder: the columns ask for their texts as they paint.
            QTest::qWait(200);
            inspect(modal);
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
        });
        poll.start(10);
        open();
        QVERIFY(seen);
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::installTranslator(&m_untranslated);
        QVERIFY2(QtTranslation::install(QCoreApplication::applicationDirPath()),
                 "translations/qt_ro.qm is missing beside the program");
    }

    void qtTextsAreRomanian_data()
    {
        QTest::addColumn<int>("scenario");
        // Buttons the window must show (empty: not checked).
        QTest::addColumn<QStringList>("buttons");
        // A few entries its pop-up menus must hold (empty: not checked).
        QTest::addColumn<QStringList>("menuEntries");

        const QStringList editMenu{"&Anuleaza\tCtrl+Z", "&Copiaza\tCtrl+C", "&Lipeste\tCtrl+V"};
        // A fault each row catches: English Qt texts left in that window.
        QTest::newRow("main window: line edits, grids, scroll bars")
            << int(Scenario::MainWindow) << QStringList() << editMenu;
        QTest::newRow("options dialog") << int(Scenario::Options) << QStringList() << editMenu;
        QTest::newRow("property type dialog") << int(Scenario::BuildType) << QStringList() << QStringList();
        QTest::newRow("help window: text browser menu") << int(Scenario::Help) << QStringList() << QStringList();
        QTest::newRow("DXF import wizard") << int(Scenario::ImportDxf) << QStringList() << QStringList();
        QTest::newRow("nomenclature import") << int(Scenario::ImportNomenclature) << QStringList() << QStringList();
        QTest::newRow("closing question: Da, Nu, Anulare")
            << int(Scenario::QuestionYesNoCancel) << QStringList{"Anulare", "Da", "Nu"} << QStringList();
        QTest::newRow("question: Da, Nu") << int(Scenario::QuestionYesNo) << QStringList{"Da", "Nu"} << QStringList();
        QTest::newRow("message: OK") << int(Scenario::Message) << QStringList{"OK"} << QStringList();
        QTest::newRow("open file dialog") << int(Scenario::OpenFile) << QStringList() << editMenu;
        QTest::newRow("save file dialog") << int(Scenario::SaveFile) << QStringList() << editMenu;
        QTest::newRow("folder dialog") << int(Scenario::ChooseFolder) << QStringList() << QStringList();
        QTest::newRow("text prompt") << int(Scenario::InputText) << QStringList{"Anulare", "OK"} << editMenu;
    }

    void qtTextsAreRomanian()
    {
        QFETCH(int, scenario);
        QFETCH(QStringList, buttons);
        QFETCH(QStringList, menuEntries);
        m_untranslated.clear();

        QStringList shownButtons;
        QStringList shownMenus;
        auto inspect = [&](QWidget* window) {
            shownButtons = buttonTexts(window);
            shownMenus = openPopupMenus(window);
        };
        auto inspectShown = [&](QWidget* window) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            inspect(window);
        };

        ProgramFolder folder;
        folder.writeUsualSettings();
        QFile document(folder.path("Teren.CP"));
        QVERIFY(document.open(QIODevice::WriteOnly));
        document.close();
        AppSettings settings(folder.dir.path());
        settings.load();
        ScriptedPrompter scripted;
        QtPrompter prompter;
        switch (Scenario(scenario)) {
        case Scenario::MainWindow: {
            frmMain window(settings, scripted);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            // Open a cell editor in every grid, so that its line edit is there to be asked.
            for (QTableView* grid : window.findChildren<QTableView*>()) {
                if (grid->model() && grid->model()->rowCount() > 0)
                    grid->edit(grid->model()->index(0, 0));
            }
            inspect(&window);
            scripted.queueAnswer(Prompter::Answer::No);
            window.close();
            break;
        }
        case Scenario::Options: {
            frmOptions dialog(settings, scripted);
            inspectShown(&dialog);
            break;
        }
        case Scenario::BuildType: {
            frmBuildType dialog(settings);
            inspectShown(&dialog);
            break;
        }
        case Scenario::Help: {
            frmHelp help(settings.helpFile());
            inspectShown(&help);
            break;
        }
        case Scenario::ImportDxf: {
            frmImportDXF wizard(scripted, folder.dir.path());
            inspectShown(&wizard);
            break;
        }
        case Scenario::ImportNomenclature: {
            frmImportNomenclature dialog(settings.dataFolder(), scripted);
            inspectShown(&dialog);
            break;
        }
        case Scenario::QuestionYesNoCancel:
            whileModal(
                [&] { prompter.ask("?", "Confirmare", Prompter::Buttons::YesNoCancel, Prompter::Icon::Question); },
                inspect);
            break;
        case Scenario::QuestionYesNo:
            whileModal([&] { prompter.ask("?", "Confirmare", Prompter::Buttons::YesNo, Prompter::Icon::Question); },
                       inspect);
            break;
        case Scenario::Message:
            whileModal([&] { prompter.message("!", "Eroare", Prompter::Icon::Exclamation); }, inspect);
            break;
        case Scenario::OpenFile:
            whileModal([&] { prompter.openFileName("Deschide", "(*.CP)|*.CP*|", folder.dir.path()); }, inspect);
            break;
        case Scenario::SaveFile:
            whileModal([&] { prompter.saveFileName("Salveaza", "(*.CP)|*.CP*|", folder.path("x.CP")); }, inspect);
            break;
        case Scenario::ChooseFolder:
            whileModal([&] { prompter.folderName("Dosar", folder.dir.path()); }, inspect);
            break;
        case Scenario::InputText:
            whileModal([&] { prompter.inputText("Denumire entitate", "Adauga entitate", QString()); }, inspect);
            break;
        }

        const QStringList missing = m_untranslated.missing();
        QVERIFY2(missing.isEmpty(), qPrintable("Not in Romanian:\n" + missing.join(QLatin1Char('\n'))));
        for (const QString& button : buttons)
            QVERIFY2(shownButtons.contains(button), qPrintable(button + " not in " + shownButtons.join(", ")));
        for (const QString& entry : menuEntries)
            QVERIFY2(shownMenus.contains(entry), qPrintable(entry + " not in " + shownMenus.join(", ")));
    }

    void catalogueFoundWherePackagesPutIt_data()
    {
        QTest::addColumn<QString>("placed"); // where the catalogue is put, relative to a root
        QTest::addColumn<bool>("found");

        QTest::newRow("beside the program (build folder)") << "bin/translations" << true;
        QTest::newRow("installed under share/lotmark") << "share/lotmark/translations" << true;
        QTest::newRow("elsewhere: Qt's own texts stay") << "lib/translations" << false;
    }

    void catalogueFoundWherePackagesPutIt()
    {
        QFETCH(QString, placed);
        QFETCH(bool, found);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("bin") && QDir(root.path()).mkpath(placed));
        const QString built = QCoreApplication::applicationDirPath() + "/translations/qt_ro.qm";
        QVERIFY(QFile::copy(built, root.filePath(placed + "/qt_ro.qm")));
        QTranslator* translator = QtTranslation::install(root.filePath("bin"));
        QCOMPARE(translator != nullptr, found);
        if (translator) {
            QCOMPARE(translator->translate("QPlatformTheme", "&No"), QStringLiteral("&Nu"));
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

QTEST_MAIN(tst_romanian)
#include "tst_romanian.moc"
