// Saves that are cut short, by a full disk or by the program being killed, leave the file that
// was there before byte for byte (or, once the new one is complete, the new one), never a mix.
#include "app/AppSettings.h"
#include "base/IniFile.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "scrivel/RTFDoc.h"
#include "support/DocumentFactory.h"
#include "support/FailDevice.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A file-size limit for this process: writes past `bytes` fail as on a full disk.
class DiskLimit
{
public:
    explicit DiskLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

CPFile cpFile(const QString& path, int landPoints)
{
    CPFile file(QStringLiteral(","));
    file.setCPFileName(path);
    file.setVersion(QStringLiteral("v1.0.18"));
    file.setDocument(DocumentFactory::sample(landPoints));
    return file;
}

RTFDoc sheet(int lines)
{
    RTFDoc doc;
    const int font = doc.Fonts(QStringLiteral("Arial"));
    doc.PaperFormat(297, 210, 20, 10, 10, 10, false);
    for (int i = 1; i <= lines; ++i)
        doc.AddText(
            doc.DefineTextData(QStringLiteral("Rândul %1 {ș} \\ ț").arg(i), font, 0, 1, 10, i % 2, false, false), true);
    return doc;
}

// The save of each kind under test: writes `version` (1 the old file, 2 the new one) to path.
using Save = std::function<bool(const QString& path, int version)>;

Save saveOf(const QString& kind)
{
    if (kind == "cp")
        return [](const QString& path, int version) { return cpFile(path, version == 1 ? 5 : 9).SaveCPFile(); };
    if (kind == "rtf")
        return [](const QString& path, int version) { return sheet(version == 1 ? 10 : 25).SaveAndClose(path); };
    return [](const QString& path, int version) {
        // The settings file: the program rewrites one key at a time.
        return IniFile::write(QStringLiteral("Setari"), AppSettings::KeySurveyorName,
                              version == 1 ? QStringLiteral("Popescu Ion") : QStringLiteral("Ionescu Maria-Stefania"),
                              path);
    };
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
} // namespace

class tst_nothinglost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // A write past the file-size limit fails instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    // A device that takes only the first N bytes: the save says it failed, for every N short of
    // the whole file, and never writes more than the device took.
    void saveToAFailingDeviceReportsFailure_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("cp") << "cp";
        QTest::newRow("rtf") << "rtf";
    }
    void saveToAFailingDeviceReportsFailure()
    {
        QFETCH(QString, kind);
        const QByteArray whole = kind == "cp" ? cpFile(QString(), 9).compose() : sheet(25).toRtf();
        QVERIFY(whole.size() > 200);
        for (qint64 limit = 0; limit < whole.size(); ++limit) {
            FailDevice device(limit);
            QVERIFY(device.open(QIODevice::WriteOnly));
            const bool saved = kind == "cp" ? cpFile(QString(), 9).save(&device) : sheet(25).SaveAndClose(&device);
            if (saved)
                QFAIL(qPrintable(
                    QStringLiteral("save reported success with %1 of %2 bytes written").arg(limit).arg(whole.size())));
            QVERIFY(whole.startsWith(device.written()));
        }
        FailDevice roomy(whole.size());
        QVERIFY(roomy.open(QIODevice::WriteOnly));
        QVERIFY(kind == "cp" ? cpFile(QString(), 9).save(&roomy) : sheet(25).SaveAndClose(&roomy));
        QCOMPARE(roomy.written(), whole);
    }

    // The disk fills up after N bytes, for every N short of the new file: the save fails, the old
    // file is byte-identical and no temporary file is left beside it. With room, the new file
    // replaces it.
    void fullDiskKeepsThePreviousFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("cp") << "cp";
        QTest::newRow("rtf") << "rtf";
        QTest::newRow("settings") << "settings";
    }
    void fullDiskKeepsThePreviousFile()
    {
        QFETCH(QString, kind);
        const Save save = saveOf(kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(kind == "settings" ? "Lotmark.INI" : "file." + kind);
        if (kind == "settings")
            QVERIFY(
                writeAll(path, "[Setari]\r\nNumeAutorizat=Popescu Ion\r\nDelimitatori=9,32\r\n[Altele]\r\nx=1\r\n"));
        else
            QVERIFY(save(path, 1));
        const QByteArray older = readAll(path);
        QVERIFY(!older.isEmpty());
        // The new file as a save with room writes it.
        QTemporaryDir scratch;
        QVERIFY(QFile::copy(path, scratch.filePath("new")));
        QVERIFY(save(scratch.filePath("new"), 2));
        const QByteArray newer = readAll(scratch.filePath("new"));
        QVERIFY(newer != older);
        const qint64 size = newer.size();
        QVERIFY(size > 50);
        for (qint64 limit = 0; limit < size; ++limit) {
            bool saved;
            {
                DiskLimit disk{rlim_t(limit)};
                saved = save(path, 2);
            }
            if (saved)
                QFAIL(qPrintable(
                    QStringLiteral("save reported success with room for %1 of %2 bytes").arg(limit).arg(size)));
            if (readAll(path) != older)
                QFAIL(qPrintable(QStringLiteral("the old file changed with room for %1 bytes").arg(limit)));
            QCOMPARE(filesIn(dir.path()), QStringList{QFileInfo(path).fileName()});
        }
        QVERIFY(save(path, 2));
        QCOMPARE(readAll(path), newer);
    }

    // Two buildings with one number share one contour after loading; saving and loading again
    // keeps it as it was instead of doubling it at every save.
    void sharedContourSurvivesSaveAndLoad()
    {
        CPFile file(QStringLiteral(","));
        DocumentPtr document = DocumentFactory::sample(5);
        auto& buildings = *document->Land()->Buildings();
        QVERIFY(buildings.Count() >= 2);
        buildings.Item(2)->setNo(buildings.Item(1)->No());
        buildings.Item(2)->setGeometry(buildings.Item(1)->Geometry());
        const int points = buildings.Item(1)->Geometry()->Points()->Count();
        file.setDocument(document);
        QByteArray bytes = file.compose();
        for (int round = 0; round < 3; ++round) {
            QBuffer device(&bytes);
            QVERIFY(device.open(QIODevice::ReadOnly));
            CPFile again(QStringLiteral(","));
            QVERIFY(again.load(&device));
            const auto& loaded = *again.Document()->Land()->Buildings();
            QCOMPARE(loaded.Item(1)->Geometry()->Points()->Count(), points);
            QCOMPARE(loaded.Item(2)->Geometry()->Points()->Count(), points);
            QCOMPARE(again.compose(), bytes);
        }
    }

    // lotmark-cli build of a document at the format's limits, killed at moments spread over its
    // run: the .CP file is the old one or the new one, whole, every time.
    void killedBuildLeavesOldOrNew()
    {
        QTemporaryDir dir;
        const QString json = dir.filePath("large.json");
        {
            CPFile large(QStringLiteral(","));
            large.setVersion(QStringLiteral("v1.0.18"));
            large.setDocument(DocumentFactory::large(32767, 30, 50, 50));
            QVERIFY(writeAll(json, QJsonDocument(DocumentJson::toJson(large)).toJson(QJsonDocument::Compact)));
        }
        const QString target = dir.filePath("LUCRARE.CP");
        QVERIFY(cpFile(target, 5).SaveCPFile());
        const QByteArray older = readAll(target);

        auto build = [&](const QString& out) {
            auto process = std::make_unique<QProcess>();
            process->setProgram(QStringLiteral(LOTMARK_CLI));
            process->setArguments({"build", json, "-o", out});
            process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            process->setStandardOutputFile(QProcess::nullDevice());
            process->start();
            return process;
        };
        QElapsedTimer clock;
        clock.start();
        auto complete = build(dir.filePath("complete.CP"));
        QVERIFY(complete->waitForFinished(120000));
        QCOMPARE(complete->exitCode(), 0);
        const qint64 runMs = std::max<qint64>(clock.elapsed(), 1);
        const QByteArray newer = readAll(dir.filePath("complete.CP"));
        QVERIFY(newer.size() > 32767 * 20);

        int keptOld = 0, gotNew = 0;
        const int rounds = 24;
        for (int round = 0; round < rounds; ++round) {
            auto child = build(target);
            QVERIFY(child->waitForStarted(10000));
            // From just after the start to a little past the whole run.
            QThread::usleep(static_cast<unsigned long>(runMs * 1000 * round / (rounds - 4)));
            child->kill();
            QVERIFY(child->waitForFinished(30000));
            const QByteArray now = readAll(target);
            if (now == older) {
                ++keptOld;
            } else if (now == newer) {
                ++gotNew;
                QVERIFY(writeAll(target, older));
            } else {
                QFAIL(qPrintable(QStringLiteral("round %1: the file is neither the old nor the new one (%2 bytes)")
                                     .arg(round)
                                     .arg(now.size())));
            }
        }
        qInfo("build took %lld ms; killed %d times: old file kept %d times, new file complete %d times", runMs, rounds,
              keptOld, gotNew);
        QVERIFY(keptOld > 0);
    }
};

QTEST_GUILESS_MAIN(tst_nothinglost)
#include "tst_nothinglost.moc"
