// The document commands of the main window never lose what the surveyor typed or imported:
// the closing question before a document is left, names that cannot outlive a failed open, a
// new document that starts empty, a sketch that shows what the coordinate list holds, and
// Ctrl+S that saves wherever the keyboard focus is.
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "dxf/ImportedEntities.h"
#include "entry/FormMapping.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "model/CPFile.h"
#include "sketch/ui/DrawSketch.h"
#include "support/DocumentFactory.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTableView>
#include <QTest>

namespace {
using Answer = Prompter::Answer;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The land contour the DXF wizard hands back in these tests: six points.
void importSixPointLand()
{
    auto entities = std::make_shared<DXFEntities>();
    auto land = std::make_shared<DXFEntity>();
    land->setLayerName("CADASTRU");
    land->setPolygon(DocumentFactory::polygon("TEREN", 6, 1, 1000, 1000, 20));
    entities->Add(land);
    ImportedEntities() = entities;
}

// Counts the canvas's paint events.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

class tst_unsavedwork : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

    // A copy of a shipped sample in the test's folder.
    QString sample(const QString& name, const QString& as = QString())
    {
        const QString path = m_folder->path(as.isEmpty() ? name + ".CP" : as);
        QFile::remove(path);
        QFile::copy(QStringLiteral(LOTMARK_SOURCE_DIR "/samples/") + name + ".CP", path);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return path;
    }

    // The land sample without its last 100 bytes: it fails in the middle of the points.
    QString damaged()
    {
        const QString path = m_folder->path("broken.CP");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const QByteArray whole = readAll(sample("Teren-intravilan-Alba-Iulia"));
        file.write(whole.left(whole.size() - 100));
        return path;
    }

    QStringList landPointNumbers() const
    {
        const CoordinateList& list = *m_window->coordinateList()->list();
        QStringList numbers;
        for (int row = 1; row <= list.rowCount(); ++row)
            numbers << list.cell(row, CoordinateList::NumberColumn);
        return numbers;
    }

    void showWindow()
    {
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void answerPropertyType(bool apartment)
    {
        m_window->setPropertyTypeAsker([apartment](bool* isApartment) {
            *isApartment = apartment;
            return true;
        });
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_folder->writeUsualSettings();
        m_settings = std::make_unique<AppSettings>(m_folder->dir.path());
        m_settings->load();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<frmMain>(*m_settings, *m_prompter);
        m_window->setToday([] { return QDate(2026, 12, 7); });
        ImportedEntities() = nullptr;
    }

    void cleanup()
    {
        if (m_window && m_window->isVisible()) {
            m_prompter->queueAnswer(Answer::No);
            m_window->close();
        }
        m_window.reset();
    }

    // Open A, "SaveAs" B, open a damaged file, then a "Save" that stops early: the name of A
    // must not come back, or the next "Save" offers to overwrite A with the damaged data.
    void aFailedOpenLeavesNoEarlierName_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::newRow("validation message") << "validation";
        QTest::newRow("file dialog cancelled") << "dialog";
        QTest::newRow("save without coordinates declined") << "declined";
    }
    void aFailedOpenLeavesNoEarlierName()
    {
        QFETCH(QString, stop);
        const QString a = sample("Teren-intravilan-Alba-Iulia", "A.CP");
        const QByteArray original = readAll(a);
        m_window->LoadIntoWindow(a);
        m_prompter->queueFileName(m_folder->path("B.CP"));
        m_window->runCommand("SaveAs");
        QCOMPARE(m_window->currentFileName(), m_folder->path("B.CP"));
        m_window->LoadIntoWindow(damaged());
        QCOMPARE(m_prompter->texts().last(), QString("62 Input past end of file"));

        m_prompter->clear();
        if (stop == "validation") {
            m_window->dataForm()->addressPanel()->cmbJudet->setCurrentIndex(-1);
        } else if (stop == "dialog") {
            m_prompter->queueAnswer(Answer::Yes); // no coordinates were read: save anyway
            m_prompter->queueFileName(QString());
        } else {
            m_prompter->queueAnswer(Answer::No);
        }
        m_window->runCommand("Save");
        if (stop == "validation")
            QCOMPARE(m_prompter->texts(), QStringList{"Judetul nu este completat."});
        QCOMPARE(m_window->currentFileName(), QString());
        QCOMPARE(m_window->windowTitle(), QString("Lotmark v1.0.18[*]"));

        // The next "Save" stops again or asks for a name; whatever it is answered, A stays.
        m_prompter->clear();
        m_prompter->queueAnswer(Answer::Yes);
        m_prompter->queueAnswer(Answer::Yes);
        m_prompter->queueFileName(QString());
        m_window->runCommand("Save");
        for (const QString& text : m_prompter->texts())
            QVERIFY2(!text.startsWith("Confirmati suprascrierea"), qPrintable(text));
        QCOMPARE(readAll(a), original);
    }

