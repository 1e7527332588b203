#include "dxf/DxfImportWizard.h"

#include "base/Prompter.h"
#include "coordlist/CoordinateFormat.h"
#include "dxf/DxfPolylineReader.h"
#include "dxf/ImportDXF.h"
#include "model/Contours.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {
const QString ListLoading = QStringLiteral("Se incarca datele ...");
constexpr int MaxCoordinateRows = 32767;

// Building numbers are plain digits; blanks around them are dropped.
bool isBuildingNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

double numericValue(const QString& number)
{
    return number.toDouble();
}

bool fitsTheList(double coordinate)
{
    return std::isfinite(coordinate) && coordinate <= CoordinateFormat::MaximumCoordinate;
}
} // namespace

const QString DxfImportWizard::NoteFound =
    QStringLiteral("Nota:\r\nAu fost gasite entitati de tip polilinie in fisierul selectat !");
const QString DxfImportWizard::NoteNotFound =
    QStringLiteral("Nota:\r\nNu s-au gasit entitati de tip polilinie in fisierul selectat !");

DxfImportWizard::DxfImportWizard(Prompter& prompter, QString programFolder)
    : m_prompter(prompter), m_programFolder(std::move(programFolder))
{
}

void DxfImportWizard::setAreaSize(double W, double H)
{
    m_maps[0].setAreaSize(W, H);
    m_maps[1].setAreaSize(W, H);
    if (!m_polylines.isEmpty())
        m_transform = DxfMapView::fitAll(m_polylines, W, H);
    redraw(0);
    redraw(1);
}

void DxfImportWizard::openFile()
{
    openFile(m_prompter.openFileName(QStringLiteral("Selectati Fisierul DXF"), QStringLiteral("Fisier DXF | *.DXF"),
                                     m_programFolder));
}

void DxfImportWizard::openFile(const QString& chosenPath)
{
    m_polylines.clear();
    if (!chosenPath.isEmpty())
        m_fileName = chosenPath;
    loadFile();
    m_associations.clear();
    m_landIndex = 0;
    m_selectedIndex = 0;
    rebuildTies();
}

void DxfImportWizard::loadFile()
{
    m_lines1.clear();
    if (m_fileName.isEmpty())
        return;
    m_importedCount = 0;
    if (progress.started)
        progress.started(QString());
    DxfReadResult result;
    QFile file(m_fileName);
    if (!openDrawing(file, &result.message)) {
        result.status = DxfReadResult::Failed;
    } else {
        DxfPolylineReader reader;
        reader.onPolyline = [this] {
            ++m_importedCount;
            if (progress.polyline)
                progress.polyline(m_importedCount);
        };
        result = reader.read(file, m_polylines);
    }
    if (progress.stopped)
        progress.stopped();
    m_polylines.clean();

    if (result.status == DxfReadResult::Failed) {
        // A damaged or foreign file: said on page 0, the wizard stays open with nothing read.
        m_polylines.clear();
        m_note = QStringLiteral("Nota:\r\n") + result.message;
        m_noteError = true;
        m_nextEnabled = false;
    } else if (m_polylines.isEmpty()) {
        m_note = NoteNotFound;
        m_noteError = true;
        m_nextEnabled = false;
    } else {
        m_note = NoteFound;
        m_noteError = false;
        m_transform = DxfMapView::fitAll(m_polylines, m_maps[1].areaWidth(), m_maps[1].areaHeight());
        m_nextEnabled = true;
    }
}

