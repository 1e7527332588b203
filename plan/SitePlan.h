#pragma once

#include "base/Error.h"
#include "model/Document.h"
#include "plan/CoordinateInventory.h"
#include "plan/PlanOptions.h"

#include <QPageLayout>
#include <QRectF>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

// The site-and-boundary plan of one document: title, header, the contours drawn at a true
// standard scale with grid, north arrow and scale, the parcel and building tables, the areas,
// the executant block and the coordinate inventory (on the first page when it fits, otherwise
// on the pages after it). Lengths on the page are millimetres from its top-left corner.
//
// Usage: prepare() once, then paint() on any paged device laid out as pageLayout(), or
// writePdf().
class SitePlan
{
public:
    SitePlan(const Document& document, PlanOptions options);

    // Chooses the orientation and the scale. Fails (error 5, a Romanian message) for a scale
    // that is not standard or that does not fit the paper; the message names the largest scale
    // that fits. A document without a land contour is no failure: its plan has no drawing.
    bool prepare(Error* error);

    bool hasDrawing() const { return m_hasDrawing; }
    // The scale's denominator (0 without a drawing).
    int scale() const { return m_scale; }
    QPageLayout pageLayout() const;
    int pageCount() const;
    const CoordinateInventory& inventory() const { return m_inventory; }
    // The drawing frame on the first page and the world rectangle (metres, Y up) it shows.
    QRectF frameRect() const { return m_frame; }
    QRectF worldRect() const { return m_world; }

    // Paints every page; `device` gets newPage() between them.
    void paint(QPainter& painter, QPagedPaintDevice& device) const;
    // The plan as PDF into `device`, or into fileName through a temporary file renamed at the
    // end (a failure leaves an older file whole). False with the failure in *error.
    bool writePdf(QIODevice* device, Error* error) const;
    bool writePdf(const QString& fileName, Error* error) const;

    // Room around the drawing inside the frame, for the labels and the north arrow.
    static constexpr double DrawingMarginMm = 12.0;

private:
    struct PageGeometry
    {
        QSizeF page;
        QRectF content;
        QRectF frame;
    };
    static PageGeometry geometryFor(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation);
    QSizeF drawingRoom(const PageGeometry& geometry) const;
    bool chooseScale(Error* error);
    void layOut();
    double bottomOfTables() const;
    void paintFirstPage(class PlanCanvas& canvas) const;

    const Document& m_document;
    PlanOptions m_options;
    CoordinateInventory m_inventory;
    Polygons m_polygons;
    bool m_hasDrawing = false;
    QRectF m_extent; // the contours' bounding box, metres
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    int m_scale = 0;
    PageGeometry m_geometry;
    QRectF m_frame;
    QRectF m_world;
    // Inventory lines on the first page (0 when it goes to the next pages) and per later page.
    bool m_inventoryOnFirstPage = true;
    int m_linesPerLaterPage = 1;
    int m_laterPages = 0;
};
