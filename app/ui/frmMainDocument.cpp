// The main window's document commands: new, open, redraw, save, export and DXF import.
#include "app/ui/frmMain.h"

#include "app/AppSettings.h"
#include "app/DocumentSave.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "dxf/ImportedEntities.h"
#include "entry/ui/CreateFBI.h"
#include "geometry/Transform.h"
#include "model/Contours.h"
#include "sketch/ui/DrawSketch.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>

namespace {
const QString CPFilter = QStringLiteral("(*.CP)|*.CP*|");
const QString MissingCoordinates = QStringLiteral("Lista de entitati contine puncte fara coordonate.");
const QString TooFewPoints = QStringLiteral("Introduceti cel putin 3 puncte pe contur.");

// A list that cannot be read is never taken for one without coordinates: the user is told
// which cell stops it, and nothing is drawn or saved from it.
void tellUnreadableCell(const CoordinateList& list, Prompter& prompter)
{
    const QString text = list.unreadableCellMessage();
    if (!text.isEmpty())
        prompter.error(text);
}
// A file that opens but cannot be read to its end is named as no property file before the
// reader's own "number description"; a file that does not open says only why.
void tellUnreadableFile(const QString& path, const Error& error, Prompter& prompter)
{
    const bool opened = error.number != ErrorNumber::FileNotFound && error.number != ErrorNumber::PermissionDenied;
    const QString text = opened ? QStringLiteral("Fisierul ") + QDir::toNativeSeparators(path) +
                                      QStringLiteral(" nu este un fisier corp proprietate valid.\r") + error.text()
                                : error.text();
    prompter.error(text);
}
// Stands in for the user while the form shows what a failed file left: the failure was told
// once, and an empty form has nothing more worth saying.
class SilentPrompter : public Prompter
{
public:
    void message(const QString&, const QString&, Icon) override {}
    Answer ask(const QString&, const QString&, Buttons, Icon) override { return Answer::Cancel; }
    QString openFileName(const QString&, const QString&, const QString&) override { return QString(); }
    QString saveFileName(const QString&, const QString&, const QString&) override { return QString(); }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override { return std::nullopt; }
};
} // namespace

void frmMain::clearSketch()
{
    m_sketch->setGeometryCollection(nullptr);
    m_sketch->ClearControl();
    m_areas->clear();
    for (QLabel* panel : m_panels)
        panel->clear();
}

void frmMain::NewDocument()
{
    {
        const auto quiet = m_state.quiet();
        clearSketch();
        CoordinateList& list = *m_coordinates->list();
        list.ClearControl();
        list.setData(CoordinateTable(1));
        const bool isApartment = m_form->IsAp();
        // A fresh document: the contours of the one before must not reach the new file.
        auto document = std::make_shared<Document>();
        document->setIsAp(isApartment ? -1 : 0);
        m_form->setDocument(document);
        m_form->ClearControls();
        // The new document has no file yet: a "Save" asks for a name instead of offering to
        // overwrite the file shown before (the caption no longer names it).
        m_fileName.clear();
        m_captionNote.clear();
        m_previousFileName.clear();
        showCaption();
        showPropertyType(isApartment);
        m_coordinates->setEnabled(!isApartment);
        reloadSurveyor();
    }
    m_state.markClean();
}

void frmMain::OpenDocument()
{
    const QString path =
        ShowFileDialog(CPFilter, QString(), QStringLiteral("Deschide fisier corp proprietate"), DialogKind::Open);
    if (!path.trimmed().isEmpty())
        LoadIntoWindow(path);
}

void frmMain::LoadIntoWindow(const QString& path)
{
    bool complete = false;
    {
        const auto quiet = m_state.quiet();
        complete = showFile(path);
    }
    // What a damaged file held is in no file: it counts as changed, so that closing asks.
    if (complete) {
        m_state.markClean();
        addRecentFile(path);
    } else {
        m_state.markChanged();
    }
}

bool frmMain::showFile(const QString& path)
{
    clearSketch();
    m_form->ClearControls();
    // A fresh file object each time: a file that fails early must not bring back the
    // previous document.
    CPFile file(NumberText::systemDecimalSeparator());
    file.setCPFileName(path);
    Error error;
    const bool complete = file.LoadCPFile(&error);
    if (!complete)
        tellUnreadableFile(path, error, m_prompter);
    m_file = file;

    showDocument(m_file.Document(), complete);
    // What a damaged file held is shown, but the file does not become the current one: a
    // "Save" then asks for a name instead of overwriting the rest of the original. Nor may a
    // save stopped early bring back the name of a file before it.
    m_fileName = complete ? path : QString();
    m_previousFileName.clear();
    m_captionNote.clear();
    showCaption();
    if (!m_file.Document()->isApartment())
        RedrawSketch();
    return complete;
}

