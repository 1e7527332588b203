#pragma once

#include "dxf/DxfImportWizard.h"

#include <QDialog>
#include <QElapsedTimer>

class DxfMapWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTabWidget;

// The DXF import wizard window ("Import fisier .DXF"). Its rules live in DxfImportWizard;
// this window forwards the clicks and shows the state. OK accepts the dialog and keeps the
// entities for importedEntities(); Renunta or the close box rejects it with nothing to hand back.
class frmImportDXF : public QDialog
{
    Q_OBJECT

public:
    frmImportDXF(Prompter& prompter, const QString& programFolder, QWidget* parent = nullptr);
    ~frmImportDXF() override;

    DxfImportWizard& wizard() { return m_wizard; }
    // What OK confirmed: the land and the buildings in the order of the coordinate table;
    // nullptr unless the dialog was accepted. (QDialog::result() is the accepted/rejected code.)
    DXFEntitiesPtr importedEntities() const { return m_imported; }
    DxfMapWidget* map(int area) const { return m_maps[area]; }

    // The handlers, public so tests can drive the window as the user would.
    void cmdOpenFile_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdExit_Click();
    void cmbLayers_Click(int index);
    void lstEntities_Click(int row);
    void cmdAsociate_Click();
    void cmdZoomIN_Click();
    void cmdZoomOUT_Click();
    void cmdZoomSelected_Click();
    void cmdPan_Click();

    // Reads a file as if chosen in the open dialog (command line and tests).
    void openFile(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPages();
    void refresh(bool lists);
    void fillList(QListWidget* list, const std::vector<DxfImportWizard::Line>& lines);
    void progressStep();

    DxfImportWizard m_wizard;
    DXFEntitiesPtr m_imported;
    QTabWidget* tabWizard = nullptr;
    QLineEdit* txtOpenFile = nullptr;
    QPushButton* cmdOpenFile = nullptr;
    QLabel* lblNote = nullptr;
    QComboBox* cmbLayers = nullptr;
    QListWidget* lstEntities = nullptr;
    QListWidget* lstEntities2 = nullptr;
    QLineEdit* txtNrConst = nullptr;
    QPushButton* cmdAsociate = nullptr;
    QListWidget* lstRaport = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdZoomIN = nullptr;
    QPushButton* cmdZoomOUT = nullptr;
    QPushButton* cmdZoomSelected = nullptr;
    QPushButton* cmdPan = nullptr;
    QProgressBar* prBarImport = nullptr;
    QLabel* lblImportedEntities = nullptr;
    DxfMapWidget* m_maps[2] = {nullptr, nullptr};
    QElapsedTimer m_repaintClock;
    bool m_shownOnce = false;
    bool m_busyCursor = false;
};