void DxfImportWizard::next()
{
    if (m_page >= 3 || !nextEnabled())
        return;
    if (m_page == 0)
        m_nextEnabled = false;
    if (m_page == 1 && m_selectedIndex > 0) {
        if (m_prompter.askNamed(Prompter::Question::AssignLandPolyline,
                                QStringLiteral("Atribuiti aceasta polilinie terenului?"), Prompter::CaptionInfo,
                                Prompter::Buttons::YesNo, Prompter::Icon::Question) == Prompter::Answer::No)
            return;
        if (m_landIndex != 0 &&
            m_prompter.askNamed(Prompter::Question::ReplaceLandPolyline,
                                QStringLiteral("Ati mai atribuit alta polilinie terenului.\rDoriti sa suprascrieti?"),
                                Prompter::CaptionInfo, Prompter::Buttons::YesNo,
                                Prompter::Icon::Question) == Prompter::Answer::No)
            return;
        m_landIndex = m_selectedIndex;
        // A polyline is either the land or a building, never both: the land choice wins.
        m_associations.erase(std::remove_if(m_associations.begin(), m_associations.end(),
                                            [this](const Association& a) { return a.position == m_landIndex; }),
                             m_associations.end());
        rebuildTies();
    }
    ++m_page;
    if (m_page == 3)
        m_nextEnabled = false;
    m_previousEnabled = true;
    showStep();
}

void DxfImportWizard::previous()
{
    if (m_page <= 0 || !previousEnabled())
        return;
    --m_page;
    if (m_page == 0)
        m_previousEnabled = false;
    if (m_page < 3)
        m_nextEnabled = true;
    showStep();
}

void DxfImportWizard::showStep()
{
    switch (m_page) {
    case 1: {
        m_lines1.clear();
        m_layerNames.clear();
        m_chosenLayer = -1;
        m_selectedIndex = 0;
        m_maps[0].resetView();
        QSet<QString> seen;
        std::vector<char> indexSeen(std::size_t(m_polylines.layers().size()), 0);
        for (int p = 1; p <= m_polylines.count(); ++p) {
            const int index = m_polylines.layerIndex(p);
            if (indexSeen[std::size_t(index)])
                continue;
            indexSeen[std::size_t(index)] = 1;
            const QString& name = m_polylines.layerName(p);
            if (!seen.contains(name)) {
                seen.insert(name);
                m_layerNames.append(name);
            }
        }
        redraw(0);
        break;
    }
    case 2:
        m_selectedIndex = 0;
        m_associateEnabled = false;
        fillPage2List();
        redraw(1);
        break;
    case 3:
        buildReport();
        break;
    default:
        break;
    }
}

void DxfImportWizard::chooseLayer(int index)
{
    if (m_page != 1 || m_panMode || index < 0 || index >= m_layerNames.size())
        return;
    m_chosenLayer = index;
    m_lines1.clear();
    m_maps[0].resetView();
    const QString& layer = m_layerNames[index];
    std::vector<char> listed(std::size_t(m_polylines.count()) + 1, 0);
    if (m_landIndex > 0 && m_polylines.layerName(m_landIndex) == layer) {
        m_lines1.push_back({Contours::LandName, m_landIndex});
        listed[std::size_t(m_landIndex)] = 1;
    }
    for (const Association& a : m_associations) {
        m_lines1.push_back({QStringLiteral("C") + a.number, a.position});
        listed[std::size_t(a.position)] = 1;
    }
    if (progress.started)
        progress.started(ListLoading);
    for (int p = 1; p <= m_polylines.count(); ++p) {
        if (listed[std::size_t(p)] || m_polylines.layerName(p) != layer)
            continue;
        m_lines1.push_back({QStringLiteral("Polilinia ") + QString::number(p), p});
        if (progress.step)
            progress.step();
    }
    if (progress.stopped)
        progress.stopped();
    m_selectedIndex = 0;
    m_nextEnabled = false;
    redraw(0);
}

void DxfImportWizard::fillPage2List()
{
    m_lines2.clear();
    m_lines2.reserve(std::size_t(m_polylines.count()));
    if (progress.started)
        progress.started(ListLoading);
    if (m_landIndex > 0)
        m_lines2.push_back({Contours::LandName, m_landIndex});
    for (const Association& a : m_associations)
        m_lines2.push_back({QStringLiteral("C") + a.number, a.position});
    for (int p = 1; p <= m_polylines.count(); ++p) {
        if (p == m_landIndex || isTied(p))
            continue;
        m_lines2.push_back({QStringLiteral("Polilinia ") + QString::number(p), p});
        if (progress.step)
            progress.step();
    }
    if (progress.stopped)
        progress.stopped();
}

