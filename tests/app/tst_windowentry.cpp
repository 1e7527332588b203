// What is typed through the main window reaches the file whole. Run with the C locale and with
// the Romanian one, whose decimal separator is ",".
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "base/AnsiText.h"
#include "base/NumberText.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "dxf/DxfImportWizard.h"
#include "dxf/DxfText.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "model/DXFEntity.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using Answer = Prompter::Answer;

namespace {
DocumentPtr loaded(const QString& path)
{
    CPFile file(".");
    file.setCPFileName(path);
    return file.LoadCPFile() ? file.Document() : nullptr;
}

QStringList numbers(const CoordinateList& list)
{
    QStringList out;
    for (int row = 1; row <= list.rowCount(); ++row)
        out << list.cell(row, CoordinateList::NumberColumn);
    return out;
}

// The text with "." written as the user's decimal separator.
QString local(QString text)
{
    return text.replace('.', NumberText::systemDecimalSeparator());
}

QByteArray bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class tst_WindowEntry : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    ScriptedPrompter m_prompter;
    std::unique_ptr<frmMain> m_window;

    // The land sample (TEREN 1-8 in rows 1-8, C1 101-106 in 9-14, C2 201-204 in 15-18), copied,
    // moved `east` metres, opened and shown.
    QString openSample(double east = 0)
    {
        const QString path = m_folder->path("teren.CP");
        CPFile file(".");
        file.setCPFileName(TestPaths::sample(QStringLiteral("Teren-intravilan-Alba-Iulia.CP")));
        file.LoadCPFile();
        const LandPtr land = file.Document()->Land();
        QList<PolygonPtr> contours{land->Geometry(), land->Buildings()->Item(1)->Geometry(),
                                   land->Buildings()->Item(2)->Geometry()};
        for (const PolygonPtr& contour : contours) {
            for (const PointPtr& point : *contour->Points())
                point->setX(point->X() + east);
        }
        file.setCPFileName(path);
        file.SaveCPFile();
        m_window->LoadIntoWindow(path);
        m_window->show();
        m_window->activateWindow();
        if (!QTest::qWaitForWindowActive(m_window.get()))
            qWarning("the window did not become active");
        return path;
    }
    CoordinateList& list() const { return *m_window->coordinateList()->list(); }
    QTableView* grid() const { return m_window->coordinateList()->grid(); }
    void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool twice = false)
    {
        const QModelIndex index = grid()->model()->index(row - 1, column);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, modifiers, grid()->visualRect(index).center());
        if (twice)
            QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, modifiers, grid()->visualRect(index).center());
    }
    // Keys typed where the focus is, one by one (it moves into the editors).
    void type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void saveOver()
    {
        m_prompter.queueAnswer(Answer::Yes); // overwrite the file
        QVERIFY2(m_window->SaveDocument(), qPrintable(m_prompter.texts().join('|')));
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_settings = m_folder->usualSettings();
        m_prompter.clear();
        m_window = std::make_unique<frmMain>(*m_settings, m_prompter);
    }
    void cleanup() { m_window.reset(); }

    void namesWithCommaBelow_data()
    {
        QTest::addColumn<QString>("streetType");
        QTest::addColumn<QString>("street");
        QTest::newRow("street with Ș lost") << "Strada" << QString::fromUtf8("Ștefan cel Mare");
        QTest::newRow("street type with ț lost") << QString::fromUtf8("Piața") << "Iuliu Maniu";
    }
    void namesWithCommaBelow()
    {
        QFETCH(QString, streetType);
        QFETCH(QString, street);
        const QString path = openSample();
        AddressPanel* address = m_window->dataForm()->addressPanel();
        address->cmbTipArtera->setCurrentIndex(address->cmbTipArtera->findText(streetType));
        address->cmbStrada->setCurrentIndex(address->cmbStrada->findText(street));
        saveOver();
        QCOMPARE(loaded(path)->Land()->Address()->StreetName(), AnsiText::withCedillas(street));
        m_prompter.clear();
        m_window->LoadIntoWindow(path);
        QVERIFY2(m_prompter.texts().isEmpty(), qPrintable(m_prompter.texts().join('|')));
        QCOMPARE(address->cmbTipArtera->currentText(), streetType);
        QCOMPARE(address->cmbStrada->currentText(), street);
        saveOver(); // and saved again, the street stays
        QCOMPARE(loaded(path)->Land()->Address()->StreetName(), AnsiText::withCedillas(street));
    }

    void addedRowTakesTheTyping_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::newRow("owner typed into the county") << "AddOwner"
                                                     << "MIHAI";
        QTest::newRow("building number typed elsewhere") << "AddBuild"
                                                         << "C9";
    }
    void addedRowTakesTheTyping()
    {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        openSample();
        CreateFBI* form = m_window->dataForm();
        FormGrid* rows = command == "AddOwner" ? form->ownersGrid() : form->buildingsGrid();
        form->addressPanel()->cmbJudet->setFocus(); // where Tab from the strip went
        QTest::mouseClick(rows->commandButton(command), Qt::LeftButton);
        type(typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(rows->cell(rows->rowCount() - 1, 1), typed); // the grid commits on its next turn
        QCOMPARE(form->addressPanel()->cmbJudet->currentText(), QString("Alba"));
        QCOMPARE(form->addressPanel()->cmbStrada->currentText(), QString("1 Decembrie 1918"));
    }

    void cutRemovesWhatItCopied_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("end");
        QTest::addColumn<QStringList>("cut");
        QTest::newRow("only the first of three removed") << 2 << 4 << QStringList{"2", "3", "4"};
        QTest::newRow("upwards, across two contours") << 16 << 13 << QStringList{"105", "106", "201", "202"};
    }
    void cutRemovesWhatItCopied()
    {
        QFETCH(int, anchor);
        QFETCH(int, end);
        QFETCH(QStringList, cut);
        openSample();
        QStringList left = numbers(list());
        click(anchor, CoordinateList::NumberColumn);
        click(end, CoordinateList::NordColumn, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_X, Qt::ControlModifier);
        QStringList copied;
        for (const QString& line : QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts))
            copied << line.section('\t', 1, 1);
        QCOMPARE(copied, cut);
        for (const QString& number : cut)
            left.removeOne(number);
        QCOMPARE(numbers(list()), left);
    }

    // Cut C1, add a row after C2, paste C1 over it and save: every contour once in the file.
    void cutPasteAndSave()
    {
        const QString path = openSample();
        click(9, CoordinateList::EntityColumn);
        click(14, CoordinateList::NordColumn, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_X, Qt::ControlModifier);
        click(12, CoordinateList::NumberColumn);
        QTest::keyClick(grid(), Qt::Key_F2);
        click(13, CoordinateList::EntityColumn);
        m_prompter.queueAnswer(Answer::Yes); // over the added row
        QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        saveOver();
        const BuildingsPtr buildings = loaded(path)->Land()->Buildings();
        QCOMPARE(buildings->Item(1)->Geometry()->Points()->Count(), 6);
        QCOMPARE(buildings->Item(1)->Geometry()->Points()->Item(1)->No(), QString("101"));
        QCOMPARE(buildings->Item(2)->Geometry()->Points()->Count(), 4);
    }

    // Beyond 1,000,000 m: a value from a file survives an unchanged commit; a typed one does not.
    void coordinateBeyondTheBound_data()
    {
        QTest::addColumn<QString>("typed"); // empty: Enter on the unchanged editor
        QTest::addColumn<QString>("kept");
        QTest::newRow("unchanged cell emptied") << ""
                                                << "3388246.000";
        QTest::newRow("typed value over the bound kept") << "3388247"
                                                         << "";
    }
    void coordinateBeyondTheBound()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        const QString path = openSample(3000000);
        click(1, CoordinateList::EstColumn, Qt::NoModifier, true);
        type(typed);
        QTest::keyClick(m_window->coordinateList()->cellEditor(), Qt::Key_Return);
        click(2, CoordinateList::NumberColumn);
        QCOMPARE(list().cell(1, CoordinateList::EstColumn), local(kept));
        QCOMPARE(m_prompter.texts().isEmpty(), !kept.isEmpty());
        if (!kept.isEmpty()) {
            saveOver();
            QCOMPARE(loaded(path)->Land()->Geometry()->Points()->Item(1)->X(), 3388246.0);
        }
    }

    // A drawing beyond the bound is refused at the wizard's end, naming the polyline.
    void dxfBeyondTheBound_data()
    {
        QTest::addColumn<double>("landEast");
        QTest::addColumn<double>("buildingEast");
        QTest::addColumn<QString>("refused");
        QTest::newRow("land far east imported") << 3222045.0 << 500.0 << "Polilinia 1 (TEREN)";
        QTest::newRow("building far east imported") << 500.0 << 3222045.0 << "Polilinia 2 (C1)";
        QTest::newRow("the bound itself refused") << 999900.0 << 500.0 << "";
    }
    void dxfBeyondTheBound()
    {
        QFETCH(double, landEast);
        QFETCH(double, buildingEast);
        QFETCH(QString, refused);
        openSample();
        QFile drawing(m_folder->path("plan.dxf"));
        drawing.open(QIODevice::WriteOnly);
        using namespace DxfText; // the land square reaches 999,900 + 100, the bound itself
        drawing.write(groups(entities(lwpolyline("TEREN", "1", square(landEast, 546000, 100)) +
                                      lwpolyline("CLADIRI", "1", square(buildingEast, 546010, 10)))));
        drawing.close();
        m_window->setDxfWizardShower([&] {
            DxfImportWizard wizard(m_prompter, m_folder->dir.path());
            wizard.setAreaSize(2880, 2880);
            wizard.openFile(drawing.fileName());
            wizard.next();
            wizard.chooseLayer(0);
            wizard.clickLine(0);
            m_prompter.queueAnswer(Answer::Yes); // the land
            wizard.next();
            wizard.clickLine(1);
            wizard.setNumberText("1");
            m_prompter.queueAnswer(Answer::Yes); // building 1
            wizard.associate();
            wizard.next();
            return wizard.exit() ? wizard.result() : DXFEntitiesPtr();
        });
        const QStringList before = numbers(list());
        m_window->runCommand("ImportDXF");
        if (refused.isEmpty()) {
            QCOMPARE(m_window->CountEntityRows("C1"), 4);
            return;
        }
        QCOMPARE(m_prompter.texts().last(), refused + " are coordonate care depasesc ordinul milioanelor, iar lista de "
                                                      "coordonate nu le primeste. Alegeti alta polilinie.");
        QCOMPARE(numbers(list()), before);
    }

    // Pasted text passes the key filter of a coordinate cell; the contours then draw and save whole.
    void pasteIntoACoordinateCell_data()
    {
        QTest::addColumn<QKeySequence>("paste");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("edited");
        QTest::newRow("Ctrl+V lets letters in")
            << QKeySequence("Ctrl+V") << QString::fromUtf8("546512abc.85 中") << "546512.85";
        QTest::newRow("Shift+Insert lets blanks in") << QKeySequence("Shift+Ins") << "5465 12,85 xyz"
                                                     << "546512,85";
    }
    void pasteIntoACoordinateCell()
    {
        QFETCH(QKeySequence, paste);
        QFETCH(QString, pasted);
        QFETCH(QString, edited);
        const QString path = openSample();
        QApplication::clipboard()->setText(pasted);
        click(2, CoordinateList::NordColumn, Qt::NoModifier, true); // 546512.850, all selected
        QTest::keySequence(m_window->coordinateList()->cellEditor(), paste);
        QCOMPARE(m_window->coordinateList()->cellEditor()->text(), edited);
        QTest::keyClick(m_window->coordinateList()->cellEditor(), Qt::Key_Return);
        m_window->areaList()->clear();
        QTest::keyClick(grid(), Qt::Key_F5);
        QCOMPARE(m_window->areaList()->count(), 3);
        saveOver();
        QCOMPARE(loaded(path)->Land()->Buildings()->Item(2)->Geometry()->Points()->Count(), 4);
    }

    // A cell that is not a number is named by the redraw and stops the save; the file stays.
    void unreadableCellIsNamed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("typed points, redraw silent") << "1.2.3";
        QTest::newRow("pasted letters, contours dropped") << QString::fromUtf8("1abc中 xyz");
    }
    void unreadableCellIsNamed()
    {
        QFETCH(QString, typed);
        const QString path = openSample();
        const QByteArray before = bytes(path);
        list().setCell(2, CoordinateList::NordColumn, local(typed)); // as the editor's commit writes it
        const QStringList message{"Valoarea Nord din randul 2 (TEREN, punctul 2) este incorecta: " + local(typed)};
        click(3, CoordinateList::NumberColumn);
        QTest::keyClick(grid(), Qt::Key_F5);
        QCOMPARE(m_prompter.texts(), message);
        m_prompter.clear();
        QVERIFY(!m_window->SaveDocument());
        QCOMPARE(m_prompter.texts(), message);
        QCOMPARE(bytes(path), before);
    }

    // Areas that are not wholly numbers are refused by row; areas with the user's separator count whole.
    void areas_data()
    {
        QTest::addColumn<QStringList>("areas"); // parcels 1 and 2, building C2
        QTest::addColumn<QString>("message");
        const QString area = "Suprafata totala calculata din coordonate pentru C2 este diferita de cea introdusa in "
                             "fereastra de date textuale.";
        QTest::newRow("52O accepted") << QStringList{"52O", "402", "30"}
                                      << "Suprafata din masuratori pentru parcela 1 nu este o valoare numerica.";
        QTest::newRow("4O2 accepted") << QStringList{"520", "4O2", "30"}
                                      << "Suprafata din masuratori pentru parcela 2 nu este o valoare numerica.";
        QTest::newRow("separator parcels total 921") << QStringList{local("519.5"), local("402.5"), "30"} << "";
        QTest::newRow("separator building read as 30") << QStringList{"520", "402", local("30.4")} << area;
    }
    void areas()
    {
        QFETCH(QStringList, areas);
        QFETCH(QString, message);
        const QString path = openSample();
        const QByteArray before = bytes(path);
        m_window->dataForm()->parcelsGrid()->setCell(0, 4, areas[0]);
        m_window->dataForm()->parcelsGrid()->setCell(1, 4, areas[1]);
        m_window->dataForm()->buildingsGrid()->setCell(1, 3, areas[2]);
        if (message.isEmpty()) {
            saveOver();
            QCOMPARE(loaded(path)->Land()->Parcels()->TotalMeasuredArea(), QString("922"));
            return;
        }
        QVERIFY(!m_window->SaveDocument());
        QCOMPARE(m_prompter.texts(), QStringList{message});
        QCOMPARE(bytes(path), before);
    }
};

QTEST_MAIN(tst_WindowEntry)
#include "tst_windowentry.moc"
