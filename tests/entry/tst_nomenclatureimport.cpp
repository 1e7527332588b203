#include "base/Error.h"
#include "entry/nomenclature/NomenclatureImportJob.h"
#include "support/FolderSnapshot.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

QString fixture(const QString& name)
{
    return TestPaths::testData(QStringLiteral("lookup/") + name);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct Run
{
    bool succeeded = false;
    NomenclatureSummary summary;
    Error error;
    QList<int> percents;
    QStringList stages;
};

Run runJob(const NomenclatureSources& sources, const QString& dataFolder)
{
    Run run;
    NomenclatureImportJob job(sources, dataFolder);
    QObject::connect(&job, &NomenclatureImportJob::progressed, &job, [&](int percent, const QString& stage) {
        run.percents << percent;
        run.stages << stage;
    });
    QSignalSpy finished(&job, &NomenclatureImportJob::finished);
    job.start();
    job.start(); // a second start is ignored, not a second import over the first
    if (!finished.wait(20000))
        qWarning("the import did not finish");
    run.succeeded = job.succeeded();
    run.summary = job.summary();
    run.error = job.error();
    return run;
}

NomenclatureSources fixtureSources()
{
    return {fixture(QStringLiteral("siruta-small.csv")),
            {fixture(QStringLiteral("streets"))},
            fixture(QStringLiteral("posta-small.json"))};
}

} // namespace

class tst_NomenclatureImport : public QObject
{
    Q_OBJECT

private slots:
    void importsTheFixtures();
    void summaryText();
    void failureLeavesTheDataFolderAsItWas_data();
    void failureLeavesTheDataFolderAsItWas();
};

void tst_NomenclatureImport::importsTheFixtures()
{
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    const Run run = runJob(fixtureSources(), data);
    QVERIFY2(run.succeeded, qPrintable(run.error.text()));

    QStringList tables = QDir(data).entryList(QDir::Files);
    tables.sort();
    QCOMPARE(tables, (QStringList{"Admin.DAT", "CtgFolTeren.DAT", "DestinatieCladire.DAT", "DestinatieTeren.DAT",
                                  "Judete.DAT", "Localitati.DAT", "Strazi.DAT", "TipArtere.DAT", "TipSubAdm.DAT"}));
    QCOMPARE(run.summary.counties, 3);
    QCOMPARE(run.summary.territories, 5);
    QCOMPARE(run.summary.localities, 11); // the 16 rows less the territories' own five
    QCOMPARE(run.summary.streets, 11);    // the ministry's 10 and Mincu Ion of the postal index
    QCOMPARE(run.summary.skippedRecords, 1);

    // One stage per source, then building and writing; the bar never goes back and ends full.
    QVERIFY(run.percents.size() >= 6);
    QCOMPARE(run.percents.first(), 0);
    QCOMPARE(run.percents.last(), 100);
    QVERIFY(std::is_sorted(run.percents.begin(), run.percents.end()));
    QCOMPARE(run.stages.first(), QString("Se citeste fisierul SIRUTA..."));
    QVERIFY(run.stages.contains("Se citesc strazile din dosarul streets..."));
    QVERIFY(run.stages.contains("Se citesc strazile Bucurestiului..."));
    QCOMPARE(run.stages.last(), QString("Nomenclatorul a fost importat."));
    QCOMPARE(QDir(data).entryList({QStringLiteral("*.part")}), QStringList());
}

void tst_NomenclatureImport::summaryText()
{
    NomenclatureSummary summary{42, 3181, 13755, 8185, 0, 0};
    QCOMPARE(summary.text(), QString("Nomenclatorul a fost importat: 42 judete, 3181 unitati administrative, "
                                     "13755 localitati, 8185 strazi."));
    summary.skippedRecords = 2;
    summary.skippedStreets = 1658;
    QCOMPARE(summary.text(),
             QString("Nomenclatorul a fost importat: 42 judete, 3181 unitati administrative, 13755 localitati, "
                     "8185 strazi.\rInregistrari SIRUTA lasate deoparte (fara judet sau unitate administrativa): 2."
                     "\rStrazi lasate deoparte (fara localitate sau tip de artera cunoscut): 1658."));
}

