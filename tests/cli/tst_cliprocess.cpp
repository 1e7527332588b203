#include "support/TestPaths.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

// The real lotmark-cli as a user starts it: what reaches its streams, and what an ordinary
// user's file permissions do to its writers.
namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QByteArray err;
};

// `{dir}` in an argument stands for the test's folder and `{samples}` for the sample documents.
QStringList expand(const QStringList& arguments, const QString& dir)
{
    QStringList out;
    for (QString argument : arguments)
        out << argument.replace(QStringLiteral("{dir}"), dir)
                   .replace(QStringLiteral("{samples}"), TestPaths::source(QStringLiteral("samples")))
                   .replace(QStringLiteral("{data}"), TestPaths::testData());
    return out;
}

// Started without XDG_RUNTIME_DIR and without a platform chosen, as from a service or a
// minimal container; as root, the command runs as nobody so that file permissions count.
Run runCli(const QStringList& arguments, bool asOrdinaryUser = false)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    if (asOrdinaryUser && geteuid() == 0) {
        process.setProgram(QStringLiteral("setpriv"));
        process.setArguments(QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                         QStringLiteral("--clear-groups"), QStringLiteral(LOTMARK_CLI)} +
                             arguments);
    } else {
        process.setProgram(QStringLiteral(LOTMARK_CLI));
        process.setArguments(arguments);
    }
    process.start();
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QByteArray digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class tst_cliprocess : public QObject
{
    Q_OBJECT

private slots:
    void outputIsTheCommandsOwn_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        const QString land = QStringLiteral("{samples}/Teren-intravilan-Alba-Iulia.CP");
        QTest::newRow("dump") << QStringList{"dump", land} << 0;
        QTest::newRow("sheet") << QStringList{"sheet", land, "-o", "{dir}/sheet.RTF", "--date", "01.02.2026"} << 0;
        QTest::newRow("sketch") << QStringList{"sketch", land, "-o", "{dir}/sketch.png"} << 0;
        QTest::newRow("nomenclature") << QStringList{"nomenclature", "--siruta", "{data}/lookup/siruta-small.csv", "-o",
                                                     "{dir}/Data"}
                                      << 0;
        QTest::newRow("nomenclature refused")
            << QStringList{"nomenclature", "--siruta", "{dir}/none.csv", "-o", "{dir}/Data"} << 1;
        QTest::newRow("coords") << QStringList{"coords", "{dir}/points.txt"} << 0;
        QTest::newRow("dxf") << QStringList{"dxf", "{data}/dxf/parcels_r12.dxf"} << 0;
        QTest::newRow("import-dxf") << QStringList{"import-dxf", "{data}/dxf/parcels_r12.dxf", "--land", "1",
                                                   "-o",         "{dir}/imported.CP"}
                                    << 0;
        QTest::newRow("help") << QStringList{"--help"} << 0;
        QTest::newRow("refused input: only the refusal on stderr") << QStringList{"dump", "{dir}/missing.CP"} << 1;
    }

    // Nothing of Qt's own on stderr (no "QStandardPaths: XDG_RUNTIME_DIR not set"), and every
    // line, the last included, ends with a newline.
    void outputIsTheCommandsOwn()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QTemporaryDir dir;
        QFile points(dir.filePath(QStringLiteral("points.txt")));
        QVERIFY(points.open(QIODevice::WriteOnly));
        points.write("1\t388120.512\t546210.034\n2\t388130\t546225\n");
        points.close();
        const Run run = runCli(expand(arguments, dir.path()));
        QCOMPARE(run.code, code);
        QVERIFY2(!run.err.contains("QStandardPaths") && !run.err.contains("qt."), run.err.constData());
        if (code == 0)
            QVERIFY2(run.err.isEmpty(), run.err.constData());
        else
            QCOMPARE(run.err.count('\n'), 1);
        for (const QByteArray& stream : {run.out, run.err}) {
            if (!stream.isEmpty())
                QVERIFY2(stream.endsWith('\n'), stream.right(80).constData());
        }
        QVERIFY(!run.out.isEmpty() || code != 0);
    }

    void readOnlyTargetsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("target");
        QTest::newRow("build onto a read-only .CP")
            << QStringList{"build", "{samples}/Teren-intravilan-Alba-Iulia.json", "-o", "{dir}/ro.CP"} << "ro.CP";
        QTest::newRow("sheet onto a read-only .RTF")
            << QStringList{"sheet", "{samples}/Teren-intravilan-Alba-Iulia.CP", "-o", "{dir}/ro.RTF"} << "ro.RTF";
        QTest::newRow("sheet --out-dir onto a read-only .RTF")
            << QStringList{"sheet", "{samples}/Teren-intravilan-Alba-Iulia.CP", "--out-dir", "{dir}"}
            << "Teren-intravilan-Alba-Iulia.RTF";
    }

    // Both writers refuse a file the user may not write, alike, and leave it as it was.
    void readOnlyTargetsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, target);
        QTemporaryDir dir;
        // The folder is writable to everyone: only the file's own permission may refuse.
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        const QString path = dir.filePath(target);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("kept as it was\n");
        }
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        const QByteArray before = digest(path);

        const Run run = runCli(expand(arguments, dir.path()), true);
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains("75 Path/File access error"), run.err.constData());
        QCOMPARE(digest(path), before);
    }
};

QTEST_GUILESS_MAIN(tst_cliprocess)
#include "tst_cliprocess.moc"
