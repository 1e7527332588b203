#include "format/CPFile.h"
#include "support/DocumentFactory.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The shipped MIME package, compiled by the real shared-mime-info tool and asked through Qt, as a
// file manager would; and the icon sizes the theme folders promise.
class tst_filetypes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_minimal; // an empty document as the program saves it
    QByteArray m_sample;  // a document with contours

    QString fixture(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("files/" + name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    static QByteArray content(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QByteArray saved(const DocumentPtr& document, const QString& path)
    {
        CPFile file;
        file.setDocument(document);
        file.setCPFileName(path);
        return file.SaveCPFile() ? content(path) : QByteArray();
    }

private slots:
    void initTestCase()
    {
        const QString tool = QStandardPaths::findExecutable("update-mime-database");
        if (tool.isEmpty())
            QSKIP("update-mime-database (shared-mime-info) is not installed");
        const QString mime = m_dir.filePath("share/mime");
        QVERIFY(QDir().mkpath(mime + "/packages"));
        QVERIFY(QFile::copy(TestPaths::source(QStringLiteral("packaging/lotmark-mime.xml")),
                            mime + "/packages/lotmark.xml"));
        QCOMPARE(QProcess::execute(tool, {mime}), 0);
        // Before the first QMimeDatabase: Qt reads the folders once.
        qputenv("XDG_DATA_HOME", m_dir.filePath("share").toUtf8());
        qputenv("XDG_DATA_DIRS", "/usr/share");

        m_minimal = saved(std::make_shared<Document>(), m_dir.filePath("minimal.CP"));
        m_sample = saved(DocumentFactory::sample(6), m_dir.filePath("sample.CP"));
        // The magic matches the first bytes of the smallest file the program writes.
        QCOMPARE(m_minimal.size(), 68);
    }

    void typeOfFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // "minimal" and "sample" stand for the saved documents
        QTest::addColumn<QString>("type");

        const QString cp = "application/x-lotmark-cp";
        // A header the magic does not know (another version's) leaves the extension to decide.
        const QByteArray otherVersion("CP\x04\x00"
                                      "1.10\x00\x00\x00\x00\x01\x02",
                                      14);
        QTest::newRow("upper-case extension") << "casa.CP" << otherVersion << cp;
        QTest::newRow("lower-case extension") << "casa.cp" << otherVersion << cp;
        QTest::newRow("mixed-case extension") << "casa.Cp" << otherVersion << cp;
        QTest::newRow("saved document with extension") << "casa.CP" << QByteArray("sample") << cp;
        // Mail attachments and downloads lose their extension: the header alone must do.
        QTest::newRow("empty document without extension") << "fara-extensie" << QByteArray("minimal") << cp;
        QTest::newRow("document with contours without extension") << "fisa" << QByteArray("sample") << cp;
        // "CP" is a common start of text: the magic must not claim every such file.
        QTest::newRow("text starting with CP") << "note" << QByteArray("CP 12 and more text\n") << "text/plain";
        QTest::newRow("other binary starting with CP") << "blob"
                                                       << QByteArray("CP\x05\x00"
                                                                     "abc\x00\x00\x00\x00\x01\x02",
                                                                     13)
                                                       << "application/octet-stream";
        QTest::newRow("cadastral exchange file")
            << "lucrare.cgxml" << QByteArray("<?xml version=\"1.0\"?><CGXML/>") << "application/x-lotmark-cgxml";
    }

    void typeOfFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, type);
        if (bytes == "minimal")
            bytes = m_minimal;
        else if (bytes == "sample")
            bytes = m_sample;
        const QString path = fixture(name, bytes);
        QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), type);
    }

    void iconSizes_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }

    // A PNG in the wrong folder is scaled by the desktop and looks blurred or cut.
    void iconSizes()
    {
        QFETCH(int, size);
        const QImage icon(TestPaths::source(QStringLiteral("packaging/icons/png/%1/lotmark.png")).arg(size));
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
    }
};

QTEST_GUILESS_MAIN(tst_filetypes)
#include "tst_filetypes.moc"