void DxfImportWizard::buildReport()
{
    m_report.clear();
    m_report << QStringLiteral("Terenul polilinia numarul ") + QString::number(m_landIndex);
    m_report << QString(28, QLatin1Char('-'));
    for (const Association& a : m_associations)
        m_report << QStringLiteral("Constructia C") + a.number + QStringLiteral(" coresponde poliliniei ") +
                        QString::number(a.position);
}

void DxfImportWizard::clickLine(int row)
{
    if ((m_page != 1 && m_page != 2) || m_panMode)
        return;
    const std::vector<Line>& list = lines();
    if (row < 0 || row >= int(list.size()))
        return;
    m_selectedIndex = list[std::size_t(row)].position;
    m_maps[area()].centerOn(m_polylines, m_selectedIndex, m_transform);
    redraw(area());
    if (m_page == 1)
        m_nextEnabled = true;
    else
        m_associateEnabled = true;
}

void DxfImportWizard::associate()
{
    // Pan mode leaves "Asociaza" enabled, so it ties as it does outside pan mode.
    if (m_page != 2 || !m_associateEnabled || m_selectedIndex < 1)
        return;
    const QString number = m_numberText.trimmed();
    if (!isBuildingNumber(number)) {
        m_prompter.error(QStringLiteral("Numarul constructiei nu poate fi asociat. Introduceti o valoare valida."),
                         Prompter::Icon::Critical);
        m_numberText.clear();
        return;
    }
    for (const Association& a : m_associations) {
        if (a.number == number) {
            m_prompter.error(
                QStringLiteral("Numarul constructie nu poate fi asociat. Ati mai introdus aceasta valoare."),
                Prompter::Icon::Critical);
            return;
        }
    }
    if (m_prompter.askNamed(Prompter::Question::AssociateBuilding,
                            QStringLiteral("Asociati polilinia la constructia cu numarul ") + number,
                            Prompter::CaptionInfo, Prompter::Buttons::YesNo,
                            Prompter::Icon::Question) == Prompter::Answer::No)
        return;
    if (m_selectedIndex == m_landIndex) {
        m_prompter.error(QStringLiteral("Polilinia este asociata terenului. Nu puteti asocia."),
                         Prompter::Icon::Critical);
        return;
    }
    auto existing = std::find_if(m_associations.begin(), m_associations.end(),
                                 [this](const Association& a) { return a.position == m_selectedIndex; });
    if (existing != m_associations.end()) {
        if (m_prompter.askNamed(Prompter::Question::ReassociateBuilding,
                                QStringLiteral("Polilinia a mai fost asociata unei constructii. Vreti sa reasociati?"),
                                Prompter::CaptionInfo, Prompter::Buttons::YesNo,
                                Prompter::Icon::Question) == Prompter::Answer::No)
            return;
        existing->number = number;
    } else {
        m_associations.push_back({m_selectedIndex, number});
    }
    m_numberText.clear();
    // SortAssociations: by the number's value, equal values keep their order.
    std::stable_sort(m_associations.begin(), m_associations.end(), [](const Association& a, const Association& b) {
        return numericValue(a.number) < numericValue(b.number);
    });
    rebuildTies();
    showStep();
}

void DxfImportWizard::rebuildTies()
{
    m_tied.assign(std::size_t(m_polylines.count()) + 1, 0);
    for (const Association& a : m_associations) {
        if (a.position >= 1 && a.position <= m_polylines.count())
            m_tied[std::size_t(a.position)] = 1;
    }
}

QStringList DxfImportWizard::associationTexts() const
{
    QStringList out;
    for (const Association& a : m_associations)
        out << a.text();
    return out;
}

bool DxfImportWizard::exit()
{
    if (m_panMode)
        return false;
    if (m_page != 3) {
        m_result.reset();
        return true;
    }
    return finish();
}

