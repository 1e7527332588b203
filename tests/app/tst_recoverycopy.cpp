// The recovery copy: what it keeps of a form that does not validate yet, finding it again,
// and no offer, no crash and no message from a damaged copy or an unwritable folder.
#include "app/RecoveryCopy.h"
#include "app/RecoverySlot.h"
#include "entry/FormMapping.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QDateTime At(QDate(2026, 3, 14), QTime(9, 26));

// A land document such as a half-filled form gives: an owner without a first name, a
// parcel numbered "1a", an empty row left in the grid.
FormData halfFilledForm()
{
    FormData form;
    form.county = QStringLiteral("ALBA");
    form.streetText = QStringLiteral("Motilor");
    form.hasStreetList = false;
    form.owners.rows = {{QStringLiteral("Pop"), QString()}, {QString(), QStringLiteral(" ")}};
    form.parcels.rows = {{QStringLiteral("1a"), QStringLiteral("CC"), QString(), QStringLiteral("52O")},
                         {QStringLiteral("2"), QStringLiteral("A")}};
    form.buildings.rows = {{QStringLiteral("C1"), QString(), QStringLiteral("80")}};
    form.parcelsLegalTotal = QStringLiteral("abc");
    return form;
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

class tst_recoverycopy : public QObject
{
    Q_OBJECT

private slots:
    // Every cell the user typed survives, checked or not.
    void draftKeepsWhatValidationWouldRefuse()
    {
        const DocumentPtr document = FormMapping::draftDocument(halfFilledForm());
        const Land& land = *document->Land();
        QCOMPARE(land.Owners()->Count(), 1); // the blank row is no owner
        QCOMPARE(land.Owners()->Item(1)->LastName(), QStringLiteral("POP"));
        QCOMPARE(land.Parcels()->Count(), 2);
        QCOMPARE(int(land.Parcels()->Item(1)->No()), 0); // "1a" cannot be a parcel number
        QCOMPARE(land.Parcels()->Item(1)->MeasuredArea(), QStringLiteral("52O"));
        QCOMPARE(int(land.Parcels()->Item(2)->No()), 2);
        QCOMPARE(land.Parcels()->TotalLegalArea(), QStringLiteral("abc"));
        QCOMPARE(land.Buildings()->Item(1)->No(), QStringLiteral("C1"));
        QCOMPARE(land.Address()->StreetName(), QStringLiteral("Motilor"));
    }

    void writtenCopyIsFoundAgain_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<RecoveryCopy::ListRows>("rows");
        QTest::addColumn<QString>("offer");
        QTest::newRow("named file, half-typed rows")
            << QStringLiteral("/home/ana/Lucrari/AB-16-2026.CP")
            << RecoveryCopy::ListRows{{"TEREN", "1", "500,120", "400,5"}, {"C7", "2", "abc", ""}}
            << QStringLiteral("Doriti recuperarea documentului nesalvat /home/ana/Lucrari/AB-16-2026.CP din "
                              "14.03.2026 09:26 ?");
        QTest::newRow("never saved, empty list")
            << QString() << RecoveryCopy::ListRows{}
            << QStringLiteral("Doriti recuperarea documentului nesalvat (fara nume) din 14.03.2026 09:26 ?");
    }
    void writtenCopyIsFoundAgain()
    {
        QFETCH(QString, original);
        QFETCH(RecoveryCopy::ListRows, rows);
        QFETCH(QString, offer);
        QTemporaryDir dir;
        const RecoveryCopy copy(dir.filePath("deep/recovery"));
        QVERIFY(!copy.find());
        QVERIFY(copy.write(*FormMapping::draftDocument(halfFilledForm()), original, At, rows));
        const auto found = copy.find();
        QVERIFY(found);
        QCOMPARE(found->originalName, original);
        QCOMPARE(found->savedAt, At);
        QCOMPARE(found->rows, rows);
        QCOMPARE(found->document->Land()->Parcels()->Item(1)->MeasuredArea(), QStringLiteral("52O"));
        QCOMPARE(RecoveryCopy::offerText(*found), offer);
        copy.discard();
        QVERIFY(!copy.find());
        QVERIFY(!QFile::exists(copy.copyPath()) && !QFile::exists(copy.sidecarPath()));
    }

    // A copy cut short by the crash itself, or tampered with, is never offered, never crashes
    // the start, and does not stay to be tried at every start.
    void damagedCopyIsNoOffer_data()
    {
        QTest::addColumn<QByteArray>("sidecar"); // empty: the one written
        QTest::addColumn<int>("copyBytes");      // bytes of the .CP kept; -1 all, -2 removed
        QTest::newRow("sidecar not JSON") << QByteArray("{\"original\": \"a.CP\", \"sav") << -1;
        QTest::newRow("sidecar empty file") << QByteArray(" ") << -1;
        QTest::newRow("time missing") << QByteArray(R"({"original":"a","rows":[]})") << -1;
        QTest::newRow("time not a time") << QByteArray(R"({"original":"a","savedAt":"ieri","rows":[]})") << -1;
        QTest::newRow("name not a text") << QByteArray(R"({"original":5,"savedAt":"2026-03-14T09:26:00","rows":[]})")
                                         << -1;
        QTest::newRow("row of three cells")
            << QByteArray(R"({"original":"","savedAt":"2026-03-14T09:26:00","rows":[["TEREN","1","2"]]})") << -1;
        QTest::newRow("cell a number")
            << QByteArray(R"({"original":"","savedAt":"2026-03-14T09:26:00","rows":[["TEREN","1",2,"3"]]})") << -1;
        QTest::newRow("copy cut short") << QByteArray() << 40;
        QTest::newRow("copy missing") << QByteArray() << -2;
    }
    void damagedCopyIsNoOffer()
    {
        QFETCH(QByteArray, sidecar);
        QFETCH(int, copyBytes);
        QTemporaryDir dir;
        const RecoveryCopy copy(dir.path());
        QVERIFY(copy.write(*FormMapping::draftDocument(halfFilledForm()), "a.CP", At, {{"TEREN", "1", "2", "3"}}));
        if (!sidecar.isEmpty())
            writeText(copy.sidecarPath(), sidecar);
        if (copyBytes == -2)
            QFile::remove(copy.copyPath());
        else if (copyBytes >= 0)
            QVERIFY(QFile::resize(copy.copyPath(), copyBytes));
        QVERIFY(!copy.find());
        QVERIFY(!QFile::exists(copy.sidecarPath()));
        QVERIFY(!copy.find());
    }

    // Nowhere to write: write() says so and leaves nothing half-made; it may be tried again.
    void unwritableFolderFailsQuietly_data()
    {
        QTest::addColumn<QString>("blocker"); // a file standing where a folder must be
        QTest::addColumn<QString>("folder");
        QTest::newRow("the folder is a file") << QStringLiteral("recovery") << QStringLiteral("recovery");
        QTest::newRow("its parent is a file") << QStringLiteral("Lotmark") << QStringLiteral("Lotmark/recovery");
    }
    void unwritableFolderFailsQuietly()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        writeText(dir.filePath(blocker), "x");
        const RecoveryCopy copy(dir.filePath(folder));
        Error error;
        for (int attempt = 0; attempt < 3; ++attempt)
            QVERIFY(!copy.write(*FormMapping::draftDocument(halfFilledForm()), "a.CP", At, {}, &error));
        QVERIFY(error.number != 0);
        QVERIFY(!copy.find());
        copy.discard();
    }

    // Windows running side by side each keep their own copy: a second one neither writes over
    // nor deletes the first one's, and sees it as an orphan only once the first has let go.
    void runningWindowsKeepApart()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("recovery");
        auto first = std::make_unique<RecoverySlot>(folder);
        QVERIFY(first->isClaimed());
        QCOMPARE(first->copy().sidecarPath(), RecoveryCopy(folder).sidecarPath());
        QVERIFY(first->copy().write(*FormMapping::draftDocument(halfFilledForm()), "first.CP", At, {}));
        RecoverySlot second(folder);
        QVERIFY(second.isClaimed());
        QVERIFY(second.copy().sidecarPath() != first->copy().sidecarPath());
        QVERIFY(!second.findOrphan()); // held by a running window
        QVERIFY(second.copy().write(*FormMapping::draftDocument(halfFilledForm()), "second.CP", At, {}));
        second.copy().discard();
        QCOMPARE(first->copy().find()->originalName, QStringLiteral("first.CP"));
        first.reset(); // the first window went without deleting its copy
        const auto orphan = second.findOrphan();
        QVERIFY(orphan);
        QCOMPARE(orphan->found.originalName, QStringLiteral("first.CP"));
        // While looked at, the orphan is locked: a window starting now takes another slot.
        RecoverySlot third(folder);
        QVERIFY(third.isClaimed());
        QVERIFY(third.copy().sidecarPath() != orphan->copy.sidecarPath());
    }

    // Every slot held, or no folder to lock in: nothing is claimed, nothing is written.
    void noFreeSlotClaimsNothing()
    {
        QTemporaryDir dir;
        std::vector<std::unique_ptr<RecoverySlot>> held;
        for (int slot = 1; slot <= RecoverySlot::MaxSlots; ++slot) {
            held.push_back(std::make_unique<RecoverySlot>(dir.path()));
            QVERIFY(held.back()->isClaimed());
        }
        QVERIFY(!RecoverySlot(dir.path()).isClaimed());
        writeText(dir.filePath("file"), "x");
        QVERIFY(!RecoverySlot(dir.filePath("file/recovery")).isClaimed());
    }
};

QTEST_GUILESS_MAIN(tst_recoverycopy)
#include "tst_recoverycopy.moc"
