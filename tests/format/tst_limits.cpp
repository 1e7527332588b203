// The format's limits, each reached: the last value that fits is kept whole, the first that does
// not is refused with a message and leaves things as they were (no wrap-around, no crash).
#include "coordlist/CoordinateList.h"
#include "format/CPFile.h"
#include "geometry/Transform.h"
#include "scrivel/RTFDoc.h"
#include "support/DocumentFactory.h"
#include "support/ScriptedPrompter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString pasteLines(int count, double firstEst = 500000.0)
{
    QString text;
    text.reserve(count * 24);
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("%1 %2 400000\r\n").arg(i).arg(firstEst + i, 0, 'f', 2);
    return text;
}

// A .CP header with the given counts and nothing after them.
QByteArray headerWithCounts(qint16 owners, qint16 parcels, qint16 buildings, qint16 points)
{
    QByteArray bytes("\x01\x00", 2);
    auto text = [&bytes](const QByteArray& value) {
        bytes.append(char(value.size() & 0xff)).append(char(value.size() >> 8)).append(value);
    };
    auto int16 = [&bytes](qint16 value) { bytes.append(char(value & 0xff)).append(char((value >> 8) & 0xff)); };
    text("v1.0.18");
    text("");
    text("");
    bytes.append(QByteArray(4, '\0')); // SIRUTA
    bytes.append('\0');                // IE code
    for (int i = 0; i < 12; ++i)
        text("");
    int16(0);
    int16(owners);
    int16(parcels);
    int16(buildings);
    int16(points);
    for (int i = 0; i < 9; ++i)
        text("");
    return bytes;
}

// count contours of one point each, named C1, C2, ... (the most a table of N rows can hold).
PolygonsPtr onePointPolygons(int count)
{
    auto polygons = std::make_shared<Polygons>();
    for (int i = 1; i <= count; ++i) {
        auto point = std::make_shared<Point>();
        point->setNo(QString::number(i));
        point->setX(500000.0 + i);
        point->setY(400000.0);
        auto points = std::make_shared<Points>();
        points->Add(point);
        auto polygon = std::make_shared<Polygon>();
        polygon->setName(QStringLiteral("C%1").arg(i));
        polygon->setPoints(points);
        polygons->Add(polygon);
    }
    return polygons;
}
} // namespace

