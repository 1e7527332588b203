#include "dxf/DxfMapView.h"

#include "dxf/DxfPolylines.h"

#include <algorithm>
#include <limits>

DxfMapView::Transform DxfMapView::fitAll(const DxfPolylines& polylines, double W, double H)
{
    Transform t;
    t.W = W;
    t.H = H;
    double minX = std::numeric_limits<double>::max(), maxX = -minX, minY = minX, maxY = -minX;
    bool any = false;
    for (int p = 1; p <= polylines.count(); ++p) {
        double x0, x1, y0, y1;
        if (!polylines.extent(p, &x0, &x1, &y0, &y1))
            continue;
        minX = std::min(minX, x0);
        maxX = std::max(maxX, x1);
        minY = std::min(minY, y0);
        maxY = std::max(maxY, y1);
        any = true;
    }
    if (!any)
        return t;
    const double dx = maxX - minX;
    const double dy = maxY - minY;
    if (dx > 0 && dy > 0)
        t.k = std::min(W / dx, H / dy);
    else if (dx > 0)
        t.k = W / dx;
    else if (dy > 0)
        t.k = H / dy;
    t.minX = minX;
    t.minY = minY;
    t.offX = (W - dx * t.k) / 2;
    t.offY = (H - dy * t.k) / 2;
    return t;
}

void DxfMapView::setAreaSize(double W, double H)
{
    m_W = W > 0 ? W : 1.0;
    m_H = H > 0 ? H : 1.0;
    resetView();
}

void DxfMapView::resetView()
{
    m_view = View{0.0, 0.0, m_W, m_H};
}

void DxfMapView::centerExtent(double minX, double maxX, double minY, double maxY, const Transform& t)
{
    const double w = m_view.width;
    const double h = m_view.height;
    m_view.left = (minX - t.minX) * t.k + t.offX - (w - (maxX - minX) * t.k) / 2;
    m_view.top = t.H - (maxY - t.minY) * t.k - t.offY - (h - (maxY - minY) * t.k) / 2;
}

void DxfMapView::centerOn(const DxfPolylines& polylines, int position, const Transform& t)
{
    double x0, x1, y0, y1;
    if (position < 1 || position > polylines.count() || !polylines.extent(position, &x0, &x1, &y0, &y1))
        return;
    centerExtent(x0, x1, y0, y1, t);
}

void DxfMapView::zoomTo(const DxfPolylines& polylines, int position, const Transform& t)
{
    double x0, x1, y0, y1;
    if (position < 1 || position > polylines.count() || !polylines.extent(position, &x0, &x1, &y0, &y1))
        return;
    const double bw = (x1 - x0) * t.k;
    const double bh = (y1 - y0) * t.k;
    const double w = m_view.width;
    const double h = m_view.height;
    double r = 0;
    if (bw > 0 && bh > 0) {
        const double rX = w / bw;
        const double rY = h / bh;
        r = rY > rX ? rX : rY;
    } else if (bw > 0) {
        r = w / bw;
    } else if (bh > 0) {
        r = h / bh;
    }
    // A view finer than the Zoom In limit would be refused by the next Zoom In anyway.
    if (r > 0 && h / r / 2 > MinHalfHeight) {
        m_view.width = w / r;
        m_view.height = h / r;
    }
    centerExtent(x0, x1, y0, y1, t);
}

bool DxfMapView::undoOppositeZoom(bool in)
{
    // Any other change of the view (pan, centre, reset) leaves the remembered steps behind.
    if (!m_zoomSteps.empty() && !(m_zoomSteps.back().after == m_view))
        m_zoomSteps.clear();
    if (m_zoomSteps.empty() || m_zoomSteps.back().in == in)
        return false;
    m_view = m_zoomSteps.back().before;
    m_zoomSteps.pop_back();
    return true;
}

void DxfMapView::rememberZoom(bool in, const View& before)
{
    m_zoomSteps.push_back({in, before, m_view});
}

bool DxfMapView::zoomIn()
{
    if (!(m_view.height / 2 > MinHalfHeight))
        return false;
    if (undoOppositeZoom(true))
        return true;
    const View before = m_view;
    m_view.left += before.width / 4;
    m_view.top += before.height / 4;
    m_view.width = before.width / 2;
    m_view.height = before.height / 2;
    rememberZoom(true, before);
    return true;
}

bool DxfMapView::zoomOut()
{
    if (m_view.width * 2 > m_W * MaxZoomOut || m_view.height * 2 > m_H * MaxZoomOut)
        return false;
    if (undoOppositeZoom(false))
        return true;
    const View before = m_view;
    m_view.left -= before.width / 2;
    m_view.top -= before.height / 2;
    m_view.width = before.width * 2;
    m_view.height = before.height * 2;
    rememberZoom(false, before);
    return true;
}

void DxfMapView::panBy(double dx, double dy)
{
    m_view.left += dx;
    m_view.top += dy;
}

QPointF DxfMapView::areaToPixel(QPointF area, QSizeF pixels) const
{
    return {(area.x() - m_view.left) * pixels.width() / m_view.width,
            (area.y() - m_view.top) * pixels.height() / m_view.height};
}

QPointF DxfMapView::pixelToArea(QPointF pixel, QSizeF pixels) const
{
    return {m_view.left + pixel.x() * m_view.width / pixels.width(),
            m_view.top + pixel.y() * m_view.height / pixels.height()};
}
