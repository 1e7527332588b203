// The main window's fixed texts and the order of its checks, each pinned by an input that fails
// two rules at once; the toolbar's swap, folders in place of files, the sheet's SIRUTA code, the
// options dialog's work number and delimiters, and a settings file that cannot be written.
#include "app/AppSettings.h"
#include "app/ui/frmBuildType.h"
#include "app/ui/frmMain.h"
#include "app/ui/frmOptions.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "support/CliRun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"
#include "support/WidgetTexts.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

using Setup = std::function<void(frmMain&)>;
Q_DECLARE_METATYPE(Setup)

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

CoordinateList& list(frmMain& window)
{
    return *window.coordinateList()->list();
}

// Cells of the coordinate list: 1-based row; column 0 entity, 1 number, 2 Est, 3 Nord.
void emptyNord(frmMain& window)
{
    list(window).setCell(2, 3, QString());
}

void clearLandUse(frmMain& window)
{
    window.dataForm()->parcelsGrid()->setCell(0, 2, QString());
}

// The land's fifth point moved onto its first: the closing point entered.
void closeTheLand(frmMain& window)
{
    list(window).setCell(5, 2, list(window).cell(1, 2));
    list(window).setCell(5, 3, list(window).cell(1, 3));
}

void renameC1ToC9(frmMain& window)
{
    for (int row = 6; row <= 9; ++row)
        list(window).setCell(row, 0, QStringLiteral("C9"));
}

void emptyTheList(frmMain& window)
{
    list(window).ClearControl();
    list(window).setData(CoordinateTable(1));
}

const QString FormMessage = QStringLiteral("Categoria de folosinta pentru parcela 1 nu este completata.");
const QString MissingCoordinates = QStringLiteral("Lista de entitati contine puncte fara coordonate.");
const QString NamesMessage =
    QStringLiteral("Denumirea constructiilor din lista de coordonate si fisa imobilului nu coincid.");

} // namespace

