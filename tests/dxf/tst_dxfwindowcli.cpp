// The same drawing with the same ties gives the same document whether the surveyor imports it
// in the window and saves, or runs `lotmark-cli import-dxf --cp`: both attach the contours by
// one rule. Faults caught: a building matched by one side and not the other, contours of the
// old document left on one side, a different land contour, different point numbers.
#include "app/ui/frmMain.h"
#include "base/NumberText.h"
#include "dxf/DxfImportWizard.h"
#include "format/CPFile.h"
#include "format/DocumentJson.h"
#include "support/CliRun.h"
#include "support/CreateMainWindow.h"
#include "support/TestPaths.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

using Ties = QList<QPair<int, int>>; // polyline position -> building number

QString drawing()
{
    return TestPaths::testData(QStringLiteral("dxf/parcels_r12.dxf"));
}

// The wizard's pages as the surveyor goes through them: the land's polyline on page 1, each
// building's on page 2, then OK.
DXFEntitiesPtr importLikeTheSurveyor(int land, const Ties& ties)
{
    ScriptedPrompter prompter;
    for (int i = 0; i < 2 * ties.size() + 4; ++i)
        prompter.queueAnswer(Prompter::Answer::Yes);
    DxfImportWizard wizard(prompter, QStringLiteral("."));
    wizard.setAreaSize(7200, 5400);
    wizard.openFile(drawing());
    const auto rowOf = [&wizard](int position) {
        for (std::size_t row = 0; row < wizard.lines().size(); ++row) {
            if (wizard.lines()[row].position == position)
                return int(row);
        }
        return -1;
    };
    wizard.next();
    wizard.chooseLayer(int(wizard.layerNames().indexOf(wizard.polylines().layerName(land))));
    wizard.clickLine(rowOf(land));
    wizard.next();
    for (const auto& [position, number] : ties) {
        wizard.clickLine(rowOf(position));
        wizard.setNumberText(QString::number(number));
        wizard.associate();
    }
    wizard.next();
    return wizard.exit() ? wizard.result() : nullptr;
}

// The document without what only the window adds on a save (the surveyor from the settings).
QJsonObject contentOf(const QString& path)
{
    CPFile file(QStringLiteral("."));
    file.setCPFileName(path);
    Error error;
    if (!file.LoadCPFile(&error))
        return {{QStringLiteral("error"), error.text()}};
    QJsonObject json = DocumentJson::toJson(file);
    json.remove(QStringLiteral("SurveyorName"));
    json.remove(QStringLiteral("SurveyorLicense"));
    return json;
}

// Rounded as the checks before a save round it (1634.5 is 1634).
int roundedArea(const PolygonPtr& polygon)
{
    return int(NumberText::roundHalfEven(polygon->Area()));
}

// The examples' land document with the measured areas of the contours it will receive, so
// that the window's checks before a save pass.
QString startDocument(const QString& folder, int land, const Ties& ties)
{
    const DXFEntitiesPtr entities = importLikeTheSurveyor(land, ties);
    if (!entities || entities->Count() != 1 + ties.size())
        return QString();
    QFile example(TestPaths::source(QStringLiteral("docs/examples/sample-land.json")));
    example.open(QIODevice::ReadOnly);
    QJsonObject document = QJsonDocument::fromJson(example.readAll()).object();
    QJsonObject landJson = document[QStringLiteral("Land")].toObject();
    QJsonObject parcels = landJson[QStringLiteral("Parcels")].toObject();
    QJsonArray parcelItems = parcels[QStringLiteral("Items")].toArray();
    const int landArea = roundedArea(entities->Item(1)->Polygon());
    QJsonObject first = parcelItems[0].toObject();
    first[QStringLiteral("MeasuredArea")] = QString::number(landArea - 400);
    parcelItems[0] = first;
    parcels[QStringLiteral("Items")] = parcelItems;
    parcels[QStringLiteral("TotalMeasuredArea")] = QString::number(landArea);
    landJson[QStringLiteral("Parcels")] = parcels;
    QJsonObject buildings = landJson[QStringLiteral("Buildings")].toObject();
    QJsonArray buildingItems = buildings[QStringLiteral("Items")].toArray();
    int total = 0;
    for (int i = 0; i < buildingItems.size(); ++i) {
        QJsonObject building = buildingItems[i].toObject();
        const PolygonPtr contour = entities->Item(i + 2)->Polygon();
        building[QStringLiteral("No")] = contour->Name();
        building[QStringLiteral("MeasuredArea")] = QString::number(roundedArea(contour));
        total += roundedArea(contour);
        buildingItems[i] = building;
    }
    buildings[QStringLiteral("Items")] = buildingItems;
    buildings[QStringLiteral("TotalMeasuredArea")] = QString::number(total);
    landJson[QStringLiteral("Buildings")] = buildings;
    document[QStringLiteral("Land")] = landJson;
    const QString json = folder + QStringLiteral("/start.json");
    QFile out(json);
    out.open(QIODevice::WriteOnly);
    out.write(QJsonDocument(document).toJson());
    out.close();
    const QString path = folder + QStringLiteral("/start.CP");
    return runCliCaptured({QStringLiteral("build"), json, QStringLiteral("-o"), path}).code == 0 ? path : QString();
}

} // namespace

