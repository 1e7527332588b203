#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "app/CoordinateListChanges.h"
#include "app/DocumentSave.h"
#include "app/RecoverySlot.h"
#include "app/ui/WatchEdits.h"
#include "app/ui/frmBuildType.h"
#include "app/ui/frmHelp.h"
#include "app/ui/frmOptions.h"
#include "base/FileSystem.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "base/Version.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListHistory.h"
#include "coordlist/ui/EditableList.h"
#include "dxf/ui/frmImportDXF.h"
#include "entry/ui/CreateFBI.h"
#include "entry/ui/FormGridHistory.h"
#include "model/Contours.h"
#include "sketch/ui/DrawSketch.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Title = QStringLiteral("Lotmark");

// Two decimals with the user's separator, a leading zero and no grouping.
QString twoDecimals(double value)
{
    QString text = QString::number(value, 'f', 2);
    const QString separator = NumberText::systemDecimalSeparator();
    if (separator != QLatin1String("."))
        text.replace(QLatin1Char('.'), separator);
    return text;
}

struct ToolbarEntry
{
    const char* key;
    const char* caption;
    bool separatorBefore;
};

// The buttons in their order; a separator stands before every entry that says so.
const ToolbarEntry ToolbarEntries[] = {
    {"ImportDXF", "Import DXF", false},
    {"ExportRTF", "Export FCP", true},
    {"New", "Fisier nou", true},
    {"Open", "Deschide fisier", false},
    {"Save", "Salveaza fisier", false},
    {"SaveAs", "Salveaza cu alt nume", false},
    {"Refresh", "Redesenare", true},
    {"XToY", "Inversare XY", true},
    {"Options", "Optiuni", true},
    {"Help", "Ajutor", true},
    {"Exit", "Exit", true},
};

} // namespace

