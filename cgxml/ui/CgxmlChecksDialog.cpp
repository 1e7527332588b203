#include "cgxml/ui/CgxmlChecksDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CgxmlChecksDialog::CgxmlChecksDialog(const QList<CgxmlFinding>& findings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCgxmlChecks"));
    setWindowTitle(QStringLiteral("Verificari inainte de export CGXML"));
    const bool refused = CgxmlChecks::hasErrors(findings);
    auto* label = new QLabel(refused ? QStringLiteral("Fisierul nu poate fi exportat pana la corectarea erorilor:")
                                     : QStringLiteral("Fisierul poate fi exportat; verificati avertismentele:"),
                             this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstFindings"));
    m_list->setWordWrap(true);
    for (const CgxmlFinding& finding : findings) {
        const bool error = finding.severity == CgxmlFinding::Severity::Error;
        auto* item = new QListWidgetItem(
            (error ? QStringLiteral("Eroare: ") : QStringLiteral("Avertisment: ")) + finding.text, m_list);
        item->setForeground(error ? QColor(192, 0, 0) : QColor(128, 96, 0));
    }
    m_export = new QPushButton(QStringLiteral("Exporta"), this);
    m_export->setObjectName(QStringLiteral("cmdExport"));
    m_export->setEnabled(!refused);
    auto* cancel = new QPushButton(QStringLiteral("Renunta"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_export, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_export);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    resize(640, 320);
}
