#pragma once

#include "app/DocumentState.h"
#include "app/UserState.h"
#include "format/CPFile.h"
#include "model/DXFEntity.h"
#include "plan/PlanOptions.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AppSettings;
class CoordinateListChanges;
class CoordinateListHistory;
class CoordinateTable;
class CreateFBI;
class DrawSketch;
class EditableList;
class FormGrid;
class FormGridHistory;
class Prompter;
class QAction;
class QLabel;
class QMenu;
class QListWidget;
class QMenu;
class QSettings;
class QTimer;
class RecoverySlot;
class QSplitter;
class QTabWidget;
class QToolBar;
class frmHelp;
class CoordinateInventory;
class SitePlan;
struct CgxmlFinding;

// The main window: the data form, the coordinate list and the sketch of one property
// document, the area list, the status bar and the toolbar commands. Every message and
// question goes through the prompter it is given.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    frmMain(AppSettings& settings, Prompter& prompter, QWidget* parent = nullptr);
    ~frmMain() override;

    // Opens the .CP file named on the command line (quotes and surrounding blanks removed).
    void openCommandLine(const QString& argument);

    // Toolbar commands by key ("New", "Open", "Save", "SaveAs", "ImportDXF", "ExportRTF",
    // "Refresh", "XToY", "Options", "Help", "Exit").
    void runCommand(const QString& key);
    QAction* toolButton(const QString& key) const;

    void NewDocument();
    void OpenDocument();
    void LoadIntoWindow(const QString& path);
    void RedrawSketch();
    // Checks, asks for the file and writes it; true when the file was written.
    bool SaveDocument();
    void ExportSheet();
    void ImportFromDxf();
    // The "Fisier" menu's outputs: the site plan as PDF and on paper, the coordinate inventory
    // and the contours as a DXF drawing.
    void ExportPlan();
    void PrintPlan();
    void ShowInventory();
    void ExportDrawing();
    // The plan's options dialog, the print preview and the inventory window, replaceable by tests.
    void setPlanOptionsAsker(std::function<std::optional<PlanOptions>(const PlanOptions&)> asker)
    {
        m_askPlanOptions = std::move(asker);
    }
    void setPlanPreviewer(std::function<void(const SitePlan&)> previewer) { m_previewPlan = std::move(previewer); }
    void setInventoryShower(std::function<void(const CoordinateInventory&)> shower)
    {
        m_showInventory = std::move(shower);
    }
    // The national exchange file: "Export CGXML..." and "Deschide CGXML..." of the "Fisier" menu.
    void ExportCgxml();
    void OpenCgxml();
    // The dialog listing the checks made before export, replaceable by tests: true to export.
    void setCgxmlChecksShower(std::function<bool(const QList<CgxmlFinding>&)> shower)
    {
        m_showCgxmlChecks = std::move(shower);
    }
    // Opens the Data folder's tables again after a nomenclature import; the document stays.
    void reloadNomenclature();

    // Counts the rows of the coordinate list whose entity is `name`, ignoring case.
    int CountEntityRows(const QString& name) const;
    bool EntityExists(const QString& name) const;
    void FillAreaList();

    // The path chosen in a file dialog; empty when cancelled. The save kind re-reads the work
    // number from the settings file first.
    enum class DialogKind
    {
        Open,
        Save
    };
    QString ShowFileDialog(const QString& filter, const QString& defaultName, const QString& title, DialogKind kind);

    // "Anuleaza ..." and "Reface ..." (Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z): one step each of the
    // one history the coordinate list and the form's grids share, named after the user's action;
    // disabled when there is none.
    QList<QAction*> undoActions() const;
    CoordinateListHistory* coordinateHistory() const { return m_history; }

    QString currentFileName() const { return m_fileName; }
    // Whether the document changed since it was opened, saved or started new; the window title
    // carries the mark.
    DocumentState& documentState() { return m_state; }
    bool isModified() const { return m_state.isModified(); }
    CreateFBI* dataForm() const { return m_form; }
    EditableList* coordinateList() const { return m_coordinates; }
    DrawSketch* sketch() const { return m_sketch; }
    QListWidget* areaList() const { return m_areas; }
    QLabel* statusPanel(int index) const { return m_panels[index - 1]; }
    QTabWidget* tabs() const { return m_tabs; }

    // The property-type dialog, replaceable by tests: returns false when it was left with its
    // exit button, else sets *isApartment.
    void setPropertyTypeAsker(std::function<bool(bool* isApartment)> asker) { m_askPropertyType = std::move(asker); }
    // The options dialog, replaceable by tests.
    void setOptionsShower(std::function<void()> shower) { m_showOptions = std::move(shower); }
    // The DXF import wizard, replaceable by tests: shows it modally and returns what it imported
    // (nullptr or an empty list when it was cancelled).
    void setDxfWizardShower(std::function<DXFEntitiesPtr()> shower) { m_showDxfWizard = std::move(shower); }
    // The current date for the sheet's signature line (today unless set).
    void setToday(std::function<QDate()> today) { m_today = std::move(today); }

    // Size, position, the split between the left panel and the sketch and the chosen tab as the
    // user left them (per-user state, never Lotmark.INI). Without a saved state the window is
    // fitted to the free area of its screen; a saved one is kept inside it.
    void restoreWindowState(const QSettings& state);
    void saveWindowState(QSettings& state) const;
    QSplitter* splitter() const { return m_splitter; }

    // Where the recent files and the dialogs' folder are kept for the user; without it they
    // last for the session only.
    void setUserState(QSettings* store);
    UserState& userState() { return m_userState; }
    // Keeps a copy of the unsaved document in `folder` every intervalMs milliseconds and on each
    // DXF import, and deletes it once the document is saved, set aside or closed. Without a
    // call nothing is kept. Each running window keeps a copy of its own there, under a lock.
    void setRecovery(const QString& folder, int intervalMs);
    // The copy a run that ended without saving left behind (never one a running window holds):
    // asks whether to restore it (Yes shows it as an unsaved document without a file name, No
    // deletes it). True when restored.
    bool offerRecovery();
    // Writes the copy now when the document has unsaved changes; quiet about any failure.
    void writeRecoveryCopy();
    QTimer* recoveryTimer() const { return m_recoveryTimer; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolbar();
    void buildMenus();
    void buildDocumentEntries(QMenu* menu);
    void buildFileMenu();
    void addCgxmlCommands(QMenu* menu);
    void addPlanCommands(QMenu* menu);
    // The coordinate list's undo history and the undo and redo actions the Editare menu holds.
    void buildUndoActions();
    // The owners, parcels and buildings grids of the form.
    QList<FormGrid*> formGrids() const;
    void buildEditMenu();
    void buildViewMenu();
    void buildHelpMenu();
    void showRecentFiles();
    void addRecentFile(const QString& path);
    // Opens a file of the recent list; one that is gone leaves the list, with a note.
    void openRecentFile(const QString& path);
    // The form's data with the list's contours, for a plan; null when a check failed (shown).
    DocumentPtr planDocument();
    // The plan of `document` with the options asked; null when cancelled or refused (shown).
    std::unique_ptr<SitePlan> preparePlan(const Document& document);
    std::shared_ptr<Polygons> contoursLandFirst();
    // Asks for an export file (the extension added when missing, overwriting confirmed); empty
    // when cancelled.
    QString chooseExportFile(const QString& extension, const QString& baseName, const QString& title);
    void buildLayout();
    void fitLeftPanel();
    void configureCoordinateList();
    void showCaption();
    // Before the document is left (new, open, closing): with changes, the closing question.
    // True when the caller may go on (saved, or the changes discarded); false keeps everything.
    bool maySetDocumentAside();
    void newCommand();
    // Fills the window from the file; true when the whole file was read.
    bool showFile(const QString& path);
    // Empties the sketch, the area list and the status panels, which show the coordinate list.
    void clearSketch();
    void showPropertyType(bool isApartment);
    void reloadSurveyor();
    void onCoordinateChanged();
    void showOptions();
    void showHelp();
    void commitPendingEdit();
    std::shared_ptr<Polygons> listPolygons();
    std::shared_ptr<Polygons> polygonsOf(const CoordinateTable& data);
    // The list's contours on `document` (none for an apartment), for a plan or an export.
    void attachContours(Document& document);
    // Shows a document just read (or restored) in the form, the list and the sketch.
    // `complete` false: what a damaged file held is shown without the form's own checks.
    void showDocument(const DocumentPtr& document, bool complete = true);
    void restoreRecovered(const QString& originalName, const DocumentPtr& document, const QList<QStringList>& rows);
    void onModifiedChanged(bool modified);
    void discardRecoveryCopy();
    QString defaultFileName() const;
    // Writes the property sheet of the current document; false with the failure in *error.
    bool generateSheet(const QString& fileName, Error* error);

    AppSettings& m_settings;
    Prompter& m_prompter;
    CPFile m_file;
    QString m_fileName;
    QString m_previousFileName;
    DocumentState m_state;
    // Declared after m_state, so it goes first.
    std::unique_ptr<CoordinateListChanges> m_listChanges;

    QToolBar* m_toolbar = nullptr; // tbrMain
    QMenu* m_fileMenu = nullptr;   // mnuFile
    QMenu* m_recentMenu = nullptr; // mnuRecent
    UserState m_userState;
    QSplitter* m_splitter = nullptr;
    bool m_leftPanelFitted = false;
    QTabWidget* m_tabs = nullptr; // tabRight
    CreateFBI* m_form = nullptr;
    EditableList* m_coordinates = nullptr;
    DrawSketch* m_sketch = nullptr;
    QListWidget* m_areas = nullptr; // lstArea
    QLabel* m_panels[3] = {};       // sbrMain
    frmHelp* m_help = nullptr;
    CoordinateListHistory* m_history = nullptr;
    FormGridHistory* m_gridHistory = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;

    std::function<bool(bool*)> m_askPropertyType;
    std::function<void()> m_showOptions;
    std::function<DXFEntitiesPtr()> m_showDxfWizard;
    std::function<QDate()> m_today;
    std::function<std::optional<PlanOptions>(const PlanOptions&)> m_askPlanOptions;
    std::function<void(const SitePlan&)> m_previewPlan;
    std::function<void(const CoordinateInventory&)> m_showInventory;
    PlanOptions m_planOptions;
    std::function<bool(const QList<CgxmlFinding>&)> m_showCgxmlChecks;
    std::unique_ptr<RecoverySlot> m_recovery;
    QTimer* m_recoveryTimer = nullptr;
    // After the caption's file name: says the document was restored from a recovery copy.
    QString m_captionNote;
};
