#pragma once

#include "cgxml/CgxmlChecks.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// Shows every result of the checks made before export at once. "Exporta" is offered only when
// none of them is an error.
class CgxmlChecksDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CgxmlChecksDialog(const QList<CgxmlFinding>& findings, QWidget* parent = nullptr);

    QListWidget* findingsList() const { return m_list; }
    QPushButton* exportButton() const { return m_export; }

private:
    QListWidget* m_list = nullptr;   // lstFindings
    QPushButton* m_export = nullptr; // cmdExport
};