bool DxfImportWizard::finish()
{
    if (m_landIndex < 1 || m_landIndex > m_polylines.count())
        return false;
    qint64 rows = m_polylines.pointCount(m_landIndex);
    for (const Association& a : m_associations)
        rows += m_polylines.pointCount(a.position);
    if (rows > MaxCoordinateRows) {
        m_prompter.error(QStringLiteral("Poliliniile selectate au impreuna %1 puncte, iar lista de coordonate primeste "
                                        "cel mult %2. Alegeti alte polilinii.")
                             .arg(rows)
                             .arg(MaxCoordinateRows),
                         Prompter::Icon::Critical);
        return false;
    }
    if (!checkCoordinates(m_landIndex, Contours::LandName))
        return false;
    for (const Association& a : m_associations) {
        if (!checkCoordinates(a.position, QStringLiteral("C") + a.number))
            return false;
    }
    bool inOrder = true;
    for (std::size_t i = 0; i < m_associations.size(); ++i) {
        if (numericValue(m_associations[i].number) != double(i + 1))
            inOrder = false;
    }
    if (!m_associations.empty() && !inOrder &&
        m_prompter.askNamed(Prompter::Question::RenumberBuildings,
                            QStringLiteral("Vreti sa renumerotati constructiile de la 1 la n"), Prompter::CaptionInfo,
                            Prompter::Buttons::YesNo, Prompter::Icon::Question) == Prompter::Answer::Yes) {
        for (std::size_t i = 0; i < m_associations.size(); ++i)
            m_associations[i].number = QString::number(i + 1);
    }
    auto result = std::make_shared<DXFEntities>();
    DXFEntityPtr land = m_polylines.entity(m_landIndex);
    land->Polygon()->setName(Contours::LandName);
    result->Add(land);
    for (const Association& a : m_associations) {
        DXFEntityPtr building = m_polylines.entity(a.position);
        building->Polygon()->setName(QStringLiteral("C") + a.number);
        result->Add(building);
    }
    m_result = result;
    return true;
}

bool DxfImportWizard::checkCoordinates(int position, const QString& name)
{
    // The coordinate list refuses a value over its bound wherever it comes from; one that
    // came in from a drawing would be emptied by the first commit of its cell.
    for (std::uint32_t v = m_polylines.begin(position); v < m_polylines.end(position); ++v) {
        if (fitsTheList(m_polylines.x(v)) && fitsTheList(m_polylines.y(v)))
            continue;
        m_prompter.error(QStringLiteral("Polilinia %1 (%2) are coordonate care depasesc ordinul milioanelor, iar lista "
                                        "de coordonate nu le primeste. Alegeti alta polilinie.")
                             .arg(position)
                             .arg(name),
                         Prompter::Icon::Critical);
        return false;
    }
    return true;
}

bool DxfImportWizard::drawsPolyline(int area, int position) const
{
    if (area == 1)
        return true;
    return m_chosenLayer >= 0 && m_polylines.layerName(position) == m_layerNames[m_chosenLayer];
}

void DxfImportWizard::zoomIn()
{
    if ((m_page != 1 && m_page != 2) || m_panMode)
        return;
    if (!m_maps[area()].zoomIn()) {
        m_prompter.info(QStringLiteral("S-a ajuns la ZOOM maxim"));
        return;
    }
    redraw(area());
}

void DxfImportWizard::zoomOut()
{
    if ((m_page != 1 && m_page != 2) || m_panMode)
        return;
    if (!m_maps[area()].zoomOut()) {
        m_prompter.info(QStringLiteral("S-a ajuns la ZOOM minim"));
        return;
    }
    redraw(area());
}

void DxfImportWizard::zoomSelected()
{
    if ((m_page != 1 && m_page != 2) || m_panMode || m_selectedIndex < 1)
        return;
    m_maps[area()].zoomTo(m_polylines, m_selectedIndex, m_transform);
    redraw(area());
}

void DxfImportWizard::togglePan()
{
    if (m_page != 1 && m_page != 2)
        return;
    m_panMode = !m_panMode;
}
