#include "entry/ui/AddressPanel.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/Prompter.h"
#include "entry/FormLookUps.h"
#include "entry/FormMapping.h"
#include "model/Address.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStackedWidget>

namespace {

const QColor MissColour(255, 0, 0);
const char* const MarkProperty = "lookupMiss";

QComboBox* makeList(const QString& name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setMinimumContentsLength(18);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMaxVisibleItems(20);
    return list;
}

QLineEdit* makeField(const QString& name, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

// The window colour, or the red of a lookup miss.
void paintList(QComboBox* list, bool miss)
{
    if (list->property(MarkProperty).toBool() == miss)
        return;
    list->setProperty(MarkProperty, miss);
    QPalette palette = list->parentWidget()->palette();
    if (miss) {
        palette.setColor(QPalette::Base, MissColour);
        palette.setColor(QPalette::Button, MissColour);
    }
    list->setPalette(palette);
}

void fillList(QComboBox* list, const QList<LookUpEntry>& entries)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (const LookUpEntry& entry : entries)
        list->addItem(entry.name, entry.id);
    list->setCurrentIndex(-1);
}

void emptyList(QComboBox* list)
{
    const QSignalBlocker blocker(list);
    list->clear();
}

std::int32_t selectedId(const QComboBox* list)
{
    return list->currentIndex() >= 0 ? list->currentData().toInt() : 0;
}

QString idText(const QComboBox* list)
{
    return QString::number(selectedId(list));
}

// The entry whose name equals `name` as the lookup tables compare names; -1 when none.
int findName(const QComboBox* list, const QString& name)
{
    for (int i = 0; i < list->count(); ++i) {
        if (AnsiText::sameLetters(list->itemText(i), name))
            return i;
    }
    return -1;
}

} // namespace

