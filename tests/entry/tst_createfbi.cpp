#include "entry/ui/AddressPanel.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGrid.h"
#include "entry/ui/FormPanels.h"
#include "support/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

// Writes one nomenclature table as its own SQLite file.
void writeTable(const QString& path, const QString& columns, const QList<QVariantList>& rows)
{
    const QString connection = QStringLiteral("fixture-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        QVERIFY2(query.exec(QStringLiteral("CREATE TABLE t (%1)").arg(columns)), qPrintable(query.lastError().text()));
        const int count = int(columns.count(QLatin1Char(',')) + 1);
        QStringList marks;
        for (int i = 0; i < count; ++i)
            marks << QStringLiteral("?");
        for (const QVariantList& row : rows) {
            query.prepare(QStringLiteral("INSERT INTO t VALUES (%1)").arg(marks.join(',')));
            for (const QVariant& value : row)
                query.addBindValue(value);
            QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

// A small nomenclature: two counties with a few territories, localities and streets.
void writeFixture(const QString& folder)
{
    writeTable(folder + "/Judete.DAT", "county_id INTEGER, county_name TEXT",
               {{1, "Alba"}, {2, "Arad"}, {40, "București"}});
    writeTable(folder + "/Admin.DAT", "admin_id INTEGER, admin_name TEXT, admin_county_id INTEGER",
               {{1017, "Municipiul Alba Iulia", 1},
                {2001, "Comuna Ciugud", 1},
                {9007, "Municipiul Arad", 2},
                {179132, "Sector 1", 40}});
    writeTable(folder + "/Localitati.DAT",
               "locality_id INTEGER, locality_name TEXT, county_id INTEGER, admin_id INTEGER, ie_code INTEGER",
               {{1017, "Municipiul Alba Iulia", 1, 1017, 0},
                {1026, "Alba Iulia", 1, 1017, 1},
                {1035, "Bărăbanț", 1, 1017, 1},
                {2001, "Comuna Ciugud", 1, 2001, 0},
                {2010, "Ciugud", 1, 2001, 1},
                {2029, "Drâmbar", 1, 2001, 1},
                {9007, "Municipiul Arad", 2, 9007, 0},
                {9016, "Arad", 2, 9007, 1},
                {179132, "Sector 1", 40, 179132, 0},
                {179141, "București Sectorul 1", 40, 179132, 1}});
    writeTable(folder + "/Strazi.DAT",
               "admin_id INTEGER, locality_id INTEGER, street_type_id INTEGER, street_name TEXT",
               {{1017, 1026, 3, "Ferdinand I"},
                {1017, 1026, 3, "Horea"},
                {1017, 1026, 5, "Avram Iancu"},
                {2001, 2010, 5, "Principală"},
                {179132, 179141, 3, "Aviatorilor"},
                {179132, 179141, 5, "Aviatorilor"}});
    writeTable(folder + "/TipArtere.DAT", "street_type_id INTEGER, street_type_name TEXT",
               {{1, "Aleea"}, {3, "Bulevardul"}, {5, "Strada"}});
    writeTable(folder + "/TipSubAdm.DAT", "district_type_id INTEGER, district_type_name TEXT",
               {{1, "Sector"}, {2, "Cartier"}});
    writeTable(folder + "/CtgFolTeren.DAT", "luse_code TEXT, description TEXT",
               {{"A", "Arabil"}, {"CC", "Curti constructii"}, {"DR", "Drumuri"}});
    writeTable(folder + "/DestinatieTeren.DAT", "ldest_code TEXT, description TEXT",
               {{"TDA", "agricol"}, {"TDI", "intravilan"}});
    writeTable(folder + "/DestinatieCladire.DAT", "bdest_code TEXT, description TEXT",
               {{"CL", "locuinte"}, {"CA", "anexa"}});
}

QStringList items(const QComboBox* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

void choose(QComboBox* list, const QString& text)
{
    const int index = list->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    list->setCurrentIndex(index);
}

DocumentPtr landDocument()
{
    auto document = std::make_shared<Document>();
    document->setSurveyorName("Ion Pop");
    document->setSurveyorLicense("RO-B-F 123");
    auto address = std::make_shared<Address>();
    address->setSIRUTA(1026);
    address->setIECode(1);
    address->setStreetType("Bulevardul");
    address->setStreetName("Horea");
    address->setStreetNo("12");
    address->setDistrictType("Cartier");
    address->setDescription("colt");
    document->Land()->setAddress(address);
    auto parcels = std::make_shared<Parcels>();
    for (int no : {1, 2}) {
        auto parcel = std::make_shared<Parcel>();
        parcel->setNo(std::int16_t(no));
        parcel->setLandUse(no == 1 ? "CC" : "A");
        parcel->setLandDestination("TDI");
        parcel->setMeasuredArea(no == 1 ? "300" : "50.5");
        parcels->Add(parcel);
    }
    parcels->setTotalMeasuredArea("350.5");
    parcels->setTotalLegalArea("350");
    document->Land()->setParcels(parcels);
    auto buildings = std::make_shared<Buildings>();
    auto build = std::make_shared<Build>();
    build->setNo("C1");
    build->setDescription("CASA");
    build->setMeasuredArea("80");
    build->setBuildDestination("CL");
    buildings->Add(build);
    buildings->setTotalMeasuredArea("80");
    buildings->setTotalLegalArea("0");
    document->Land()->setBuildings(buildings);
    auto owners = std::make_shared<Owners>();
    auto owner = std::make_shared<Owner>();
    owner->setLastName("POP");
    owner->setFirstName("ION");
    owners->Add(owner);
    document->Land()->setOwners(owners);
    return document;
}

} // namespace

class tst_CreateFBI : public QObject
{
    Q_OBJECT

    QTemporaryDir m_data;
    std::unique_ptr<CreateFBI> m_form;
    ScriptedPrompter m_prompter;

    AddressPanel* address() const { return m_form->addressPanel(); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        writeFixture(m_data.path());
    }

    void init()
    {
        m_prompter.clear();
        m_form = std::make_unique<CreateFBI>(m_prompter);
        m_form->setDecimalSeparator(".");
        Error error;
        QVERIFY2(m_form->InitializeData(m_data.path(), &error), qPrintable(error.text()));
    }

    void cleanup()
    {
        QVERIFY2(m_prompter.allUsed(), "a scripted answer was not asked for");
        m_form.reset();
    }

    void initialization()
    {
        QCOMPARE(items(address()->cmbJudet), (QStringList{"Alba", "Arad", "București"}));
        QCOMPARE(address()->cmbJudet->currentIndex(), -1);
        QCOMPARE(items(address()->cmbTipArtera), (QStringList{"Aleea", "Bulevardul", "Strada"}));
        QCOMPARE(items(address()->cmbTipSubAdm), (QStringList{"Sector", "Cartier"}));
        QCOMPARE(m_form->parcelsGrid()->choices(ParcelColumn::LandUse), (QStringList{"A", "CC", "DR"}));
        QCOMPARE(m_form->parcelsGrid()->choices(ParcelColumn::LandDestination), (QStringList{"TDA", "TDI"}));
        QCOMPARE(m_form->buildingsGrid()->choices(BuildColumn::BuildDestination), (QStringList{"CL", "CA"}));
        QCOMPARE(m_form->parcelsTotals()->legalText(), QString("0"));
        QVERIFY(!address()->cmbLocalitate->isEnabled());

        CreateFBI other(m_prompter);
        Error error;
        QVERIFY(!other.InitializeData(m_data.path() + "/missing", &error));
        QCOMPARE(error.number, 53);
    }

    void cascade()
    {
        AddressPanel* a = address();
        choose(a->cmbJudet, "Alba");
        QCOMPARE(items(a->cmbTeritoriu), (QStringList{"Municipiul Alba Iulia", "Comuna Ciugud"}));
        QCOMPARE(a->cmbTeritoriu->currentText(), QString("Municipiul Alba Iulia"));
        // Extravilan: the territory's own row, in a disabled list.
        QCOMPARE(items(a->cmbLocalitate), QStringList{"Municipiul Alba Iulia"});
        QVERIFY(!a->cmbLocalitate->isEnabled());
        QCOMPARE(m_form->LocalityID(), 0);

        a->chkIntravilan->setChecked(true);
        QVERIFY(a->cmbLocalitate->isEnabled());
        QCOMPARE(items(a->cmbLocalitate), (QStringList{"Alba Iulia", "Bărăbanț"}));
        choose(a->cmbLocalitate, "Alba Iulia");
        QCOMPARE(m_form->LocalityID(), 1026);
        QVERIFY(a->hasStreetList());
        QCOMPARE(a->cmbStrada->count(), 0); // filled once a street type is chosen
        choose(a->cmbTipArtera, "Bulevardul");
        QCOMPARE(items(a->cmbStrada), (QStringList{"Ferdinand I", "Horea"}));
        choose(a->cmbTipArtera, "Strada");
        QCOMPARE(items(a->cmbStrada), QStringList{"Avram Iancu"});

        // A locality without streets takes a typed street name.
        choose(a->cmbLocalitate, "Bărăbanț");
        QVERIFY(!a->hasStreetList());
        QCOMPARE(a->cmbStrada->count(), 0);

        // Unchecking goes back to the outside-the-built-up-area row.
        a->chkIntravilan->setChecked(false);
        QCOMPARE(items(a->cmbLocalitate), QStringList{"Municipiul Alba Iulia"});
        QVERIFY(!a->cmbLocalitate->isEnabled());

        choose(a->cmbTeritoriu, "Comuna Ciugud");
        a->chkIntravilan->setChecked(true);
        QCOMPARE(items(a->cmbLocalitate), (QStringList{"Ciugud", "Drâmbar"}));

        // Another county empties what hangs below it.
        choose(a->cmbJudet, "București");
        QCOMPARE(a->cmbTeritoriu->currentText(), QString("Sector 1"));
        QCOMPARE(items(a->cmbLocalitate), QStringList{"București Sectorul 1"});
        QCOMPARE(a->cmbLocalitate->currentIndex(), -1);
        choose(a->cmbLocalitate, "București Sectorul 1");
        choose(a->cmbTipArtera, "Strada");
        QCOMPARE(items(a->cmbStrada), QStringList{"Aviatorilor"});
        QVERIFY(m_prompter.log().isEmpty());
    }

    void clearingKeys()
    {
        AddressPanel* a = address();
        choose(a->cmbTipArtera, "Strada");
        choose(a->cmbTipSubAdm, "Sector");
        for (QLineEdit* field : {a->txtStrada, a->txtNumar, a->txtBloc, a->txtScara, a->txtTarla, a->txtParcela,
                                 a->txtEtaj, a->txtApartament, a->txtNumeSubAdm})
            field->setText("x");
        QTest::keyClick(a->cmbTipSubAdm, Qt::Key_Delete);
        QCOMPARE(a->cmbTipSubAdm->currentIndex(), -1);
        QCOMPARE(a->txtNumar->text(), QString("x"));
        QTest::keyClick(a->cmbTipArtera, Qt::Key_Backspace);
        QCOMPARE(a->cmbTipArtera->currentIndex(), -1);
        for (QLineEdit* field : {a->txtStrada, a->txtNumar, a->txtBloc, a->txtScara, a->txtTarla, a->txtParcela,
                                 a->txtEtaj, a->txtApartament})
            QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
        QCOMPARE(a->txtNumeSubAdm->text(), QString("x"));
    }

    void rowCommands()
    {
        FormGrid* parcels = m_form->parcelsGrid();
        FormGrid* buildings = m_form->buildingsGrid();
        parcels->addRow({"7", "A", "TDA", "100"});
        QTest::keyClick(m_form.get(), Qt::Key_F5);
        QCOMPARE(parcels->rowCount(), 2);
        QCOMPARE(parcels->cell(1, ParcelColumn::No), QString("8"));
        buildings->addRow({"C3", "casa", "40"});
        QTest::keyClick(m_form.get(), Qt::Key_F6);
        QCOMPARE(buildings->cell(1, BuildColumn::No), QString("C4"));
        m_form->ownersGrid()->commandButton("AddOwner")->click();
        QCOMPARE(m_form->ownersGrid()->rowCount(), 1);

        // Deleting recomputes the total and marks it.
        parcels->table()->setCurrentCell(0, 0);
        parcels->commandButton("DeleteParcel")->click();
        QCOMPARE(parcels->rowCount(), 1);
        QCOMPARE(m_form->TotalParcelsArea(), QString());
        QVERIFY(m_form->parcelsTotals()->measuredMarked());
        // With no current row nothing is deleted.
        m_form->ClearControls();
        buildings->commandButton("DeleteBuild")->click();
        QCOMPARE(buildings->rowCount(), 0);

        m_form->setIsAp(true);
        m_form->parcelsGrid()->commandButton("AddParcel")->click();
        QCOMPARE(parcels->rows().rows.at(0).mid(0, 3), (QStringList{"1", "CC", "TDI"}));
        m_form->AddBuildingRow();
        QCOMPARE(buildings->cell(0, BuildColumn::No), QString("1"));
    }

    // Inside the form F5 adds a parcel even when the window has its own F5 command.
    void functionKeysBelongToTheForm()
    {
        QMainWindow window;
        CreateFBI* form = m_form.release();
        window.setCentralWidget(form);
        QAction* redraw = window.addAction("Redesenare");
        redraw->setShortcut(Qt::Key_F5);
        QSignalSpy redraws(redraw, &QAction::triggered);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        form->addressPanel()->txtNumar->setFocus();
        QTest::keyClick(form->addressPanel()->txtNumar, Qt::Key_F5);
        QTest::keyClick(form->addressPanel()->txtNumar, Qt::Key_F6);
        QCOMPARE(form->parcelsGrid()->rowCount(), 1);
        QCOMPARE(form->buildingsGrid()->rowCount(), 1);
        QCOMPARE(redraws.count(), 0);
    }

    // A user edit of an area cell recomputes the total; an apartment's commas become points.
    void areaEdits()
    {
        FormGrid* parcels = m_form->parcelsGrid();
        parcels->addRow({"1", "A", "TDA", ""});
        parcels->addRow({"2", "A", "TDA", "50"});
        parcels->table()->item(0, ParcelColumn::Area - 1)->setText("100.5");
        QCOMPARE(m_form->TotalParcelsArea(), QString("150.5"));
        QVERIFY(m_form->parcelsTotals()->measuredMarked());

        m_form->ClearControls();
        m_form->setIsAp(true);
        FormGrid* buildings = m_form->buildingsGrid();
        buildings->addRow({"1", "ap", ""});
        buildings->table()->item(0, BuildColumn::Area - 1)->setText("54,5");
        QCOMPARE(buildings->cell(0, BuildColumn::Area), QString("54.5"));
        QCOMPARE(m_form->TotalBuildingsArea(), QString("54.5"));
    }

    void layout()
    {
        AddressPanel* a = address();
        m_form->setIsAp(true);
        QVERIFY(a->chkIntravilan->isChecked());
        QVERIFY(!a->chkIntravilan->isEnabled());
        QVERIFY(!a->txtEtaj->isHidden());
        QVERIFY(a->txtTarla->isHidden());
        QCOMPARE(m_form->buildingsGrid()->title(), QString("Date referitoare la apartament"));
        QCOMPARE(m_form->parcelsGrid()->table()->horizontalHeaderItem(3)->text(), QString("Cota teren indiviza"));
        QCOMPARE(m_form->buildingsGrid()->table()->horizontalHeaderItem(2)->text(),
                 QString("Suprafata utila masurata (mp)"));
        m_form->setIsAp(false);
        QVERIFY(!a->chkIntravilan->isChecked());
        QVERIFY(a->chkIntravilan->isEnabled());
        QVERIFY(a->txtEtaj->isHidden());
        QVERIFY(!a->txtParcela->isHidden());
        QCOMPARE(m_form->buildingsGrid()->title(), QString("Date referitoare la constructie"));
        QCOMPARE(m_form->parcelsGrid()->table()->horizontalHeaderItem(3)->text(),
                 QString("Suprafata din masuratori (mp)"));
    }

    void showAndValidateRoundTrip()
    {
        DocumentPtr document = landDocument();
        m_form->setDocument(document);
        m_form->ShowData();
        QVERIFY2(m_prompter.log().isEmpty(), qPrintable(m_prompter.texts().join('|')));
        AddressPanel* a = address();
        QCOMPARE(a->cmbJudet->currentText(), QString("Alba"));
        QCOMPARE(a->cmbTeritoriu->currentText(), QString("Municipiul Alba Iulia"));
        QVERIFY(a->chkIntravilan->isChecked());
        QCOMPARE(a->cmbLocalitate->currentText(), QString("Alba Iulia"));
        QCOMPARE(a->cmbTipArtera->currentText(), QString("Bulevardul"));
        QCOMPARE(a->cmbStrada->currentText(), QString("Horea"));
        QCOMPARE(a->cmbTipSubAdm->currentText(), QString("Cartier"));
        QCOMPARE(a->txtNumar->text(), QString("12"));
        QCOMPARE(m_form->parcelsGrid()->rowCount(), 2);
        QCOMPARE(m_form->ownersGrid()->cell(0, OwnerColumn::LastName), QString("POP"));
        QCOMPARE(m_form->TotalParcelsArea(), QString("350.5"));
        QCOMPARE(m_form->parcelsTotals()->legalText(), QString("350"));
        QCOMPARE(m_form->SurveyorName(), QString("Ion Pop"));
        QCOMPARE(m_form->LocalityID(), 1026);

        QVERIFY(m_form->ValidateData());
        QVERIFY(m_prompter.log().isEmpty());
        const LandPtr& land = m_form->Document()->Land();
        QCOMPARE(land->Address()->SIRUTA(), 1026);
        QCOMPARE(land->Address()->StreetName(), QString("Horea"));
        QCOMPARE(land->Address()->StreetType(), QString("Bulevardul"));
        QCOMPARE(land->Address()->Description(), QString("colt"));
        QCOMPARE(land->Parcels()->Count(), 2);
        QCOMPARE(land->Parcels()->TotalMeasuredArea(), QString("350.5"));
        QCOMPARE(land->Buildings()->Item(1)->No(), QString("C1"));
        QVERIFY(m_form->parcelsTotals()->measuredMarked());
    }

    void showMisses()
    {
        DocumentPtr document = landDocument();
        document->Land()->Parcels()->Item(2)->setLandUse("ZZ");
        document->Land()->Buildings()->Item(1)->setBuildDestination("XX");
        document->Land()->Address()->setStreetName("Unirii");
        m_form->setDocument(document);
        m_form->ShowData();
        QCOMPARE(m_prompter.texts(),
                 (QStringList{"Strada este incorecta.", "Categoria de folosinta este incorecta pentru parcela 2.",
                              "Cod grupa destinatie este incorect pentru cladirea C1."}));
        QVERIFY(AddressPanel::isMarked(address()->cmbStrada));
        QCOMPARE(m_form->parcelsGrid()->rowCount(), 2);
        QCOMPARE(m_form->parcelsGrid()->cell(1, ParcelColumn::LandUse), QString("ZZ"));
        QCOMPARE(m_form->ownersGrid()->rowCount(), 1);
        // Choosing in the red list paints it back.
        choose(address()->cmbStrada, "Ferdinand I");
        QVERIFY(!AddressPanel::isMarked(address()->cmbStrada));

        m_prompter.clear();
        document->Land()->Address()->setSIRUTA(99999);
        m_form->ShowData();
        QCOMPARE(m_prompter.texts().mid(0, 3),
                 (QStringList{"Judetul este incorect.", "Teritoriul administrativ este incorect.",
                              "Localitatea este incorecta."}));
        QVERIFY(AddressPanel::isMarked(address()->cmbJudet));
        m_form->ClearControls();
        QVERIFY(!AddressPanel::isMarked(address()->cmbJudet));
    }

    // An extravilan address stores the territory; while showing, the county does not pick its
    // first territory on its own.
    void extravilanAddress()
    {
        AddressPanel* a = address();
        choose(a->cmbJudet, "Alba");
        choose(a->cmbTeritoriu, "Comuna Ciugud");
        a->txtTarla->setText("12");
        m_form->parcelsGrid()->addRow({"1", "A", "TDA", "5000"});
        QVERIFY(m_form->ValidateData());
        QCOMPARE(m_form->Document()->Land()->Address()->SIRUTA(), 2001);
        QCOMPARE(int(m_form->Document()->Land()->Address()->IECode()), 0);

        m_form->ShowData();
        QVERIFY(m_prompter.log().isEmpty());
        QCOMPARE(a->cmbTeritoriu->currentText(), QString("Comuna Ciugud"));
        QCOMPARE(a->txtTarla->text(), QString("12"));
        QVERIFY(!a->chkIntravilan->isChecked());
    }

    void apartmentValidation()
    {
        m_form->setIsAp(true);
        AddressPanel* a = address();
        choose(a->cmbJudet, "București");
        choose(a->cmbLocalitate, "București Sectorul 1");
        choose(a->cmbTipArtera, "Strada");
        choose(a->cmbStrada, "Aviatorilor");
        a->txtBloc->setText("A1");
        a->txtApartament->setText("14");
        m_form->parcelsGrid()->commandButton("AddParcel")->click();
        m_form->parcelsGrid()->setCell(0, ParcelColumn::Area, "0,25");
        m_form->buildingsGrid()->addRow({"1", "apartament", "62,4", "CL"});
        m_form->buildingsTotals()->setLegalText("62,4");
        QVERIFY(m_form->ValidateData());
        QCOMPARE(m_form->parcelsGrid()->cell(0, ParcelColumn::Area), QString("0.25"));
        QCOMPARE(m_form->buildingsTotals()->legalText(), QString("62.4"));
        const LandPtr& land = m_form->Document()->Land();
        QCOMPARE(land->Address()->SIRUTA(), 179141);
        QCOMPARE(land->Address()->StreetName(), QString("Aviatorilor"));
        QCOMPARE(land->Buildings()->Item(1)->MeasuredArea(), QString("62.4"));

        m_form->buildingsGrid()->clearRows();
        QVERIFY(!m_form->ValidateData());
        QCOMPARE(m_prompter.texts(), QStringList{"Nu au fost introduse informatii despre apartament."});
        QCOMPARE(land->Buildings()->Count(), 1); // the document kept the last good data
    }

    // Without its tables the form still shows what it can, without a message per row.
    void showWithoutTables()
    {
        CreateFBI bare(m_prompter);
        bare.setDocument(landDocument());
        bare.ShowData();
        QVERIFY(m_prompter.log().isEmpty());
        QCOMPARE(bare.addressPanel()->txtStrada->text(), QString("Horea"));
        QCOMPARE(bare.addressPanel()->txtNumar->text(), QString("12"));
        QVERIFY(bare.addressPanel()->chkIntravilan->isChecked());
        QCOMPARE(bare.parcelsGrid()->rowCount(), 2);
        QCOMPARE(bare.TotalParcelsArea(), QString("350.5"));
    }

    void missingTable()
    {
        QFile::rename(m_data.path() + "/Admin.DAT", m_data.path() + "/Admin.bak");
        CreateFBI other(m_prompter);
        Error error;
        QVERIFY(!other.InitializeData(m_data.path(), &error));
        QCOMPARE(error.number, 53);
        QFile::rename(m_data.path() + "/Admin.bak", m_data.path() + "/Admin.DAT");
    }
};

QTEST_MAIN(tst_CreateFBI)
#include "tst_createfbi.moc"