class tst_DxfWindowCli : public QObject
{
    Q_OBJECT

private slots:
    void sameDocument_data()
    {
        QTest::addColumn<int>("land");
        QTest::addColumn<Ties>("ties");
        QTest::newRow("buildings in the drawing's order") << 1 << Ties{{2, 1}, {3, 2}};
        QTest::newRow("buildings in reverse order") << 1 << Ties{{3, 1}, {2, 2}};
        QTest::newRow("the six-point building") << 1 << Ties{{5, 1}, {2, 2}};
    }

    void sameDocument()
    {
        QFETCH(int, land);
        QFETCH(Ties, ties);
        std::unique_ptr<ProgramFolder> folder;
        std::unique_ptr<AppSettings> settings;
        std::unique_ptr<ScriptedPrompter> prompter;
        std::unique_ptr<frmMain> window;
        createMainWindow(folder, settings, prompter, window);
        const QString start = startDocument(folder->dir.path(), land, ties);
        QVERIFY(!start.isEmpty());

        QStringList arguments{QStringLiteral("import-dxf"), drawing(), QStringLiteral("--land"), QString::number(land)};
        for (const auto& [position, number] : ties)
            arguments << QStringLiteral("--building") << QStringLiteral("%1=%2").arg(position).arg(number);
        const QString byCli = folder->path(QStringLiteral("cli.CP"));
        const CliResult cli =
            runCliCaptured(arguments + QStringList{QStringLiteral("--cp"), start, QStringLiteral("-o"), byCli});
        QVERIFY2(cli.code == 0, qPrintable(cli.err));

        window->LoadIntoWindow(start);
        window->setDxfWizardShower([&] { return importLikeTheSurveyor(land, ties); });
        window->runCommand(QStringLiteral("ImportDXF"));
        const QString byWindow = folder->path(QStringLiteral("window"));
        prompter->queueFileName(byWindow);
        window->runCommand(QStringLiteral("SaveAs"));
        QVERIFY2(QFile::exists(byWindow + QStringLiteral(".CP")),
                 qPrintable(prompter->texts().join(QStringLiteral(" | "))));

        const QJsonObject fromCli = contentOf(byCli);
        const QJsonObject fromWindow = contentOf(byWindow + QStringLiteral(".CP"));
        QCOMPARE(QJsonDocument(fromWindow).toJson(), QJsonDocument(fromCli).toJson());
        // And the drawing did reach both: the land is the drawing's, not the old document's.
        const QJsonObject landJson = fromCli[QStringLiteral("Land")].toObject();
        QCOMPARE(landJson[QStringLiteral("Geometry")].toObject()[QStringLiteral("Points")].toArray().size(), 5);
    }
};

QTEST_MAIN(tst_DxfWindowCli)
#include "tst_dxfwindowcli.moc"