frmMain::frmMain(AppSettings& settings, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_prompter(prompter), m_file(NumberText::systemDecimalSeparator())
{
    setObjectName(QStringLiteral("frmMain"));
    resize(1280, 800);
    buildToolbar();
    buildLayout();
    buildUndoActions();
    buildMenus();

    m_askPropertyType = [this](bool* isApartment) {
        frmBuildType dialog(m_settings, this);
        dialog.exec();
        *isApartment = dialog.isApartment();
        return !m_settings.cancelFlag;
    };
    m_showOptions = [this] {
        frmOptions dialog(m_settings, m_prompter, this);
        connect(&dialog, &frmOptions::nomenclatureImported, this, &frmMain::reloadNomenclature);
        dialog.exec();
    };
    m_showDxfWizard = [this] {
        frmImportDXF wizard(m_prompter, m_settings.paths().startFolder(), this);
        wizard.exec();
        return wizard.importedEntities();
    };
    m_today = [] { return QDate::currentDate(); };
    qApp->installEventFilter(this);

    watchEdits(m_form, m_state);
    m_listChanges = std::make_unique<CoordinateListChanges>(*m_coordinates->list(), m_state);
    connect(&m_state, &DocumentState::ModifiedChanged, this, &QWidget::setWindowModified);
    {
        const auto quiet = m_state.quiet();
        showCaption();
        configureCoordinateList();
        Error error;
        if (!m_form->InitializeData(m_settings.dataFolder(), &error))
            m_prompter.showError(error);
        m_form->setIsAp(false);
        showPropertyType(false);
        m_form->setSurveyorName(m_settings.surveyorName);
        m_form->setSurveyorLicense(m_settings.surveyorLicense);
    }
    m_state.markClean();
}

frmMain::~frmMain()
{
    // The undo history follows the coordinate list and updates this window's actions: it goes
    // first, before the widgets it follows are torn down around a window that is no longer whole.
    delete m_gridHistory;
    m_gridHistory = nullptr;
    delete m_history;
    m_history = nullptr;
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(QStringLiteral("tbrMain"));
    m_toolbar->setObjectName(QStringLiteral("tbrMain"));
    m_toolbar->setMovable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolbarEntry& entry : ToolbarEntries) {
        if (entry.separatorBefore)
            m_toolbar->addSeparator();
        QAction* action = m_toolbar->addAction(QString::fromUtf8(entry.caption));
        const QString key = QString::fromLatin1(entry.key);
        action->setObjectName(key);
        connect(action, &QAction::triggered, this, [this, key] { runCommand(key); });
    }
    // The usual keys reach the commands from anywhere in the window, the coordinate grid
    // included. F5 is not among them: the window's event filter lets it reach the grids too.
    const std::pair<const char*, QKeySequence> keys[] = {
        {"New", QKeySequence(QKeySequence::New)},          {"Open", QKeySequence(QKeySequence::Open)},
        {"Save", QKeySequence(QKeySequence::Save)},        {"SaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"ExportRTF", QKeySequence(Qt::CTRL | Qt::Key_E)}, {"ImportDXF", QKeySequence(Qt::CTRL | Qt::Key_I)},
        {"Exit", QKeySequence(Qt::CTRL | Qt::Key_Q)},      {"Help", QKeySequence(Qt::Key_F1)},
    };
    for (const auto& [key, sequence] : keys) {
        QAction* action = toolButton(QString::fromLatin1(key));
        action->setShortcut(sequence);
        action->setShortcutContext(Qt::WindowShortcut);
    }
}

// The outputs beyond the property sheet: the exchange file and the site plan family.
void frmMain::buildFileMenu()
{
    addCgxmlCommands(m_fileMenu);
    m_fileMenu->addSeparator();
    addPlanCommands(m_fileMenu);
}

void frmMain::buildLayout()
{
    m_form = new CreateFBI(m_prompter, this);
    m_form->setObjectName(QStringLiteral("CreateFBI"));

    m_coordinates = new EditableList(m_prompter, this);
    m_coordinates->setObjectName(QStringLiteral("EditableList"));
    m_areas = new QListWidget(this);
    m_areas->setObjectName(QStringLiteral("lstArea"));
    m_areas->setMaximumHeight(120);
    auto* coordinatesPage = new QWidget(this);
    auto* coordinatesLayout = new QVBoxLayout(coordinatesPage);
    coordinatesLayout->setContentsMargins(0, 0, 0, 0);
    coordinatesLayout->addWidget(m_coordinates, 1);
    coordinatesLayout->addWidget(new QLabel(QStringLiteral("Suprafete calculate din coordonate"), coordinatesPage));
    coordinatesLayout->addWidget(m_areas);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabRight"));
    // Alt+D and Alt+C turn the pages from the keyboard; Ctrl+Tab stays with the grids.
    m_tabs->addTab(m_form, QStringLiteral("&Date cadastrale teren"));
    m_tabs->addTab(coordinatesPage, QStringLiteral("&Coordonate"));

    m_sketch = new DrawSketch(m_prompter, this);
    m_sketch->setObjectName(QStringLiteral("DrawSketch"));

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_sketch);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({640, 640});
    setCentralWidget(m_splitter);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbrMain"));
    const int widths[3] = {360, 240, 200};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("sbrMainPanel%1").arg(i + 1));
        m_panels[i]->setMinimumWidth(widths[i]);
        bar->addWidget(m_panels[i], i == 0 ? 1 : 0);
    }

    connect(m_coordinates, &EditableList::CoordinateChanged, this, &frmMain::onCoordinateChanged);
    connect(m_sketch, &DrawSketch::Distance, this, [this](double distance, double total) {
        m_panels[0]->setText(QStringLiteral("Distanta= ") + twoDecimals(distance) +
                             QStringLiteral(" m; Distanta cumulata = ") + twoDecimals(total) + QStringLiteral(" m"));
    });
    connect(m_sketch, &DrawSketch::OnMouseMove, this, [this](short, short, float x, float y) {
        m_panels[1]->clear();
        m_panels[2]->setText(twoDecimals(x) + QLatin1Char(' ') + twoDecimals(y));
    });
    connect(m_sketch, &DrawSketch::HitLine, this, [this](const QString& first, const QString& second, double length) {
        m_panels[0]->clear();
        m_panels[1]->setText(QStringLiteral("L (") + first + QLatin1Char('-') + second + QStringLiteral(") = ") +
                             twoDecimals(length) + QStringLiteral(" m"));
    });
    connect(m_sketch, &DrawSketch::HitVertex, this, [this](const QString& no) {
        m_panels[0]->clear();
        m_panels[1]->setText(QStringLiteral("Numar punct: ") + no);
    });
}

