// Every fixed text of the property sheet as the user reads it, and the dash that stands for a
// total of "0" (and only for "0").
#include "report/Fisa.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

namespace {

// A land of one parcel, one building and one owner, with the four totals given.
LandPtr landWithTotals(const QString& parcelsMeasured, const QString& buildingsMeasured, const QString& parcelsLegal,
                       const QString& buildingsLegal)
{
    auto land = std::make_shared<Land>();
    land->setAddress(std::make_shared<Address>());
    auto parcels = std::make_shared<Parcels>();
    parcels->Add(std::make_shared<Parcel>());
    parcels->setTotalMeasuredArea(parcelsMeasured);
    parcels->setTotalLegalArea(parcelsLegal);
    land->setParcels(parcels);
    auto buildings = std::make_shared<Buildings>();
    buildings->Add(std::make_shared<Build>());
    buildings->setTotalMeasuredArea(buildingsMeasured);
    buildings->setTotalLegalArea(buildingsLegal);
    land->setBuildings(buildings);
    auto owners = std::make_shared<Owners>();
    owners->Add(std::make_shared<Owner>());
    land->setOwners(owners);
    return land;
}

// The sheet's RTF with its \'xx escapes read back through the 8-bit code page.
QString sheetText(const LandPtr& land)
{
    Fisa sheet;
    sheet.setSIRUTA(QStringLiteral("1071"));
    sheet.setSurveyorName(QStringLiteral("Popescu Ion"));
    sheet.setDateText(QStringLiteral("07.12.2026"));
    sheet.setLand(land);
    const QByteArray rtf = sheet.composeSheet();
    QByteArray plain;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.mid(i, 2) == "\\'" && i + 4 <= rtf.size()) {
            plain += char(rtf.mid(i + 2, 2).toInt(nullptr, 16));
            i += 3;
        } else {
            plain += rtf[i];
        }
    }
    return QStringDecoder("windows-1250").decode(plain);
}

} // namespace

class tst_SheetTexts : public QObject
{
    Q_OBJECT

private slots:
    // Each text once as a run of its own (a blank after the control word, " \" after it),
    // unless the sheet holds it in several tables.
    void fixedTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        const QList<std::pair<const char*, int>> texts{
            {"FISA CORPULUI DE PROPRIETATE", 1},
            {"         SCHITA CORPULUI DE PROPRIETATE", 1},
            {"A. DATE REFERITOARE LA TEREN", 1},
            {"B. DATE REFERITOARE LA CONSTRUCTII", 1},
            {"C. DATE REFERITOARE LA PROPRIETAR", 1},
            {"Judetul:", 1},
            {"Teritoriu Administrativ:", 1},
            {"Cod SIRUTA:", 1},
            {"1071", 1},
            {"Intravilan/Extravilan", 1},
            {"Sectiune plan:", 1},
            {"Nr. sector cadastral:", 1},
            {"Nr. cadastral:", 1},
            // The code page has no a-tilde; the sheet writes the Romanian letter it stands for.
            {"Nr. carte funciar\u0103:", 1},
            {"Nr. parcela", 1},
            {"Categorie folosinta", 1},
            {"Cod grupa destinatie", 2},
            {"Suprafata din masuratori (mp)", 1},
            {"Clasa de calitate", 1},
            {"Zona in cadrul localitatii", 1},
            {"Mentiuni", 3},
            {"TOTAL", 2},
            {"Nr. corp cladire/ constructie", 1},
            {"Denumire", 1},
            {"Suprafata contruita la sol (mp)", 1},
            {"Nr. crt.", 1},
            {"Nume/ denumire proprietar", 1},
            {"Domiciliu/ Sediu", 1},
            {"Cod numeric personal/ cod SIRUES", 1},
            {"Tipul actului de proprietate, nr. si data inregistrari/eliberarii", 1},
            {"Cod grupa proprietate", 1},
            {"Suprafata din act (mp) Teren", 1},
            {"Suprafata din act (mp) Constructii", 1},
            {"Mod de detinere (Exclusiv sau Indiviziune)", 1},
            {"Intocmit: Popescu Ion", 1},
            {"Data: 07.12.2026", 1},
            {"Verificat: ...........", 1},
        };
        for (const auto& [text, count] : texts)
            QTest::newRow(text) << QString::fromUtf8(text) << count;
    }
    void fixedTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        const QString sheet = sheetText(landWithTotals("10", "5", "10", "5"));
        QCOMPARE(sheet.count(QRegularExpression("[a-z0-9] " + QRegularExpression::escape(text) + " \\\\")), count);
    }

    // Columns: parcels measured, buildings measured, parcels legal, buildings legal totals.
    void dashOnlyForZero_data()
    {
        QTest::addColumn<QStringList>("totals");
        QTest::addColumn<int>("dashes");
        QTest::newRow("all 0") << QStringList{"0", "0", "0", "0"} << 4;
        QTest::newRow("all empty") << QStringList{"", "", "", ""} << 0;
        QTest::newRow("all numbers") << QStringList{"12", "4", "12", "4"} << 0;
        QTest::newRow("0.0 is not 0") << QStringList{"0.0", "0.0", "0.0", "0.0"} << 0;
        QTest::newRow("only the parcels' measured total") << QStringList{"0", "", "12", ""} << 1;
    }
    void dashOnlyForZero()
    {
        QFETCH(QStringList, totals);
        QFETCH(int, dashes);
        const QString sheet = sheetText(landWithTotals(totals[0], totals[1], totals[2], totals[3]));
        QCOMPARE(sheet.count(QStringLiteral(" - \\intbl")), dashes);
    }
};

QTEST_GUILESS_MAIN(tst_SheetTexts)
#include "tst_sheettexts.moc"
