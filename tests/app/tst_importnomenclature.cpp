#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmOptions.h"
#include "entry/nomenclature/NomenclatureImport.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "entry/ui/frmImportNomenclature.h"
#include "model/Address.h"
#include "model/Land.h"
#include "support/DocumentFactory.h"
#include "support/FolderSnapshot.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const QString& name)
{
    return TestPaths::testData(QStringLiteral("lookup/") + name);
}

// The fixture register without the lines whose code is `siruta`, as a new semester that
// dropped a locality.
QString sirutaWithout(const QTemporaryDir& dir, const QByteArray& siruta)
{
    QFile source(fixture(QStringLiteral("siruta-small.csv")));
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    const QString path = dir.filePath(QStringLiteral("siruta-") + QString::fromLatin1(siruta) + ".csv");
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly))
        return QString();
    for (const QByteArray& line : source.readAll().split('\n')) {
        if (!line.startsWith(siruta + ','))
            target.write(line + '\n');
    }
    return path;
}

void import(const QString& sirutaFile, const QString& dataFolder)
{
    NomenclatureImport::run({sirutaFile, {fixture(QStringLiteral("streets"))}, QString()}, dataFolder);
}

// A program folder whose Data holds the fixture nomenclature, and the main window over it.
struct ProgramWithData
{
    QTemporaryDir dir;
    QString data = dir.filePath("Data");
    AppSettings settings{dir.path()};
    ScriptedPrompter prompter;
    std::unique_ptr<frmMain> window;

    ProgramWithData()
    {
        import(fixture("siruta-small.csv"), data);
        window = std::make_unique<frmMain>(settings, prompter);
    }
};

} // namespace

class tst_importnomenclature : public QObject
{
    Q_OBJECT

private slots:
    void importsThroughTheWindow()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath("Data");
        ScriptedPrompter prompter;
        prompter.queueFileName(fixture("siruta-small.csv"));
        prompter.queueFileName(fixture("streets"));
        prompter.queueFileName(QString()); // the postal file's dialog cancelled: nothing changes
        prompter.queueFileName(fixture("posta-small.json"));
        frmImportNomenclature dialog(data, prompter);
        dialog.show();

        QTest::mouseClick(dialog.cmdSiruta, Qt::LeftButton);
        QCOMPARE(dialog.txtSiruta->text(), QDir::toNativeSeparators(fixture("siruta-small.csv")));
        QTest::mouseClick(dialog.cmdAddStreets, Qt::LeftButton);
        QCOMPARE(dialog.lstStreets->count(), 1);
        QTest::mouseClick(dialog.cmdPosta, Qt::LeftButton);
        QCOMPARE(dialog.txtPosta->text(), QString());
        QTest::mouseClick(dialog.cmdPosta, Qt::LeftButton);
        QCOMPARE(dialog.txtPosta->text(), QDir::toNativeSeparators(fixture("posta-small.json")));
        QCOMPARE(prompter.log().at(1).kind, ScriptedPrompter::Entry::Folder);

