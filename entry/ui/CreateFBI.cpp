#include "entry/ui/CreateFBI.h"

#include "base/NumberText.h"
#include "base/Prompter.h"
#include "entry/FormMapping.h"
#include "entry/FormValidation.h"
#include "entry/ui/AddressPanel.h"
#include "entry/ui/FormGrid.h"
#include "entry/ui/FormPanels.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {
const QString ParcelAreaLand = QStringLiteral("Suprafata din masuratori (mp)");
const QString ParcelShare = QStringLiteral("Cota teren indiviza");
const QString BuildAreaLand = QStringLiteral("Suprafata construita la sol (mp)");
const QString BuildAreaApartment = QStringLiteral("Suprafata utila masurata (mp)");
const QString BuildingsLand = QStringLiteral("Date referitoare la constructie");
const QString BuildingsApartment = QStringLiteral("Date referitoare la apartament");
// A building's name as surveyors write it: its column shows one whole from the start.
const QString TypicalBuildingName = QStringLiteral("CASĂ DE LOCUIT P+1E+M");
// No single name widens a column past this, so that the other columns stay in sight.
constexpr int WidestNameColumn = 360;

// Widens a grid's column (1-based) until `sample` and every cell fit; never narrows it.
void widenColumn(FormGrid* grid, int column, const QString& sample)
{
    QTableWidget* table = grid->table();
    const QFontMetrics metrics = table->fontMetrics();
    // Room for the cell's margins and the editor's frame.
    const int padding = 3 * metrics.averageCharWidth();
    int wanted = sample.isEmpty() ? 0 : metrics.horizontalAdvance(sample) + padding;
    for (int row = 0; row < grid->rowCount(); ++row)
        wanted = std::max(wanted, metrics.horizontalAdvance(grid->cell(row, column)) + padding);
    wanted = std::min(wanted, WidestNameColumn);
    QHeaderView* header = table->horizontalHeader();
    if (header->sectionSize(column - 1) < wanted)
        header->resizeSection(column - 1, wanted);
}
// Holds the grids' reports of changes made outside a user action for as long as it lives.
class HeldChanges
{
public:
    explicit HeldChanges(std::initializer_list<FormGrid*> grids) : m_grids(grids)
    {
        for (FormGrid* grid : m_grids)
            grid->holdChanges();
    }
    ~HeldChanges()
    {
        for (FormGrid* grid : m_grids)
            grid->releaseChanges();
    }
    HeldChanges(const HeldChanges&) = delete;
    HeldChanges& operator=(const HeldChanges&) = delete;

private:
    std::vector<FormGrid*> m_grids;
};
} // namespace