class tst_limits : public QObject
{
    Q_OBJECT

private slots:
    // Counts of points, owners, parcels and buildings are 16-bit in the file: 32,767 saves and
    // reads back the same, 32,768 fails with "6 Overflow" and leaves the old file.
    void cpFileCounts_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("owners");
        QTest::addColumn<int>("parcels");
        QTest::addColumn<int>("buildings");
        QTest::addColumn<bool>("fits");
        QTest::newRow("32767 points") << 32767 << 1 << 1 << 3 << true;
        QTest::newRow("32768 points") << 32768 << 1 << 1 << 3 << false;
        QTest::newRow("32767 owners") << 40 << 32767 << 1 << 3 << true;
        QTest::newRow("32768 owners") << 40 << 32768 << 1 << 3 << false;
        QTest::newRow("32768 parcels") << 40 << 1 << 32768 << 3 << false;
        QTest::newRow("32768 buildings") << 40 << 1 << 1 << 32768 << false;
    }
    void cpFileCounts()
    {
        QFETCH(int, points);
        QFETCH(int, owners);
        QFETCH(int, parcels);
        QFETCH(int, buildings);
        QFETCH(bool, fits);
        QTemporaryDir dir;
        const QString path = dir.filePath("LIMITA.CP");
        CPFile old(QStringLiteral(","));
        old.setCPFileName(path);
        old.setDocument(DocumentFactory::sample(5));
        QVERIFY(old.SaveCPFile());
        const QByteArray before = readAll(path);

        CPFile file(QStringLiteral(","));
        file.setCPFileName(path);
        file.setDocument(DocumentFactory::large(points, buildings > 100 ? 3 : buildings, owners, parcels));
        if (buildings > 100) {
            // More buildings than the factory places contours for: plain records.
            auto& list = *file.Document()->Land()->Buildings();
            while (list.Count() < buildings)
                list.Add(std::make_shared<Build>());
        }
        Error error;
        QCOMPARE(file.SaveCPFile(&error), fits);
        if (!fits) {
            QCOMPARE(error.text(), QString("6 Overflow"));
            QCOMPARE(readAll(path), before);
            return;
        }
        const QByteArray saved = readAll(path);
        CPFile again(QStringLiteral(","));
        again.setCPFileName(path);
        QVERIFY(again.LoadCPFile(&error));
        QCOMPARE(again.Document()->Land()->Owners()->Count(), owners);
        QCOMPARE(again.compose(), saved);
    }

    // Texts carry a 16-bit length: 65,535 bytes save and read back, 65,536 fail with "6 Overflow".
    void cpFileTextLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("fits");
        QTest::newRow("65535") << 65535 << true;
        QTest::newRow("65536") << 65536 << false;
        QTest::newRow("100000") << 100000 << false;
    }
    void cpFileTextLength()
    {
        QFETCH(int, length);
        QFETCH(bool, fits);
        CPFile file(QStringLiteral(","));
        DocumentPtr document = DocumentFactory::sample(5);
        document->Land()->Owners()->Item(1)->setLastName(QString(length, QLatin1Char('a')));
        file.setDocument(document);
        QByteArray bytes;
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::WriteOnly));
        Error error;
        QCOMPARE(file.save(&device, &error), fits);
        if (!fits) {
            QCOMPARE(error.text(), QString("6 Overflow"));
            QVERIFY(bytes.isEmpty());
            return;
        }
        device.close();
        QVERIFY(device.open(QIODevice::ReadOnly));
        CPFile again(QStringLiteral(","));
        QVERIFY(again.load(&device, &error));
        QCOMPARE(again.Document()->Land()->Owners()->Item(1)->LastName().size(), length);
    }

    // A damaged file whose counts say 32,767 (or a negative number) and that ends right after
    // them: "62 Input past end of file" at once, nothing allocated from the counts.
    void cpFileCorruptCounts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("32767 owners") << headerWithCounts(32767, 0, 0, 0) << "62 Input past end of file";
        QTest::newRow("32767 parcels") << headerWithCounts(0, 32767, 0, 0) << "62 Input past end of file";
        QTest::newRow("32767 buildings") << headerWithCounts(0, 0, 32767, 0) << "62 Input past end of file";
        QTest::newRow("32767 points") << headerWithCounts(0, 0, 0, 32767) << "62 Input past end of file";
        QTest::newRow("negative counts read as none") << headerWithCounts(-1, -32768, -5, -1) << "";
        QByteArray longText = headerWithCounts(1, 0, 0, 0);
        longText.append("\xff\xff", 2).append("only a few bytes");
        QTest::newRow("text of 65535 bytes cut short") << longText << "62 Input past end of file";
    }
    void cpFileCorruptCounts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QBuffer device(&bytes);
        QVERIFY(device.open(QIODevice::ReadOnly));
        CPFile file(QStringLiteral(","));
        Error error;
        QCOMPARE(file.load(&device, &error), message.isEmpty());
        QCOMPARE(error.number == 0 ? QString() : error.text(), message);
    }

    // The RTF body holds 32,767 lines: the next line is refused with "6 Overflow" and the body
    // keeps its 32,767 lines.
    void rtfLines()
    {
        RTFDoc doc;
        for (int i = 1; i <= 32767; ++i) {
            if (!doc.AddText(QStringLiteral("r"), true))
                QFAIL(qPrintable(QStringLiteral("line %1 refused").arg(i)));
        }
        QCOMPARE(doc.lineCount(), 32767);
        QVERIFY(!doc.AddText(QStringLiteral("one more"), true));
        QCOMPARE(doc.lastError().number, 6);
        QVERIFY(!doc.AddEmptyLines(1));
        QCOMPARE(doc.lineCount(), 32767);
        QVERIFY(doc.toRtf().trimmed().endsWith("}"));
    }

    // The coordinate list holds 32,767 rows: a paste of 32,767 lines fills it, a 32,768th row
    // is refused with a message, and a longer paste is refused whole.
    void coordinateRows()
    {
        ScriptedPrompter prompter;
        CoordinateList list(&prompter, QStringLiteral("."));
        list.setDelimiters({QStringLiteral(" ")});
        list.setDecimalNumber(2);
        QVERIFY(list.PasteText(pasteLines(32767)));
        QCOMPARE(prompter.texts(), QStringList());
        QCOMPARE(list.rowCount(), 32767);
        list.setCurrentCell(32767, CoordinateList::EstColumn);
        list.AddNewRow();
        QCOMPARE(prompter.texts(), QStringList{"6 Overflow"});
        QCOMPARE(list.rowCount(), 32767);

        ScriptedPrompter other;
        CoordinateList fresh(&other, QStringLiteral("."));
        fresh.setDelimiters({QStringLiteral(" ")});
        const int before = fresh.rowCount();
        QVERIFY(!fresh.PasteText(pasteLines(32768)));
        QCOMPARE(other.log().size(), 1);
        QVERIFY(other.texts().first().contains(QStringLiteral("Overflow")));
        QCOMPARE(fresh.rowCount(), before);
    }

    // 32,767 contours fit in the coordinate list (one row each at the least); the 32,768th is
    // refused as "6 Overflow" and the list keeps what it showed.
    void polygonCount()
    {
        ScriptedPrompter prompter;
        CoordinateList list(&prompter, QStringLiteral("."));
        Transform fits(QStringLiteral("."));
        fits.setPolygonCollection(onePointPolygons(32767));
        QVERIFY(fits.PolygonCollectionToArray());
        Error error;
        QVERIFY(list.setData(fits.TransformArray(), &error));
        QCOMPARE(list.rowCount(), 32767);
        QCOMPARE(list.cell(32767, CoordinateList::EntityColumn), QStringLiteral("C32767"));

        Transform tooMany(QStringLiteral("."));
        tooMany.setPolygonCollection(onePointPolygons(32768));
        QVERIFY(tooMany.PolygonCollectionToArray());
        QVERIFY(!list.setData(tooMany.TransformArray(), &error));
        QCOMPARE(error.description, QStringLiteral("Overflow"));
        QCOMPARE(error.number, 6);
        QCOMPARE(list.rowCount(), 32767);
        QCOMPARE(list.cell(32767, CoordinateList::EntityColumn), QStringLiteral("C32767"));
    }

    // Coordinates above 1,000,000 are refused cell by cell with a message; the cell keeps what
    // it held and 1,000,000 itself is taken.
    void coordinatesAboveAMillion_data()
    {
        QTest::addColumn<QString>("est");
        QTest::addColumn<QString>("message");
        const QString overBound = QStringLiteral("Valoarea coordonatelor depaseste ordinul milioanelor.");
        QTest::newRow("1000000") << "1000000" << QString();
        QTest::newRow("1000000.01") << "1000000.01" << overBound;
        QTest::newRow("1e7") << "10000000" << overBound;
        // Past what a double holds: not a number at all.
        QTest::newRow("400 digits") << QString(400, QLatin1Char('9')) << "Linia 1: 13 Type mismatch";
    }
    void coordinatesAboveAMillion()
    {
        QFETCH(QString, est);
        QFETCH(QString, message);
        ScriptedPrompter prompter;
        CoordinateList list(&prompter, QStringLiteral("."));
        list.setDelimiters({QStringLiteral(" ")});
        list.setDecimalNumber(2);
        QVERIFY(list.PasteText(QStringLiteral("1 500000 400000\r\n2 500010 400010")));
        prompter.queueAnswer(Prompter::Answer::Yes); // the paste overwrites row 1
        list.setCurrentCell(1, CoordinateList::EntityColumn);
        list.PasteText(QStringLiteral("1 ") + est + QStringLiteral(" 400000"));
        QStringList messages;
        for (const ScriptedPrompter::Entry& entry : prompter.log()) {
            if (entry.kind == ScriptedPrompter::Entry::Message)
                messages << entry.text;
        }
        if (message.isEmpty()) {
            QCOMPARE(messages, QStringList());
            QCOMPARE(list.cell(1, CoordinateList::EstColumn), QString("1000000.00"));
        } else {
            QCOMPARE(messages, QStringList{message});
            QCOMPARE(list.cell(1, CoordinateList::EstColumn), QString("500000.00"));
        }
        QCOMPARE(list.cell(1, CoordinateList::NordColumn), QString("400000.00"));
        QCOMPARE(list.rowCount(), 2);
    }
};

QTEST_GUILESS_MAIN(tst_limits)
#include "tst_limits.moc"
