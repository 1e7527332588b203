#include "plan/PlanSheet.h"

#include "plan/PlanScale.h"
#include "plan/TextBatch.h"
#include "sketch/SketchView.h"

#include <QFontMetricsF>
#include <QLocale>
#include <cmath>

namespace PlanSheet {

namespace {

constexpr double TableTitleMm = 5.0;
constexpr double TableHeaderMm = 9.0;
constexpr double TableRowMm = 4.5;
constexpr int Centre = Qt::AlignCenter | Qt::TextWordWrap;

struct Table
{
    QString title;
    std::vector<double> widths; // fractions of the table's width
    QStringList header;
    std::vector<QStringList> rows;
    QStringList total;
};

double tableHeight(int rows)
{
    return TableTitleMm + TableHeaderMm + (rows + 1) * TableRowMm;
}

// Header cells wrap; data cells keep one line and are cut with an ellipsis when too long.
void paintRow(PlanCanvas& canvas, const QRectF& row, const std::vector<double>& widths, const QStringList& cells,
              bool wrap)
{
    const QFontMetricsF metrics(canvas.painter.font(), canvas.painter.device());
    double x = row.left();
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const QRectF cell(x, row.top(), widths[i] * row.width(), row.height());
        canvas.box(cell);
        if (int(i) < cells.size()) {
            const QRectF inner = cell.adjusted(0.5, 0, -0.5, 0);
            const QString text =
                wrap ? cells.at(int(i))
                     : metrics.elidedText(cells.at(int(i)), Qt::ElideRight, inner.width() * canvas.dotsPerMm);
            canvas.text(inner, wrap ? Centre : int(Qt::AlignCenter), text);
        }
        x += cell.width();
    }
}

void paintTable(PlanCanvas& canvas, const QRectF& area, const Table& table)
{
    canvas.painter.setFont(PlanCanvas::font(8, true));
    canvas.text(QRectF(area.left(), area.top(), area.width(), TableTitleMm), Qt::AlignLeft | Qt::AlignVCenter,
                table.title);
    canvas.setPen(0.2);
    canvas.painter.setFont(PlanCanvas::font(6.5, true));
    double y = area.top() + TableTitleMm;
    paintRow(canvas, QRectF(area.left(), y, area.width(), TableHeaderMm), table.widths, table.header, true);
    y += TableHeaderMm;
    canvas.painter.setFont(PlanCanvas::font(7));
    for (const QStringList& row : table.rows) {
        paintRow(canvas, QRectF(area.left(), y, area.width(), TableRowMm), table.widths, row, false);
        y += TableRowMm;
    }
    canvas.painter.setFont(PlanCanvas::font(7, true));
    paintRow(canvas, QRectF(area.left(), y, area.width(), TableRowMm), table.widths, table.total, false);
}

// The typed total, or the sum of the typed item areas when no total was typed.
template <typename Items> QString totalArea(const Items* items)
{
    if (!items)
        return QString();
    // A typed total of "0" means none, as on the property sheet.
    if (items->TotalMeasuredArea().trimmed() == QLatin1String("0"))
        return QStringLiteral("-");
    if (!items->TotalMeasuredArea().trimmed().isEmpty())
        return items->TotalMeasuredArea();
    double sum = 0;
    for (const auto& item : *items)
        sum += QLocale::c().toDouble(item->MeasuredArea().trimmed());
    return items->Count() > 0 ? QLocale::c().toString(sum, 'f', QLocale::FloatingPointShortest) : QString();
}

QString areaOrDash(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() || trimmed == QLatin1String("0") ? QStringLiteral("-") : trimmed + QStringLiteral(" mp");
}

void joinPart(QStringList& parts, const QString& prefix, const QString& value)
{
    if (!value.trimmed().isEmpty())
        parts << prefix + value.trimmed();
}

} // namespace

std::vector<InventoryLine> inventoryLines(const CoordinateInventory& inventory)
{
    std::vector<InventoryLine> lines;
    lines.reserve(std::size_t(inventory.pointCount()) + inventory.contours().size() * 3);
    for (const InventoryContour& contour : inventory.contours()) {
        if (!lines.empty())
            lines.push_back({InventoryLine::Blank, nullptr, 0});
        lines.push_back({InventoryLine::Heading, &contour, 0});
        for (int i = 0; i < int(contour.points.size()); ++i)
            lines.push_back({InventoryLine::Point, &contour, i});
        lines.push_back({InventoryLine::Summary, &contour, 0});
    }
    return lines;
}