void frmMain::showDocument(const DocumentPtr& document, bool complete)
{
    const bool isApartment = document->isApartment();
    m_form->setDocument(document);
    m_form->setIsAp(isApartment);
    toolButton(QStringLiteral("ImportDXF"))->setEnabled(!isApartment);
    m_coordinates->setEnabled(!isApartment);
    if (complete) {
        m_form->ShowData();
    } else {
        SilentPrompter silent;
        m_form->setPrompter(silent);
        m_form->ShowData();
        m_form->setPrompter(m_prompter);
    }

    const Land& land = *document->Land();
    auto polygons = std::make_shared<Polygons>();
    if (land.Geometry())
        polygons->Add(PolygonPtr(land.Geometry()));
    if (land.Buildings()) {
        for (const BuildPtr& build : *land.Buildings()) {
            if (build->Geometry())
                polygons->Add(PolygonPtr(build->Geometry()));
        }
    }
    CoordinateTable table;
    if (polygons->Count() > 0) {
        Transform transform(NumberText::systemDecimalSeparator());
        transform.setPolygonCollection(polygons);
        transform.PolygonCollectionToArray();
        table = transform.TransformArray();
    }
    m_coordinates->list()->setData(table);
    showPropertyType(isApartment);

    m_settings.surveyorName = document->SurveyorName();
    m_settings.surveyorLicense = document->SurveyorLicense();
    m_form->setSurveyorName(m_settings.surveyorName);
    m_form->setSurveyorLicense(m_settings.surveyorLicense);
}

std::shared_ptr<Polygons> frmMain::listPolygons()
{
    const auto data = m_coordinates->list()->Data();
    return data ? polygonsOf(*data) : nullptr;
}

// Reading the list's Data formats every row again: callers that have it already pass it here
// (at 32,767 rows a second read is a visible share of a redraw).
std::shared_ptr<Polygons> frmMain::polygonsOf(const CoordinateTable& data)
{
    return DocumentSave::polygonsOf(data, NumberText::systemDecimalSeparator(), m_prompter);
}

void frmMain::commitPendingEdit()
{
    // A coordinate still in the cell editor belongs to what the user saves or sees drawn.
    if (m_coordinates->isEditing())
        m_coordinates->EndCellEdit();
}

void frmMain::RedrawSketch()
{
    commitPendingEdit();
    m_sketch->setGeometryCollection(std::make_shared<Polygons>());
    const CoordinateList& list = *m_coordinates->list();
    if (!list.HaveCoordinates()) {
        m_prompter.error(MissingCoordinates);
        return;
    }
    const auto data = list.Data();
    if (!data)
        tellUnreadableCell(list, m_prompter);
    if (!data || data->upperRow() == 0)
        return;
    if (!EntityExists(Contours::LandName)) {
        m_prompter.error(QStringLiteral("Nu au fost definite puncte pentru entitatea TEREN."));
        return;
    }
    if (CountEntityRows(Contours::LandName) < 3) {
        m_prompter.error(TooFewPoints);
        return;
    }
    const std::shared_ptr<Polygons> polygons = polygonsOf(*data);
    if (!polygons)
        return;
    m_sketch->setGeometryCollection(polygons);
    m_sketch->Draw();
    FillAreaList();
}

void frmMain::attachContours(Document& document)
{
    DocumentSave::attachContours(document, document.isApartment() ? nullptr : listPolygons());
}

bool frmMain::SaveDocument()
{
    commitPendingEdit();
    if (!m_form->ValidateData()) {
        m_fileName = DocumentSave::nameKept(m_fileName, m_previousFileName);
        return false;
    }
    DocumentSave::Request request;
    request.document = m_form->Document();
    request.isApartment = m_form->IsAp();
    if (!request.isApartment) {
        const CoordinateList& list = *m_coordinates->list();
        request.list.haveCoordinates = list.HaveCoordinates();
        if (request.list.haveCoordinates) {
            request.list.data = list.Data();
            if (!request.list.data)
                request.list.unreadableCell = list.unreadableCellMessage();
        }
    }
    request.fileName = m_fileName;
    request.previousFileName = m_previousFileName;
    request.decimalSeparator = NumberText::systemDecimalSeparator();
    request.askFileName = [this] {
        return ShowFileDialog(CPFilter, defaultFileName(), QStringLiteral("Salveaza fisier corp proprietate"),
                              DialogKind::Save);
    };
    const DocumentSave::Outcome outcome = DocumentSave(m_file, m_settings, m_prompter).save(request);
    m_fileName = outcome.fileName;
    if (!outcome.saved)
        return false;
    m_previousFileName.clear();
    showCaption();
    addRecentFile(m_fileName);
    m_state.markClean();
    return true;
}

void frmMain::ImportFromDxf()
{
    const DXFEntitiesPtr imported = m_showDxfWizard ? m_showDxfWizard() : nullptr;
    CoordinateTable table;
    Error error;
    if (!importedEntitiesToTable(imported, &table, &error)) {
        if (error.number != 0)
            m_prompter.showError(error);
        return;
    }
    clearSketch();
    {
        // The drawing replaces the whole list in one step the user can take back.
        CoordinateList& list = *m_coordinates->list();
        const auto action = list.userAction(QStringLiteral("import DXF"));
        list.ClearControl();
        list.setData(table);
    }
    m_state.markChanged();
    RedrawSketch();
    const QString keptFileName = m_fileName;
    m_fileName.clear();
    showCaption();
    m_fileName = keptFileName;
    // An import is much work at once: kept at once, not at the next tick.
    writeRecoveryCopy();
}