// Each row breaks one thing; the Data folder holds a previous import, which must stay byte for
// byte, with no file left over.
void tst_NomenclatureImport::failureLeavesTheDataFolderAsItWas_data()
{
    QTest::addColumn<QString>("sirutaFile"); // "fixture", "missing" or a name written from sirutaBytes
    QTest::addColumn<QByteArray>("sirutaBytes");
    QTest::addColumn<QString>("streets"); // "", "fixture" or "missing"
    QTest::addColumn<QByteArray>("postalBytes");
    QTest::addColumn<QString>("block"); // "", "part-folder", "data-is-file", "read-only"
    QTest::addColumn<int>("number");

    const QByteArray header = "SIRUTA,DENLOC,CODP,JUD,SIRSUP,TIP,NIV,MED,REGIUNE,FSJ,FSL\n";
    QByteArray binary;
    for (int i = 0; i < 2048; ++i)
        binary.append(char((i * 37) & 0xff));
    QTest::newRow("missing SIRUTA file") << "missing" << QByteArray() << "" << QByteArray() << "" << 53;
    QTest::newRow("binary garbage") << "bad.csv" << binary << "" << QByteArray() << "" << 5;
    QTest::newRow("another CSV") << "bad.csv" << QByteArray("name,value\nAlba,1\n") << "" << QByteArray() << "" << 5;
    QTest::newRow("short line") << "bad.csv" << QByteArray(header + "1017,ALBA IULIA,0,1\n") << "" << QByteArray() << ""
                                << 5;
    QTest::newRow("header only") << "bad.csv" << header << "" << QByteArray() << "" << 5;
    QTest::newRow("missing street folder") << "fixture" << QByteArray() << "missing" << QByteArray() << "" << 76;
    QTest::newRow("broken postal file") << "fixture" << QByteArray() << "fixture" << QByteArray("[{\"zipcode\": ") << ""
                                        << 5;
    QTest::newRow("a table cannot be written")
        << "fixture" << QByteArray() << "fixture" << QByteArray() << "part-folder" << 75;
    QTest::newRow("Data is a file") << "fixture" << QByteArray() << "" << QByteArray() << "data-is-file" << 76;
    if (geteuid() != 0) // root writes into a read-only folder all the same
        QTest::newRow("read-only Data") << "fixture" << QByteArray() << "" << QByteArray() << "read-only" << 75;
}

void tst_NomenclatureImport::failureLeavesTheDataFolderAsItWas()
{
    QFETCH(QString, sirutaFile);
    QFETCH(QByteArray, sirutaBytes);
    QFETCH(QString, streets);
    QFETCH(QByteArray, postalBytes);
    QFETCH(QString, block);
    QFETCH(int, number);

    QTemporaryDir dir;
    QString data = dir.filePath(QStringLiteral("Data"));
    NomenclatureSources first{fixture(QStringLiteral("siruta-small.csv")), {}, {}};
    QVERIFY(runJob(first, data).succeeded);

    NomenclatureSources sources;
    if (sirutaFile == QLatin1String("fixture"))
        sources.sirutaFile = fixture(QStringLiteral("siruta-small.csv"));
    else if (sirutaFile == QLatin1String("missing"))
        sources.sirutaFile = dir.filePath(QStringLiteral("none.csv"));
    else
        writeFile(sources.sirutaFile = dir.filePath(sirutaFile), sirutaBytes);
    if (streets == QLatin1String("fixture"))
        sources.streetFolders << fixture(QStringLiteral("streets"));
    else if (streets == QLatin1String("missing"))
        sources.streetFolders << dir.filePath(QStringLiteral("no-county"));
    if (!postalBytes.isEmpty())
        writeFile(sources.postalFile = dir.filePath(QStringLiteral("posta.json")), postalBytes);

    if (block == QLatin1String("part-folder")) {
        // The last large table cannot be written aside, after the others were.
        QVERIFY(QDir(data).mkdir(QStringLiteral("Strazi.DAT.part")));
    } else if (block == QLatin1String("data-is-file")) {
        writeFile(data = dir.filePath(QStringLiteral("Data.txt")), "not a folder");
    } else if (block == QLatin1String("read-only")) {
        QVERIFY(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
    }
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());

    const Run run = runJob(sources, data);
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!run.succeeded);
    QCOMPARE(run.error.number, number);
    QVERIFY(!run.error.description.isEmpty());
    QCOMPARE(folderSnapshot(dir.path()), before);
    QVERIFY(std::is_sorted(run.percents.begin(), run.percents.end()));
    QVERIFY(!run.percents.contains(100));
}

QTEST_GUILESS_MAIN(tst_NomenclatureImport)
#include "tst_nomenclatureimport.moc"
