#pragma once

#include "model/DXFEntity.h"

#include <QStringList>
#include <cstdint>
#include <vector>

// The polylines of a drawing in a compact form: all vertices in three flat arrays and, per
// polyline, where its vertices start and its layer. A sector drawing holds ~100,000 polylines
// and a million vertices; one shared Point object per vertex would cost four times the memory,
// so the model objects are made only for the polylines that leave the wizard.
// Positions are 1-based as in the model's collections; vertex indices are 0-based.
class DxfPolylines
{
public:
    int count() const { return int(m_layer.size()); }
    bool isEmpty() const { return m_layer.empty(); }
    void clear();

    // Vertex index range [begin, end) of polyline `position`.
    std::uint32_t begin(int position) const { return m_start[std::size_t(position - 1)]; }
    std::uint32_t end(int position) const { return m_start[std::size_t(position)]; }
    int pointCount(int position) const { return int(end(position) - begin(position)); }
    double x(std::uint32_t vertex) const { return m_x[vertex]; }
    double y(std::uint32_t vertex) const { return m_y[vertex]; }
    // The point number the reader gave the vertex ("" for 0).
    std::int32_t number(std::uint32_t vertex) const { return m_no[vertex]; }

    const QString& layerName(int position) const { return m_layers[m_layer[std::size_t(position - 1)]]; }
    int layerIndex(int position) const { return m_layer[std::size_t(position - 1)]; }
    // Distinct layer names in order of first appearance among all polylines read.
    const QStringList& layers() const { return m_layers; }

    // Building: vertices are appended first, then closePolyline() makes them one polyline.
    void appendVertex(double x, double y, std::int32_t number)
    {
        m_x.push_back(x);
        m_y.push_back(y);
        m_no.push_back(number);
    }
    std::uint32_t vertexCount() const { return std::uint32_t(m_x.size()); }
    void closePolyline(int layerIndex)
    {
        m_layer.push_back(layerIndex);
        m_start.push_back(vertexCount());
    }
    // Drops vertices appended since the last closed polyline.
    void dropOpenVertices();
    // Forgets everything after the first `polylines` polylines.
    void truncate(int polylines);
    int addLayer(const QString& name);

    // Extent of one polyline; false for a polyline without points.
    bool extent(int position, double* minX, double* maxX, double* minY, double* maxY) const;

    // Cleaning, in place and in one pass: of each run of equal consecutive points only the last
    // stays, a last point equal to the first is dropped, polylines left with fewer than 3
    // points are dropped (the later ones move up), and the points are renumbered 1, 2, ...
    void clean();

    // The model object of one polyline: a new DXFEntity with its layer and a polygon whose
    // points carry the stored numbers. The polygon's name is left empty.
    DXFEntityPtr entity(int position) const;
    // Every polyline appended to a model collection, in order.
    void appendEntities(DXFEntities& target) const;

    std::size_t memoryBytes() const;

private:
    std::vector<double> m_x;
    std::vector<double> m_y;
    std::vector<std::int32_t> m_no;
    std::vector<std::uint32_t> m_start{0};
    std::vector<std::int32_t> m_layer;
    QStringList m_layers;
};

// Point number texts "1", "2", ... made once and shared (QString is implicitly shared), so
// building a million points allocates no number texts.
const QString& pointNumberText(std::int32_t number);
