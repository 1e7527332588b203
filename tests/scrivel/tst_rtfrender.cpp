#include "scrivel/ImageFile.h"
#include "scrivel/RTFDoc.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Opens a composed sheet in LibreOffice, the reader on our users' Linux desktops, and checks
// what it shows: the Romanian letters, the table's borders and the picture.
class tst_RTFRender : public QObject
{
    Q_OBJECT

private slots:
    void sheetRendersInLibreOffice();

private:
    static bool run(const QString& program, const QStringList& arguments, const QString& folder, QByteArray* out);
};

bool tst_RTFRender::run(const QString& program, const QStringList& arguments, const QString& folder, QByteArray* out)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(180000))
        return false;
    if (out)
        *out = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void tst_RTFRender::sheetRendersInLibreOffice()
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftotext.isEmpty() || pdftoppm.isEmpty())
        QSKIP("poppler-utils is not installed");

    const QString letters = QStringLiteral("ă â î ș ț Ș Ț Ă Â Î");
    RTFDoc doc;
    const int times = doc.Fonts(QStringLiteral("Times New Roman"));
    const int black = doc.Colors(0, 0, 0);
    QVERIFY(doc.PaperFormat(297, 210, 20, 20, 12.5, 10, false));
    QVERIFY(doc.AddText(
        doc.DefineTextData(QStringLiteral("Litere: ") + letters, times, black, 0, 14, true, false, false), true));
    QVERIFY(doc.AddEmptyLines(1));
    QVERIFY(doc.DefineTable(2, 3, 0, 1, 0, 1));
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= 3; ++column)
            QVERIFY(doc.AddTableCell(row, column,
                                     doc.DefineTextData(QStringLiteral("r%1 c%2").arg(row).arg(column), times, black, 0,
                                                        10, false, false, false),
                                     50.0 * column, 0, true, true));
    QVERIFY(doc.EndTable());
    QVERIFY(doc.AddEmptyLines(2));
    QVERIFY(doc.AddShapeRectangle(20, 120, 0, 0, 25, 15, 3, 0, 1));

    ImageFile picture;
    QVERIFY(picture.CreateBlank(300, 200, 0xFF0000));                      // blue + 256 green + 65536 red: pure red
    QVERIFY(picture.CreateBlank(300, 200, QByteArray("\xFF\x00\x00", 3))); // blue
    QVERIFY(doc.AddShapePicture(200, 450, 0, 0, 150, 100, 3, 0, 2, picture.SavePictureToArray(picture.Picture()),
                                picture.Height(), picture.Width()));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString rtf = dir.filePath(QStringLiteral("fisa.rtf"));
    QVERIFY(doc.SaveAndClose(rtf));

    // A profile of its own: two runs sharing one fail.
    const QStringList convert{QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("profile")),
                              QStringLiteral("--headless"),
                              QStringLiteral("--convert-to"),
                              QStringLiteral("pdf"),
                              QStringLiteral("--outdir"),
                              dir.path(),
                              rtf};
    QVERIFY(run(soffice, convert, dir.path(), nullptr));
    // LibreOffice exits 0 even when it could not load the file.
    const QString pdf = dir.filePath(QStringLiteral("fisa.pdf"));
    QVERIFY2(QFile::exists(pdf), "LibreOffice did not produce a PDF");

    QByteArray text;
    QVERIFY(run(pdftotext, {pdf, QStringLiteral("-")}, dir.path(), &text));
    QVERIFY2(QString::fromUtf8(text).contains(letters), text.constData());
    QVERIFY(QString::fromUtf8(text).contains(QStringLiteral("r2 c3")));

    QVERIFY(run(pdftoppm,
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                 dir.filePath(QStringLiteral("page"))},
                dir.path(), nullptr));
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    QVERIFY(!page.isNull());
    // For a look by eye: SCRIVEL_KEEP_RENDER=/tmp/page.png keeps the page and the RTF beside it.
    if (!qEnvironmentVariableIsEmpty("SCRIVEL_KEEP_RENDER")) {
        page.save(qEnvironmentVariable("SCRIVEL_KEEP_RENDER"));
        QFile::copy(rtf, qEnvironmentVariable("SCRIVEL_KEEP_RENDER") + QStringLiteral(".rtf"));
    }

    // The table is 150 mm of a 210 mm page: its borders are the only dark lines longer than
    // half the page. Two rows have three of them.
    int borderLines = 0;
    bool previous = false;
    int bluePixels = 0;
    for (int y = 0; y < page.height(); ++y) {
        int longest = 0, run = 0;
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            run = qGray(pixel) < 128 ? run + 1 : 0;
            longest = std::max(longest, run);
            if (qBlue(pixel) > 180 && qRed(pixel) < 80 && qGreen(pixel) < 80)
                ++bluePixels;
        }
        const bool line = longest > page.width() / 2;
        if (line && !previous)
            ++borderLines;
        previous = line;
    }
    QCOMPARE(borderLines, 3);
    // 150 x 100 points at 50 dpi is about 104 x 69 pixels.
    QVERIFY2(bluePixels > 5000, qPrintable(QString::number(bluePixels)));
}

QTEST_GUILESS_MAIN(tst_RTFRender)
#include "tst_rtfrender.moc"
