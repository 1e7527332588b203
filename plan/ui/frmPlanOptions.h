#pragma once

#include "plan/PlanOptions.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// Asks what a site plan needs beyond the document: scale, paper, orientation, and the
// cadastral and land-book numbers (which the .CP file does not hold). The numbers typed are
// kept for the next plan of the same session by the caller.
class frmPlanOptions : public QDialog
{
    Q_OBJECT
public:
    explicit frmPlanOptions(const PlanOptions& initial, QWidget* parent = nullptr);

    // The choices, over the initial options (texts trimmed).
    PlanOptions options() const;

    QComboBox* cmbScale;
    QComboBox* cmbPaper;
    QComboBox* cmbOrientation;
    QLineEdit* txtCadastralNo;
    QLineEdit* txtLandBookNo;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

private:
    PlanOptions m_initial;
};