AddressPanel::AddressPanel(FormLookUps& lookUps, Prompter& prompter, QWidget* parent)
    : QGroupBox(parent), m_lookUps(lookUps), m_prompter(&prompter)
{
    setTitle(QStringLiteral("Adresa imobil"));
    cmbJudet = makeList(QStringLiteral("cmbJudet"), this);
    cmbTeritoriu = makeList(QStringLiteral("cmbTeritoriu"), this);
    chkIntravilan = new QCheckBox(QStringLiteral("Intravilan"), this);
    chkIntravilan->setObjectName(QStringLiteral("chkIntravilan"));
    cmbLocalitate = makeList(QStringLiteral("cmbLocalitate"), this);
    cmbTipSubAdm = makeList(QStringLiteral("cmbTipSubAdm"), this);
    cmbTipArtera = makeList(QStringLiteral("cmbTipArtera"), this);
    cmbStrada = makeList(QStringLiteral("cmbStrada"), this);
    txtStrada = makeField(QStringLiteral("txtStrada"), this);
    txtNumar = makeField(QStringLiteral("txtNumar"), this);
    txtBloc = makeField(QStringLiteral("txtBloc"), this);
    txtScara = makeField(QStringLiteral("txtScara"), this);
    txtTarla = makeField(QStringLiteral("txtTarla"), this);
    txtParcela = makeField(QStringLiteral("txtParcela"), this);
    txtEtaj = makeField(QStringLiteral("txtEtaj"), this);
    txtApartament = makeField(QStringLiteral("txtApartament"), this);
    txtNumeSubAdm = makeField(QStringLiteral("txtNumeSubAdm"), this);
    txtDescriere = new QPlainTextEdit(this);
    txtDescriere->setObjectName(QStringLiteral("txtDescriere"));
    txtDescriere->setTabChangesFocus(true);
    txtDescriere->setFixedHeight(txtDescriere->fontMetrics().height() * 3 + 10);

    // The street list and the free street field share one place.
    m_streetStack = new QStackedWidget(this);
    m_streetStack->addWidget(txtStrada);
    m_streetStack->addWidget(cmbStrada);
    m_streetStack->setFixedHeight(cmbStrada->sizeHint().height());

    auto label = [this](const QString& text) { return new QLabel(text, this); };
    lblTarla = label(QStringLiteral("Tarla"));
    lblParcela = label(QStringLiteral("Parcela"));
    lblEtaj = label(QStringLiteral("Etaj"));
    lblApartament = label(QStringLiteral("Apartament"));

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->addWidget(label(QStringLiteral("Judetul")), 0, 0);
    grid->addWidget(cmbJudet, 0, 1);
    grid->addWidget(label(QStringLiteral("Teritoriul administrativ")), 0, 2);
    grid->addWidget(cmbTeritoriu, 0, 3);
    grid->addWidget(chkIntravilan, 1, 1);
    grid->addWidget(label(QStringLiteral("Localitatea")), 1, 2);
    grid->addWidget(cmbLocalitate, 1, 3);
    grid->addWidget(label(QStringLiteral("Tip subunitate administrativa")), 2, 0);
    grid->addWidget(cmbTipSubAdm, 2, 1);
    grid->addWidget(label(QStringLiteral("Nume subunitate administrativa")), 2, 2);
    grid->addWidget(txtNumeSubAdm, 2, 3);
    grid->addWidget(label(QStringLiteral("Tip artera")), 3, 0);
    grid->addWidget(cmbTipArtera, 3, 1);
    grid->addWidget(label(QStringLiteral("Denumire artera")), 3, 2);
    grid->addWidget(m_streetStack, 3, 3);

    auto* numbers = new QHBoxLayout;
    // A nested layout takes no spacing from a grid whose two spacings differ: without its own
    // the labels touch their fields.
    numbers->setSpacing(6);
    const std::pair<const char*, QLineEdit*> fields[] = {{"Numar", txtNumar}, {"Bloc", txtBloc}, {"Scara", txtScara}};
    for (const auto& [text, field] : fields) {
        numbers->addWidget(label(QString::fromLatin1(text)));
        numbers->addWidget(field);
        numbers->addSpacing(10);
    }
    for (const auto& [caption, field] : {std::pair{lblTarla, txtTarla}, std::pair{lblParcela, txtParcela},
                                         std::pair{lblEtaj, txtEtaj}, std::pair{lblApartament, txtApartament}}) {
        numbers->addWidget(caption);
        numbers->addWidget(field);
        numbers->addSpacing(10);
    }
    grid->addLayout(numbers, 4, 0, 1, 4);
    grid->addWidget(label(QStringLiteral("Descriere suplimentara")), 5, 0, Qt::AlignTop);
    grid->addWidget(txtDescriere, 5, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    cmbLocalitate->setEnabled(false);

    connect(cmbJudet, &QComboBox::currentIndexChanged, this, [this](int i) { guarded([&] { countyChosen(i); }); });
    connect(cmbTeritoriu, &QComboBox::currentIndexChanged, this,
            [this](int i) { guarded([&] { territoryChosen(i); }); });
    connect(cmbLocalitate, &QComboBox::currentIndexChanged, this,
            [this](int i) { guarded([&] { localityChosen(i); }); });
    connect(cmbTipArtera, &QComboBox::currentIndexChanged, this,
            [this](int i) { guarded([&] { streetTypeChosen(i); }); });
    connect(cmbStrada, &QComboBox::currentIndexChanged, this, [this] { paintList(cmbStrada, false); });
    connect(cmbTipSubAdm, &QComboBox::currentIndexChanged, this, [this] { paintList(cmbTipSubAdm, false); });
    connect(chkIntravilan, &QCheckBox::toggled, this, [this](bool on) { guarded([&] { intravilanClicked(on); }); });
    for (QComboBox* list : {cmbTipArtera, cmbStrada, cmbTipSubAdm})
        list->installEventFilter(this);
}

template <typename Step> void AddressPanel::guarded(Step step)
{
    // The cascade runs inside Qt's signal delivery, which must not be left by an exception.
    try {
        step();
    } catch (const std::exception& failure) {
        reportFailure(failure);
    }
}

void AddressPanel::reportFailure(const std::exception& failure)
{
    if (const auto* known = dynamic_cast<const Failure*>(&failure))
        m_prompter->showError(known->error());
    else
        m_prompter->showError(ErrorNumber::InvalidArgument, QString::fromLocal8Bit(failure.what()));
}

void AddressPanel::fillFixedLists()
{
    m_lookUps.counties.clearFilter();
    fillList(cmbJudet,
             FormLookUps::entries(m_lookUps.counties, QStringLiteral("county_name"), QStringLiteral("county_id")));
    m_lookUps.districtTypes.clearFilter();
    fillList(cmbTipSubAdm, FormLookUps::entries(m_lookUps.districtTypes, QStringLiteral("district_type_name"),
                                                QStringLiteral("district_type_id")));
    m_lookUps.streetTypes.clearFilter();
    fillList(cmbTipArtera, FormLookUps::entries(m_lookUps.streetTypes, QStringLiteral("street_type_name"),
                                                QStringLiteral("street_type_id")));
}

void AddressPanel::clear()
{
    for (QComboBox* list : {cmbJudet, cmbTipSubAdm, cmbTipArtera}) {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(-1);
    }
    for (QComboBox* list : {cmbTeritoriu, cmbLocalitate})
        emptyList(list);
    resetStreet();
    for (QComboBox* list : {cmbJudet, cmbTeritoriu, cmbLocalitate, cmbTipSubAdm, cmbTipArtera, cmbStrada})
        paintList(list, false);
    for (QLineEdit* field : {txtNumar, txtBloc, txtScara, txtTarla, txtParcela, txtEtaj, txtApartament, txtNumeSubAdm})
        field->clear();
    txtDescriere->clear();
}

void AddressPanel::applyPropertyType(bool isAp)
{
    chkIntravilan->setChecked(isAp);
    chkIntravilan->setEnabled(!isAp);
    for (QWidget* widget : {static_cast<QWidget*>(lblEtaj), static_cast<QWidget*>(txtEtaj),
                            static_cast<QWidget*>(lblApartament), static_cast<QWidget*>(txtApartament)})
        widget->setVisible(isAp);
    for (QWidget* widget : {static_cast<QWidget*>(lblTarla), static_cast<QWidget*>(txtTarla),
                            static_cast<QWidget*>(lblParcela), static_cast<QWidget*>(txtParcela)})
        widget->setVisible(!isAp);
}

void AddressPanel::resetStreet()
{
    emptyList(cmbStrada);
    txtStrada->clear();
    showStreetList(false);
}

void AddressPanel::showStreetList(bool listed)
{
    // The flag follows what is shown: a hidden list is never where the street name is read.
    m_hasStreetList = listed;
    m_streetStack->setCurrentWidget(listed ? static_cast<QWidget*>(cmbStrada) : txtStrada);
}

void AddressPanel::countyChosen(int index)
{
    paintList(cmbJudet, false);
    if (index < 0)
        return;
    emptyList(cmbTeritoriu);
    emptyList(cmbLocalitate);
    resetStreet();
    m_lookUps.territories.setFilter(QStringLiteral("admin_county_id = ") + idText(cmbJudet));
    fillList(cmbTeritoriu,
             FormLookUps::entries(m_lookUps.territories, QStringLiteral("admin_name"), QStringLiteral("admin_id")));
    if (!m_showing && cmbTeritoriu->count() > 0)
        cmbTeritoriu->setCurrentIndex(0);
}

void AddressPanel::territoryChosen(int index)
{
    paintList(cmbTeritoriu, false);
    if (index < 0)
        return;
    fillLocalities();
}

void AddressPanel::fillLocalities()
{
    emptyList(cmbLocalitate);
    resetStreet();
    m_lookUps.localities.setFilter(QStringLiteral("admin_id = ") + idText(cmbTeritoriu) +
                                   QStringLiteral(" AND ie_code = ") + (chkIntravilan->isChecked() ? "1" : "0"));
    fillList(cmbLocalitate, FormLookUps::entries(m_lookUps.localities, QStringLiteral("locality_name"),
                                                 QStringLiteral("locality_id")));
}

void AddressPanel::localityChosen(int index)
{
    paintList(cmbLocalitate, false);
    if (index < 0)
        return;
    emptyList(cmbStrada);
    txtStrada->clear();
    m_lookUps.streets.setFilter(QStringLiteral("admin_id = ") + idText(cmbTeritoriu) +
                                QStringLiteral(" AND locality_id = ") + idText(cmbLocalitate));
    showStreetList(m_lookUps.streets.rsLookUp().recordCount() > 0);
    FillStreetList();
}

void AddressPanel::streetTypeChosen(int)
{
    paintList(cmbTipArtera, false);
    FillStreetList();
}

void AddressPanel::FillStreetList()
{
    if (m_hasStreetList)
        emptyList(cmbStrada);
    else
        txtStrada->clear();
    if (cmbTeritoriu->currentIndex() < 0 || cmbLocalitate->currentIndex() < 0 || cmbTipArtera->currentIndex() < 0)
        return;
    m_lookUps.streets.setFilter(QStringLiteral("admin_id = ") + idText(cmbTeritoriu) +
                                QStringLiteral(" AND locality_id = ") + idText(cmbLocalitate) +
                                QStringLiteral(" AND street_type_id = ") + idText(cmbTipArtera));
    fillList(cmbStrada,
             FormLookUps::entries(m_lookUps.streets, QStringLiteral("street_name"), QStringLiteral("street_type_id")));
}

void AddressPanel::intravilanClicked(bool checked)
{
    cmbLocalitate->setEnabled(checked);
    if (cmbJudet->currentIndex() >= 0 && cmbTeritoriu->currentIndex() >= 0)
        fillLocalities();
}

void AddressPanel::clearEightFields()
{
    for (QLineEdit* field : {txtStrada, txtNumar, txtBloc, txtScara, txtTarla, txtParcela, txtEtaj, txtApartament})
        field->clear();
}

bool AddressPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* list = qobject_cast<QComboBox*>(watched);
        if (list && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
            list->setCurrentIndex(-1);
            if (list != cmbTipSubAdm)
                clearEightFields();
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

bool AddressPanel::isMarked(const QComboBox* list)
{
    return list->property(MarkProperty).toBool();
}

void AddressPanel::SelectLookupValue(LookUpData& table, QComboBox* list, const QString& field, const QVariant& value,
                                     const QString& message)
{
    const bool empty = !value.isValid() || value.toString().isEmpty();
    if (table.CanHaveNullValue() && empty) {
        list->setCurrentIndex(-1);
        paintList(list, false);
        return;
    }
    const int position = table.Search(field, value);
    // A position beyond the list means the table's filter no longer matches what the list
    // holds (an upper list missed): that is a miss too.
    if (position < 0 || position >= list->count()) {
        list->setCurrentIndex(-1);
        paintList(list, true);
        m_prompter->error(message);
        return;
    }
    list->setCurrentIndex(position);
    paintList(list, false);
}

void AddressPanel::showAddress(const Address& address)
{
    if (m_lookUps.isOpen()) {
        selectAddress(address);
    } else {
        chkIntravilan->setChecked(address.IECode() == 1);
        txtStrada->setText(address.StreetName());
    }
    showFields(address);
}

void AddressPanel::reloadLists(const Address* stored)
{
    FormData form;
    readInto(form);
    const AddressPtr address = FormMapping::addressFromForm(form);
    if (stored) {
        if (isMarked(cmbJudet) || isMarked(cmbTeritoriu) || isMarked(cmbLocalitate)) {
            address->setSIRUTA(stored->SIRUTA());
            address->setIECode(stored->IECode());
        }
        if (isMarked(cmbTipArtera))
            address->setStreetType(stored->StreetType());
        if (isMarked(cmbTipSubAdm))
            address->setDistrictType(stored->DistrictType());
        if (isMarked(cmbStrada))
            address->setStreetName(stored->StreetName());
    }
    clear();
    fillFixedLists();
    m_showing = true;
    if (address->SIRUTA() != 0) {
        showAddress(*address);
    } else {
        guarded([&] { restoreChoices(form); });
        txtStrada->setText(address->StreetName());
        showFields(*address);
    }
    m_showing = false;
}

void AddressPanel::restoreChoices(const FormData& form)
{
    chkIntravilan->setChecked(form.intravilan);
    for (const auto& [list, id] : {std::pair{cmbJudet, form.countyId}, std::pair{cmbTeritoriu, form.territoryId}}) {
        if (id != 0)
            list->setCurrentIndex(list->findData(id));
    }
    if (!form.streetType.isEmpty())
        cmbTipArtera->setCurrentIndex(findName(cmbTipArtera, form.streetType));
    if (!form.districtType.isEmpty())
        cmbTipSubAdm->setCurrentIndex(findName(cmbTipSubAdm, form.districtType));
}

void AddressPanel::showFields(const Address& address)
{
    txtNumar->setText(address.StreetNo());
    txtBloc->setText(address.BuildNo());
    txtScara->setText(address.EntranceNo());
    txtTarla->setText(address.TarlaNo());
    txtParcela->setText(address.ParcelNo());
    txtEtaj->setText(address.FloorNo());
    txtApartament->setText(address.ApartmentNo());
    txtNumeSubAdm->setText(address.DistrictName());
    txtDescriere->setPlainText(address.Description());
}

void AddressPanel::selectAddress(const Address& address)
{
    QVariant countyId;
    QVariant territoryId;
    guarded([&] {
        m_lookUps.localities.setFilter(QStringLiteral("locality_id=") + QString::number(address.SIRUTA()));
        LookUpTable& records = m_lookUps.localities.rsLookUp();
        if (!records.atEnd()) {
            countyId = records.field(QStringLiteral("county_id"));
            territoryId = records.field(QStringLiteral("admin_id"));
        }
    });
    guarded([&] {
        SelectLookupValue(m_lookUps.counties, cmbJudet, QStringLiteral("county_id"), countyId,
                          QStringLiteral("Judetul este incorect."));
    });
    guarded([&] {
        SelectLookupValue(m_lookUps.territories, cmbTeritoriu, QStringLiteral("admin_id"), territoryId,
                          QStringLiteral("Teritoriul administrativ este incorect."));
    });
    const bool intravilan = address.IECode() == 1;
    chkIntravilan->setChecked(intravilan);
    if (intravilan) {
        guarded([&] {
            SelectLookupValue(m_lookUps.localities, cmbLocalitate, QStringLiteral("locality_id"), address.SIRUTA(),
                              QStringLiteral("Localitatea este incorecta."));
        });
    }
    m_lookUps.localities.clearFilter();
    m_lookUps.streetTypes.setCanHaveNullValue(intravilan);
    m_lookUps.streets.setCanHaveNullValue(intravilan);

    if (!address.StreetType().isEmpty()) {
        guarded([&] {
            SelectLookupValue(m_lookUps.streetTypes, cmbTipArtera, QStringLiteral("street_type_name"),
                              address.StreetType(), QStringLiteral("Tip artera incorect."));
        });
    }
    if (!address.DistrictType().isEmpty()) {
        guarded([&] {
            SelectLookupValue(m_lookUps.districtTypes, cmbTipSubAdm, QStringLiteral("district_type_name"),
                              address.DistrictType(), QStringLiteral("Tip subunitate administrativa incorect."));
        });
    }
    if (m_hasStreetList) {
        guarded([&] {
            SelectLookupValue(m_lookUps.streets, cmbStrada, QStringLiteral("street_name"), address.StreetName(),
                              QStringLiteral("Strada este incorecta."));
        });
    } else {
        txtStrada->setText(address.StreetName());
    }
}

std::int32_t AddressPanel::localityId() const
{
    return selectedId(cmbLocalitate);
}

void AddressPanel::readInto(FormData& form) const
{
    form.county = cmbJudet->currentText();
    form.countyId = selectedId(cmbJudet);
    form.territory = cmbTeritoriu->currentText();
    form.territoryId = selectedId(cmbTeritoriu);
    form.locality = cmbLocalitate->currentText();
    form.localityId = selectedId(cmbLocalitate);
    form.intravilan = chkIntravilan->isChecked();
    form.districtType = cmbTipSubAdm->currentText();
    form.streetType = cmbTipArtera->currentText();
    form.hasStreetList = m_hasStreetList;
    form.streetListText = cmbStrada->currentText();
    form.streetText = txtStrada->text();
    form.streetNo = txtNumar->text();
    form.buildNo = txtBloc->text();
    form.entranceNo = txtScara->text();
    form.tarlaNo = txtTarla->text();
    form.parcelNo = txtParcela->text();
    form.floorNo = txtEtaj->text();
    form.apartmentNo = txtApartament->text();
    form.districtName = txtNumeSubAdm->text();
    form.description = txtDescriere->toPlainText();
}

#include "moc_AddressPanel.cpp"
