#pragma once

#include "model/Land.h"

#include <QString>
#include <vector>

// The coordinate inventory of a document: for the land contour and each building contour, in
// the order the document holds them, every point with its coordinates and the side to the next
// point (the last point's side closes back to the first), and the contour's area and perimeter.
// Lengths in metres, areas in square metres, all unrounded (rounding belongs to the output).
struct InventoryPoint
{
    QString no;
    double x = 0; // Est
    double y = 0; // Nord
    double side = 0;
};

struct InventoryContour
{
    QString name;
    std::vector<InventoryPoint> points;
    double area = 0;
    double perimeter = 0;
};

class CoordinateInventory
{
public:
    // The land's contour first, then each building's in list order; contours without points
    // are left out.
    static CoordinateInventory fromLand(const Land& land);
    static CoordinateInventory fromPolygons(const Polygons& polygons);

    const std::vector<InventoryContour>& contours() const { return m_contours; }
    bool isEmpty() const { return m_contours.empty(); }
    int pointCount() const;

    // CSV with "." decimals: the header "Contur,Nr,X,Y,D" and one row per point (X, Y with 3
    // decimals, D with 2), a blank line, then "Contur,S,P" and one row per contour (2 decimals).
    // Fields holding a comma, a quote or a line break are quoted.
    QString toCsv() const;
    // The same text in UTF-8, as files and the command line take it.
    QByteArray csvBytes() const;

    // The same numbers as the plan and the CSV print them: "." and a fixed count of decimals,
    // never "-0.000".
    static QString coordinateText(double value) { return fixedText(value, 3); }
    static QString lengthText(double value) { return fixedText(value, 2); }
    // A value rounded to 0..6 decimals. Qt's own formatting takes a slow exact path for many
    // coordinates, which made a long inventory several times slower per point than a short one.
    static QString fixedText(double value, int decimals);

private:
    static InventoryContour measure(const Polygon& polygon);
    std::vector<InventoryContour> m_contours;
};