    // "Fisier nou" after a document with contours: the new document has none, in memory and in
    // the file it is saved to.
    void aNewDocumentHasNoContours_data()
    {
        QTest::addColumn<bool>("apartment");
        QTest::newRow("land") << false;
        QTest::newRow("apartment") << true;
    }
    void aNewDocumentHasNoContours()
    {
        QFETCH(bool, apartment);
        const QString path = sample("Teren-intravilan-Alba-Iulia");
        m_window->LoadIntoWindow(path);
        QVERIFY(m_window->dataForm()->Document()->Land()->Geometry());
        answerPropertyType(apartment);
        m_window->runCommand("New");
        QVERIFY(m_prompter->texts().isEmpty());
        const LandPtr land = m_window->dataForm()->Document()->Land();
        QVERIFY(!land->Geometry());
        QVERIFY(!land->Buildings() || land->Buildings()->Count() == 0);
        QCOMPARE(m_window->currentFileName(), QString());
        QCOMPARE(m_window->dataForm()->Document()->isApartment(), apartment);
        if (apartment)
            return;

        // The county and one parcel typed in, saved without coordinates.
        CPFile before(".");
        before.setCPFileName(path);
        QVERIFY(before.LoadCPFile());
        const FormData typed = FormMapping::formFromDocument(*before.Document());
        CreateFBI& form = *m_window->dataForm();
        form.addressPanel()->showAddress(*before.Document()->Land()->Address());
        for (const QStringList& owner : typed.owners.rows)
            form.ownersGrid()->addRow(owner);
        form.parcelsGrid()->addRow(typed.parcels.rows.first());
        const QString target = m_folder->path("nou.CP");
        m_prompter->queueAnswer(Answer::Yes); // "Nu au fost introduse coordonate ..."
        m_prompter->queueFileName(target);
        QVERIFY2(m_window->SaveDocument(), qPrintable(m_prompter->texts().join(" | ")));
        CPFile saved(".");
        saved.setCPFileName(target);
        QVERIFY(saved.LoadCPFile());
        QVERIFY(!saved.Document()->Land()->Geometry());
        QCOMPARE(saved.Document()->Land()->Parcels()->Count(), 1);
    }

