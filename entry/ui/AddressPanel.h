#pragma once

#include "entry/FormData.h"

#include <QGroupBox>
#include <QVariant>

class Address;
class FormLookUps;
class LookUpData;
class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;

// The address frame "Adresa imobil" with the county -> territory -> locality -> street cascade
// over the nomenclature tables. Lists keep the table identifier of each entry as item data.
// A list with a lookup miss of a shown document is painted red until the user chooses in it
// or the form is cleared.
class AddressPanel : public QGroupBox
{
    Q_OBJECT
public:
    // Failures of the cascade (a table that cannot be read) and the misses of showAddress are
    // reported through the prompter (not owned; setPrompter swaps it).
    AddressPanel(FormLookUps& lookUps, Prompter& prompter, QWidget* parent = nullptr);

    void setPrompter(Prompter& prompter) { m_prompter = &prompter; }

    // Fills the county, sub-unit type and street-type lists from their (open) tables.
    void fillFixedLists();
    // Empties the fields and the cascade lists, unselects the fixed lists, shows the street
    // text field.
    void clear();
    // Land or apartment: Intravilan checked and locked for an apartment; Etaj/Apartament or
    // Tarla/Parcela shown.
    void applyPropertyType(bool isAp);

    // While a document is shown, choosing a county does not select its first territory.
    void setShowing(bool showing) { m_showing = showing; }
    // Selects the stored address through the tables; each miss paints its list red and shows
    // its message, and the showing goes on.
    void showAddress(const Address& address);
    // After the tables were opened again (a new nomenclature): fills the lists anew and selects
    // the address the controls held, as a shown document's (a code the new tables lack is a
    // miss). A list still red from a miss stands for `stored`'s value, which the new tables may
    // now know. A locality not yet chosen leaves the county and territory chosen, silently.
    // Throws Failure when a table cannot be read.
    void reloadLists(const Address* stored);

    // The controls' values, for the mapping and the validation.
    void readInto(FormData& form) const;
    bool hasStreetList() const { return m_hasStreetList; }
    // The identifier kept beside the selected locality; 0 when the list is empty or nothing
    // is selected.
    std::int32_t localityId() const;
    // True when the list is painted in the red of a lookup miss.
    static bool isMarked(const QComboBox* list);

    QComboBox* cmbJudet;
    QComboBox* cmbTeritoriu;
    QCheckBox* chkIntravilan;
    QComboBox* cmbLocalitate;
    QComboBox* cmbTipSubAdm;
    QComboBox* cmbTipArtera;
    QComboBox* cmbStrada;
    QLineEdit* txtStrada;
    QLineEdit* txtNumar;
    QLineEdit* txtBloc;
    QLineEdit* txtScara;
    QLineEdit* txtTarla;
    QLineEdit* txtParcela;
    QLineEdit* txtEtaj;
    QLineEdit* txtApartament;
    QLineEdit* txtNumeSubAdm;
    QPlainTextEdit* txtDescriere;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void countyChosen(int index);
    void territoryChosen(int index);
    void localityChosen(int index);
    void streetTypeChosen(int index);
    void intravilanClicked(bool checked);
    // The lists' part of showAddress: county, territory, Intravilan, locality, types, street.
    void selectAddress(const Address& address);
    void showFields(const Address& address);
    // County, territory, Intravilan and the two type lists as `form` had them, where the lists
    // still hold those entries.
    void restoreChoices(const FormData& form);
    void FillStreetList();
    void fillLocalities();
    // Back to the free street field: the list emptied and hidden, the flag cleared.
    void resetStreet();
    void showStreetList(bool listed);
    void clearEightFields();
    void SelectLookupValue(LookUpData& table, QComboBox* list, const QString& field, const QVariant& value,
                           const QString& message);
    void reportFailure(const std::exception& failure);
    template <typename Step> void guarded(Step step);

    FormLookUps& m_lookUps;
    Prompter* m_prompter;
    bool m_showing = false;
    bool m_hasStreetList = false;
    QStackedWidget* m_streetStack;
    QLabel* lblTarla;
    QLabel* lblParcela;
    QLabel* lblEtaj;
    QLabel* lblApartament;
};
