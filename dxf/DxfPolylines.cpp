#include "dxf/DxfPolylines.h"

#include <algorithm>
#include <deque>

const QString& pointNumberText(std::int32_t number)
{
    static const QString empty;
    // A deque keeps references stable while it grows.
    static std::deque<QString> texts;
    if (number <= 0)
        return empty;
    while (texts.size() < std::size_t(number))
        texts.push_back(QString::number(texts.size() + 1));
    return texts[std::size_t(number - 1)];
}

void DxfPolylines::clear()
{
    m_x.clear();
    m_y.clear();
    m_no.clear();
    m_start.assign(1, 0);
    m_layer.clear();
    m_layers.clear();
}

void DxfPolylines::dropOpenVertices()
{
    const std::size_t keep = m_start.back();
    m_x.resize(keep);
    m_y.resize(keep);
    m_no.resize(keep);
}

void DxfPolylines::truncate(int polylines)
{
    if (polylines >= count())
        return;
    m_layer.resize(std::size_t(polylines));
    m_start.resize(std::size_t(polylines) + 1);
    dropOpenVertices();
}

int DxfPolylines::addLayer(const QString& name)
{
    m_layers.append(name);
    return int(m_layers.size()) - 1;
}

bool DxfPolylines::extent(int position, double* minX, double* maxX, double* minY, double* maxY) const
{
    const std::uint32_t first = begin(position);
    const std::uint32_t last = end(position);
    if (first == last)
        return false;
    double x0 = m_x[first], x1 = x0, y0 = m_y[first], y1 = y0;
    for (std::uint32_t v = first + 1; v < last; ++v) {
        x0 = std::min(x0, m_x[v]);
        x1 = std::max(x1, m_x[v]);
        y0 = std::min(y0, m_y[v]);
        y1 = std::max(y1, m_y[v]);
    }
    *minX = x0;
    *maxX = x1;
    *minY = y0;
    *maxY = y1;
    return true;
}

void DxfPolylines::clean()
{
    std::uint32_t write = 0;
    std::size_t kept = 0;
    const std::size_t polylines = m_layer.size();
    for (std::size_t p = 0; p < polylines; ++p) {
        const std::uint32_t first = m_start[p];
        const std::uint32_t last = m_start[p + 1];
        const std::uint32_t start = write;
        if (last > first) {
            // The first point is read again at the end, after writes may have covered it.
            const double x0 = m_x[first];
            const double y0 = m_y[first];
            for (std::uint32_t j = first; j + 1 < last; ++j) {
                if (m_x[j + 1] != m_x[j] || m_y[j + 1] != m_y[j]) {
                    m_x[write] = m_x[j];
                    m_y[write] = m_y[j];
                    ++write;
                }
            }
            const std::uint32_t n = last - 1;
            if (m_x[n] != x0 || m_y[n] != y0) {
                m_x[write] = m_x[n];
                m_y[write] = m_y[n];
                ++write;
            }
        }
        if (write - start > 2) {
            for (std::uint32_t v = start; v < write; ++v)
                m_no[v] = std::int32_t(v - start + 1);
            m_layer[kept] = m_layer[p];
            m_start[kept] = start;
            ++kept;
        } else {
            write = start;
        }
    }
    m_layer.resize(kept);
    m_start.resize(kept + 1);
    m_start[kept] = write;
    dropOpenVertices();
}

DXFEntityPtr DxfPolylines::entity(int position) const
{
    auto points = std::make_shared<Points>();
    const std::uint32_t first = begin(position);
    const std::uint32_t last = end(position);
    points->reserve(int(last - first));
    for (std::uint32_t v = first; v < last; ++v) {
        auto point = std::make_shared<Point>();
        point->setX(m_x[v]);
        point->setY(m_y[v]);
        point->setNo(pointNumberText(m_no[v]));
        points->Add(point);
    }
    auto polygon = std::make_shared<Polygon>();
    polygon->setPoints(points);
    auto entity = std::make_shared<DXFEntity>();
    entity->setLayerName(layerName(position));
    entity->setPolygon(polygon);
    return entity;
}

void DxfPolylines::appendEntities(DXFEntities& target) const
{
    target.reserve(target.Count() + count());
    for (int position = 1; position <= count(); ++position)
        target.Add(entity(position));
}

std::size_t DxfPolylines::memoryBytes() const
{
    return m_x.capacity() * sizeof(double) + m_y.capacity() * sizeof(double) + m_no.capacity() * sizeof(std::int32_t) +
           m_start.capacity() * sizeof(std::uint32_t) + m_layer.capacity() * sizeof(std::int32_t);
}