    // The sketch, the area list and the status panels show the coordinate list: when the list
    // is emptied by a command, they are emptied at once, and the pointer over the empty canvas
    // reports nothing.
    void theSketchShowsWhatTheListHolds_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("new document") << "new";
        QTest::newRow("the apartment sample opened") << "apartment";
        QTest::newRow("a failed open") << "damaged";
    }
    void theSketchShowsWhatTheListHolds()
    {
        QFETCH(QString, command);
        showWindow();
        m_window->LoadIntoWindow(sample("Teren-intravilan-Alba-Iulia"));
        QWidget* canvas = m_window->sketch()->canvas();
        QCOMPARE(m_window->areaList()->count(), 3);
        // The pointer goes somewhere new each time: a move to where it already is is no move.
        static int step = 0;
        const auto movePointer = [canvas] {
            ++step;
            QTest::mouseMove(canvas, canvas->rect().center() + QPoint(step % 40, step / 40));
        };
        movePointer();
        QVERIFY(!m_window->statusPanel(3)->text().isEmpty());
        emit m_window->sketch()->Distance(3, 4);
        emit m_window->sketch()->HitVertex("101");
        // What the screen shows of the canvas, below its floating toolbar.
        const auto darkPixels = [&] {
            const QRect tools = m_window->sketch()->findChild<QWidget*>("tbrQuickFloat")->geometry();
            const QPoint origin = canvas->mapTo(m_window.get(), QPoint(0, tools.bottom() + 4));
            const QImage shown = m_window->screen()
                                     ->grabWindow(m_window->winId(), origin.x(), origin.y(), canvas->width(),
                                                  canvas->height() - tools.bottom() - 4)
                                     .toImage();
            int dark = 0;
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x)
                    dark += qGray(shown.pixel(x, y)) < 128;
            }
            return dark;
        };
        QVERIFY(darkPixels() > 100);

        PaintCounter counter;
        canvas->installEventFilter(&counter);
        if (command == "new") {
            answerPropertyType(false);
            m_window->runCommand("New");
        } else if (command == "apartment") {
            m_window->LoadIntoWindow(sample("Apartament-Alba-Iulia"));
        } else {
            m_window->LoadIntoWindow(damaged());
        }
        QCOMPARE(m_window->CountEntityRows("TEREN"), 0);
        QTRY_VERIFY(counter.paints > 0);
        QCOMPARE(darkPixels(), 0);
        QCOMPARE(m_window->areaList()->count(), 0);
        for (int panel = 1; panel <= 3; ++panel)
            QCOMPARE(m_window->statusPanel(panel)->text(), QString());
        movePointer();
        QCOMPARE(m_window->statusPanel(3)->text(), QString());
    }

    // A modified state, set by every kind of edit and cleared by open, save and new: with
    // changes, "Fisier nou", "Deschide fisier" and closing ask the closing question (Yes saves
    // first, No discards, Cancel keeps everything); without, they go straight on.
    void unsavedWorkIsAskedFor_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<Answer>>("answers"); // to the closing question and what follows
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("kept"); // the edit is still in the window afterwards

        const QList<Answer> none;
        QTest::newRow("nothing changed, close") << "none"
                                                << "Close" << none << false << false;
        QTest::newRow("nothing changed, open") << "none"
                                               << "Open" << none << false << true;
        QTest::newRow("an editor closed unchanged, close") << "editor unchanged"
                                                           << "Close" << none << false << false;
        QTest::newRow("Bloc typed, open, Cancel") << "bloc"
                                                  << "Open" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("Bloc typed, new, No") << "bloc"
                                             << "New" << QList<Answer>{Answer::No} << true << false;
        QTest::newRow("Bloc typed, close, Cancel") << "bloc"
                                                   << "Close" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("Bloc typed, close, Yes and the save declined")
            << "bloc"
            << "Close" << QList<Answer>{Answer::Yes, Answer::No} << true << true;
        QTest::newRow("Bloc typed and saved, close") << "bloc saved"
                                                     << "Close" << none << false << false;
        QTest::newRow("a point pasted, new, Cancel") << "paste"
                                                     << "New" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("a row cut, close, No") << "cut"
                                              << "Close" << QList<Answer>{Answer::No} << true << false;
        QTest::newRow("a coordinate typed, open, Cancel") << "coordinate"
                                                          << "Open" << QList<Answer>{Answer::Cancel} << true << true;
        QTest::newRow("a DXF import, open, Cancel") << "dxf"
                                                    << "Open" << QList<Answer>{Answer::Cancel} << true << true;
        // Yes saves first; a save that stops (the imported contour's area differs from the
        // parcels') keeps everything and opens nothing.
        QTest::newRow("a DXF import, open, Yes and the save stopped")
            << "dxf"
            << "Open" << QList<Answer>{Answer::Yes} << true << true;
    }
    void unsavedWorkIsAskedFor()
    {
        QFETCH(QString, edit);
        QFETCH(QString, command);
        QFETCH(QList<Answer>, answers);
        QFETCH(bool, asked);
        QFETCH(bool, kept);

        const QString path = sample("Teren-intravilan-Alba-Iulia");
        m_window->LoadIntoWindow(path);
        showWindow();
        QVERIFY(!m_window->isModified());
        QVERIFY(!m_window->isWindowModified());
        EditableList& coordinates = *m_window->coordinateList();
        QLineEdit* bloc = m_window->dataForm()->addressPanel()->txtBloc;
        // What the edit left behind, to find it again afterwards.
        std::function<bool()> editShown = [] { return true; };
        if (edit.startsWith("bloc")) {
            QTest::keyClicks(bloc, "B2");
            editShown = [bloc] { return bloc->text().endsWith("B2"); };
        } else if (edit == "editor unchanged") {
            coordinates.list()->setCurrentCell(2, CoordinateList::EstColumn);
            coordinates.BeginCellEdit();
            coordinates.EndCellEdit();
        } else if (edit == "paste") {
            const int last = coordinates.list()->rowCount();
            coordinates.list()->setCurrentCell(last, CoordinateList::NumberColumn);
            m_prompter->queueAnswer(Answer::Yes); // "Se vor suprascrie inregistrarile din lista."
            QVERIFY(coordinates.list()->PasteText("299\t380.5\t546.25\n"));
            editShown = [&coordinates, last] {
                return coordinates.list()->cell(last, CoordinateList::NumberColumn) == "299";
            };
        } else if (edit == "cut") {
            const int rows = coordinates.list()->rowCount();
            coordinates.list()->setCurrentCell(2, CoordinateList::NumberColumn);
            QVERIFY(coordinates.list()->CutSelection());
            editShown = [&coordinates, rows] { return coordinates.list()->rowCount() == rows - 1; };
        } else if (edit == "coordinate") {
            coordinates.list()->setCurrentCell(2, CoordinateList::EstColumn);
            coordinates.BeginCellEdit(QString("12"));
            coordinates.EndCellEdit();
            editShown = [&coordinates] {
                return coordinates.list()->cell(2, CoordinateList::EstColumn).startsWith("12");
            };
        } else if (edit == "dxf") {
            m_window->setDxfWizardShower(importSixPointLand);
            m_window->runCommand("ImportDXF");
            editShown = [this] { return m_window->CountEntityRows("TEREN") == 6; };
        }
        if (edit == "bloc saved") {
            m_prompter->queueAnswer(Answer::Yes); // overwrite
            QVERIFY(m_window->SaveDocument());
        }
        QCOMPARE(m_window->isModified(), asked);
        QCOMPARE(m_window->isWindowModified(), asked);
        QVERIFY(m_window->windowTitle().endsWith("[*]"));

        m_prompter->clear();
        for (Answer answer : answers)
            m_prompter->queueAnswer(answer);
        // Past the question, "Deschide fisier" finds its dialog cancelled and "Fisier nou" makes
        // a land document.
        m_prompter->queueFileName(QString());
        answerPropertyType(false);
        if (command == "Close")
            m_window->close();
        else
            m_window->runCommand(command);

        const QStringList texts = m_prompter->texts();
        QCOMPARE(!texts.isEmpty() && texts.first() == "Salvati datele inainte de inchiderea aplicatiei ?", asked);
        if (command == "Close")
            QCOMPARE(m_window->isVisible(), kept);
        else
            QCOMPARE(editShown(), kept);
    }

    // Ctrl+S saves wherever the focus is, the coordinate grid and its cell editor included; the
    // grid moves rows with Alt+Up and Alt+Down, as its menu shows.
    void ctrlSSavesEverywhere_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<QString>("rows23"); // the numbers of rows 2 and 3 afterwards

        const int ctrl = int(Qt::ControlModifier);
        const int alt = int(Qt::AltModifier);
        QTest::newRow("Ctrl+S in the grid") << "grid" << int(Qt::Key_S) << ctrl << true << "2 3";
        QTest::newRow("Ctrl+S in the cell editor") << "editor" << int(Qt::Key_S) << ctrl << true << "2 3";
        QTest::newRow("Ctrl+S in a form field") << "form" << int(Qt::Key_S) << ctrl << true << "2 3";
        QTest::newRow("Alt+Up in the grid") << "grid" << int(Qt::Key_Up) << alt << false << "3 2";
        QTest::newRow("Alt+Down in the grid") << "grid" << int(Qt::Key_Down) << alt << false << "2 4";
    }
    void ctrlSSavesEverywhere()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, saves);
        QFETCH(QString, rows23);

        const QString path = sample("Teren-intravilan-Alba-Iulia");
        m_window->LoadIntoWindow(path);
        m_window->tabs()->setCurrentIndex(focus == "form" ? 0 : 1);
        showWindow();
        EditableList& coordinates = *m_window->coordinateList();
        coordinates.list()->setCurrentCell(3, CoordinateList::NumberColumn);
        QWidget* target = coordinates.grid();
        if (focus == "editor") {
            coordinates.list()->setCurrentCell(3, CoordinateList::EstColumn);
            coordinates.BeginCellEdit();
            target = coordinates.cellEditor();
        } else if (focus == "form") {
            target = m_window->dataForm()->addressPanel()->txtBloc;
        }
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        m_prompter->queueAnswer(Answer::No); // "Confirmati suprascrierea fisierului ... ?"
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(m_prompter->texts(),
                 saves ? QStringList{"Confirmati suprascrierea fisierului " + path + " ?"} : QStringList());
        const QStringList numbers = landPointNumbers();
        QCOMPARE(numbers.at(1) + " " + numbers.at(2), rows23);

        QStringList shortcuts;
        for (QAction* action : coordinates.popupMenu()->actions()) {
            if (action->objectName() == "mnuMoveUp" || action->objectName() == "mnuMoveDown")
                shortcuts << action->text();
        }
        QCOMPARE(shortcuts, (QStringList{"Muta sus\tAlt+Up", "Muta jos\tAlt+Down"}));
    }
};

QTEST_MAIN(tst_unsavedwork)
#include "tst_unsavedwork.moc"
