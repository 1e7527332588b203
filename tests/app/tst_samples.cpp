// The sample documents shipped in samples/: each is the .CP file its JSON source builds, opens
// in the window on the default Data folder without a message, and saves again through every
// check of the form and the contours, unchanged.
#include "app/ui/frmMain.h"
#include "support/CliRun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QDate>
#include <QFile>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString samplePath(const QString& name)
{
    return TestPaths::sample(name);
}
} // namespace

class tst_samples : public QObject
{
    Q_OBJECT

private slots:
    void sample_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QStringList>("areas");
        QTest::newRow("land in town") << "Teren-intravilan-Alba-Iulia"
                                      << "Date cadastrale teren"
                                      << QStringList{"TEREN = 922 mp", "C1 = 129 mp", "C2 = 30 mp"};
        QTest::newRow("arable parcel outside the town") << "Extravilan-Ciugud"
                                                        << "Date cadastrale teren" << QStringList{"TEREN = 5,139 mp"};
        QTest::newRow("apartment") << "Apartament-Alba-Iulia"
                                   << "Date cadastrale apartament" << QStringList();
    }

    void sample()
    {
        QFETCH(QString, name);
        QFETCH(QString, tab);
        QFETCH(QStringList, areas);
        ProgramFolder folder;
        QVERIFY(folder.hasData());
        folder.writeUsualSettings();

        // The committed file is what its source builds today.
        const QString rebuilt = folder.path(QStringLiteral("rebuilt.CP"));
        const CliResult build = runCliCaptured({QStringLiteral("build"), samplePath(name + ".json"), "-o", rebuilt});
        QCOMPARE(build.code, 0);
        const QByteArray committed = readAll(samplePath(name + ".CP"));
        QVERIFY(!committed.isEmpty());
        QCOMPARE(readAll(rebuilt), committed);

        AppSettings settings(folder.dir.path());
        settings.load();
        ScriptedPrompter prompter;
        frmMain window(settings, prompter);
        window.setToday([] { return QDate(2026, 12, 7); });
        const QString copy = folder.path(name + ".CP");
        QVERIFY(QFile::copy(samplePath(name + ".CP"), copy));
        window.LoadIntoWindow(copy);
        QCOMPARE(prompter.texts(), QStringList());
        QCOMPARE(window.currentFileName(), copy);
        QCOMPARE(window.tabs()->tabText(0).remove('&'), tab);
        QStringList shown;
        for (int i = 0; i < window.areaList()->count(); ++i)
            shown << window.areaList()->item(i)->text();
        QCOMPARE(shown, areas);

        // Every check passes: the only question is the overwrite, and the file comes out the same.
        prompter.queueAnswer(Prompter::Answer::Yes);
        QVERIFY2(window.SaveDocument(), qPrintable(prompter.texts().join(" | ")));
        QCOMPARE(prompter.texts(), QStringList{"Confirmati suprascrierea fisierului " + copy + " ?"});
        QCOMPARE(readAll(copy), committed);
    }
};

QTEST_MAIN(tst_samples)
#include "tst_samples.moc"