        QList<int> shown;
        connect(dialog.prgImport, &QProgressBar::valueChanged, this, [&](int value) { shown << value; });
        QSignalSpy ended(&dialog, &frmImportNomenclature::importEnded);
        QTest::mouseClick(dialog.cmdImport, Qt::LeftButton);
        // Running: nothing to click, and the window does not close.
        QVERIFY(!dialog.cmdImport->isEnabled() && !dialog.cmdExit->isEnabled());
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.first().first().toBool(), true);

        QCOMPARE(prompter.last().caption, QString("Info"));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Information);
        QVERIFY2(prompter.last().text.startsWith("Nomenclatorul a fost importat: 3 judete, 5 unitati administrative, "
                                                 "11 localitati, 11 strazi.\rInregistrari SIRUTA lasate deoparte"),
                 qPrintable(prompter.last().text));
        QVERIFY(prompter.allUsed());
        QVERIFY(dialog.imported());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
        QVERIFY(shown.size() > 2);
        QVERIFY(std::is_sorted(shown.begin(), shown.end()));
        QCOMPARE(shown.last(), 100);
        QCOMPARE(QDir(data).entryList({"*.DAT"}).size(), 9);
    }

    void refusalsKeepTheWindowAndTheData()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath("Data");
        import(fixture("siruta-small.csv"), data);
        const auto before = folderSnapshot(data);
        ScriptedPrompter prompter;
        frmImportNomenclature dialog(data, prompter);
        dialog.show();

        QTest::mouseClick(dialog.cmdImport, Qt::LeftButton);
        QCOMPARE(prompter.texts(), QStringList{"Alegeti fisierul SIRUTA."});
        QCOMPARE(prompter.last().caption, QString("Eroare"));

        QFile garbage(dir.filePath("garbage.csv"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x01\x02not a register\n\xff\xfe");
        garbage.close();
        dialog.txtSiruta->setText(garbage.fileName());
        QSignalSpy ended(&dialog, &frmImportNomenclature::importEnded);
        QTest::mouseClick(dialog.cmdImport, Qt::LeftButton);
        QVERIFY(ended.wait(20000));
        QCOMPARE(ended.first().first().toBool(), false);
        QVERIFY2(prompter.last().text.startsWith("Importul nomenclatorului nu a reusit; tabelele din dosarul Data au "
                                                 "ramas neschimbate.\r5 "),
                 qPrintable(prompter.last().text));
        QCOMPARE(prompter.last().icon, Prompter::Icon::Exclamation);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.imported());
        QVERIFY(dialog.cmdImport->isEnabled());
        QCOMPARE(dialog.prgImport->value(), 0);
        QCOMPARE(folderSnapshot(data), before);

        QTest::mouseClick(dialog.cmdExit, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }

    void optionsButtonSignalsOnlyAnImport()
    {
        QTemporaryDir dir;
        AppSettings settings(dir.path());
        settings.delimiters = {";"};
        ScriptedPrompter prompter;
        frmOptions dialog(settings, prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Beside OK and Iesire, on their row, and ahead of them.
        QCOMPARE(dialog.cmdImportNomenclature->text(), QString("&Importa nomenclator..."));
        QCOMPARE(dialog.cmdImportNomenclature->y(), dialog.cmdOk->y());
        QVERIFY(dialog.cmdImportNomenclature->geometry().right() < dialog.cmdOk->x());

        QList<bool> answers{false, true};
        dialog.setImportShower([&] { return answers.takeFirst(); });
        QSignalSpy imported(&dialog, &frmOptions::nomenclatureImported);
        QTest::mouseClick(dialog.cmdImportNomenclature, Qt::LeftButton);
        QCOMPARE(imported.count(), 0);
        QTest::mouseClick(dialog.cmdImportNomenclature, Qt::LeftButton);
        QCOMPARE(imported.count(), 1);
        QVERIFY(dialog.isVisible()); // importing neither confirms nor leaves the options
        QVERIFY(!settings.cancelFlag);
    }

    // The open document keeps what the surveyor typed; its address is looked up in the new
    // tables, a code they lack shows as a miss, and a later import that has it again clears it.
    void theOpenDocumentSurvivesANewNomenclature()
    {
        ProgramWithData program;
        ScriptedPrompter& prompter = program.prompter;
        QCOMPARE(prompter.texts(), QStringList());

        DocumentPtr document = DocumentFactory::sample();
        const AddressPtr address = document->Land()->Address();
        address->setSIRUTA(1026);
        address->setStreetType("Strada");
        address->setStreetName("Albatros");
        address->setDistrictType(QString());
        CreateFBI* form = program.window->dataForm();
        form->setDocument(document);
        form->ShowData();
        QCOMPARE(prompter.texts(), QStringList());
        AddressPanel* panel = form->addressPanel();
        QCOMPARE(panel->cmbStrada->currentText(), QString("Albatros"));
        panel->txtNumar->setText("14");
        form->AddOwnerRow();
        const GridRows owners = form->ownersGrid()->rows();
        const GridRows parcels = form->parcelsGrid()->rows();

        import(sirutaWithout(program.dir, "1026"), program.data);
        program.window->reloadNomenclature();
        QCOMPARE(prompter.texts(), (QStringList{"Judetul este incorect.", "Teritoriul administrativ este incorect.",
                                                "Localitatea este incorecta."}));
        QVERIFY(AddressPanel::isMarked(panel->cmbLocalitate));
        QCOMPARE(panel->cmbLocalitate->currentIndex(), -1);
        QCOMPARE(panel->txtStrada->text(), QString("Albatros"));
        QCOMPARE(panel->txtNumar->text(), QString("14"));
        QCOMPARE(form->ownersGrid()->rows().rows, owners.rows);
        QCOMPARE(form->parcelsGrid()->rows().rows, parcels.rows);
        QCOMPARE(form->Document(), document);

        prompter.clear();
        import(fixture("siruta-small.csv"), program.data);
        program.window->reloadNomenclature();
        QCOMPARE(prompter.texts(), QStringList());
        QCOMPARE(panel->cmbJudet->currentText(), QString("Alba"));
        QCOMPARE(panel->cmbLocalitate->currentText(), QString("Alba Iulia"));
        QCOMPARE(panel->cmbStrada->currentText(), QString("Albatros"));
        QVERIFY(!AddressPanel::isMarked(panel->cmbLocalitate));
        QCOMPARE(panel->txtNumar->text(), QString("14"));
        QCOMPARE(form->ownersGrid()->rows().rows, owners.rows);
    }

    // A locality not chosen yet is no code to check: the county and territory stay, silently.
    void choicesWithoutALocalityStay()
    {
        ProgramWithData program;
        AddressPanel* panel = program.window->dataForm()->addressPanel();
        panel->chkIntravilan->setChecked(true);
        panel->cmbJudet->setCurrentIndex(panel->cmbJudet->findText("Alba"));
        panel->cmbTeritoriu->setCurrentIndex(panel->cmbTeritoriu->findText("Comuna Albac"));
        panel->txtStrada->setText("Morii");

        import(sirutaWithout(program.dir, "2167"), program.data);
        program.window->reloadNomenclature();
        QCOMPARE(program.prompter.texts(), QStringList());
        QCOMPARE(panel->cmbJudet->currentText(), QString("Alba"));
        QCOMPARE(panel->cmbTeritoriu->currentText(), QString("Comuna Albac"));
        QCOMPARE(panel->cmbLocalitate->count(), 2); // Costești is gone from the new register
        QCOMPARE(panel->txtStrada->text(), QString("Morii"));
    }
};

QTEST_MAIN(tst_importnomenclature)
#include "tst_importnomenclature.moc"
