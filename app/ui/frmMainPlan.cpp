// The main window's site plan, coordinate inventory and DXF drawing commands.
#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "base/Prompter.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "entry/ui/CreateFBI.h"
#include "plan/CoordinateInventory.h"
#include "plan/DxfExport.h"
#include "plan/PlanPlace.h"
#include "plan/SitePlan.h"
#include "plan/ui/PlanPrint.h"
#include "plan/ui/frmInventory.h"
#include "plan/ui/frmPlanOptions.h"
#include "sketch/SketchView.h"

#include <QDate>
#include <QFileInfo>
#include <QMenuBar>

void frmMain::addPlanCommands(QMenu* menu)
{
    const std::pair<const char*, void (frmMain::*)()> entries[] = {
        {"Plan de amplasament (PDF)...", &frmMain::ExportPlan},
        {"Tiparire plan de amplasament...", &frmMain::PrintPlan},
        {"Inventar de coordonate...", &frmMain::ShowInventory},
        {"Export DXF...", &frmMain::ExportDrawing},
    };
    const char* names[] = {"mnuPlanPdf", "mnuPlanPrint", "mnuInventory", "mnuExportDxf"};
    int i = 0;
    for (const auto& [caption, command] : entries) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(names[i++]));
        connect(action, &QAction::triggered, this, command);
    }
    m_askPlanOptions = [this](const PlanOptions& initial) -> std::optional<PlanOptions> {
        frmPlanOptions dialog(initial, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.options();
    };
    m_previewPlan = [this](const SitePlan& plan) { PlanPrint::preview(plan, this); };
    m_showInventory = [this](const CoordinateInventory& inventory) {
        frmInventory dialog(inventory, m_prompter, this);
        dialog.exec();
    };
}

// The list's contours with the land's first, the others in list order; null when the list
// has no point.
std::shared_ptr<Polygons> frmMain::contoursLandFirst()
{
    commitPendingEdit();
    const std::shared_ptr<Polygons> polygons = listPolygons();
    if (!polygons)
        return nullptr;
    auto ordered = std::make_shared<Polygons>();
    const PolygonPtr land = SketchView::landPolygon(*polygons);
    if (land)
        ordered->Add(PolygonPtr(land));
    for (const PolygonPtr& polygon : *polygons) {
        if (polygon != land)
            ordered->Add(PolygonPtr(polygon));
    }
    return ordered;
}

DocumentPtr frmMain::planDocument()
{
    commitPendingEdit();
    if (!m_form->ValidateData())
        return nullptr;
    if (!m_coordinates->list()->HaveCoordinates()) {
        m_prompter.error(QStringLiteral("Lista de entitati contine puncte fara coordonate."));
        return nullptr;
    }
    // A copy, so that the contours attached for the plan do not change the document the next
    // save checks.
    const Document& current = *m_form->Document();
    auto document = std::make_shared<Document>(current);
    auto land = std::make_shared<Land>(*current.Land());
    land->setGeometry(nullptr);
    if (current.Land()->Buildings()) {
        auto buildings = std::make_shared<Buildings>();
        buildings->setTotalMeasuredArea(current.Land()->Buildings()->TotalMeasuredArea());
        buildings->setTotalLegalArea(current.Land()->Buildings()->TotalLegalArea());
        for (const BuildPtr& build : *current.Land()->Buildings()) {
            auto copy = std::make_shared<Build>(*build);
            copy->setGeometry(nullptr);
            buildings->Add(copy);
        }
        land->setBuildings(buildings);
    }
    document->setLand(land);
    document->setIsAp(m_form->IsAp() ? -1 : 0);
    attachContours(*document);
    return document;
}

QString frmMain::chooseExportFile(const QString& extension, const QString& baseName, const QString& title)
{
    const QString upper = extension.toUpper();
    QString name = ShowFileDialog(QStringLiteral("(*.") + upper + QStringLiteral(")|*.") + upper + QStringLiteral("*|"),
                                  baseName + QLatin1Char('.') + extension, title, DialogKind::Save);
    if (name.trimmed().isEmpty())
        return QString();
    if (!name.toUpper().endsWith(QLatin1Char('.') + upper))
        name += QLatin1Char('.') + extension;
    if (QFileInfo::exists(name) &&
        m_prompter.confirm(QStringLiteral("Fisierul ") + name +
                           QStringLiteral(" exista.\rDoriti suprascrierea lui ?")) != Prompter::Answer::Yes)
        return QString();
    return name;
}

std::unique_ptr<SitePlan> frmMain::preparePlan(const Document& document)
{
    const std::optional<PlanOptions> chosen = m_askPlanOptions(m_planOptions);
    if (!chosen)
        return nullptr;
    m_planOptions = *chosen;
    PlanOptions options = *chosen;
    options.surveyorName = m_settings.surveyorName;
    options.surveyorLicense = m_settings.surveyorLicense;
    options.dateText = m_today().toString(QStringLiteral("dd.MM.yyyy"));
    const AddressPtr& address = document.Land()->Address();
    const PlanPlace place = PlanPlace::lookUp(address ? address->SIRUTA() : 0, m_settings.dataFolder());
    options.county = place.county;
    options.territory = place.territory;
    options.locality = place.locality;
    auto plan = std::make_unique<SitePlan>(document, options);
    Error error;
    if (!plan->prepare(&error)) {
        m_prompter.error(error.description);
        return nullptr;
    }
    return plan;
}

void frmMain::ExportPlan()
{
    const DocumentPtr document = planDocument();
    if (!document)
        return;
    const std::unique_ptr<SitePlan> plan = preparePlan(*document);
    if (!plan)
        return;
    const QString name = chooseExportFile(QStringLiteral("pdf"), QStringLiteral("plan-amplasament"),
                                          QStringLiteral("Salveaza plan de amplasament"));
    if (name.isEmpty())
        return;
    Error error;
    if (!plan->writePdf(name, &error)) {
        m_prompter.showError(error);
        return;
    }
    m_prompter.message(QStringLiteral("Fisierul ") + name + QStringLiteral(" a fost salvat"), Prompter::CaptionConfirm,
                       Prompter::Icon::Information);
}

void frmMain::PrintPlan()
{
    const DocumentPtr document = planDocument();
    if (!document)
        return;
    if (const std::unique_ptr<SitePlan> plan = preparePlan(*document))
        m_previewPlan(*plan);
}

void frmMain::ShowInventory()
{
    const std::shared_ptr<Polygons> contours = contoursLandFirst();
    if (!contours || contours->Count() == 0) {
        m_prompter.error(QStringLiteral("Nu exista coordonate pentru inventar."));
        return;
    }
    m_showInventory(CoordinateInventory::fromPolygons(*contours));
}

void frmMain::ExportDrawing()
{
    const std::shared_ptr<Polygons> contours = contoursLandFirst();
    if (!contours || contours->Count() == 0) {
        m_prompter.error(QStringLiteral("Nu exista coordonate pentru desen."));
        return;
    }
    const QString name =
        chooseExportFile(QStringLiteral("dxf"), QStringLiteral("contururi"), QStringLiteral("Export DXF"));
    if (name.isEmpty())
        return;
    Error error;
    if (!DxfExport::write(DxfExport::compose(*contours), name, &error)) {
        m_prompter.showError(error);
        return;
    }
    m_prompter.message(QStringLiteral("Fisierul ") + name + QStringLiteral(" a fost salvat"), Prompter::CaptionConfirm,
                       Prompter::Icon::Information);
}
