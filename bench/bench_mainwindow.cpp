// Start-up of the main window against a bare Qt window that opens the same lookup files, and
// opening a large document against the sum of its parts (load, form fill, list fill, draw).
// Usage: bench_mainwindow [DATA_FOLDER]  (default: the national tables imported from the shared
// folder when it is at hand, else the Data folder beside the program).
#include "BenchTimer.h"
#include "app/AppSettings.h"
#include "app/QtTranslation.h"
#include "app/ui/ScreenFit.h"
#include "app/ui/frmMain.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "format/CPFile.h"
#include "geometry/Transform.h"
#include "sketch/SketchRenderer.h"
#include "sketch/ui/DrawSketch.h"
#include "support/DocumentFactory.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <sqlite3.h>

namespace {

const char* const Tables[] = {"Judete",    "Admin",       "Localitati",      "Strazi",           "TipArtere",
                              "TipSubAdm", "CtgFolTeren", "DestinatieTeren", "DestinatieCladire"};

QString importNational(const QString& target)
{
    const QString raw = QCoreApplication::applicationDirPath() + "/../../../shared/data/nomenclature/raw";
    if (!QFileInfo::exists(raw + "/siruta-s1-2024.csv"))
        return QString();
    QProcess cli;
    cli.start(QCoreApplication::applicationDirPath() + "/lotmark-cli",
              {"nomenclature", "--siruta", raw + "/siruta-s1-2024.csv", "--streets-mfp", raw + "/mfp/alba",
               "--streets-posta", raw + "/posta-romana-bucuresti.json", "-o", target});
    cli.waitForFinished(600000);
    return cli.exitCode() == 0 ? target : QString();
}

// The bare program: a window, and the nine files opened with the lists the form shows read.
void bareStartUp(const QString& folder)
{
    QWidget window;
    window.resize(1280, 800);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    for (const char* table : Tables) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QString(folder + "/" + table + ".DAT").toUtf8().constData(), &db, SQLITE_OPEN_READONLY,
                        nullptr);
        const bool small =
            qstrcmp(table, "Admin") != 0 && qstrcmp(table, "Localitati") != 0 && qstrcmp(table, "Strazi") != 0;
        if (small) {
            sqlite3_stmt* statement = nullptr;
            sqlite3_prepare_v2(db, QByteArray("SELECT * FROM ") + table, -1, &statement, nullptr);
            while (sqlite3_step(statement) == SQLITE_ROW)
                (void)sqlite3_column_text(statement, 1);
            sqlite3_finalize(statement);
        }
        sqlite3_close(db);
    }
}

// One start-up in a child process, as a user starts the program: "bare" or "main", then exit
// as soon as the window is shown.
int childStartUp(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString kind = QString::fromLocal8Bit(argv[2]);
    const QString program = QString::fromLocal8Bit(argv[3]);
    // The parent stops its clock at this line: start-up ends when the window is shown, not when
    // the process has torn it down again.
    auto reportShown = [] {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
    };
    if (kind == QLatin1String("bare")) {
        bareStartUp(program + "/Data");
        reportShown();
        return 0;
    }
    // As the program starts: Qt's texts in Romanian, windows kept on the screen, the window's
    // place from the user's state.
    QtTranslation::install(QCoreApplication::applicationDirPath());
    ScreenFit::install();
    AppSettings settings(program);
    settings.load();
    ScriptedPrompter prompter;
    QTemporaryDir stateFolder;
    QSettings state(stateFolder.filePath("state.ini"), QSettings::IniFormat);
    frmMain window(settings, prompter);
    window.restoreWindowState(state);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    reportShown();
    prompter.queueAnswer(Prompter::Answer::No);
    return 0;
}

double processStartUp(const QString& kind, const QString& program)
{
    double best = 1e300;
    for (int round = 0; round < 7; ++round) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {"--child", kind, program});
        while (!child.canReadLine() && child.waitForReadyRead(60000)) {
        }
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
        child.waitForFinished(60000);
    }
    return best;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0)
        return childStartUp(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir program;
    QString data = argc > 1 ? QString::fromLocal8Bit(argv[1]) : importNational(program.filePath("Data"));
    const bool national = !data.isEmpty();
    if (data.isEmpty())
        data = QCoreApplication::applicationDirPath() + "/Data";
    if (data != program.filePath("Data")) {
        QDir().mkpath(program.filePath("Data"));
        for (const QString& name : QDir(data).entryList(QDir::Files))
            QFile::copy(data + "/" + name, program.filePath("Data/" + name));
    }
    AppSettings settings(program.path());
    settings.surveyorName = "Popescu Ion";
    settings.surveyorLicense = "AB";
    settings.delimiters = {"\t", " "};
    ScriptedPrompter prompter;

    const double bare = bestOf(7, [&] { bareStartUp(program.filePath("Data")); });
    const double ours = bestOf(7, [&] {
        frmMain window(settings, prompter);
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
    });
    std::printf("window construction with %s tables: main window %.1f ms, bare window + lookup files %.1f ms\n",
                national ? "the national" : "the demonstration", ours, bare);
    settings.write(AppSettings::KeySurveyorName, settings.surveyorName);
    settings.write(AppSettings::KeySurveyorLicense, settings.surveyorLicense);
    const double bareProcess = processStartUp("bare", program.path());
    const double mainProcess = processStartUp("main", program.path());
    std::printf("start-up to a shown window (whole process): main window %.1f ms, bare window + lookup files %.1f ms, "
                "ratio %.2f (goal <= 1.5)\n",
                mainProcess, bareProcess, mainProcess / bareProcess);

    // A large document: 32,767 contour points, 200 buildings, 1,000 owners, 500 parcels.
    CPFile file(".");
    file.setDocument(DocumentFactory::large(32767, 200, 1000, 500));
    const QString path = program.filePath("mare.CP");
    file.setCPFileName(path);
    file.SaveCPFile();

    frmMain window(settings, prompter);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    const double whole = bestOf(3, [&] { window.LoadIntoWindow(path); });

    CPFile loaded(".");
    const double load = bestOf(3, [&] {
        loaded = CPFile(".");
        loaded.setCPFileName(path);
        loaded.LoadCPFile();
    });
    CreateFBI* form = window.dataForm();
    const double formFill = bestOf(3, [&] {
        form->ClearControls();
        form->setDocument(loaded.Document());
        form->ShowData();
    });
    const auto polygons = std::make_shared<Polygons>(SketchRenderer::documentPolygons(*loaded.Document()->Land()));
    CoordinateTable table;
    const double listFill = bestOf(3, [&] {
        Transform transform(".");
        transform.setPolygonCollection(polygons);
        transform.PolygonCollectionToArray();
        table = transform.TransformArray();
        window.coordinateList()->list()->setData(table);
    });
    const double draw = bestOf(3, [&] {
        Transform transform(".");
        transform.setTransformArray(*window.coordinateList()->list()->Data());
        transform.ArrayToPolygonCollection();
        window.sketch()->setGeometryCollection(transform.PolygonCollection());
        window.sketch()->Draw();
    });
    const double parts = load + formFill + listFill + draw;
    std::printf("open + redraw of a 32,767-point document: %.1f ms; parts load %.1f + form %.1f + list %.1f + draw "
                "%.1f = %.1f ms; ratio %.2f (goal <= 1)\n",
                whole, load, formFill, listFill, draw, parts, whole / parts);
    prompter.queueAnswer(Prompter::Answer::No);
    return 0;
}