int inventoryColumns(double widthMm)
{
    return std::max(1, int((widthMm + InventoryGapMm) / (InventoryColumnMm + InventoryGapMm)));
}

int inventoryRows(double heightMm)
{
    // The column header takes one row.
    return std::max(1, int((heightMm - InventoryTitleMm) / InventoryRowMm) - 1);
}

int paintInventory(PlanCanvas& canvas, const QRectF& region, const std::vector<InventoryLine>& lines, int first,
                   const QString& title)
{
    canvas.painter.setFont(PlanCanvas::font(8, true));
    canvas.text(QRectF(region.left(), region.top(), region.width(), InventoryTitleMm), Qt::AlignLeft | Qt::AlignVCenter,
                title);
    const int columns = inventoryColumns(region.width());
    const int rows = inventoryRows(region.height());
    // Cell edges within a column: number, X, Y, side.
    const double edges[5] = {0, 10, 27.5, 45, InventoryColumnMm};
    const QFont plain = PlanCanvas::font(6.5);
    const QFont bold = PlanCanvas::font(6.5, true);
    const QString header[4] = {QStringLiteral("Nr."), QStringLiteral("X [m]"), QStringLiteral("Y [m]"),
                               QStringLiteral("D [m]")};
    int painted = 0;
    for (int column = 0; column < columns && first + painted < int(lines.size()); ++column) {
        const double left = region.left() + column * (InventoryColumnMm + InventoryGapMm);
        // The number starts at its cell's left; the coordinates and the side end at their cell's right.
        const double starts[4] = {left + edges[0] + 0.5, left + edges[2] - 0.5, left + edges[3] - 0.5,
                                  left + edges[4] - 0.5};
        double y = region.top() + InventoryTitleMm;
        canvas.painter.setFont(bold);
        for (int i = 0; i < 4; ++i)
            canvas.text(QRectF(left + edges[i] + 0.5, y, edges[i + 1] - edges[i] - 1.0, InventoryRowMm),
                        (i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, header[i]);
        canvas.setPen(0.15);
        canvas.line(left, y + InventoryRowMm, left + InventoryColumnMm, y + InventoryRowMm);
        y += InventoryRowMm;
        // The column's points go out as one text; a heading or a summary flushes it first, so
        // that the page's text keeps the reading order.
        TextBatch points(canvas, plain);
        for (int row = 0; row < rows && first + painted < int(lines.size()); ++row, ++painted, y += InventoryRowMm) {
            const InventoryLine& line = lines[std::size_t(first + painted)];
            const QRectF wide(left + 0.5, y, InventoryColumnMm - 1.0, InventoryRowMm);
            switch (line.kind) {
            case InventoryLine::Heading:
                points.flush();
                canvas.painter.setFont(bold);
                canvas.text(wide, Qt::AlignLeft | Qt::AlignVCenter,
                            SketchView::isLandName(line.contour->name)
                                ? QStringLiteral("Teren (TEREN)")
                                : QStringLiteral("Construcția ") + line.contour->name);
                break;
            case InventoryLine::Summary:
                points.flush();
                canvas.painter.setFont(bold);
                canvas.text(wide, Qt::AlignRight | Qt::AlignVCenter,
                            QStringLiteral("S = ") + CoordinateInventory::lengthText(line.contour->area) +
                                QStringLiteral(" mp   P = ") +
                                CoordinateInventory::lengthText(line.contour->perimeter) + QStringLiteral(" m"));
                break;
            case InventoryLine::Point: {
                const InventoryPoint& point = line.contour->points[std::size_t(line.index)];
                points.add(starts[0], y, InventoryRowMm, Qt::AlignLeft, point.no);
                points.add(starts[1], y, InventoryRowMm, Qt::AlignRight, CoordinateInventory::coordinateText(point.x));
                points.add(starts[2], y, InventoryRowMm, Qt::AlignRight, CoordinateInventory::coordinateText(point.y));
                points.add(starts[3], y, InventoryRowMm, Qt::AlignRight, CoordinateInventory::lengthText(point.side));
                break;
            }
            case InventoryLine::Blank:
                break;
            }
        }
    }
    return painted;
}

QString measuredAreaText(const Land& land, const CoordinateInventory& inventory)
{
    for (const InventoryContour& contour : inventory.contours()) {
        if (SketchView::isLandName(contour.name))
            return QString::number(std::llround(contour.area)) + QStringLiteral(" mp");
    }
    return areaOrDash(land.Parcels() ? land.Parcels()->TotalMeasuredArea() : QString());
}

QString addressText(const Land& land, const PlanOptions& options)
{
    QStringList parts;
    if (const AddressPtr& address = land.Address()) {
        const QString street =
            (address->StreetType().trimmed() + QLatin1Char(' ') + address->StreetName().trimmed()).trimmed();
        joinPart(parts, QString(), street);
        joinPart(parts, QStringLiteral("nr. "), address->StreetNo());
        joinPart(parts, QStringLiteral("bl. "), address->BuildNo());
        joinPart(parts, QStringLiteral("sc. "), address->EntranceNo());
        joinPart(parts, QStringLiteral("et. "), address->FloorNo());
        joinPart(parts, QStringLiteral("ap. "), address->ApartmentNo());
        joinPart(parts, QStringLiteral("tarla "), address->TarlaNo());
        joinPart(parts, QStringLiteral("parcela "), address->ParcelNo());
    }
    joinPart(parts, QStringLiteral("loc. "), options.locality);
    return parts.join(QStringLiteral(", "));
}

void paintTitle(PlanCanvas& canvas, const QRectF& content, const QString& title)
{
    canvas.painter.setFont(PlanCanvas::font(13, true));
    canvas.painter.setPen(Qt::black);
    canvas.text(QRectF(content.left(), content.top(), content.width(), 8), Qt::AlignCenter, title);
}

void paintHeader(PlanCanvas& canvas, const QRectF& area, const Land& land, const PlanOptions& options,
                 const CoordinateInventory& inventory, int scale)
{
    QStringList left;
    if (!options.cadastralNo.trimmed().isEmpty())
        left << QStringLiteral("Nr. cadastral: ") + options.cadastralNo.trimmed();
    if (!options.landBookNo.trimmed().isEmpty())
        left << QStringLiteral("Nr. carte funciară: ") + options.landBookNo.trimmed();
    if (!options.county.isEmpty())
        left << QStringLiteral("Județul: ") + options.county;
    const int siruta = land.Address() ? land.Address()->SIRUTA() : 0;
    QString territory =
        QStringLiteral("UAT: ") + (options.territory.isEmpty() ? QStringLiteral("-") : options.territory);
    if (siruta > 0)
        territory += QStringLiteral(" (cod SIRUTA ") + QString::number(siruta) + QLatin1Char(')');
    left << territory;

    QStringList right;
    const QString address = addressText(land, options);
    right << QStringLiteral("Adresa imobilului: ") + (address.isEmpty() ? QStringLiteral("-") : address);
    right << QStringLiteral("Suprafața măsurată: ") + measuredAreaText(land, inventory);
    right << QStringLiteral("Scara ") + (scale > 0 ? PlanScale::text(scale) : QStringLiteral("-"));

    canvas.painter.setFont(PlanCanvas::font(8.5));
    const double lineMm = 4.6;
    const double half = area.width() / 2;
    for (int i = 0; i < left.size(); ++i)
        canvas.text(QRectF(area.left(), area.top() + i * lineMm, half - 2, lineMm), Qt::AlignLeft | Qt::AlignVCenter,
                    left.at(i));
    // The address may take two lines; the lines after it move down by what it took.
    const QRectF addressRoom(area.left() + half, area.top(), half, 2 * lineMm);
    const QFontMetricsF metrics(canvas.painter.font(), canvas.painter.device());
    const bool twoLines = metrics.horizontalAdvance(right.first()) > addressRoom.width() * canvas.dotsPerMm;
    canvas.text(addressRoom.adjusted(0, 0, 0, twoLines ? 0 : -lineMm),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, right.first());
    for (int i = 1; i < right.size(); ++i)
        canvas.text(QRectF(area.left() + half, area.top() + (i + (twoLines ? 1 : 0)) * lineMm, half, lineMm),
                    Qt::AlignLeft | Qt::AlignVCenter, right.at(i));
}

double tablesHeight(const Land& land)
{
    const int parcels = land.Parcels() ? land.Parcels()->Count() : 0;
    const int buildings = land.Buildings() ? land.Buildings()->Count() : 0;
    return tableHeight(std::max(parcels, buildings));
}

void paintTables(PlanCanvas& canvas, const QRectF& area, const Land& land)
{
    const double gap = 6;
    const double width = (area.width() - gap) / 2;
    Table parcels;
    parcels.title = QStringLiteral("A. Date referitoare la teren");
    parcels.widths = {0.14, 0.22, 0.24, 0.40};
    parcels.header = QStringList{QStringLiteral("Nr. parcelă"), QStringLiteral("Categoria de folosință"),
                                 QStringLiteral("Suprafața (mp)"), QStringLiteral("Mențiuni")};
    if (land.Parcels()) {
        for (const ParcelPtr& parcel : *land.Parcels())
            parcels.rows.push_back(
                {QString::number(parcel->No()), parcel->LandUse(), parcel->MeasuredArea(), parcel->Comments()});
    }
    parcels.total = QStringList{QStringLiteral("Total"), QString(), totalArea(land.Parcels().get()), QString()};
    paintTable(canvas, QRectF(area.left(), area.top(), width, area.height()), parcels);

    Table buildings;
    buildings.title = QStringLiteral("B. Date referitoare la construcții");
    buildings.widths = {0.14, 0.36, 0.24, 0.26};
    buildings.header = QStringList{QStringLiteral("Cod constr."), QStringLiteral("Destinația"),
                                   QStringLiteral("Suprafața construită la sol (mp)"), QStringLiteral("Mențiuni")};
    if (land.Buildings()) {
        for (const BuildPtr& build : *land.Buildings()) {
            QString destination = build->BuildDestination();
            if (!build->Description().trimmed().isEmpty())
                destination += QStringLiteral(" - ") + build->Description().trimmed();
            buildings.rows.push_back({build->No(), destination, build->MeasuredArea(), build->Comments()});
        }
    }
    buildings.total = QStringList{QStringLiteral("Total"), QString(), totalArea(land.Buildings().get()), QString()};
    paintTable(canvas, QRectF(area.left() + width + gap, area.top(), width, area.height()), buildings);
}

void paintAreas(PlanCanvas& canvas, const QRectF& area, const Land& land, const CoordinateInventory& inventory)
{
    canvas.painter.setFont(PlanCanvas::font(9, true));
    canvas.text(QRectF(area.left(), area.top(), area.width(), AreasMm / 2), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("Suprafata totala masurata: ") + measuredAreaText(land, inventory));
    canvas.text(QRectF(area.left(), area.top() + AreasMm / 2, area.width(), AreasMm / 2),
                Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("Suprafata din act: ") +
                    areaOrDash(land.Parcels() ? land.Parcels()->TotalLegalArea() : QString()));
}

void paintExecutant(PlanCanvas& canvas, const QRectF& area, const PlanOptions& options)
{
    const QRectF box(area.right() - 90, area.top(), 90, ExecutantMm);
    canvas.setPen(0.25);
    canvas.box(box);
    canvas.painter.setFont(PlanCanvas::font(8, true));
    canvas.text(QRectF(box.left() + 2, box.top() + 1, 50, 4.5), Qt::AlignLeft | Qt::AlignVCenter,
                QStringLiteral("Executant"));
    canvas.painter.setFont(PlanCanvas::font(8));
    const QStringList lines{options.surveyorName, QStringLiteral("Autorizație seria ") + options.surveyorLicense,
                            QStringLiteral("Data: ") + options.dateText};
    for (int i = 0; i < lines.size(); ++i)
        canvas.text(QRectF(box.left() + 2, box.top() + 5.5 + i * 4.5, 50, 4.5), Qt::AlignLeft | Qt::AlignVCenter,
                    lines.at(i));
    // Room for the signature and the stamp.
    canvas.setPen(0.15, Qt::black, Qt::DashLine);
    const QRectF stamp(box.left() + 54, box.top() + 2, 34, ExecutantMm - 4);
    canvas.box(stamp);
    canvas.painter.setFont(PlanCanvas::font(6));
    canvas.text(QRectF(stamp.left(), stamp.bottom() - 4, stamp.width(), 4), Qt::AlignCenter,
                QStringLiteral("Semnătura și ștampila"));
}

} // namespace PlanSheet
