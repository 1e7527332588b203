#include "cli/CommandRegistry.h"
#include "format/CPFile.h"
#include "support/DocumentFactory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// lotmark-cli sheet: one document to one file, folders of documents, the defaults taken from
// the document, and what a bad input leaves behind.
class tst_SheetCommand : public QObject
{
    Q_OBJECT

private slots:
    void oneDocumentWithDefaults();
    void optionsOverrideTheDocument();
    void folderToFolderWithProgress();
    void usageErrors_data();
    void usageErrors();
    void documentWithoutContourStillGetsASheet();
    void outDirNameClashes_data();
    void outDirNameClashes();

private:
    struct Result
    {
        int code = 0;
        QString out;
        QString err;
    };
    static Result cli(const QStringList& arguments);
    static QString saveDocument(const QString& path, const DocumentPtr& document);
    static QByteArray read(const QString& path);
};

tst_SheetCommand::Result tst_SheetCommand::cli(const QStringList& arguments)
{
    Result result;
    QTextStream out(&result.out), err(&result.err);
    result.code = runCli(QStringList{QStringLiteral("sheet")} + arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

QString tst_SheetCommand::saveDocument(const QString& path, const DocumentPtr& document)
{
    CPFile file(QStringLiteral("."));
    file.setDocument(document);
    file.setCPFileName(path);
    Error error;
    if (!file.SaveCPFile(&error))
        qWarning("%s", qPrintable(error.text()));
    return path;
}

QByteArray tst_SheetCommand::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_SheetCommand::oneDocumentWithDefaults()
{
    QTemporaryDir dir;
    const QString input = saveDocument(dir.filePath(QStringLiteral("casa.CP")), DocumentFactory::sample(12));
    const QString output = dir.filePath(QStringLiteral("casa.RTF"));
    const Result result = cli({input, QStringLiteral("-o"), output});
    QVERIFY2(result.code == 0, qPrintable(result.err));
    QVERIFY(result.out.contains(output));

    const QByteArray rtf = read(output);
    QCOMPARE(rtf.count("FISA CORPULUI DE PROPRIETATE"), 1);
    // The address's SIRUTA code, the document's surveyor (Windows-1250 bytes) and today.
    QVERIFY(rtf.contains("\\i0 1017 \\intbl \\cell"));
    QVERIFY(rtf.contains("Intocmit: Ionescu \xDE\xE3ran"));
    QVERIFY(
        rtf.contains(("Data: " + QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)).toLatin1()));
    // The sketch, as JPEG.
    QVERIFY(rtf.contains("\\jpegblip\r\r\nFFD8FF"));
}

void tst_SheetCommand::optionsOverrideTheDocument()
{
    QTemporaryDir dir;
    const QString input = saveDocument(dir.filePath(QStringLiteral("casa.CP")), DocumentFactory::sample());
    const QString output = dir.filePath(QStringLiteral("out.RTF"));
    const Result result = cli({QStringLiteral("--siruta"), QStringLiteral("54975"), input, QStringLiteral("--surveyor"),
                               QStringLiteral("Pop Ana"), QStringLiteral("--date"), QStringLiteral("01.02.2027"),
                               QStringLiteral("-o"), output});
    QVERIFY2(result.code == 0, qPrintable(result.err));
    const QByteArray rtf = read(output);
    QVERIFY(rtf.contains("\\i0 54975 \\intbl \\cell"));
    QVERIFY(rtf.contains("Intocmit: Pop Ana \\intbl"));
    QVERIFY(rtf.contains("Data: 01.02.2027 \\intbl"));
}

void tst_SheetCommand::folderToFolderWithProgress()
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("in")));
    saveDocument(dir.filePath(QStringLiteral("in/b.CP")), DocumentFactory::sample());
    saveDocument(dir.filePath(QStringLiteral("in/a.cp")), DocumentFactory::sample(7));
    // A damaged document is reported and the others are still written.
    QFile damaged(dir.filePath(QStringLiteral("in/c.CP")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a property file");
    damaged.close();
    QFile other(dir.filePath(QStringLiteral("in/notes.txt")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.close();

    const QString outDir = dir.filePath(QStringLiteral("out/sheets"));
    const Result result = cli({dir.filePath(QStringLiteral("in")), QStringLiteral("--out-dir"), outDir});
    QCOMPARE(result.code, 1);
    const QStringList lines = result.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].startsWith(QLatin1String("[1/3] ")) && lines[0].endsWith(QLatin1String("a.RTF")));
    QVERIFY(lines[1].startsWith(QLatin1String("[2/3] ")) && lines[1].endsWith(QLatin1String("b.RTF")));
    QCOMPARE(lines[2], QStringLiteral("2 of 3 sheets written"));
    QVERIFY(result.err.startsWith(QLatin1String("[3/3] ")));
    QVERIFY(result.err.contains(QLatin1String("c.CP")));
    QCOMPARE(QDir(outDir).entryList(QDir::Files), QStringList({QStringLiteral("a.RTF"), QStringLiteral("b.RTF")}));
    QCOMPARE(read(QDir(outDir).filePath(QStringLiteral("a.RTF"))).count("{\\rtf1"), 1);
}

void tst_SheetCommand::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::newRow("no output") << QStringList{QStringLiteral("x.CP")} << 2;
    QTest::newRow("both outputs") << QStringList{QStringLiteral("x.CP"), QStringLiteral("-o"), QStringLiteral("y.RTF"),
                                                 QStringLiteral("--out-dir"), QStringLiteral("z")}
                                  << 2;
    QTest::newRow("two inputs to one file")
        << QStringList{QStringLiteral("x.CP"), QStringLiteral("w.CP"), QStringLiteral("-o"), QStringLiteral("y.RTF")}
        << 2;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("x.CP"), QStringLiteral("--size"),
                                                   QStringLiteral("3")}
                                    << 2;
    QTest::newRow("option without value") << QStringList{QStringLiteral("x.CP"), QStringLiteral("-o")} << 2;
    QTest::newRow("missing input") << QStringList{QStringLiteral("/nonexistent/x.CP"), QStringLiteral("-o"),
                                                  QStringLiteral("y.RTF")}
                                   << 1;
}