void frmMain::configureCoordinateList()
{
    CoordinateList& list = *m_coordinates->list();
    list.setAutoNumber(true);
    list.setDelimiters(m_settings.delimiters);
    list.setDecimalNumber(3);
}

void frmMain::showCaption()
{
    QString caption = Title + QLatin1Char(' ') + Version::text();
    if (!m_fileName.isEmpty())
        caption += QStringLiteral(" - ") + m_fileName;
    caption += m_captionNote;
    // The placeholder shows as "*" while the document has unsaved changes.
    setWindowTitle(caption + QStringLiteral("[*]"));
}

void frmMain::showPropertyType(bool isApartment)
{
    m_tabs->setTabText(0, isApartment ? QStringLiteral("&Date cadastrale apartament")
                                      : QStringLiteral("&Date cadastrale teren"));
    toolButton(QStringLiteral("ImportDXF"))->setEnabled(!isApartment);
}

void frmMain::reloadSurveyor()
{
    m_settings.surveyorName = m_settings.read(AppSettings::KeySurveyorName);
    m_settings.surveyorLicense = m_settings.read(AppSettings::KeySurveyorLicense);
    m_form->setSurveyorName(m_settings.surveyorName);
    m_form->setSurveyorLicense(m_settings.surveyorLicense);
}

QAction* frmMain::toolButton(const QString& key) const
{
    return m_toolbar->findChild<QAction*>(key);
}

void frmMain::runCommand(const QString& key)
{
    if (key == QLatin1String("New")) {
        newCommand();
    } else if (key == QLatin1String("Open")) {
        if (maySetDocumentAside())
            OpenDocument();
    } else if (key == QLatin1String("Save")) {
        SaveDocument();
    } else if (key == QLatin1String("SaveAs")) {
        m_previousFileName = m_fileName;
        m_fileName.clear();
        SaveDocument();
    } else if (key == QLatin1String("ImportDXF")) {
        ImportFromDxf();
    } else if (key == QLatin1String("ExportRTF")) {
        ExportSheet();
    } else if (key == QLatin1String("Refresh")) {
        RedrawSketch();
    } else if (key == QLatin1String("XToY")) {
        // A list with an incomplete row holds no data: its columns stay as the user left them.
        CoordinateList& list = *m_coordinates->list();
        const auto data = list.Data();
        if (data && data->upperRow() > 0) {
            list.SwapCols();
            RedrawSketch();
        }
    } else if (key == QLatin1String("Options")) {
        showOptions();
    } else if (key == QLatin1String("Help")) {
        showHelp();
    } else if (key == QLatin1String("Exit")) {
        close();
    }
}

void frmMain::newCommand()
{
    if (!maySetDocumentAside())
        return;
    bool isApartment = false;
    if (!m_askPropertyType(&isApartment))
        return;
    m_form->setIsAp(isApartment);
    if (!isApartment)
        configureCoordinateList();
    NewDocument();
}

bool frmMain::maySetDocumentAside()
{
    if (!m_state.isModified())
        return true;
    const Prompter::Answer answer = m_prompter.confirm(
        QStringLiteral("Salvati datele inainte de inchiderea aplicatiei ?"), Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::Cancel)
        return false;
    return answer == Prompter::Answer::No || SaveDocument();
}

void frmMain::reloadNomenclature()
{
    // The lists are filled anew with what the form held: nothing the user sees changes.
    const auto quiet = m_state.quiet();
    Error error;
    if (!m_form->reloadLookUps(m_settings.dataFolder(), &error))
        m_prompter.showError(error);
}

void frmMain::showOptions()
{
    const bool wasCancelled = m_settings.cancelFlag;
    m_showOptions();
    // Leaving the dialog from the toolbar changes nothing else.
    m_settings.cancelFlag = wasCancelled;
    CoordinateList& list = *m_coordinates->list();
    list.setDecimalNumber(3);
    list.setDelimiters(m_settings.delimiters);
    reloadSurveyor();
}

void frmMain::showHelp()
{
    if (!m_help)
        m_help = new frmHelp(m_settings.helpFile(), this);
    m_help->show();
    m_help->raise();
}

void frmMain::onCoordinateChanged()
{
    if (CountEntityRows(Contours::LandName) >= 4)
        RedrawSketch();
}

