#include "entry/FormValidation.h"

#include "base/Error.h"
#include "base/Prompter.h"
#include "entry/FormMapping.h"
#include "model/Document.h"

namespace FormValidation {

namespace {

// One run of the checks. Each rule returns false when the run must stop; the new objects
// live here until every rule has passed.
class Run
{
public:
    Run(FormData& form, Prompter& prompter, const QString& decimalSeparator)
        : m_form(form), m_prompter(prompter), m_separator(decimalSeparator)
    {
    }

    bool checkAddress();
    bool checkApartmentNumber();
    bool checkOwners();
    bool checkParcels();
    bool checkBuildings();
    void commit(Document& document);

private:
    bool fail(const QString& text)
    {
        m_prompter.error(text);
        return false;
    }
    bool goOn(const QString& question)
    {
        return m_prompter.ask(question, Prompter::CaptionError, Prompter::Buttons::YesNo,
                              Prompter::Icon::Exclamation) == Prompter::Answer::Yes;
    }
    bool isNumber(const QString& text) const { return FormMapping::readsAsNumber(text, m_separator); }
    // The legal total of one grid: empty becomes "0", an apartment's "," become ".".
    bool checkLegalTotal(QString& total, const QString& message);

    FormData& m_form;
    Prompter& m_prompter;
    QString m_separator;
    OwnersPtr m_owners = std::make_shared<Owners>();
    ParcelsPtr m_parcels = std::make_shared<Parcels>();
    BuildingsPtr m_buildings = std::make_shared<Buildings>();
};

bool Run::checkAddress()
{
    if (m_form.county.isEmpty())
        return fail(QStringLiteral("Judetul nu este completat."));
    if (m_form.territory.isEmpty())
        return fail(QStringLiteral("Teritoriul administrativ nu este completat."));
    if (!m_form.intravilan)
        return true;
    if (m_form.locality.isEmpty())
        return fail(QStringLiteral("Localitatea nu este completata."));
    if (m_form.streetType.isEmpty() && !goOn(QStringLiteral("Tipul de artera nu este completat. Continuati ?")))
        return false;
    if (m_form.streetName().isEmpty() && !goOn(QStringLiteral("Denumire artera nu este completata. Continuati ?")))
        return false;
    if (m_form.streetNo.isEmpty() && m_form.buildNo.isEmpty() &&
        !goOn(QStringLiteral("Numar bloc sau numar postal nu este completat. Continuati ?")))
        return false;
    return true;
}

bool Run::checkApartmentNumber()
{
    if (m_form.isAp && m_form.apartmentNo.isEmpty())
        return fail(QStringLiteral("Numarul apartamentului nu este completat."));
    return true;
}

bool Run::checkOwners()
{
    const GridRows& owners = m_form.owners;
    for (int row = 0; row < owners.count(); ++row) {
        if (owners.cell(row, OwnerColumn::LastName).isEmpty() || owners.cell(row, OwnerColumn::FirstName).isEmpty())
            return fail(QStringLiteral("Numele proprietarului nu este completat."));
        m_owners->Add(FormMapping::ownerFromRow(owners, row));
    }
    return true;
}

bool Run::checkLegalTotal(QString& total, const QString& message)
{
    if (total.isEmpty())
        total = QStringLiteral("0");
    if (m_form.isAp)
        total = FormMapping::CommaToPoint(total);
    if (!isNumber(total))
        return fail(message);
    return true;
}

bool Run::checkParcels()
{
    GridRows& parcels = m_form.parcels;
    if (parcels.count() == 0 && !m_form.isAp)
        return fail(QStringLiteral("Corpul de proprietate curent trebuie sa contina cel putin o parcela."));
    for (int row = 0; row < parcels.count(); ++row) {
        const QString number = parcels.cell(row, ParcelColumn::No);
        if (number.isEmpty())
            continue;
        if (parcels.cell(row, ParcelColumn::LandUse).isEmpty())
            return fail(QStringLiteral("Categoria de folosinta pentru parcela ") + number +
                        QStringLiteral(" nu este completata."));
        if (parcels.cell(row, ParcelColumn::LandDestination).isEmpty())
            return fail(QStringLiteral("Codul grupa destinatie pentru parcela ") + number +
                        QStringLiteral(" nu este completat."));
        const QString area = parcels.cell(row, ParcelColumn::Area);
        if (!m_form.isAp) {
            if (area.isEmpty())
                return fail(QStringLiteral("Suprafata din masuratori pentru parcela ") + number +
                            QStringLiteral(" nu este completata."));
            // A letter typed for a digit ("52O") would pass into the totals and the sheet.
            if (!isNumber(area))
                return fail(QStringLiteral("Suprafata din masuratori pentru parcela ") + number +
                            QStringLiteral(" nu este o valoare numerica."));
        } else if (!area.isEmpty()) {
            const QString share = FormMapping::CommaToPoint(area);
            parcels.setCell(row, ParcelColumn::Area, share);
            if (!isNumber(share))
                return fail(QStringLiteral("Cota teren indiviza pentru parcela ") + number +
                            QStringLiteral(" nu este o valoare numerica."));
        }
        m_parcels->Add(FormMapping::parcelFromRow(parcels, row, m_form.isAp));
    }
    FormMapping::UpdateParcelsTotal(m_form, m_separator);
    m_form.parcelsTotalMarked = true;
    if (!checkLegalTotal(m_form.parcelsLegalTotal,
                         QStringLiteral("Valoarea introdusa pentru totalul suprafetei din acte pentru parcele nu este "
                                        "numerica.")))
        return false;
    const QString shown = FormMapping::totalLabelText(m_form.parcelsTotal);
    m_parcels->setTotalMeasuredArea(shown.isEmpty() ? QStringLiteral("0") : shown);
    m_parcels->setTotalLegalArea(m_form.parcelsLegalTotal);
    return true;
}

bool Run::checkBuildings()
{
    GridRows& buildings = m_form.buildings;
    if (buildings.count() == 0 && m_form.isAp)
        return fail(QStringLiteral("Nu au fost introduse informatii despre apartament."));
    for (int row = 0; row < buildings.count(); ++row) {
        const QString number = buildings.cell(row, BuildColumn::No);
        if (number.isEmpty())
            continue;
        if (buildings.cell(row, BuildColumn::Description).isEmpty())
            return fail(QStringLiteral("Denumirea constructiei ") + number + QStringLiteral(" nu este completata."));
        if (buildings.cell(row, BuildColumn::Area).isEmpty())
            return fail(QStringLiteral("Suprafata construita la sol pentru constructia ") + number +
                        QStringLiteral(" nu este completata."));
        if (buildings.cell(row, BuildColumn::BuildDestination).isEmpty())
            return fail(QStringLiteral("Codul grupa destinatie pentru constructia ") + number +
                        QStringLiteral(" nu este completat."));
        if (m_form.isAp) {
            const QString area = FormMapping::CommaToPoint(buildings.cell(row, BuildColumn::Area));
            buildings.setCell(row, BuildColumn::Area, area);
            if (!isNumber(area))
                return fail(QStringLiteral("Suprafata utila a apartamentului nu este o valoare numerica."));
        } else if (!isNumber(buildings.cell(row, BuildColumn::Area))) {
            return fail(QStringLiteral("Valoarea suprafetei pentru cladirea ") + number +
                        QStringLiteral(" nu este numerica."));
        }
        m_buildings->Add(FormMapping::buildFromRow(buildings, row, m_form.isAp));
    }
    FormMapping::UpdateBuildingsTotal(m_form, m_separator);
    m_form.buildingsTotalMarked = true;
    if (!checkLegalTotal(m_form.buildingsLegalTotal,
                         QStringLiteral("Valoarea introdusa pentru totalul suprafetei din acte pentru cladiri nu este "
                                        "numerica.")))
        return false;
    const QString shown = FormMapping::totalLabelText(m_form.buildingsTotal);
    m_buildings->setTotalMeasuredArea(shown.isEmpty() ? QStringLiteral("0") : shown);
    m_buildings->setTotalLegalArea(m_form.buildingsLegalTotal);
    return true;
}

void Run::commit(Document& document)
{
    AddressPtr address = FormMapping::addressFromForm(m_form);
    if (!document.Land())
        document.setLand(std::make_shared<Land>());
    const LandPtr& land = document.Land();
    land->setAddress(std::move(address));
    land->setParcels(std::move(m_parcels));
    land->setBuildings(std::move(m_buildings));
    land->setOwners(std::move(m_owners));
}

} // namespace

bool ValidateData(FormData& form, Document& document, Prompter& prompter, const QString& decimalSeparator)
{
    try {
        Run run(form, prompter, decimalSeparator);
        if (!run.checkAddress() || !run.checkApartmentNumber() || !run.checkOwners() || !run.checkParcels() ||
            !run.checkBuildings())
            return false;
        run.commit(document);
        return true;
    } catch (const Failure& failure) {
        prompter.showError(failure.error());
    } catch (const std::exception&) {
        const Error error = Failure::invalidArgument().error();
        prompter.showError(error);
    }
    return false;
}

} // namespace FormValidation
