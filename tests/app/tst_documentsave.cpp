// The main window's save without the window: each refusal says what the user has always been
// told, in the same order, leaves the file on disk and the window's file name as they were, and
// only a written file moves the work number on.
#include "app/AppSettings.h"
#include "app/DocumentSave.h"
#include "format/CPFile.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {
const QByteArray OldBytes = "the file as it was";

// One save: a land of 100 mp with a square TEREN, a "SaveAs" from old.CP (which exists), a
// dialog answering new.CP, and work number 15 in the settings file.
struct Fixture
{
    QTemporaryDir dir;
    AppSettings settings{dir.filePath(QStringLiteral("program"))};
    ScriptedPrompter prompter;
    DocumentSave::Request request;
    QString dialogAnswer = QStringLiteral("new");
    CPFile file;

    Fixture()
    {
        settings.surveyorName = QStringLiteral("Pop Ana");
        settings.surveyorLicense = QStringLiteral("AB");
        settings.workNumber = 15;
        QVERIFY(settings.write(AppSettings::KeyWorkNumber, QStringLiteral("15")));
        QFile old(path(QStringLiteral("old.CP")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(OldBytes);

        request.document = std::make_shared<Document>();
        auto parcels = std::make_shared<Parcels>();
        parcels->Add(std::make_shared<Parcel>());
        parcels->setTotalMeasuredArea(QStringLiteral("100"));
        request.document->Land()->setParcels(parcels);
        request.list.haveCoordinates = true;
        request.list.data = square(QStringLiteral("10"));
        request.previousFileName = path(QStringLiteral("old.CP"));
        request.askFileName = [this] { return dialogAnswer.isEmpty() ? QString() : path(dialogAnswer); };
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    static CoordinateTable square(const QString& side)
    {
        const QStringList corners[] = {{"0", "0"}, {"0", side}, {side, side}, {side, "0"}};
        CoordinateTable table(4);
        for (int row = 1; row <= 4; ++row) {
            table.setCell(row, CoordinateTable::EntityColumn, QStringLiteral("TEREN"));
            table.setCell(row, CoordinateTable::NumberColumn, QString::number(row));
            table.setCell(row, CoordinateTable::XColumn, corners[row - 1][0]);
            table.setCell(row, CoordinateTable::YColumn, corners[row - 1][1]);
        }
        return table;
    }
};
using Arrange = std::function<void(Fixture&)>;

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

Q_DECLARE_METATYPE(Arrange)

class tst_documentsave : public QObject
{
    Q_OBJECT

private slots:
    void save_data()
    {
        // Texts and names say %D for the temporary folder; "written" is the file a save makes.
        QTest::addColumn<Arrange>("arrange");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<int>("workNumberAfter");

        const QString missing = QStringLiteral("Lista de entitati contine puncte fara coordonate.");
        const QString areaMismatch = QStringLiteral("Suprafata totala calculata din coordonate pentru TEREN este "
                                                    "diferita de cea introdusa in fereastra de date textuale.");
        const QString old = QStringLiteral("%D/old.CP");

        QTest::newRow("written: caption name, work number and surveyor move on")
            << Arrange([](Fixture&) {}) << QStringList{} << QStringLiteral("%D/new.CP") << QStringLiteral("%D/new.CP")
            << 16;
        QTest::newRow("extension kept as typed, in any case")
            << Arrange([](Fixture& f) { f.dialogAnswer = QStringLiteral("new.cp"); }) << QStringList{}
            << QStringLiteral("%D/new.cp") << QStringLiteral("%D/new.cp") << 16;
        QTest::newRow("comma separator reads the coordinates") << Arrange([](Fixture& f) {
            f.request.decimalSeparator = QStringLiteral(",");
            f.request.list.data = Fixture::square(QStringLiteral("10,5"));
            f.request.document->Land()->Parcels()->setTotalMeasuredArea(QStringLiteral("110,0"));
        }) << QStringList{} << QStringLiteral("%D/new.CP") << QStringLiteral("%D/new.CP")
                                                               << 16;
        QTest::newRow("no coordinates in the list")
            << Arrange([](Fixture& f) { f.request.list = {}; }) << QStringList{missing} << QString() << old << 15;
        // Never taken for a list without points: that would ask whether to save without them.
        QTest::newRow("unreadable cell") << Arrange([](Fixture& f) {
            f.request.list.data.reset();
            f.request.list.unreadableCell = QStringLiteral("Randul 3 (punctul 3): Nord nu este un numar.");
        }) << QStringList{"Randul 3 (punctul 3): Nord nu este un numar."}
                                         << QString() << old << 15;
        QTest::newRow("contour not convertible") << Arrange([](Fixture& f) {
            f.request.list.data->setCell(2, CoordinateTable::XColumn, QStringLiteral("x"));
        }) << QStringList{"13 Type mismatch"} << QString()
                                                 << old << 15;
        QTest::newRow("area mismatch") << Arrange([](Fixture& f) {
            f.request.document->Land()->Parcels()->setTotalMeasuredArea("90");
        }) << QStringList{areaMismatch} << QString()
                                       << old << 15;
        const QString noPoints = QStringLiteral(
            "Nu au fost introduse coordonate pentru entitatile cadastrale.\rDoriti sa salvati fisierul ?");
        QTest::newRow("no points, parcels: declined") << Arrange([](Fixture& f) {
            f.request.list.data = CoordinateTable();
            f.prompter.queueAnswer(Prompter::Answer::No);
        }) << QStringList{noPoints} << QString() << old
                                                      << 15;
        QTest::newRow("no points, parcels: saved anyway") << Arrange([](Fixture& f) {
            f.request.list.data = CoordinateTable();
            f.prompter.queueAnswer(Prompter::Answer::Yes);
        }) << QStringList{noPoints} << QStringLiteral("%D/new.CP")
                                                          << QStringLiteral("%D/new.CP") << 16;
        // An apartment has no contours to check, even in an unreadable list, and keeps none.
        QTest::newRow("apartment skips the list") << Arrange([](Fixture& f) {
            f.request.isApartment = true;
            f.request.list = {};
            f.request.document->Land()->setGeometry(std::make_shared<Polygon>());
        }) << QStringList{} << QStringLiteral("%D/new.CP")
                                                  << QStringLiteral("%D/new.CP") << 16;
        QTest::newRow("dialog cancelled keeps the name")
            << Arrange([](Fixture& f) { f.dialogAnswer.clear(); }) << QStringList{} << QString() << old << 15;
        QTest::newRow("a folder as file name") << Arrange([](Fixture& f) {
            QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("folder.CP")));
            f.dialogAnswer = QStringLiteral("folder.CP");
        }) << QStringList{"Numele %D/folder.CP apartine unui director. Alegeti alt nume de fisier."}
                                               << QString() << old << 15;
        QTest::newRow("chosen file exists: overwrite declined") << Arrange([](Fixture& f) {
            f.dialogAnswer = QStringLiteral("old");
            f.prompter.queueAnswer(Prompter::Answer::No);
        }) << QStringList{"Fisierul %D/old.CP exista.\rDoriti suprascrierea lui ?"}
                                                                << QString() << old << 15;
        QTest::newRow("current file: overwrite declined") << Arrange([](Fixture& f) {
            f.request.fileName = f.request.previousFileName;
            f.request.previousFileName.clear();
            f.prompter.queueAnswer(Prompter::Answer::No);
        }) << QStringList{"Confirmati suprascrierea fisierului %D/old.CP ?"}
                                                          << QString() << old << 15;
        QTest::newRow("current file: overwritten") << Arrange([](Fixture& f) {
            f.request.fileName = f.request.previousFileName;
            f.prompter.queueAnswer(Prompter::Answer::Yes);
        }) << QStringList{"Confirmati suprascrierea fisierului %D/old.CP ?"}
                                                   << old << old << 16;
        QTest::newRow("folder that does not exist")
            << Arrange([](Fixture& f) { f.dialogAnswer = QStringLiteral("gone/new.CP"); })
            << QStringList{"Calea specificata nu exista."} << QString() << old << 15;
        // A text too long for the file fails before a byte is written: the old file stays whole.
        QTest::newRow("failed write keeps the old file") << Arrange([](Fixture& f) {
            f.settings.surveyorName = QString(70000, QLatin1Char('A'));
            f.request.fileName = f.request.previousFileName;
            f.prompter.queueAnswer(Prompter::Answer::Yes);
        }) << QStringList{"Confirmati suprascrierea fisierului %D/old.CP ?", "6 Overflow"}
                                                         << QString() << old << 15;
        // The file is saved; only the number stays where it was, and the user is told why.
        QTest::newRow("settings file not writable") << Arrange([](Fixture& f) {
            QVERIFY(QFile::remove(f.settings.settingsFilePath()));
            QVERIFY(QDir().mkpath(f.settings.settingsFilePath()));
        }) << QStringList{"Fisierul %D/program/Lotmark.INI nu a putut fi scris."}
                                                    << QStringLiteral("%D/new.CP") << QStringLiteral("%D/new.CP") << 15;
    }
    void save()
    {
        QFETCH(Arrange, arrange);
        QFETCH(QStringList, said);
        QFETCH(QString, written);
        QFETCH(QString, nameAfter);
        QFETCH(int, workNumberAfter);
        Fixture f;
        QVERIFY(f.dir.isValid());
        arrange(f);
        const auto inDir = [&f](QString text) { return text.replace(QLatin1String("%D"), f.dir.path()); };
        for (QString& text : said)
            text = inDir(text);

        const DocumentSave::Outcome outcome = DocumentSave(f.file, f.settings, f.prompter).save(f.request);

        QCOMPARE(f.prompter.texts().join(" | "), said.join(" | "));
        QVERIFY(f.prompter.allUsed());
        QCOMPARE(outcome.saved, !written.isEmpty());
        QCOMPARE(outcome.fileName, inDir(nameAfter));
        QCOMPARE(int(f.settings.workNumber), workNumberAfter);
        if (QFileInfo(f.settings.settingsFilePath()).isFile()) {
            AppSettings reread(f.dir.filePath(QStringLiteral("program")));
            reread.reloadWorkNumber();
            QCOMPARE(int(reread.workNumber), workNumberAfter);
        }
        if (written != QLatin1String("%D/old.CP"))
            QCOMPARE(bytesOf(f.path(QStringLiteral("old.CP"))), OldBytes);
        if (written.isEmpty())
            return;
        CPFile loaded;
        loaded.setCPFileName(inDir(written));
        QVERIFY(loaded.LoadCPFile());
        const Document& document = *loaded.Document();
        QCOMPARE(document.SurveyorName(), QStringLiteral("Pop Ana"));
        QCOMPARE(document.SurveyorLicense(), QStringLiteral("AB"));
        QCOMPARE(document.isApartment(), f.request.isApartment);
        // The land's contour travels with a land document whose list has points, never otherwise.
        const bool contour = !f.request.isApartment && f.request.list.data && f.request.list.data->upperRow() > 0;
        QCOMPARE(bool(document.Land()->Geometry()), contour);
    }
};

QTEST_GUILESS_MAIN(tst_documentsave)
#include "tst_documentsave.moc"