void tst_SheetCommand::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    const Result result = cli(arguments);
    QCOMPARE(result.code, code);
    QVERIFY(!result.err.isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("y.RTF")));
}

void tst_SheetCommand::documentWithoutContourStillGetsASheet()
{
    QTemporaryDir dir;
    DocumentPtr document = DocumentFactory::sample();
    document->Land()->setGeometry(nullptr);
    const QString input = saveDocument(dir.filePath(QStringLiteral("apartament.CP")), document);
    const QString output = dir.filePath(QStringLiteral("apartament.RTF"));
    const Result result = cli({input, QStringLiteral("-o"), output});
    QCOMPARE(result.code, 0);
    QVERIFY(result.err.contains(QLatin1String("no sketch")));
    const QByteArray rtf = read(output);
    QCOMPARE(rtf.count("FISA CORPULUI DE PROPRIETATE"), 1);
    QVERIFY(rtf.contains("\\jpegblip\r\r\n}}}\r\n"));
}

void tst_SheetCommand::outDirNameClashes_data()
{
    QTest::addColumn<QStringList>("inputs"); // relative to the test's folder
    QTest::addColumn<int>("code");
    QTest::newRow("one name in two folders") << QStringList{"a/casa.CP", "b/casa.CP"} << 1;
    QTest::newRow("names that differ only in case") << QStringList{"a/casa.CP", "b/CASA.cp"} << 1;
    QTest::newRow("one file given twice") << QStringList{"a/casa.CP", "a/casa.CP"} << 1;
    QTest::newRow("a folder and a file of it") << QStringList{"a", "a/casa.CP"} << 1;
    QTest::newRow("different names") << QStringList{"a/casa.CP", "b/teren.CP"} << 0;
}

// Two documents of one name would write one sheet over the other while the summary counted
// both: such a run is refused before anything is written.
void tst_SheetCommand::outDirNameClashes()
{
    QFETCH(QStringList, inputs);
    QFETCH(int, code);
    QTemporaryDir dir;
    QStringList arguments;
    for (const QString& input : inputs) {
        const QString path = dir.filePath(input);
        if (!input.endsWith(QLatin1String("CP"), Qt::CaseInsensitive)) {
            arguments << path;
            continue;
        }
        QDir().mkpath(QFileInfo(path).path());
        saveDocument(path, DocumentFactory::sample(int(arguments.size()) + 3));
        arguments << path;
    }
    const QString outDir = dir.filePath(QStringLiteral("out"));
    const Result result = cli(arguments + QStringList{QStringLiteral("--out-dir"), outDir});
    QCOMPARE(result.code, code);
    if (code == 0) {
        QVERIFY(result.out.endsWith(QLatin1String("2 of 2 sheets written\n")));
        QCOMPARE(QDir(outDir).entryList(QDir::Files).size(), 2);
    } else {
        QVERIFY2(result.err.contains(QLatin1String("would both be written as")), qPrintable(result.err));
        QVERIFY(!result.out.contains(QLatin1String("sheets written")));
        QVERIFY(QDir(outDir).entryList(QDir::Files).isEmpty());
    }
}

// The sketch is drawn with text, which needs the GUI application.
QTEST_MAIN(tst_SheetCommand)
#include "tst_sheetcommand.moc"
