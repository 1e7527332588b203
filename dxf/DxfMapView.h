#pragma once

#include <QPointF>
#include <QRectF>
#include <vector>

class DxfPolylines;

// The preview's maths, free of any widget. Area units are 1/1440 inch; W and H are the area's
// size in them. One fitted transform maps drawing coordinates to area units (north up); each
// area has its own view window (left, top, width, height), whose content fills the area.
class DxfMapView
{
public:
    struct Transform
    {
        double k = 1.0; // area units per drawing unit
        double minX = 0.0;
        double minY = 0.0;
        double offX = 0.0;
        double offY = 0.0;
        double W = 1.0;
        double H = 1.0;

        QPointF toArea(double x, double y) const { return {(x - minX) * k + offX, H - (y - minY) * k - offY}; }
    };
    // View values are doubles: single floats shift an off-grid view by whole hundredths of a
    // unit on a zoom and back.
    struct View
    {
        double left = 0;
        double top = 0;
        double width = 1;
        double height = 1;
        bool operator==(const View& o) const
        {
            return left == o.left && top == o.top && width == o.width && height == o.height;
        }
    };

    // Zoom Out stops at this many times the full view: a view larger than that shows the
    // drawing as a dot and single floats start to lose the pointer's position.
    static constexpr double MaxZoomOut = 1024.0;
    // Zoom In stops when half the view height is no more than this.
    static constexpr double MinHalfHeight = 0.005;

    // FitAll: the transform that fits every polyline into a W x H area, centred in the
    // direction it does not fill. A drawing with no width or no height is fitted by its other
    // direction; a single point (or nothing) lies in the middle at scale 1.
    static Transform fitAll(const DxfPolylines& polylines, double W, double H);

    explicit DxfMapView(double W = 1.0, double H = 1.0) { setAreaSize(W, H); }
    void setAreaSize(double W, double H);
    double areaWidth() const { return m_W; }
    double areaHeight() const { return m_H; }
    const View& view() const { return m_view; }
    void setView(const View& view) { m_view = view; }

    // ResetView: the full view (0, 0, W, H).
    void resetView();
    // CenterOnPolyline: same zoom, the polyline's extent in the view's centre.
    void centerOn(const DxfPolylines& polylines, int position, const Transform& t);
    // ZoomToPolyline: the polyline's extent fills the view in its limiting direction. An extent
    // without width or height is fitted by its other direction; a point is only centred.
    void zoomTo(const DxfPolylines& polylines, int position, const Transform& t);
    // Halve / double the view about its centre; false (view unchanged) at the limits. A zoom
    // right after zooms the other way returns to the view they started from, bit for bit.
    bool zoomIn();
    bool zoomOut();
    // Moves the view by (dx, dy) area units.
    void panBy(double dx, double dy);

    // Area units <-> pixels of a widget of the given size showing this view.
    QPointF areaToPixel(QPointF area, QSizeF pixels) const;
    QPointF pixelToArea(QPointF pixel, QSizeF pixels) const;

private:
    void centerExtent(double minX, double maxX, double minY, double maxY, const Transform& t);
    // Zooming about the centre rounds left and top: the opposite zoom undoes a remembered step
    // instead of rounding again.
    struct ZoomStep
    {
        bool in = false;
        View before;
        View after;
    };
    bool undoOppositeZoom(bool in);
    void rememberZoom(bool in, const View& before);

    double m_W = 1.0;
    double m_H = 1.0;
    View m_view;
    std::vector<ZoomStep> m_zoomSteps; // consecutive zooms one way, the last on top
};
