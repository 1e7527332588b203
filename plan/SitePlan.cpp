#include "plan/SitePlan.h"

#include "plan/PlanCanvas.h"
#include "plan/PlanDrawing.h"
#include "plan/PlanScale.h"
#include "plan/PlanSheet.h"
#include "sketch/SketchRenderer.h"
#include "sketch/SketchView.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace {

const QString Title = QStringLiteral("Plan de amplasament si delimitare a imobilului");
constexpr double MarginLeftMm = 15;
constexpr double MarginMm = 10;
constexpr double TitleMm = 10;
constexpr double BelowFrameMm = 7;

QString paperName(QPageSize::PageSizeId paper)
{
    return QPageSize::name(paper);
}

QString standardList()
{
    QStringList scales;
    for (int denominator : PlanScale::standardDenominators())
        scales << PlanScale::text(denominator);
    return scales.join(QStringLiteral(", "));
}

} // namespace

SitePlan::SitePlan(const Document& document, PlanOptions options) : m_document(document), m_options(std::move(options))
{
    const Land emptyLand;
    const Land& land = m_document.Land() ? *m_document.Land() : emptyLand;
    m_polygons = SketchRenderer::documentPolygons(land);
    m_inventory = CoordinateInventory::fromPolygons(m_polygons);
    const PolygonPtr landContour = SketchView::landPolygon(m_polygons);
    m_hasDrawing = landContour && landContour->Points() && landContour->Points()->Count() > 0;
    if (m_hasDrawing) {
        double minX = landContour->Points()->Item(1)->X(), maxX = minX;
        double minY = landContour->Points()->Item(1)->Y(), maxY = minY;
        for (const InventoryContour& contour : m_inventory.contours()) {
            for (const InventoryPoint& point : contour.points)
                SketchView::UpdateExtent(point.x, point.y, minX, minY, maxX, maxY);
        }
        m_extent = QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
    }
}

SitePlan::PageGeometry SitePlan::geometryFor(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation)
{
    PageGeometry geometry;
    QSizeF page = QPageSize(paper).size(QPageSize::Millimeter);
    if (orientation == QPageLayout::Landscape)
        page.transpose();
    geometry.page = page;
    geometry.content =
        QRectF(MarginLeftMm, MarginMm, page.width() - MarginLeftMm - MarginMm, page.height() - 2 * MarginMm);
    // The frame takes the full width and about half the height; the tables, the areas, the
    // inventory and the executant block share the rest.
    const double top = geometry.content.top() + TitleMm + PlanSheet::HeaderMm;
    const double share = orientation == QPageLayout::Portrait ? 0.48 : 0.46;
    geometry.frame = QRectF(geometry.content.left() + 8, top, geometry.content.width() - 8,
                            std::floor(geometry.content.height() * share));
    return geometry;
}

QSizeF SitePlan::drawingRoom(const PageGeometry& geometry) const
{
    return QSizeF(geometry.frame.width() - 2 * DrawingMarginMm, geometry.frame.height() - 2 * DrawingMarginMm);
}

bool SitePlan::prepare(Error* error)
{
    if (!chooseScale(error))
        return false;
    layOut();
    return true;
}

bool SitePlan::chooseScale(Error* error)
{
    const auto fail = [error](const QString& text) {
        if (error)
            *error = {ErrorNumber::InvalidArgument, text};
        return false;
    };
    if (m_options.scale != 0 && !PlanScale::isStandard(m_options.scale))
        return fail(QStringLiteral("Scara ") + PlanScale::text(m_options.scale) +
                    QStringLiteral(" nu este o scara standard (") + standardList() + QStringLiteral(")."));
    std::vector<QPageLayout::Orientation> orientations{QPageLayout::Portrait, QPageLayout::Landscape};
    if (m_options.orientation)
        orientations = {*m_options.orientation};
    m_orientation = orientations.front();
    m_scale = 0;
    if (!m_hasDrawing)
        return true;

    // The largest scale each orientation allows; portrait wins a tie.
    int best = 0;
    QPageLayout::Orientation bestOrientation = orientations.front();
    for (QPageLayout::Orientation orientation : orientations) {
        const int fitting =
            PlanScale::largestFitting(m_extent.size(), drawingRoom(geometryFor(m_options.paper, orientation)));
        if (fitting != 0 && (best == 0 || fitting < best)) {
            best = fitting;
            bestOrientation = orientation;
        }
    }
    const QString paper = paperName(m_options.paper);
    if (best == 0)
        return fail(QStringLiteral("Desenul nu incape pe ") + paper + QStringLiteral(" la nicio scara standard (") +
                    standardList() + QStringLiteral(")."));
    if (m_options.scale == 0) {
        m_scale = best;
        m_orientation = bestOrientation;
        return true;
    }
    for (QPageLayout::Orientation orientation : orientations) {
        if (PlanScale::fits(m_options.scale, m_extent.size(), drawingRoom(geometryFor(m_options.paper, orientation)))) {
            m_scale = m_options.scale;
            m_orientation = orientation;
            return true;
        }
    }
    return fail(QStringLiteral("Desenul nu incape pe ") + paper + QStringLiteral(" la scara ") +
                PlanScale::text(m_options.scale) + QStringLiteral(". Cea mai mare scara la care incape este ") +
                PlanScale::text(best) + QLatin1Char('.'));
}

