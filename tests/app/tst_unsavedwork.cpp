// The main window never loses what the surveyor typed or imported: the closing question before
// a document is left, no file name that outlives a failed open, a new document without the old
// contours, a sketch that shows what the list holds, Ctrl+S that saves wherever the focus is,
// and prompts that open above the window in use.
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "base/ui/QtPrompter.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "model/DXFEntity.h"
#include "sketch/ui/DrawSketch.h"
#include "support/CreateMainWindow.h"
#include "support/DocumentFactory.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {
using Answer = Prompter::Answer;
using Edit = std::function<void(frmMain& window)>;
using Step = std::function<void(QWidget* window)>;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `step` on the next modal window that opens above `current`, once its exec is running.
void whenModalOpens(QWidget* current, Step step)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, current, step] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != current) {
            timer->deleteLater();
            timer->stop();
            step(modal);
        }
    });
    timer->start(10);
}

// Dark pixels the screen shows of the canvas below its floating toolbar.
int darkPixelsShown(frmMain& window)
{
    QWidget* canvas = window.sketch()->canvas();
    const int top = window.sketch()->findChild<QWidget*>("tbrQuickFloat")->geometry().bottom() + 4;
    const QPoint origin = canvas->mapTo(&window, QPoint(0, top));
    const QImage shown =
        window.screen()
            ->grabWindow(window.winId(), origin.x(), origin.y(), canvas->width(), canvas->height() - top)
            .toImage();
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            dark += qGray(shown.pixel(x, y)) < 128;
    }
    return dark;
}
} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Step)

class tst_unsavedwork : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

    // A copy of a shipped sample; "broken" is the land sample without its last 100 bytes.
    QString sample(const QString& name, const QString& as)
    {
        const QByteArray whole = readAll(TestPaths::sample(name + ".CP"));
        QFile file(m_folder->path(as));
        file.open(QIODevice::WriteOnly);
        file.write(as == "broken.CP" ? whole.left(whole.size() - 100) : whole);
        return file.fileName();
    }
    QString land(const QString& as = "A.CP") { return sample("Teren-intravilan-Alba-Iulia", as); }

    void showLand()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_window->LoadIntoWindow(land());
    }

