// A file that cannot be read is reported and loses nothing, whatever is wrong with it: the file
// on disk stays as it was and no Save can overwrite it with less.
#include "app/AppSettings.h"
#include "app/ui/frmMain.h"
#include "support/CliRun.h"
#include "support/ProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the owner, parcel, building and point counts start: after the signature, three texts,
// the SIRUTA code and IE byte, twelve address texts and the apartment flag.
qsizetype countsOffset(const QByteArray& content)
{
    qsizetype at = 2;
    auto skipText = [&] {
        if (at + 2 > content.size())
            return;
        at += 2 + (quint8(content[at]) | (quint8(content[at + 1]) << 8));
    };
    for (int i = 0; i < 3; ++i)
        skipText();
    at += 5;
    for (int i = 0; i < 12; ++i)
        skipText();
    return at + 2;
}

QString sampleFile(const QString& folder)
{
    return exampleLandFile(folder + "/sample.CP");
}
} // namespace

class tst_failedload : public QObject
{
    Q_OBJECT

private slots:
    // kind: how the file is damaged; cut: for truncations, where (a fraction of the file).
    void badFileKeepsTheWindow_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("cut");
        QTest::addColumn<QString>("message");
        for (double cut : {0.0, 0.01, 0.1, 0.25, 0.5, 0.75, 0.9, 0.99})
            QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(cut)))
                << "cut" << cut << "62 Input past end of file";
        QTest::newRow("counts of 32767 then the end") << "counts" << 0.0 << "62 Input past end of file";
        QTest::newRow("text length past the end") << "length" << 0.0 << "62 Input past end of file";
        QTest::newRow("missing file") << "missing" << 0.0 << "53 File not found";
        QTest::newRow("a folder") << "folder" << 0.0 << "70 Permission denied";
    }
    void badFileKeepsTheWindow()
    {
        QFETCH(QString, kind);
        QFETCH(double, cut);
        QFETCH(QString, message);
        // A program folder with the build's nomenclatures, so that a good file loads silently.
        ProgramFolder folder;
        const QTemporaryDir& dir = folder.dir;
        folder.writeUsualSettings();
        AppSettings settings(dir.path());
        settings.load();
        ScriptedPrompter prompter;
        frmMain window(settings, prompter);
        const QString good = sampleFile(dir.path());
        window.LoadIntoWindow(good);
        QCOMPARE(prompter.texts().join(" | "), QString());
        const QStringList areasBefore = [&window] {
            QStringList areas;
            for (int i = 0; i < window.areaList()->count(); ++i)
                areas << window.areaList()->item(i)->text();
            return areas;
        }();
        const QByteArray content = readAll(good);

        QString bad = dir.filePath("bad.CP");
        QByteArray bytes;
        if (kind == "cut") {
            bytes = content.left(qsizetype(content.size() * cut));
        } else if (kind == "counts") {
            // The four counts that follow the address: owners, parcels, buildings, points.
            const qsizetype counts = countsOffset(content);
            QVERIFY(counts > 0 && counts + 10 < content.size());
            bytes = content.left(counts) + QByteArray("\xff\x7f\xff\x7f\xff\x7f\xff\x7f", 8);
        } else if (kind == "length") {
            bytes = content.left(2) + QByteArray("\xff\xff", 2) + content.mid(4, 10);
        } else if (kind == "missing") {
            bad = dir.filePath("nu-exista.CP");
        } else {
            QVERIFY(QDir().mkpath(bad));
        }
        if (!bytes.isNull()) {
            QFile file(bad);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        window.LoadIntoWindow(bad);
        QVERIFY(!prompter.log().isEmpty());
        if (!message.isEmpty())
            QVERIFY2(prompter.texts().first().endsWith(message), qPrintable(prompter.texts().first()));
        // Either the window still shows the good file under its name, or it shows what could
        // be read under no name, so that a Save asks for one. Never the damaged file's name,
        // and never other contents under the good file's name, which a Save would overwrite.
        QVERIFY(window.currentFileName() != bad);
        if (window.currentFileName() == good) {
            QCOMPARE(window.windowTitle(), "Lotmark v1.0.18 - " + good + "[*]");
            QCOMPARE(window.CountEntityRows("TEREN"), 5);
            QStringList areasAfter;
            for (int i = 0; i < window.areaList()->count(); ++i)
                areasAfter << window.areaList()->item(i)->text();
            QCOMPARE(areasAfter, areasBefore);
        } else {
            QCOMPARE(window.currentFileName(), QString());
        }
        QCOMPARE(readAll(good), content);
    }
};

QTEST_MAIN(tst_failedload)
#include "tst_failedload.moc"
