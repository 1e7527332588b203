#pragma once

#include "base/Error.h"
#include "entry/FormData.h"
#include "entry/FormLookUps.h"
#include "model/Document.h"

#include <QWidget>
#include <memory>

class AddressPanel;
class FormGrid;
class Prompter;
class SurveyorPanel;
class TotalsPanel;

// The property data form: the address with its cascade over the nomenclature tables, the
// owners, parcels and buildings grids, the area totals and the surveyor.
//
// How the main window uses it:
//   auto* form = new CreateFBI(prompter, parent);
//   Error error;
//   if (!form->InitializeData(settings.dataFolder(), &error)) ...show error.text()...
//   form->setIsAp(false); form->setSurveyorName(...); form->setSurveyorLicense(...);
//   form->setDocument(document); form->setIsAp(document->isApartment()); form->ShowData();
//   if (form->ValidateData()) ...form->Document() now holds the new address, owners, parcels, buildings...
// Everything runs on the GUI thread; no exception leaves the form.
class CreateFBI : public QWidget
{
    Q_OBJECT
public:
    // prompter: where messages and questions go; not owned, it outlives the form.
    explicit CreateFBI(Prompter& prompter, QWidget* parent = nullptr);
    ~CreateFBI() override;

    // Sends messages and questions elsewhere from now on (not owned).
    void setPrompter(Prompter& prompter);
    Prompter& prompter() const;
    // The user's decimal separator, accepted beside "." where an area must read as a number.
    void setDecimalSeparator(const QString& separator) { m_decimalSeparator = separator; }

    // Opens the nine tables from the folder `path` and fills the county, sub-unit type and
    // street-type lists and the grids' choice lists. False (with the failure in *error) when a
    // table cannot be opened or read.
    bool InitializeData(const QString& path, Error* error = nullptr);
    // Opens the tables again after a new nomenclature was written into `path`, keeping what the
    // form holds: the grids stay, the address is selected anew through the new tables (a code
    // they lack shows as a lookup miss, as when a document is shown). False as InitializeData.
    bool reloadLookUps(const QString& path, Error* error = nullptr);
    // Fills the form from Document(); lookup misses are reported one by one.
    void ShowData();
    void ClearControls();
    // Checks the form and, when every check passes, gives Document()'s Land a new Address,
    // Owners, Parcels and Buildings.
    bool ValidateData();

    DocumentPtr Document() const { return m_document; }
    void setDocument(DocumentPtr document);
    bool IsAp() const { return m_isAp; }
    void setIsAp(bool isAp);
    // The identifier (SIRUTA code) kept beside the selected locality; 0 when none.
    std::int32_t LocalityID() const;
    // Kept for the property's symmetry: a written value does not change later reads.
    void setLocalityID(std::int32_t) {}
    // The texts of the two measured-total labels (empty for a total of 0).
    QString TotalParcelsArea() const;
    QString TotalBuildingsArea() const;
    QString SurveyorName() const;
    void setSurveyorName(const QString& name);
    QString SurveyorLicense() const;
    void setSurveyorLicense(const QString& license);

    // The controls' values as plain data.
    FormData formData() const;

    // Row commands of the strips (also F5: parcel, F6: building).
    void AddParcelRow();
    void AddBuildingRow();
    void AddOwnerRow();
    void UpdateParcelsTotal();
    void UpdateBuildingsTotal();
    void ShowTotals();

    AddressPanel* addressPanel() const { return m_address; }
    FormGrid* ownersGrid() const { return m_owners; }
    FormGrid* parcelsGrid() const { return m_parcels; }
    FormGrid* buildingsGrid() const { return m_buildings; }
    TotalsPanel* parcelsTotals() const { return m_parcelsTotals; }
    TotalsPanel* buildingsTotals() const { return m_buildingsTotals; }

    // As wide as the form needs to show its fields without scrolling sideways (the scroll area
    // alone would ask for little); the grids scroll their own columns.
    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetupGrids();
    void fillChoiceLists();
    void ApplyPropertyType();
    void runCommand(const QString& key);
    void deleteCurrentRow(FormGrid* grid, const QString& actionName);
    void startTypingInLastRow(FormGrid* grid);
    void areaEdited(FormGrid* grid, int row, int column, int areaColumn);
    void writeBack(const FormData& form);
    void reportLookUpMiss(LookUpData& table, const QString& field, const QString& value, const QString& message);

    DocumentPtr m_document;
    FormLookUps m_lookUps;
    Prompter* m_prompter;
    QString m_decimalSeparator;
    bool m_isAp = false;
    bool m_showing = false;
    QString m_parcelsTotal = QStringLiteral("0");
    QString m_buildingsTotal = QStringLiteral("0");

    QWidget* m_page = nullptr;

    AddressPanel* m_address;
    FormGrid* m_owners;
    FormGrid* m_parcels;
    FormGrid* m_buildings;
    TotalsPanel* m_parcelsTotals;
    TotalsPanel* m_buildingsTotals;
    SurveyorPanel* m_surveyor;
};