private slots:
    void init()
    {
        createMainWindow(m_folder, m_settings, m_prompter, m_window);
        m_window->setPropertyTypeAsker([](bool* isApartment) {
            *isApartment = false;
            return true;
        });
    }

    void cleanup()
    {
        m_prompter->queueAnswer(Answer::No);
        m_window->close();
        m_window.reset();
    }

    // Open A, "SaveAs" B, open a damaged file, then a "Save" that stops early: the name of A
    // must not come back, or the next "Save" overwrites A with the damaged file's remains.
    void aFailedOpenLeavesNoEarlierName_data()
    {
        QTest::addColumn<QList<Answer>>("answers"); // to the save's questions; none: validation stops it
        QTest::newRow("validation message") << QList<Answer>{};
        QTest::newRow("file dialog cancelled") << QList<Answer>{Answer::Yes};
        QTest::newRow("save without coordinates declined") << QList<Answer>{Answer::No};
    }
    void aFailedOpenLeavesNoEarlierName()
    {
        QFETCH(QList<Answer>, answers);
        const QString a = land();
        m_window->LoadIntoWindow(a);
        m_prompter->queueFileName(m_folder->path("B.CP"));
        m_window->runCommand("SaveAs");
        m_window->LoadIntoWindow(land("broken.CP"));
        if (answers.isEmpty())
            m_window->dataForm()->addressPanel()->cmbJudet->setCurrentIndex(-1);
        for (Answer answer : answers)
            m_prompter->queueAnswer(answer);
        m_prompter->queueFileName(QString());
        m_window->runCommand("Save");
        QCOMPARE(m_window->currentFileName(), QString());

        m_prompter->clear();
        m_prompter->queueAnswer(Answer::Yes);
        m_prompter->queueAnswer(Answer::Yes);
        m_prompter->queueFileName(QString());
        m_window->runCommand("Save");
        QVERIFY2(!m_prompter->texts().join('|').contains("suprascrierea"), qPrintable(m_prompter->texts().join('|')));
        QCOMPARE(readAll(a), readAll(land("original.CP")));
    }

    // "Fisier nou" after a document with contours starts without any, so that a save without
    // coordinates cannot write the old ones; it has no file name either.
    void aNewDocumentHasNoContours()
    {
        m_window->LoadIntoWindow(land());
        m_window->runCommand("New");
        const LandPtr newLand = m_window->dataForm()->Document()->Land();
        QVERIFY(!newLand->Geometry());
        QVERIFY(!newLand->Buildings() || newLand->Buildings()->Count() == 0);
        QCOMPARE(m_window->currentFileName(), QString());
    }

    // When a command empties the coordinate list, the screen, the area list and the status
    // panels are emptied at once, and the pointer over the canvas reports nothing.
    void theSketchShowsWhatTheListHolds_data()
    {
        QTest::addColumn<Edit>("command");
        QTest::newRow("new document") << Edit([](frmMain& window) { window.runCommand("New"); });
        QTest::newRow("the apartment sample opened")
            << Edit([this](frmMain& window) { window.LoadIntoWindow(sample("Apartament-Alba-Iulia", "ap.CP")); });
        QTest::newRow("a failed open") << Edit([this](frmMain& window) { window.LoadIntoWindow(land("broken.CP")); });
    }
    void theSketchShowsWhatTheListHolds()
    {
        QFETCH(Edit, command);
        showLand();
        QWidget* canvas = m_window->sketch()->canvas();
        static int step = 0; // a move to where the pointer already is is no move
        const auto movePointer = [canvas] {
            QTest::mouseMove(canvas, canvas->rect().center() + QPoint(++step % 50, 0));
        };
        movePointer();
        emit m_window->sketch()->Distance(3, 4);
        QVERIFY(!m_window->statusPanel(3)->text().isEmpty() && darkPixelsShown(*m_window) > 100);

        command(*m_window);
        QTRY_COMPARE(darkPixelsShown(*m_window), 0);
        QCOMPARE(m_window->areaList()->count(), 0);
        movePointer();
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(m_window->statusPanel(panel)->text(), QString());
    }

    // Every kind of edit marks the document modified; with changes, "Fisier nou", "Deschide
    // fisier" and closing ask first (Yes saves, No discards, Cancel keeps everything).
    void unsavedWorkIsAskedFor_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<Answer>>("answers"); // to the closing question and what follows
        QTest::addColumn<bool>("modified");         // the edit counts, so the question is asked
        QTest::addColumn<bool>("kept");             // the window still holds the changed document

        const Edit editorUnchanged = [](frmMain& window) {
            window.coordinateList()->list()->setCurrentCell(2, CoordinateList::EstColumn);
            window.coordinateList()->BeginCellEdit();
            window.coordinateList()->EndCellEdit();
        };
        const Edit bloc = [](frmMain& window) { QTest::keyClicks(window.dataForm()->addressPanel()->txtBloc, "B2"); };
        const Edit cut = [](frmMain& window) { QVERIFY(window.coordinateList()->list()->CutSelection()); };
        const Edit paste = [this](frmMain& window) {
            m_prompter->queueAnswer(Answer::Yes); // "Se vor suprascrie inregistrarile din lista."
            QVERIFY(window.coordinateList()->list()->PasteText("299\t380.5\t546.25\n"));
        };
        const Edit dxf = [](frmMain& window) {
            window.setDxfWizardShower([] {
                auto land = std::make_shared<DXFEntity>();
                land->setPolygon(DocumentFactory::polygon("TEREN", 6, 1, 1000, 1000, 20));
                auto entities = std::make_shared<DXFEntities>();
                entities->Add(land);
                return entities;
            });
            window.runCommand("ImportDXF");
        };
        const Edit savedAfterwards = [this, bloc](frmMain& window) {
            bloc(window);
            m_prompter->queueAnswer(Answer::Yes); // "Confirmati suprascrierea fisierului ... ?"
            window.runCommand("Save");
        };
        const QList<Answer> none;
        QTest::newRow("nothing changed, close") << Edit([](frmMain&) {}) << "Close" << none << false << false;
        QTest::newRow("an editor closed unchanged, close") << editorUnchanged << "Close" << none << false << false;
        QTest::newRow("Bloc typed, open, Cancel") << bloc << "Open" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("Bloc typed, new, No") << bloc << "New" << QList<Answer>{Answer::No} << true << false;
        QTest::newRow("Bloc typed, close, Yes, overwrite declined")
            << bloc << "Close" << QList<Answer>{Answer::Yes, Answer::No} << true << true;
        QTest::newRow("point pasted, new, Cancel") << paste << "New" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("row cut, close, No") << cut << "Close" << QList<Answer>{Answer::No} << true << false;
        QTest::newRow("DXF import, open, Cancel") << dxf << "Open" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("saved, close") << savedAfterwards << "Close" << none << false << false;
    }
    void unsavedWorkIsAskedFor()
    {
        QFETCH(Edit, edit);
        QFETCH(QString, command);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, modified);
        QFETCH(bool, kept);
        showLand();
        QVERIFY(!m_window->isWindowModified());
        edit(*m_window);
        QCOMPARE(m_window->isModified(), modified);
        QCOMPARE(m_window->isWindowModified(), modified);
        QVERIFY(m_window->windowTitle().endsWith("[*]"));

        m_prompter->clear();
        for (Answer answer : answers)
            m_prompter->queueAnswer(answer);
        m_prompter->queueFileName(QString()); // "Deschide fisier" past the question: cancelled
        if (command == "Close")
            m_window->close();
        else
            m_window->runCommand(command);
        QCOMPARE(m_prompter->texts().value(0) == "Salvati datele inainte de inchiderea aplicatiei ?", modified);
        QCOMPARE(command == "Close" ? m_window->isVisible() : m_window->isModified(), kept);
    }

    // Ctrl+S saves wherever the focus is, the grid and its cell editor included; the grid moves
    // rows with Alt+Up and Alt+Down, as its menu shows.
    void ctrlSSavesEverywhere_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("rows"); // point numbers of rows 2 and 3 afterwards; "" when saved
        QTest::newRow("Ctrl+S in the grid") << "grid" << QKeySequence("Ctrl+S") << "";
        QTest::newRow("Ctrl+S in the cell editor") << "editor" << QKeySequence("Ctrl+S") << "";
        QTest::newRow("Ctrl+S in a form field") << "form" << QKeySequence("Ctrl+S") << "";
        QTest::newRow("Alt+Up in the grid") << "grid" << QKeySequence("Alt+Up") << "3 2";
        QTest::newRow("Alt+Down in the grid") << "grid" << QKeySequence("Alt+Down") << "2 4";
    }
    void ctrlSSavesEverywhere()
    {
        QFETCH(QString, focus);
        QFETCH(QKeySequence, key);
        QFETCH(QString, rows);
        showLand();
        EditableList& list = *m_window->coordinateList();
        m_window->tabs()->setCurrentIndex(focus == "form" ? 0 : 1);
        list.list()->setCurrentCell(3, CoordinateList::EstColumn);
        QWidget* target = list.grid();
        if (focus == "form")
            target = m_window->dataForm()->addressPanel()->txtBloc;
        if (focus == "editor") {
            list.BeginCellEdit();
            target = list.cellEditor();
        }
        target->setFocus();
        m_prompter->queueAnswer(Answer::No); // "Confirmati suprascrierea fisierului ... ?"
        QTest::keySequence(target, key);
        const CoordinateList& points = *list.list();
        QCOMPARE(m_prompter->texts().size(), rows.isEmpty() ? 1 : 0);
        QCOMPARE(points.cell(2, 1) + ' ' + points.cell(3, 1), rows.isEmpty() ? QString("2 3") : rows);
        QStringList shown;
        for (QAction* action : list.popupMenu()->actions())
            shown << action->text();
        QVERIFY(shown.contains("Muta sus\tAlt+Up") && shown.contains("Muta jos\tAlt+Down"));
    }

    // Messages, questions, text prompts and file dialogs open over the window in use and stay
    // above a window kept on top (before, they opened behind the options dialog or the wizard).
    void promptOpensAboveTheWindowInUse_data()
    {
        QTest::addColumn<QString>("command"); // opens the window in use; "" for the main window
        QTest::addColumn<Step>("trigger");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("options: a comma as delimiter") << "Options" << Step([](QWidget* options) {
            options->findChild<QLineEdit*>("txtDelimiter")->setText(",");
            QTest::keyClick(options->findChild<QLineEdit*>("txtDelimiter"), Qt::Key_Return);
        }) << "QMessageBox" << true;
        QTest::newRow("DXF wizard: \"...\"")
            << "ImportDXF" << Step([](QWidget* wizard) { wizard->findChild<QPushButton*>("cmdOpenFile")->click(); })
            << "QFileDialog" << true;
        QTest::newRow("main window: entity name")
            << "" << Step([](QWidget* window) { static_cast<frmMain*>(window)->coordinateList()->list()->AddEntity(); })
            << "QInputDialog" << false;
    }
    void promptOpensAboveTheWindowInUse()
    {
        QFETCH(QString, command);
        QFETCH(Step, trigger);
        QFETCH(QString, prompt);
        QFETCH(bool, onTop);
        QtPrompter prompter;
        frmMain window(*m_settings, prompter);
        prompter.setParent(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QString seen; // noted while the dialogs are open: class, parent, on top
        const Step inUse = [&](QWidget* dialog) {
            whenModalOpens(dialog, [&, dialog](QWidget* box) {
                seen = QString("%1 %2 %3")
                           .arg(box->metaObject()->className())
                           .arg(int(box->parentWidget() == dialog))
                           .arg(int(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)));
                static_cast<QDialog*>(box)->reject();
            });
            trigger(dialog);
            if (dialog != &window)
                static_cast<QDialog*>(dialog)->reject();
        };
        if (command.isEmpty()) {
            inUse(&window);
        } else {
            whenModalOpens(nullptr, inUse);
            window.runCommand(command);
        }
        QCOMPARE(seen, QString("%1 1 %2").arg(prompt).arg(int(onTop)));
    }
};

QTEST_MAIN(tst_unsavedwork)
#include "tst_unsavedwork.moc"