int frmMain::CountEntityRows(const QString& name) const
{
    return m_coordinates->list()->CountEntityRows(name);
}

bool frmMain::EntityExists(const QString& name) const
{
    return m_coordinates->list()->EntityExists(name);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_leftPanelFitted) {
        m_leftPanelFitted = true;
        fitLeftPanel();
    }
}

// The left panel as wide as the data form needs, so that its fields are not cut off, but never
// more than two thirds of the window: the sketch takes the rest.
void frmMain::fitLeftPanel()
{
    const int total = m_splitter->width() - m_splitter->handleWidth();
    const int left = std::min(m_tabs->sizeHint().width(), total * 2 / 3);
    m_splitter->setSizes({left, total - left});
}

void frmMain::FillAreaList()
{
    m_areas->clear();
    const PolygonsPtr& polygons = m_sketch->GeometryCollection();
    if (!polygons)
        return;
    const QLocale locale = QLocale::system();
    for (const PolygonPtr& polygon : *polygons) {
        Error error;
        const double area = polygon->Area(&error);
        if (error.number != 0)
            m_prompter.showError(error, Prompter::Icon::Critical);
        m_areas->addItem(polygon->Name().toUpper() + QStringLiteral(" = ") + locale.toString(area, 'f', 0) +
                         QStringLiteral(" mp"));
    }
}

QString frmMain::ShowFileDialog(const QString& filter, const QString& defaultName, const QString& title,
                                DialogKind kind)
{
    // The filter stays in its "(*.CP)|*.CP*|" form: the prompter turns it into the dialog's.
    // Every dialog opens where the user went last, never in the program's folder.
    const QString folder = m_userState.dialogFolder();
    QString chosen;
    if (kind == DialogKind::Open) {
        chosen = m_prompter.openFileName(title, filter, folder);
    } else {
        m_settings.reloadWorkNumber();
        const bool placed = defaultName.isEmpty() || QFileInfo(defaultName).isAbsolute();
        chosen = m_prompter.saveFileName(title, filter, placed ? defaultName : folder + QLatin1Char('/') + defaultName);
    }
    m_userState.rememberDialogFile(chosen);
    return chosen;
}

QString frmMain::defaultFileName() const
{
    return m_settings.surveyorLicense + QLatin1Char('-') + QString::number(int(m_settings.workNumber) + 1) +
           QLatin1Char('-') + QString::number(m_today().year());
}

void frmMain::openCommandLine(const QString& argument)
{
    QString path = argument;
    path.remove(QLatin1Char('"'));
    path = path.trimmed();
    if (!path.isEmpty())
        LoadIntoWindow(path);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // F5 redraws from anywhere in the window, and still reaches the control that has the focus
    // (the data form's grids use it too).
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F5 &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        QWidget* focus = QApplication::focusWidget();
        // A key that no child takes travels up to the parents: handle it only where it starts.
        if (widget && widget->window() == this && (widget == focus || (!focus && widget == this)))
            RedrawSketch();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!maySetDocumentAside()) {
        event->ignore();
        return;
    }
    if (m_help)
        m_help->close();
    discardRecoveryCopy();
    event->accept();
}

void frmMain::ExportSheet()
{
    if (!m_form->ValidateData())
        return;
    const QString proposed = defaultFileName();
    QString name = ShowFileDialog(QStringLiteral("(*.RTF)|*.RTF*|"), proposed, QStringLiteral("Export fisier RTF"),
                                  DialogKind::Save);
    if (name.trimmed().isEmpty())
        return;
    if (!name.right(4).toUpper().endsWith(QLatin1String(".RTF")))
        name += QStringLiteral(".RTF");
    if (DocumentSave::refuseFolder(name, m_prompter))
        return;
    if (FileSystem::fileExists(name) &&
        m_prompter.confirm(QStringLiteral("Fisierul ") + name +
                           QStringLiteral(" exista.\rDoriti suprascrierea lui ?")) != Prompter::Answer::Yes)
        return;
    Error error;
    if (!generateSheet(name, &error)) {
        m_prompter.showError(error);
        return;
    }
    m_prompter.message(QStringLiteral("Fisierul ") + name + QStringLiteral(" a fost salvat"), Prompter::CaptionConfirm,
                       Prompter::Icon::Information);
}
