#include "entry/ui/FormPanels.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

TotalsPanel::TotalsPanel(const QString& prefix, QWidget* parent)
    : QFrame(parent), m_measured(new QLabel(this)), m_legal(new QLineEdit(this))
{
    m_measured->setObjectName(QStringLiteral("lblTotal") + prefix);
    m_legal->setObjectName(QStringLiteral("txtTotalActe") + prefix);
    m_measured->setTextFormat(Qt::PlainText);
    m_measured->setMinimumWidth(90);
    m_measured->setFrameShape(QFrame::StyledPanel);
    m_measured->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_legal->setMaximumWidth(110);
    m_legal->setAlignment(Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(new QLabel(QStringLiteral("Total suprafata masurata"), this));
    layout->addWidget(m_measured);
    layout->addWidget(new QLabel(QStringLiteral("mp"), this));
    layout->addSpacing(16);
    layout->addWidget(new QLabel(QStringLiteral("Total suprafata din acte"), this));
    layout->addWidget(m_legal);
    layout->addWidget(new QLabel(QStringLiteral("mp"), this));
    layout->addStretch();
}

QString TotalsPanel::measuredText() const
{
    return m_measured->text();
}

void TotalsPanel::setMeasuredText(const QString& text)
{
    m_measured->setText(text);
}

void TotalsPanel::setMeasuredMarked(bool marked)
{
    m_marked = marked;
    QPalette palette = m_measured->palette();
    palette.setColor(QPalette::WindowText, marked ? MarkedColour : this->palette().color(QPalette::WindowText));
    m_measured->setPalette(palette);
}

QString TotalsPanel::legalText() const
{
    return m_legal->text();
}

void TotalsPanel::setLegalText(const QString& text)
{
    m_legal->setText(text);
}

SurveyorPanel::SurveyorPanel(QWidget* parent) : QFrame(parent), m_name(new QLabel(this)), m_license(new QLabel(this))
{
    m_name->setObjectName(QStringLiteral("lblNumeAutorizat"));
    m_license->setObjectName(QStringLiteral("lblSerieAutorizat"));
    m_name->setTextFormat(Qt::PlainText);
    m_license->setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(new QLabel(QStringLiteral("Nume autorizat:"), this));
    layout->addWidget(m_name);
    layout->addSpacing(24);
    layout->addWidget(new QLabel(QStringLiteral("Serie autorizat:"), this));
    layout->addWidget(m_license);
    layout->addStretch();
}

QString SurveyorPanel::name() const
{
    return m_name->text();
}

void SurveyorPanel::setName(const QString& name)
{
    m_name->setText(name);
}

QString SurveyorPanel::license() const
{
    return m_license->text();
}

void SurveyorPanel::setLicense(const QString& license)
{
    m_license->setText(license);
}

#include "moc_FormPanels.cpp"
