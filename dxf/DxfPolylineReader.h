#pragma once

#include "dxf/DxfPolylines.h"

#include <QString>
#include <functional>
#include <string_view>

class QIODevice;

// The outcome of one read of a drawing.
struct DxfReadResult
{
    enum Status
    {
        Published,    // the ENTITIES section ended: its polylines were appended
        NotPublished, // the file ended before that: nothing was appended
        Failed        // the file is damaged or not a text drawing: nothing was appended
    };
    Status status = NotPublished;
    // For Failed: a Romanian message for the user.
    QString message;
    // Polylines appended (0 unless Published).
    int polylines = 0;
};

// Reads the closed polylines of the ENTITIES section of a text DXF drawing (LWPOLYLINE, and
// POLYLINE with its VERTEX records) into a DxfPolylines store, streaming from a device.
// A flagged-closed polyline gets its first point appended again; an unflagged one is kept
// only when it has 3 points or more and ends where it starts. Coordinates read their leading
// number with "." as decimal point, whatever the locale ("12,5" reads 12).
class DxfPolylineReader
{
public:
    // Called once per kept polyline, right after it was stored.
    std::function<void()> onPolyline;

    DxfReadResult read(QIODevice& device, DxfPolylines& store);

    // The leading number of a group value: leading blanks skipped, optional sign, digits with
    // "." as the decimal point, optional exponent; 0 when there is none.
    static double leadingNumber(std::string_view text);
    // The layer name as the drawing holds it: \U+XXXX escapes decoded, the rest read as UTF-8
    // when it is valid UTF-8 and as Windows-1250 otherwise.
    static QString decodeText(std::string_view bytes);
};
