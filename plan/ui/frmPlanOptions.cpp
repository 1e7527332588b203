#include "plan/ui/frmPlanOptions.h"

#include "plan/PlanScale.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmPlanOptions::frmPlanOptions(const PlanOptions& initial, QWidget* parent) : QDialog(parent), m_initial(initial)
{
    setObjectName(QStringLiteral("frmPlanOptions"));
    setWindowTitle(QStringLiteral("Plan de amplasament"));

    cmbScale = new QComboBox(this);
    cmbScale->setObjectName(QStringLiteral("cmbScale"));
    cmbScale->addItem(QStringLiteral("Cea mai mare care incape"), 0);
    for (int denominator : PlanScale::standardDenominators())
        cmbScale->addItem(PlanScale::text(denominator), denominator);
    cmbScale->setCurrentIndex(std::max(0, cmbScale->findData(initial.scale)));

    cmbPaper = new QComboBox(this);
    cmbPaper->setObjectName(QStringLiteral("cmbPaper"));
    cmbPaper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    cmbPaper->addItem(QStringLiteral("A3"), int(QPageSize::A3));
    cmbPaper->setCurrentIndex(std::max(0, cmbPaper->findData(int(initial.paper))));

    cmbOrientation = new QComboBox(this);
    cmbOrientation->setObjectName(QStringLiteral("cmbOrientation"));
    cmbOrientation->addItem(QStringLiteral("Dupa desen"), -1);
    cmbOrientation->addItem(QStringLiteral("Portret"), int(QPageLayout::Portrait));
    cmbOrientation->addItem(QStringLiteral("Peisaj"), int(QPageLayout::Landscape));
    cmbOrientation->setCurrentIndex(initial.orientation ? cmbOrientation->findData(int(*initial.orientation)) : 0);

    txtCadastralNo = new QLineEdit(initial.cadastralNo, this);
    txtCadastralNo->setObjectName(QStringLiteral("txtCadastralNo"));
    txtLandBookNo = new QLineEdit(initial.landBookNo, this);
    txtLandBookNo->setObjectName(QStringLiteral("txtLandBookNo"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Scara:"), cmbScale);
    form->addRow(QStringLiteral("Hartie:"), cmbPaper);
    form->addRow(QStringLiteral("Orientare:"), cmbOrientation);
    form->addRow(QStringLiteral("Nr. cadastral:"), txtCadastralNo);
    form->addRow(QStringLiteral("Nr. carte funciara:"), txtLandBookNo);

    auto* buttons = new QDialogButtonBox(this);
    cmdOk = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel = buttons->addButton(QStringLiteral("Renunta"), QDialogButtonBox::RejectRole);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    txtCadastralNo->setFocus();
}

PlanOptions frmPlanOptions::options() const
{
    PlanOptions options = m_initial;
    options.scale = cmbScale->currentData().toInt();
    options.paper = QPageSize::PageSizeId(cmbPaper->currentData().toInt());
    const int orientation = cmbOrientation->currentData().toInt();
    options.orientation =
        orientation < 0 ? std::nullopt : std::optional<QPageLayout::Orientation>(QPageLayout::Orientation(orientation));
    options.cadastralNo = txtCadastralNo->text().trimmed();
    options.landBookNo = txtLandBookNo->text().trimmed();
    return options;
}
