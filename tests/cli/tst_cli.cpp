#include "model/CPFile.h"
#include "model/DocumentJson.h"
#include "support/CliRun.h"
#include "support/DocumentFactory.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {
using Result = CliResult;

Result cli(const QStringList& arguments)
{
    return runCliCaptured(arguments);
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class tst_cli : public QObject
{
    Q_OBJECT

private slots:
    void helpAndUsage()
    {
        const Result help = cli({"--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("dump"));
        QVERIFY(help.out.contains("build"));
        QCOMPARE(cli({}).code, 2);
        QCOMPARE(cli({"nonsense"}).code, 2);
        QCOMPARE(cli({"dump"}).code, 2);
        QCOMPARE(cli({"build", "a.json"}).code, 2);
    }

    void jsonToCpToJsonRoundTrip()
    {
        QTemporaryDir dir;
        CPFile source(".");
        source.setDocument(DocumentFactory::sample(6));
        source.Document()->Land()->Buildings()->Item(1)->Geometry()->setName("c1");
        source.Document()->Land()->Buildings()->Item(1)->setNo("C1");
        source.setStatus("s");
        QJsonObject json = DocumentJson::toJson(source);
        writeAll(dir.filePath("in.json"), QJsonDocument(json).toJson());

        const Result built = cli({"build", dir.filePath("in.json"), "-o", dir.filePath("out.CP")});
        QCOMPARE(built.code, 0);
        const Result dumped = cli({"dump", dir.filePath("out.CP")});
        QCOMPARE(dumped.code, 0);
        const QJsonObject back = QJsonDocument::fromJson(dumped.out.toUtf8()).object();

        // Contour names come back upper-cased, Ș/Ț as the cedilla forms; the version is the file's.
        QByteArray expected = QJsonDocument(json).toJson();
        expected.replace("\"c1\"", "\"C1\"").replace("Ș", "Ş").replace("Ț", "Ţ").replace("ș", "ş").replace("ț", "ţ");
        QJsonObject expectedJson = QJsonDocument::fromJson(expected).object();
        expectedJson["Version"] = "1.0";
        QCOMPARE(back, expectedJson);
    }

    void refusedInputsExitWith1()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath("bad.json"), "{ not json");
        Result result = cli({"build", dir.filePath("bad.json"), "-o", dir.filePath("x.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("not a JSON document"));
        QVERIFY(!QFile::exists(dir.filePath("x.CP")));

        writeAll(dir.filePath("type.json"), R"({"Land": {"Owners": [{"LastName": 5}]}})");
        result = cli({"build", dir.filePath("type.json"), "-o", dir.filePath("x.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("Land.Owners.LastName"));

        writeAll(dir.filePath("broken.CP"), "CP\x03");
        result = cli({"dump", dir.filePath("broken.CP")});
        QCOMPARE(result.code, 1);
        QVERIFY(result.err.contains("62 Input past end of file"));
        QCOMPARE(cli({"dump", dir.filePath("missing.CP")}).code, 1);
    }
};

QTEST_GUILESS_MAIN(tst_cli)
#include "tst_cli.moc"
