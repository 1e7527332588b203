#include "app/DocumentSave.h"

#include "app/AppSettings.h"
#include "base/FileSystem.h"
#include "base/NumberText.h"
#include "base/Prompter.h"
#include "format/CPFile.h"
#include "geometry/Transform.h"
#include "model/Contours.h"

#include <QFileInfo>

namespace {
const QString MissingCoordinates = QStringLiteral("Lista de entitati contine puncte fara coordonate.");
} // namespace

DocumentSave::DocumentSave(CPFile& file, AppSettings& settings, Prompter& prompter)
    : m_file(file), m_settings(settings), m_prompter(prompter)
{
}

QString DocumentSave::nameKept(const QString& fileName, const QString& previousFileName)
{
    return fileName.isEmpty() ? previousFileName : fileName;
}

DocumentSave::Outcome DocumentSave::save(const Request& request)
{
    const Outcome refused{false, nameKept(request.fileName, request.previousFileName)};
    std::shared_ptr<Polygons> polygons;
    if (!request.isApartment && !checkContours(request, &polygons))
        return refused;
    QString name;
    if (!chooseSaveFile(request, &name))
        return refused;
    if (!writeDocument(request, polygons, name))
        return refused;
    advanceWorkNumber();
    return {true, name};
}

std::shared_ptr<Polygons> DocumentSave::polygonsOf(const CoordinateTable& data, const QString& decimalSeparator,
                                                   Prompter& prompter)
{
    if (data.upperRow() == 0)
        return nullptr;
    Transform transform(decimalSeparator);
    transform.setTransformArray(data);
    if (!transform.ArrayToPolygonCollection()) {
        prompter.showError(transform.lastError());
        return nullptr;
    }
    return transform.PolygonCollection();
}

bool DocumentSave::checkContours(const Request& request, std::shared_ptr<Polygons>* polygons)
{
    const ListReading& list = request.list;
    if (!list.haveCoordinates) {
        m_prompter.error(MissingCoordinates);
        return false;
    }
    if (!list.data) {
        // A list that cannot be read is never taken for one without coordinates.
        if (!list.unreadableCell.isEmpty())
            m_prompter.error(list.unreadableCell);
        return false;
    }
    const Land& land = *request.document->Land();
    if (list.data->upperRow() == 0) {
        if (land.Parcels() && land.Parcels()->Count() >= 1) {
            const Prompter::Answer answer = m_prompter.confirm(QStringLiteral(
                "Nu au fost introduse coordonate pentru entitatile cadastrale.\rDoriti sa salvati fisierul ?"));
            if (answer != Prompter::Answer::Yes)
                return false;
        }
        return true;
    }
    *polygons = polygonsOf(*list.data, request.decimalSeparator, m_prompter);
    if (!*polygons)
        return false;
    const Buildings noBuildings;
    const auto problem = Contours::check(**polygons, land.Parcels() ? land.Parcels()->TotalMeasuredArea() : QString(),
                                         land.Buildings() ? *land.Buildings() : noBuildings, request.decimalSeparator);
    if (problem) {
        m_prompter.error(problem->text, problem->icon);
        return false;
    }
    return true;
}

bool DocumentSave::chooseSaveFile(const Request& request, QString* name)
{
    if (!request.fileName.isEmpty()) {
        *name = request.fileName;
        if (refuseFolder(*name, m_prompter))
            return false;
        return !FileSystem::fileExists(*name) ||
               m_prompter.confirm(QStringLiteral("Confirmati suprascrierea fisierului ") + *name +
                                  QStringLiteral(" ?")) == Prompter::Answer::Yes;
    }
    *name = request.askFileName ? request.askFileName() : QString();
    if (name->trimmed().isEmpty())
        return false;
    if (!name->toUpper().endsWith(QLatin1String(".CP")))
        *name += QStringLiteral(".CP");
    if (refuseFolder(*name, m_prompter))
        return false;
    return !FileSystem::fileExists(*name) ||
           m_prompter.confirm(QStringLiteral("Fisierul ") + *name +
                              QStringLiteral(" exista.\rDoriti suprascrierea lui ?")) == Prompter::Answer::Yes;
}

void DocumentSave::attachContours(Document& document, const std::shared_ptr<Polygons>& polygons)
{
    if (document.isApartment())
        Contours::clear(*document.Land());
    else if (polygons)
        Contours::attach(*document.Land(), *polygons);
}

void DocumentSave::prepare(Document& document, bool isApartment, const std::shared_ptr<Polygons>& polygons,
                           const AppSettings& settings)
{
    document.setIsAp(isApartment ? -1 : 0);
    attachContours(document, polygons);
    document.setSurveyorName(settings.surveyorName);
    document.setSurveyorLicense(settings.surveyorLicense);
}

// A folder is no file to overwrite: saying so beats asking to replace it and then failing.
bool DocumentSave::refuseFolder(const QString& name, Prompter& prompter)
{
    if (!QFileInfo(name).isDir())
        return false;
    prompter.error(QStringLiteral("Numele ") + name +
                   QStringLiteral(" apartine unui director. Alegeti alt nume de fisier."));
    return true;
}

bool DocumentSave::writeDocument(const Request& request, const std::shared_ptr<Polygons>& polygons, const QString& name)
{
    prepare(*request.document, request.isApartment, request.isApartment ? nullptr : polygons, m_settings);
    m_file.setDocument(request.document);
    m_file.setCPFileName(name);
    Error error;
    if (m_file.SaveCPFile(&error))
        return true;
    if (error.number == ErrorNumber::PathNotFound)
        m_prompter.error(QStringLiteral("Calea specificata nu exista."));
    else
        m_prompter.showError(error);
    return false;
}

// The number moves on in memory too, so that the options dialog shows what the next save
// starts from; a settings file that cannot be written keeps both where they were.
void DocumentSave::advanceWorkNumber()
{
    const int nextWorkNumber = int(m_settings.workNumber) + 1;
    if (m_settings.write(AppSettings::KeyWorkNumber, QString::number(nextWorkNumber)))
        m_settings.workNumber = NumberText::toInt16(nextWorkNumber);
    else
        m_prompter.error(FileSystem::notWrittenMessage(m_settings.settingsFilePath()));
}