void SitePlan::layOut()
{
    m_geometry = geometryFor(m_options.paper, m_orientation);
    m_frame = m_geometry.frame;
    if (m_hasDrawing) {
        const double metresPerMm = m_scale / 1000.0;
        const QSizeF worldSize(m_frame.width() * metresPerMm, m_frame.height() * metresPerMm);
        QRectF world(QPointF(0, 0), worldSize);
        world.moveCenter(m_extent.center());
        m_world = world;
    }
    const std::vector<PlanSheet::InventoryLine> lines = PlanSheet::inventoryLines(m_inventory);
    const double top = bottomOfTables() + 2;
    const double bottom = m_geometry.content.bottom() - PlanSheet::ExecutantMm - 2;
    const QSizeF firstRegion(m_geometry.content.width(), bottom - top);
    m_inventoryOnFirstPage = int(lines.size()) <= PlanSheet::inventoryCapacity(firstRegion);
    m_linesPerLaterPage =
        PlanSheet::inventoryCapacity(QSizeF(m_geometry.content.width(), m_geometry.content.height() - TitleMm));
    m_laterPages = m_inventoryOnFirstPage
                       ? 0
                       : int((lines.size() + std::size_t(m_linesPerLaterPage) - 1) / std::size_t(m_linesPerLaterPage));
}

double SitePlan::bottomOfTables() const
{
    const Land emptyLand;
    const Land& land = m_document.Land() ? *m_document.Land() : emptyLand;
    return m_frame.bottom() + BelowFrameMm + PlanSheet::tablesHeight(land);
}

QPageLayout SitePlan::pageLayout() const
{
    return QPageLayout(QPageSize(m_options.paper), m_orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

int SitePlan::pageCount() const
{
    return 1 + m_laterPages;
}

void SitePlan::paintFirstPage(PlanCanvas& canvas) const
{
    const Land emptyLand;
    const Land& land = m_document.Land() ? *m_document.Land() : emptyLand;
    const QRectF& content = m_geometry.content;
    PlanSheet::paintTitle(canvas, content, Title);
    PlanSheet::paintHeader(canvas,
                           QRectF(content.left(), content.top() + TitleMm, content.width(), PlanSheet::HeaderMm), land,
                           m_options, m_inventory, m_scale);
    if (m_hasDrawing) {
        PlanDrawing::paint(canvas, m_frame, m_world, m_scale, m_polygons);
        canvas.painter.setFont(PlanCanvas::font(8, true));
        canvas.text(QRectF(m_frame.right() - 40, m_frame.bottom() + 3, 40, 4), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("Scara ") + PlanScale::text(m_scale));
    } else {
        PlanDrawing::paintNote(
            canvas, m_frame,
            QStringLiteral("Documentul nu are conturul terenului (TEREN): planul nu conține desenul."));
    }
    const double tablesTop = m_frame.bottom() + BelowFrameMm;
    PlanSheet::paintTables(canvas, QRectF(content.left(), tablesTop, content.width(), PlanSheet::tablesHeight(land)),
                           land);
    const QRectF executant(content.left(), content.bottom() - PlanSheet::ExecutantMm, content.width(),
                           PlanSheet::ExecutantMm);
    PlanSheet::paintExecutant(canvas, executant, m_options);
    // The areas beside the executant block, the inventory between them and the tables.
    PlanSheet::paintAreas(canvas, QRectF(content.left(), executant.top() + 6, content.width() - 95, PlanSheet::AreasMm),
                          land, m_inventory);
    if (m_inventory.isEmpty()) {
        // Nothing to list: an apartment, or a document without contours.
    } else if (m_inventoryOnFirstPage) {
        const double top = bottomOfTables() + 2;
        const QRectF region(content.left(), top, content.width(), executant.top() - 2 - top);
        PlanSheet::paintInventory(canvas, region, PlanSheet::inventoryLines(m_inventory), 0,
                                  QStringLiteral("Inventar de coordonate"));
    } else {
        canvas.painter.setFont(PlanCanvas::font(8));
        canvas.text(QRectF(content.left(), bottomOfTables() + 2, content.width(), 5), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("Inventarul de coordonate: pagina 2"));
    }
}

void SitePlan::paint(QPainter& painter, QPagedPaintDevice& device) const
{
    PlanCanvas canvas{painter, device.logicalDpiX() / 25.4};
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintFirstPage(canvas);
    const std::vector<PlanSheet::InventoryLine> lines = PlanSheet::inventoryLines(m_inventory);
    int first = 0;
    for (int page = 0; page < m_laterPages; ++page) {
        device.newPage();
        const QRectF& content = m_geometry.content;
        PlanSheet::paintTitle(canvas, content, Title);
        const QRectF region(content.left(), content.top() + TitleMm, content.width(), content.height() - TitleMm);
        first += PlanSheet::paintInventory(
            canvas, region, lines, first,
            QStringLiteral("Inventar de coordonate (pagina %1 din %2)").arg(page + 2).arg(pageCount()));
    }
}

bool SitePlan::writePdf(QIODevice* device, Error* error) const
{
    QPdfWriter writer(device);
    writer.setResolution(1200);
    writer.setTitle(Title);
    writer.setCreator(QStringLiteral("Lotmark"));
    writer.setPageLayout(pageLayout());
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, QStringLiteral("Path/File access error")};
        return false;
    }
    paint(painter, writer);
    return painter.end();
}

bool SitePlan::writePdf(const QString& fileName, Error* error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, file.errorString()};
        return false;
    }
    if (!writePdf(&file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = {ErrorNumber::PathFileAccess, file.errorString()};
        return false;
    }
    return true;
}