CreateFBI::CreateFBI(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_document(std::make_shared<::Document>()), m_prompter(&prompter),
      m_decimalSeparator(NumberText::systemDecimalSeparator())
{
    auto* page = new QWidget;
    m_page = page;
    m_address = new AddressPanel(m_lookUps, prompter, page);
    m_owners = new FormGrid(page);
    m_owners->setObjectName(QStringLiteral("grdProprietari"));
    m_owners->setTitle(QStringLiteral("Date referitoare la proprietari"));
    m_owners->setCommands(QStringLiteral("AddOwner"), QStringLiteral("F6-Adauga proprietar"),
                          QStringLiteral("DeleteOwner"), QStringLiteral("Sterge proprietar"));
    m_parcels = new FormGrid(page);
    m_parcels->setObjectName(QStringLiteral("grdParcele"));
    m_parcels->setTitle(QStringLiteral("Date referitoare la teren"));
    m_parcels->setCommands(QStringLiteral("AddParcel"), QStringLiteral("F5-Adauga parcela"),
                           QStringLiteral("DeleteParcel"), QStringLiteral("Sterge parcela"));
    m_buildings = new FormGrid(page);
    m_buildings->setObjectName(QStringLiteral("grdCladiri"));
    m_buildings->setCommands(QStringLiteral("AddBuild"), QStringLiteral("F6-Adauga cladire"),
                             QStringLiteral("DeleteBuild"), QStringLiteral("Sterge cladire"));
    m_parcelsTotals = new TotalsPanel(QStringLiteral("Parcele"), page);
    m_buildingsTotals = new TotalsPanel(QStringLiteral("Cladiri"), page);
    m_surveyor = new SurveyorPanel(page);

    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(m_address);
    column->addWidget(m_owners, 2);
    column->addWidget(m_parcels, 3);
    column->addWidget(m_parcelsTotals);
    column->addWidget(m_buildings, 3);
    column->addWidget(m_buildingsTotals);
    column->addWidget(m_surveyor);

    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        connect(grid, &FormGrid::command, this, &CreateFBI::runCommand);
    m_owners->setEditActionName(QStringLiteral("editare proprietar"));
    m_parcels->setEditActionName(QStringLiteral("editare parcela"));
    m_buildings->setEditActionName(QStringLiteral("editare cladire"));
    // Rows an undo put back count toward the totals as an edit's would.
    connect(m_parcels, &FormGrid::rowsReplaced, this, [this] {
        UpdateParcelsTotal();
        m_parcelsTotals->setMeasuredMarked(true);
    });
    connect(m_buildings, &FormGrid::rowsReplaced, this, [this] {
        UpdateBuildingsTotal();
        m_buildingsTotals->setMeasuredMarked(true);
    });
    connect(m_parcels, &FormGrid::cellEdited, this,
            [this](int row, int column) { areaEdited(m_parcels, row, column, ParcelColumn::Area); });
    connect(m_buildings, &FormGrid::cellEdited, this, [this](int row, int column) {
        areaEdited(m_buildings, row, column, BuildColumn::Area);
        if (column == BuildColumn::Description)
            widenColumn(m_buildings, column, QString());
    });

    SetupGrids();
    ApplyPropertyType();
    m_parcelsTotals->setLegalText(QStringLiteral("0"));
    m_buildingsTotals->setLegalText(QStringLiteral("0"));
}

QSize CreateFBI::sizeHint() const
{
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {m_page->minimumSizeHint().width() + scrollBar, QWidget::sizeHint().height()};
}

CreateFBI::~CreateFBI() = default;

void CreateFBI::setPrompter(Prompter& prompter)
{
    m_prompter = &prompter;
    m_address->setPrompter(prompter);
}

Prompter& CreateFBI::prompter() const
{
    return *m_prompter;
}

bool CreateFBI::InitializeData(const QString& path, Error* error)
{
    // On an empty form a reload is the first opening.
    return reloadLookUps(path, error);
}

bool CreateFBI::reloadLookUps(const QString& path, Error* error)
{
    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        grid->commitPendingEdit();
    const LandPtr& land = m_document->Land();
    try {
        m_lookUps.open(path);
        m_address->reloadLists(land && land->Address() ? land->Address().get() : nullptr);
        // The columns exist since creation; only their choice lists come from the tables.
        fillChoiceLists();
        return true;
    } catch (const Failure& failure) {
        if (error)
            *error = failure.error();
    }
    return false;
}

void CreateFBI::SetupGrids()
{
    m_owners->setColumns({QStringLiteral("Nume"), QStringLiteral("Prenume")});
    m_parcels->setColumns({QStringLiteral("Nr. parcela"), QStringLiteral("Categoria de folosinta"),
                           QStringLiteral("Cod grupa destinatie"), m_isAp ? ParcelShare : ParcelAreaLand,
                           QStringLiteral("Clasa de calitate"), QStringLiteral("Zona in cadrul localitatii"),
                           QStringLiteral("Mentiuni")});
    m_buildings->setColumns({QStringLiteral("Nr. corp cladire constructie"), QStringLiteral("Denumire"),
                             m_isAp ? BuildAreaApartment : BuildAreaLand, QStringLiteral("Cod grupa destinatie"),
                             QStringLiteral("Mentiuni")});
    m_buildings->setTitle(m_isAp ? BuildingsApartment : BuildingsLand);
    widenColumn(m_buildings, BuildColumn::Description, TypicalBuildingName);
    fillChoiceLists();
}

void CreateFBI::fillChoiceLists()
{
    if (!m_lookUps.isOpen())
        return;
    try {
        m_lookUps.landUses.clearFilter();
        // The lists explain their codes ("CC - curti constructii"); the cells keep the codes.
        const QString name = QStringLiteral("description");
        m_parcels->setChoices(ParcelColumn::LandUse, FormLookUps::values(m_lookUps.landUses, "luse_code"),
                              FormLookUps::codeAndName(m_lookUps.landUses, "luse_code", name));
        m_lookUps.landDestinations.clearFilter();
        m_parcels->setChoices(ParcelColumn::LandDestination,
                              FormLookUps::values(m_lookUps.landDestinations, "ldest_code"),
                              FormLookUps::codeAndName(m_lookUps.landDestinations, "ldest_code", name));
        m_lookUps.buildDestinations.clearFilter();
        m_buildings->setChoices(BuildColumn::BuildDestination,
                                FormLookUps::values(m_lookUps.buildDestinations, "bdest_code"),
                                FormLookUps::codeAndName(m_lookUps.buildDestinations, "bdest_code", name));
    } catch (const Failure& failure) {
        m_prompter->showError(failure.error());
    }
}

void CreateFBI::setDocument(DocumentPtr document)
{
    m_document = document ? std::move(document) : std::make_shared<::Document>();
}

void CreateFBI::setIsAp(bool isAp)
{
    m_isAp = isAp;
    ApplyPropertyType();
}

void CreateFBI::ApplyPropertyType()
{
    m_address->applyPropertyType(m_isAp);
    m_parcels->setColumnCaption(ParcelColumn::Area, m_isAp ? ParcelShare : ParcelAreaLand);
    m_buildings->setColumnCaption(BuildColumn::Area, m_isAp ? BuildAreaApartment : BuildAreaLand);
    m_buildings->setTitle(m_isAp ? BuildingsApartment : BuildingsLand);
}

std::int32_t CreateFBI::LocalityID() const
{
    return m_address->localityId();
}

QString CreateFBI::TotalParcelsArea() const
{
    return m_parcelsTotals->measuredText();
}

QString CreateFBI::TotalBuildingsArea() const
{
    return m_buildingsTotals->measuredText();
}

QString CreateFBI::SurveyorName() const
{
    return m_surveyor->name();
}

void CreateFBI::setSurveyorName(const QString& name)
{
    m_surveyor->setName(name);
}

QString CreateFBI::SurveyorLicense() const
{
    return m_surveyor->license();
}

void CreateFBI::setSurveyorLicense(const QString& license)
{
    m_surveyor->setLicense(license);
}

FormData CreateFBI::formData() const
{
    FormData form;
    form.isAp = m_isAp;
    m_address->readInto(form);
    form.owners = m_owners->rows();
    form.parcels = m_parcels->rows();
    form.buildings = m_buildings->rows();
    form.parcelsTotal = m_parcelsTotal;
    form.buildingsTotal = m_buildingsTotal;
    form.parcelsLegalTotal = m_parcelsTotals->legalText();
    form.buildingsLegalTotal = m_buildingsTotals->legalText();
    form.parcelsTotalMarked = m_parcelsTotals->measuredMarked();
    form.buildingsTotalMarked = m_buildingsTotals->measuredMarked();
    return form;
}

void CreateFBI::writeBack(const FormData& form)
{
    const HeldChanges held({m_parcels, m_buildings});
    for (int row = 0; row < form.parcels.count() && row < m_parcels->rowCount(); ++row) {
        const QString area = form.parcels.cell(row, ParcelColumn::Area);
        if (m_parcels->cell(row, ParcelColumn::Area) != area)
            m_parcels->setCell(row, ParcelColumn::Area, area);
    }
    for (int row = 0; row < form.buildings.count() && row < m_buildings->rowCount(); ++row) {
        const QString area = form.buildings.cell(row, BuildColumn::Area);
        if (m_buildings->cell(row, BuildColumn::Area) != area)
            m_buildings->setCell(row, BuildColumn::Area, area);
    }
    m_parcelsTotals->setLegalText(form.parcelsLegalTotal);
    m_buildingsTotals->setLegalText(form.buildingsLegalTotal);
    m_parcelsTotal = form.parcelsTotal;
    m_buildingsTotal = form.buildingsTotal;
    m_parcelsTotals->setMeasuredMarked(form.parcelsTotalMarked);
    m_buildingsTotals->setMeasuredMarked(form.buildingsTotalMarked);
    ShowTotals();
}

bool CreateFBI::ValidateData()
{
    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        grid->commitPendingEdit();
    FormData form = formData();
    const bool passed = FormValidation::ValidateData(form, *m_document, *m_prompter, m_decimalSeparator);
    writeBack(form);
    return passed;
}

void CreateFBI::ClearControls()
{
    m_address->clear();
    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        grid->clearRows();
    m_parcelsTotal = QStringLiteral("0");
    m_buildingsTotal = QStringLiteral("0");
    m_parcelsTotals->setLegalText(QStringLiteral("0"));
    m_buildingsTotals->setLegalText(QStringLiteral("0"));
    m_parcelsTotals->setMeasuredMarked(false);
    m_buildingsTotals->setMeasuredMarked(false);
    ShowTotals();
}

void CreateFBI::reportLookUpMiss(LookUpData& table, const QString& field, const QString& value, const QString& message)
{
    // Without open tables there is nothing to check against.
    if (m_lookUps.isOpen() && table.Search(field, value) < 0)
        m_prompter->error(message);
}

void CreateFBI::ShowData()
{
    const HeldChanges held({m_owners, m_parcels, m_buildings});
    ClearControls();
    m_showing = true;
    m_address->setShowing(true);
    const FormData stored = FormMapping::formFromDocument(*m_document);
    const LandPtr& land = m_document->Land();
    const AddressPtr address = land && land->Address() ? land->Address() : std::make_shared<Address>();
    m_address->showAddress(*address);

    try {
        m_lookUps.landUses.clearFilter();
        m_lookUps.landDestinations.clearFilter();
        m_lookUps.buildDestinations.clearFilter();
        for (int row = 0; row < stored.parcels.count(); ++row) {
            m_parcels->addRow(stored.parcels.rows.at(row));
            const QString number = stored.parcels.cell(row, ParcelColumn::No);
            reportLookUpMiss(
                m_lookUps.landUses, QStringLiteral("luse_code"), stored.parcels.cell(row, ParcelColumn::LandUse),
                QStringLiteral("Categoria de folosinta este incorecta pentru parcela ") + number + QLatin1Char('.'));
            reportLookUpMiss(m_lookUps.landDestinations, QStringLiteral("ldest_code"),
                             stored.parcels.cell(row, ParcelColumn::LandDestination),
                             QStringLiteral("Cod grupa destinatie este incorect pentru parcela ") + number +
                                 QLatin1Char('.'));
        }
        for (int row = 0; row < stored.buildings.count(); ++row) {
            m_buildings->addRow(stored.buildings.rows.at(row));
            reportLookUpMiss(m_lookUps.buildDestinations, QStringLiteral("bdest_code"),
                             stored.buildings.cell(row, BuildColumn::BuildDestination),
                             QStringLiteral("Cod grupa destinatie este incorect pentru cladirea ") +
                                 stored.buildings.cell(row, BuildColumn::No) + QLatin1Char('.'));
        }
    } catch (const Failure& failure) {
        m_prompter->showError(failure.error());
    }

    SetupGrids();
    m_parcelsTotal = stored.parcelsTotal;
    m_buildingsTotal = stored.buildingsTotal;
    for (const QStringList& owner : stored.owners.rows)
        m_owners->addRow(owner);
    m_parcelsTotals->setLegalText(stored.parcelsLegalTotal);
    m_buildingsTotals->setLegalText(stored.buildingsLegalTotal);
    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        grid->fitColumns();
    setSurveyorName(m_document->SurveyorName());
    setSurveyorLicense(m_document->SurveyorLicense());
    ShowTotals();
    m_address->setShowing(false);
    m_showing = false;
}

void CreateFBI::ShowTotals()
{
    m_parcelsTotals->setMeasuredText(FormMapping::totalLabelText(m_parcelsTotal));
    m_buildingsTotals->setMeasuredText(FormMapping::totalLabelText(m_buildingsTotal));
}

void CreateFBI::UpdateParcelsTotal()
{
    m_parcelsTotal = FormMapping::parcelsTotal(m_parcels->rows(), m_decimalSeparator);
    ShowTotals();
}

void CreateFBI::UpdateBuildingsTotal()
{
    m_buildingsTotal = FormMapping::buildingsTotal(m_buildings->rows(), m_decimalSeparator);
    ShowTotals();
}

// A last number too long to continue (99999999999999999999, C1e300) adds no row: the user is
// told which number to correct.
void CreateFBI::AddParcelRow()
{
    const GridRows rows = m_parcels->rows();
    const QString number = FormMapping::nextParcelNumber(rows);
    if (number.isEmpty()) {
        m_prompter->error(QStringLiteral("Numarul parcelei ") + rows.cell(rows.count() - 1, ParcelColumn::No) +
                          QStringLiteral(" este prea mare pentru a adauga parcela urmatoare."));
        return;
    }
    QStringList cells{number};
    if (m_isAp)
        cells << QStringLiteral("CC") << QStringLiteral("TDI");
    m_parcels->beginAction(QStringLiteral("adaugare parcela"));
    m_parcels->addRow(cells);
    m_parcels->endAction();
    startTypingInLastRow(m_parcels);
}

void CreateFBI::AddBuildingRow()
{
    const GridRows rows = m_buildings->rows();
    const QString number = FormMapping::nextBuildingNumber(rows, m_isAp);
    if (number.isEmpty()) {
        m_prompter->error(QStringLiteral("Numarul constructiei ") + rows.cell(rows.count() - 1, BuildColumn::No) +
                          QStringLiteral(" este prea mare pentru a adauga constructia urmatoare."));
        return;
    }
    m_buildings->beginAction(QStringLiteral("adaugare cladire"));
    m_buildings->addRow({number});
    m_buildings->endAction();
    startTypingInLastRow(m_buildings);
}

void CreateFBI::AddOwnerRow()
{
    m_owners->beginAction(QStringLiteral("adaugare proprietar"));
    m_owners->addRow();
    m_owners->endAction();
    startTypingInLastRow(m_owners);
}

void CreateFBI::startTypingInLastRow(FormGrid* grid)
{
    // Whatever the user types next belongs to the new row: left with the focus elsewhere, the
    // keys went to the address lists, whose type-ahead changed the county.
    grid->startTyping(grid->rowCount() - 1);
    if (auto* scroll = findChild<QScrollArea*>())
        scroll->ensureWidgetVisible(grid->table());
}

void CreateFBI::runCommand(const QString& key)
{
    for (FormGrid* grid : {m_owners, m_parcels, m_buildings})
        grid->commitPendingEdit();
    if (key == QLatin1String("AddParcel"))
        AddParcelRow();
    else if (key == QLatin1String("AddBuild"))
        AddBuildingRow();
    else if (key == QLatin1String("AddOwner"))
        AddOwnerRow();
    else if (key == QLatin1String("DeleteParcel"))
        deleteCurrentRow(m_parcels, QStringLiteral("stergere parcela"));
    else if (key == QLatin1String("DeleteBuild"))
        deleteCurrentRow(m_buildings, QStringLiteral("stergere cladire"));
    else if (key == QLatin1String("DeleteOwner"))
        deleteCurrentRow(m_owners, QStringLiteral("stergere proprietar"));
}

void CreateFBI::deleteCurrentRow(FormGrid* grid, const QString& actionName)
{
    const int row = grid->currentRow();
    if (row < 0)
        return;
    grid->beginAction(actionName);
    grid->removeRow(row);
    grid->endAction();
    if (grid == m_parcels) {
        UpdateParcelsTotal();
        m_parcelsTotals->setMeasuredMarked(true);
    } else if (grid == m_buildings) {
        UpdateBuildingsTotal();
        m_buildingsTotals->setMeasuredMarked(true);
    }
}

void CreateFBI::areaEdited(FormGrid* grid, int row, int column, int areaColumn)
{
    if (column != areaColumn || m_showing)
        return;
    if (m_isAp) {
        const QString text = grid->cell(row, column);
        const QString fixed = FormMapping::CommaToPoint(text);
        if (fixed != text)
            grid->setCell(row, column, fixed);
    }
    if (grid == m_parcels) {
        UpdateParcelsTotal();
        m_parcelsTotals->setMeasuredMarked(true);
    } else {
        UpdateBuildingsTotal();
        m_buildingsTotals->setMeasuredMarked(true);
    }
}

bool CreateFBI::event(QEvent* event)
{
    // F5 and F6 belong to the form while the focus is in it, ahead of any window shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F5 || key == Qt::Key_F6) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void CreateFBI::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5) {
        AddParcelRow();
        return;
    }
    if (event->key() == Qt::Key_F6) {
        AddBuildingRow();
        return;
    }
    QWidget::keyPressEvent(event);
}

#include "moc_CreateFBI.cpp"