class tst_frmmainchecks : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<frmMain> m_window;

    QString sampleFile() { return exampleLandFile(m_folder->path(QStringLiteral("sample.CP"))); }

    void loadSample()
    {
        m_window->LoadIntoWindow(sampleFile());
        QCOMPARE(m_prompter->texts(), QStringList());
    }

    // Runs the options dialog as the toolbar would, with `act` in place of the user.
    void setOptionsUser(const std::function<void(frmOptions&)>& act)
    {
        m_window->setOptionsShower([this, act] {
            frmOptions dialog(*m_settings, *m_prompter, m_window.get());
            act(dialog);
        });
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        if (!m_folder->hasData())
            QSKIP("the build's Data folder is missing");
        m_folder->writeUsualSettings();
        m_settings = std::make_unique<AppSettings>(m_folder->dir.path());
        m_settings->load();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_window = std::make_unique<frmMain>(*m_settings, *m_prompter);
        m_window->setToday([] { return QDate(2026, 12, 7); });
    }

    void cleanup() { m_window.reset(); }

    // The fixed captions of the main window (toolbar, data form, coordinate list and its menu)
    // and of the two small dialogs, each where the user reads it.
    void fixedCaptions_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");
        const QList<std::pair<const char*, QStringList>> windows{
            {"frmMain",
             {"Import DXF", "Export FCP", "Fisier nou", "Deschide fisier", "Salveaza fisier", "Salveaza cu alt nume",
              "Redesenare", "Inversare XY", "Optiuni", "Ajutor", "Exit", "Date cadastrale teren",
              // the coordinate list and its pop-up menu
              "Entitate", "Numar punct", "Est", "Nord", "Adauga punct", "Adauga punct deasupra",
              "Numerotare automata numar punct ", "Renumerotare numar punct", "Copiaza lista coordonate", "Sterge",
              // the data form
              "Adresa imobil", "Judetul", "Teritoriul administrativ", "Intravilan", "Localitatea",
              "Tip subunitate administrativa", "Tip artera", "Denumire artera", "Numar", "Bloc", "Scara", "Tarla",
              "Parcela", "Etaj", "Apartament", "Nume subunitate administrativa", "Descriere suplimentara",
              "Date referitoare la proprietari", "Nume", "Prenume", "Date referitoare la teren", "Nr. parcela",
              "Categoria de folosinta", "Cod grupa destinatie", "Suprafata din masuratori (mp)", "Clasa de calitate",
              "Zona in cadrul localitatii", "Mentiuni", "Date referitoare la constructie",
              "Nr. corp cladire constructie", "Denumire", "Suprafata construita la sol (mp)", "F5-Adauga parcela",
              "Sterge parcela", "F6-Adauga cladire", "Sterge cladire", "F6-Adauga proprietar", "Sterge proprietar",
              "Total suprafata masurata", "Total suprafata din acte", "mp", "Nume autorizat:", "Serie autorizat:"}},
            {"frmOptions",
             {"Optiuni", "Nume autorizat", "Serie autorizat", "Numar lucrare", "Delimitatori coloane coordonate",
              "Delimitator"}},
            {"frmBuildType", {"Tip proprietate", "Selectati tipul proprietatii", "Teren", "Apartament"}},
        };
        for (const auto& [window, texts] : windows) {
            for (const QString& text : texts)
                QTest::addRow("%s: %s", window, qPrintable(text)) << QString::fromLatin1(window) << text;
        }
    }
    void fixedCaptions()
    {
        QFETCH(QString, window);
        QFETCH(QString, text);
        QStringList texts;
        if (window == "frmOptions")
            texts = widgetTexts(std::make_unique<frmOptions>(*m_settings, *m_prompter).get());
        else if (window == "frmBuildType")
            texts = widgetTexts(std::make_unique<frmBuildType>(*m_settings).get());
        else
            texts = widgetTexts(m_window.get());
        QVERIFY2(texts.contains(text), qPrintable(texts.join(" | ")));
    }

    // The sample passes every check; each row breaks it, mostly twice, and names the one
    // message the user must see first.
    void saveStopsAtTheFirstFailedRule_data()
    {
        QTest::addColumn<QList<Setup>>("changes");
        QTest::addColumn<int>("answer"); // to the one question, if any: 1 Yes, 0 No
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("saved");
        QTest::newRow("form before an empty Nord")
            << QList<Setup>{clearLandUse, emptyNord} << -1 << QStringList{FormMessage} << false;
        QTest::newRow("form before the contours")
            << QList<Setup>{clearLandUse, closeTheLand} << -1 << QStringList{FormMessage} << false;
        QTest::newRow("empty Nord") << QList<Setup>{emptyNord} << -1 << QStringList{MissingCoordinates} << false;
        QTest::newRow("empty Nord before the contours")
            << QList<Setup>{renameC1ToC9, emptyNord} << -1 << QStringList{MissingCoordinates} << false;
        QTest::newRow("contours before the file name")
            << QList<Setup>{renameC1ToC9} << -1 << QStringList{NamesMessage} << false;
        QTest::newRow("closing point entered")
            << QList<Setup>{closeTheLand} << -1
            << QStringList{"Suprafata totala calculata din coordonate pentru TEREN este diferita de cea introdusa in "
                           "fereastra de date textuale."}
            << false;
        const QString noCoordinates = "Nu au fost introduse coordonate pentru entitatile cadastrale.\r"
                                      "Doriti sa salvati fisierul ?";
        QTest::newRow("no coordinates, No") << QList<Setup>{emptyTheList} << 0 << QStringList{noCoordinates} << false;
        QTest::newRow("no coordinates, Yes, then the overwrite question")
            << QList<Setup>{emptyTheList} << 1 << QStringList{noCoordinates, "Confirmati suprascrierea fisierului %1 ?"}
            << false;
    }
    void saveStopsAtTheFirstFailedRule()
    {
        QFETCH(QList<Setup>, changes);
        QFETCH(int, answer);
        QFETCH(QStringList, texts);
        QFETCH(bool, saved);
        loadSample();
        const QByteArray before = readAll(m_window->currentFileName());
        for (const Setup& change : changes)
            change(*m_window);
        if (answer >= 0)
            m_prompter->queueAnswer(answer ? Prompter::Answer::Yes : Prompter::Answer::No);
        if (texts.size() > 1)
            m_prompter->queueAnswer(Prompter::Answer::No); // keep the file as it was
        QCOMPARE(m_window->SaveDocument(), saved);
        for (QString& text : texts)
            text.replace("%1", m_window->currentFileName());
        QCOMPARE(m_prompter->texts(), texts);
        const ScriptedPrompter::Entry& first = m_prompter->log().first();
        QCOMPARE(first.caption, answer >= 0 ? QString("Confirmare") : QString("Eroare"));
        if (answer >= 0) {
            QCOMPARE(first.kind, ScriptedPrompter::Entry::Question);
            QCOMPARE(first.icon, Prompter::Icon::Question);
            QCOMPARE(first.buttons, Prompter::Buttons::YesNo);
        }
        QCOMPARE(readAll(m_window->currentFileName()), before);
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("15"));
    }

    void redrawWithAnEmptyNord()
    {
        loadSample();
        emptyNord(*m_window);
        m_window->runCommand(QStringLiteral("Refresh"));
        QCOMPARE(m_prompter->texts(), QStringList{MissingCoordinates});
        QCOMPARE(m_prompter->last().caption, QString("Eroare"));
        QCOMPARE(m_prompter->last().icon, Prompter::Icon::Exclamation);
    }

    // "Inversare XY" runs only when the list holds data: an incomplete row leaves the columns
    // as they are and says nothing.
    void swapNeedsData_data()
    {
        QTest::addColumn<bool>("complete");
        QTest::newRow("complete list is swapped") << true;
        QTest::newRow("an empty Nord keeps the columns") << false;
    }
    void swapNeedsData()
    {
        QFETCH(bool, complete);
        loadSample();
        if (!complete)
            emptyNord(*m_window);
        const QString est = list(*m_window).cell(1, 2);
        const QString nord = list(*m_window).cell(1, 3);
        m_window->runCommand(QStringLiteral("XToY"));
        QCOMPARE(list(*m_window).cell(1, 2), complete ? nord : est);
        QCOMPARE(list(*m_window).cell(1, 3), complete ? est : nord);
        QCOMPARE(m_prompter->texts(), QStringList());
    }

    // A folder that bears the name chosen for the file is no file to overwrite.
    void folderInPlaceOfTheFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("folder");
        QTest::newRow("save as") << "SaveAs"
                                 << "lucrare"
                                 << "lucrare.CP";
        QTest::newRow("save as, extension typed") << "SaveAs"
                                                  << "lucrare.cp"
                                                  << "lucrare.cp";
        QTest::newRow("export") << "ExportRTF"
                                << "fisa"
                                << "fisa.RTF";
    }
    void folderInPlaceOfTheFile()
    {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QString, folder);
        loadSample();
        const QString path = m_folder->path(folder);
        QVERIFY(QDir().mkpath(path));
        m_prompter->queueFileName(m_folder->path(typed));
        m_window->runCommand(command);
        QCOMPARE(m_prompter->log().size(), 2); // the file dialog, then the one message
        QCOMPARE(m_prompter->last().kind, ScriptedPrompter::Entry::Message);
        QCOMPARE(m_prompter->last().text, "Numele " + path + " apartine unui director. Alegeti alt nume de fisier.");
        QCOMPARE(m_prompter->last().caption, QString("Eroare"));
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(m_window->currentFileName(), m_folder->path("sample.CP"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("15"));
    }

    // Outside the built-up area no locality is chosen: the sheet carries the territory's code,
    // as the command line's sheet of the same file does.
    void extravilanSheetCarriesTheTerritoryCode()
    {
        const QString sample = TestPaths::sample(QStringLiteral("Extravilan-Ciugud.CP"));
        m_window->LoadIntoWindow(sample);
        QCOMPARE(m_prompter->texts(), QStringList());
        QCOMPARE(m_window->dataForm()->LocalityID(), 0);
        const QString name = m_folder->path("fisa.RTF");
        m_prompter->queueFileName(name);
        m_window->runCommand(QStringLiteral("ExportRTF"));
        QCOMPARE(m_prompter->last().text, "Fisierul " + name + " a fost salvat");
        const QByteArray cell = "\\i0 1071 \\intbl \\cell";
        QCOMPARE(readAll(name).count(cell), 1);

        const QString cliName = m_folder->path("cli.RTF");
        QCOMPARE(runCliCaptured({QStringLiteral("sheet"), sample, QStringLiteral("-o"), cliName}).code, 0);
        QCOMPARE(readAll(cliName).count(cell), 1);
    }

    // After "Salveaza cu alt nume" the file holds 16: the dialog shows 16, OK keeps it, and the
    // next save proposes 17, never 16 twice.
    void optionsShowTheNumberTheNextSaveUses()
    {
        loadSample();
        m_prompter->queueFileName(m_folder->path("prima"));
        m_window->runCommand(QStringLiteral("SaveAs"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("16"));
        QString shown;
        setOptionsUser([&shown](frmOptions& dialog) {
            shown = dialog.txtDocumentNo->text();
            dialog.cmdOk->click();
        });
        m_window->runCommand(QStringLiteral("Options"));
        QCOMPARE(shown, QString("16"));
        QCOMPARE(m_settings->read(AppSettings::KeyWorkNumber), QString("16"));
        m_prompter->clear();
        m_prompter->queueFileName(QString());
        m_window->runCommand(QStringLiteral("SaveAs"));
        QCOMPARE(QFileInfo(m_prompter->texts().value(0)).fileName(), QString("AB-17-2026"));
    }

    // The delimiters confirmed in "Optiuni" are the ones the next paste splits at.
    void optionsPassTheDelimitersToTheList()
    {
        setOptionsUser([](frmOptions& dialog) {
            dialog.txtDelimiter->setText(QStringLiteral("|"));
            dialog.cmdAdd->click();
            dialog.cmdOk->click();
        });
        m_window->runCommand(QStringLiteral("Options"));
        QCOMPARE(list(*m_window).Delimiters(), (QStringList{"\t", " ", ";", "|"}));
        QVERIFY(list(*m_window).PasteText(QStringLiteral("7|100|200\r\n")));
        QCOMPARE(m_prompter->texts(), QStringList());
        QCOMPARE(list(*m_window).cell(1, 1), QString("7"));
    }

    // The document is saved; the work number that could not be written is reported with the
    // settings file's name instead of being lost without a word.
    void unwritableSettingsFileIsReported()
    {
        loadSample();
        const QString ini = m_settings->settingsFilePath();
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir().mkpath(ini)); // not even root writes a file where a folder stands
        m_prompter->queueFileName(m_folder->path("copie"));
        m_window->runCommand(QStringLiteral("SaveAs"));
        QCOMPARE(m_prompter->last().text, "Fisierul " + ini + " nu a putut fi scris.");
        QCOMPARE(m_prompter->last().caption, QString("Eroare"));
        QCOMPARE(m_window->currentFileName(), m_folder->path("copie.CP"));
        QVERIFY(QFileInfo(m_folder->path("copie.CP")).isFile());
    }
};

QTEST_MAIN(tst_frmmainchecks)
#include "tst_frmmainchecks.moc"
