#include "app/AppSettings.h"
#include "app/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// What lies on disk before the program starts.
enum Setup : int
{
    DataBeside = 1,         // <program>/Data/
    SettingsBeside = 2,     // <program>/Lotmark.INI
    InstalledTree = 4,      // <prefix>/share/lotmark/
    UserTables = 8,         // ~/.local/share/Lotmark/Data/Judete.DAT
    EmptyUserFolder = 16,   // ~/.local/share/Lotmark/Data/ without tables
    DataBesideIsAFile = 32, // <program>/Data is a file, not a folder
};

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// A prefix with bin/, share/lotmark/ and a home with its XDG folders, all under one temporary folder.
struct Tree
{
    QTemporaryDir root;
    QString prefix = root.filePath("usr");
    QString home = root.filePath("home");

    ProgramPaths::Folders folders() const
    {
        return {prefix + "/bin", prefix + "/share/lotmark", home + "/.config", home + "/.local/share", home};
    }
    // Turns "$P/x" and "$H/x" of the expected paths into real ones.
    QString expand(QString path) const { return path.replace("$P", prefix).replace("$H", home); }

    void create(int setup) const
    {
        QDir().mkpath(prefix + "/bin");
        if (setup & DataBeside)
            QDir().mkpath(prefix + "/bin/Data");
        if (setup & DataBesideIsAFile)
            touch(prefix + "/bin/Data");
        if (setup & SettingsBeside)
            touch(prefix + "/bin/Lotmark.INI");
        if (setup & InstalledTree)
            QDir().mkpath(prefix + "/share/lotmark/Data");
        if (setup & UserTables)
            touch(home + "/.local/share/Lotmark/Data/Judete.DAT");
        if (setup & EmptyUserFolder)
            QDir().mkpath(home + "/.local/share/Lotmark/Data");
    }
};

} // namespace

class tst_programpaths : public QObject
{
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<int>("setup");
        QTest::addColumn<bool>("portable");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("import");
        QTest::addColumn<QString>("help");

        const QString besideSettings = "$P/bin/Lotmark.INI", besideData = "$P/bin/Data";
        const QString besideHelp = "$P/bin/Help/Manual.mht";
        const QString userSettings = "$H/.config/Lotmark/Lotmark.INI", userData = "$H/.local/share/Lotmark/Data";
        const QString sharedData = "$P/share/lotmark/Data", sharedHelp = "$P/share/lotmark/Help/Manual.mht";

        // A build folder: the program must keep working exactly as before installation existed.
        QTest::newRow("build folder, Data beside")
            << int(DataBeside) << true << besideSettings << besideData << besideData << besideHelp;
        // A folder holding only the program (as tests and the CLI use): nothing to fall back to.
        QTest::newRow("bare folder, no installed tree")
            << 0 << true << besideSettings << besideData << besideData << besideHelp;
        // A portable copy unpacked over an installed tree still keeps to itself.
        QTest::newRow("portable copy wins over installed tree")
            << int(DataBeside | InstalledTree | UserTables) << true << besideSettings << besideData << besideData
            << besideHelp;
        QTest::newRow("Lotmark.INI alone marks a portable copy")
            << int(SettingsBeside | InstalledTree) << true << besideSettings << besideData << besideData << besideHelp;
        QTest::newRow("installed, nothing imported yet")
            << int(InstalledTree) << false << userSettings << sharedData << userData << sharedHelp;
        QTest::newRow("installed, the user's import is read first")
            << int(InstalledTree | UserTables) << false << userSettings << userData << userData << sharedHelp;
        // A failed first import may leave the folder behind without tables.
        QTest::newRow("installed, empty user folder falls back to the shipped tables")
            << int(InstalledTree | EmptyUserFolder) << false << userSettings << sharedData << userData << sharedHelp;
        QTest::newRow("a file named Data is no portable copy")
            << int(InstalledTree | DataBesideIsAFile) << false << userSettings << sharedData << userData << sharedHelp;
    }

    void layout()
    {
        QFETCH(int, setup);
        QFETCH(bool, portable);
        Tree tree;
        tree.create(setup);
        const ProgramPaths paths(tree.folders());
        QFETCH(QString, settings);
        QFETCH(QString, data);
        QFETCH(QString, import);
        QFETCH(QString, help);
        QCOMPARE(paths.isPortable(), portable);
        QCOMPARE(paths.settingsFile(), tree.expand(settings));
        QCOMPARE(paths.dataFolder(), tree.expand(data));
        QCOMPARE(paths.importFolder(), tree.expand(import));
        QCOMPARE(paths.helpFile(), tree.expand(help));
    }

    // The first import happens while the program runs: its tables are read at once, and a
    // Lotmark.INI appearing beside the program later does not move the settings mid-run.
    void importTakesEffectWithoutRestart()
    {
        Tree tree;
        tree.create(InstalledTree);
        const ProgramPaths paths(tree.folders());
        QCOMPARE(paths.dataFolder(), tree.expand("$P/share/lotmark/Data"));
        touch(paths.importFolder() + "/Judete.DAT");
        QCOMPARE(paths.dataFolder(), tree.expand("$H/.local/share/Lotmark/Data"));
        touch(tree.prefix + "/bin/Lotmark.INI");
        QCOMPARE(paths.settingsFile(), tree.expand("$H/.config/Lotmark/Lotmark.INI"));
    }

    // Installed, the user's config folder does not exist before the first confirmed options
    // dialog: writing must create it, and nothing may be written beside the program.
    void settingsGoToTheUsersConfigFolder()
    {
        Tree tree;
        tree.create(InstalledTree);
        AppSettings settings{ProgramPaths(tree.folders())};
        QVERIFY(settings.write(AppSettings::KeySurveyorName, "Pop Ion"));
        QVERIFY(settings.write(AppSettings::KeySurveyorLicense, "RO-1"));
        QVERIFY(QFile::exists(tree.home + "/.config/Lotmark/Lotmark.INI"));
        QVERIFY(!QFile::exists(tree.prefix + "/bin/Lotmark.INI"));
        AppSettings again{ProgramPaths(tree.folders())};
        again.load();
        QCOMPARE(again.surveyorName, QString("Pop Ion"));
        QCOMPARE(again.surveyorLicense, QString("RO-1"));
    }
};

QTEST_GUILESS_MAIN(tst_programpaths)
#include "tst_programpaths.moc"
