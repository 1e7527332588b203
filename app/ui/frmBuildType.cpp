#include "app/ui/frmBuildType.h"

#include "app/AppSettings.h"
#include "base/ui/ConfirmButtons.h"
#include "base/ui/KeepOnTop.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

frmBuildType::frmBuildType(AppSettings& settings, QWidget* parent) : QDialog(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("frmBuildType"));
    setWindowTitle(QStringLiteral("Tip proprietate"));
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("Selectati tipul proprietatii"), this);
    optLand = new QRadioButton(QStringLiteral("Teren"), frame);
    optLand->setObjectName(QStringLiteral("optBuildType_0"));
    optLand->setChecked(true);
    optApartment = new QRadioButton(QStringLiteral("Apartament"), frame);
    optApartment->setObjectName(QStringLiteral("optBuildType_1"));
    auto* options = new QVBoxLayout(frame);
    options->addWidget(optLand);
    options->addWidget(optApartment);

    const ConfirmButtons buttons = ConfirmButtons::create(this);
    cmdOk = buttons.ok;
    cmdExit = buttons.exit;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons.row);

    connect(cmdOk, &QPushButton::clicked, this, &frmBuildType::accept);
    connect(cmdExit, &QPushButton::clicked, this, &frmBuildType::reject);
    keepOnTop(this, true);
}

bool frmBuildType::isApartment() const
{
    return optApartment->isChecked();
}

void frmBuildType::accept()
{
    m_settings.cancelFlag = false;
    QDialog::accept();
}

void frmBuildType::reject()
{
    m_settings.cancelFlag = true;
    QDialog::reject();
}
