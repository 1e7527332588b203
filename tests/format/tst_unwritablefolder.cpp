// Saves into a folder the user may not write: a file the user may write there is rewritten in
// place (no temporary file can be made beside it), anything else is refused and left as it
// was. And coordinates that are not finite numbers do not slip through the command line's
// JSON as 0.
#include "base/IniFile.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <limits>
#include <scrivel/RTFDoc.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

// Runs `step` with an ordinary user's rights: root writes where such a user cannot, so as root
// the step runs in a child process that gave its rights up first.
bool asOrdinaryUser(const std::function<bool()>& step)
{
    if (geteuid() != 0)
        return step();
    const pid_t child = fork();
    if (child == 0)
        _exit(setgid(Nobody) == 0 && setuid(Nobody) == 0 && step() ? 0 : 1);
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

enum class Writer
{
    Settings,
    Document,
    Sheet
};

// One save of each kind.
bool write(Writer writer, const QString& path)
{
    switch (writer) {
    case Writer::Settings:
        return IniFile::write(QStringLiteral("Setari"), QStringLiteral("NumarLucrare"), QStringLiteral("16"), path);
    case Writer::Document: {
        CPFile file;
        file.setDocument(DocumentFactory::sample());
        file.setCPFileName(path);
        return file.SaveCPFile();
    }
    case Writer::Sheet:
        return RTFDoc().SaveAndClose(path);
    }
    return false;
}

const QFile::Permissions ReadAll = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions WriteAll = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
const QFile::Permissions ExecAll = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

Q_DECLARE_METATYPE(Writer)

class tst_UnwritableFolder : public QObject
{
    Q_OBJECT

private slots:
    void saveIntoALockedFolder_data()
    {
        QTest::addColumn<Writer>("writer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("existing"); // 0 none, 1 writable, 2 read-only
        QTest::addColumn<bool>("written");
        const QList<std::pair<Writer, QString>> writers{
            {Writer::Settings, "Lotmark.INI"}, {Writer::Document, "lucrare.CP"}, {Writer::Sheet, "fisa.RTF"}};
        for (const auto& [writer, name] : writers) {
            QTest::addRow("%s, writable file rewritten in place", qPrintable(name)) << writer << name << 1 << true;
            QTest::addRow("%s, read-only file refused", qPrintable(name)) << writer << name << 2 << false;
            QTest::addRow("%s, new file refused", qPrintable(name)) << writer << name << 0 << false;
        }
    }
    void saveIntoALockedFolder()
    {
        QFETCH(Writer, writer);
        QFETCH(QString, name);
        QFETCH(int, existing);
        QFETCH(bool, written);
        // The same save into a folder that may be written gives the bytes to expect.
        QTemporaryDir dir, open;
        const QString path = dir.filePath(name);
        const QByteArray old = "[Setari]\r\nNumarLucrare=15\r\n";
        if (existing) {
            for (const QString& target : {path, open.filePath(name)}) {
                QFile file(target);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(old);
            }
            QVERIFY(QFile::setPermissions(path, existing == 1 ? ReadAll | WriteAll : ReadAll));
        }
        QVERIFY(write(writer, open.filePath(name)));
        QVERIFY(QFile::setPermissions(dir.path(), ReadAll | ExecAll));
        const bool result = asOrdinaryUser([&] { return write(writer, path); });
        QFile::setPermissions(dir.path(), ReadAll | ExecAll | QFile::WriteOwner);
        QCOMPARE(result, written);
        QCOMPARE(readAll(path), written ? readAll(open.filePath(name)) : existing ? old : QByteArray());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), existing ? 1 : 0);
    }

    // A damaged file's NaN or infinite coordinate is dumped as a text that shows it, never as
    // null, and building a document from such a dump, or from a null, is refused.
    void nonFiniteCoordinates_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("dumped");
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "\"X\": \"NaN\"";
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "\"X\": \"Infinity\"";
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity() << "\"X\": \"-Infinity\"";
    }
    void nonFiniteCoordinates()
    {
        QFETCH(double, x);
        QFETCH(QString, dumped);
        QTemporaryDir dir;
        CPFile file;
        const DocumentPtr document = DocumentFactory::sample();
        document->Land()->Geometry()->Points()->Item(2)->setX(x);
        file.setDocument(document);
        file.setCPFileName(dir.filePath("damaged.CP"));
        QVERIFY(file.SaveCPFile());

        const CliResult dump = runCliCaptured({"dump", dir.filePath("damaged.CP")});
        QCOMPARE(dump.code, 0);
        QVERIFY2(dump.out.contains(dumped), qPrintable(dump.out.left(400)));
        QVERIFY(!dump.out.contains("null"));
        QFile json(dir.filePath("damaged.json"));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(dump.out.toUtf8());
        json.close();
        const CliResult build = runCliCaptured({"build", dir.filePath("damaged.json"), "-o", dir.filePath("back.CP")});
        QVERIFY(build.code != 0);
        QVERIFY2(build.err.contains("Geometry.Points.X: expected a finite number"), qPrintable(build.err));
        QVERIFY(!QFile::exists(dir.filePath("back.CP")));

        QJsonObject point{{"No", "1"}, {"X", QJsonValue::Null}, {"Y", 2.0}};
        CPFile fromNull;
        QString problem;
        const QJsonObject land{{"Geometry", QJsonObject{{"Name", "TEREN"}, {"Points", QJsonArray{point}}}}};
        QVERIFY(!DocumentJson::fromJson(QJsonObject{{"Land", land}}, fromNull, &problem));
        QVERIFY2(problem.endsWith("X: expected a finite number"), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(tst_UnwritableFolder)
#include "tst_unwritablefolder.moc"
