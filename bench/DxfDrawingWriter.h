#pragma once

// Writes a realistic cadastral sector drawing of about a requested size: a grid of parcels
// (closed LWPOLYLINEs on PARCELE, a few with flag 129) with one or two buildings each (CLADIRI),
// parcel numbers (TEXT), fences (LINE), building hatches (HATCH), a road as an open polyline,
// a BLOCKS section with symbols, and INSERTs of them. The R12 flavour writes POLYLINE/VERTEX/
// SEQEND instead of LWPOLYLINE. Coordinates are Stereo 70 metres with three decimals.

#include <cstdio>
#include <random>
#include <string>

namespace DxfDrawingWriter {

struct Counts
{
    long long parcels = 0;
    long long buildings = 0;
    long long bytes = 0;
};

class Writer
{
public:
    Writer(std::FILE* file, bool r12) : m_file(file), m_r12(r12) {}

    void group(int code, const char* value) { m_bytes += std::fprintf(m_file, "%3d\r\n%s\r\n", code, value); }
    void group(int code, double value) { m_bytes += std::fprintf(m_file, "%3d\r\n%.3f\r\n", code, value); }
    void group(int code, long long value) { m_bytes += std::fprintf(m_file, "%3d\r\n%6lld\r\n", code, value); }
    void handle() { m_bytes += std::fprintf(m_file, "  5\r\n%llX\r\n", ++m_handle); }

    void polyline(const char* layer, const double* xy, int n, int flag)
    {
        if (m_r12) {
            group(0, "POLYLINE");
            handle();
            group(8, layer);
            group(66, 1LL);
            group(10, 0.0);
            group(20, 0.0);
            group(30, 0.0);
            group(70, static_cast<long long>(flag & 1));
            for (int i = 0; i < n; ++i) {
                group(0, "VERTEX");
                handle();
                group(8, layer);
                group(10, xy[2 * i]);
                group(20, xy[2 * i + 1]);
                group(30, 0.0);
            }
            group(0, "SEQEND");
            handle();
            group(8, layer);
            return;
        }
        group(0, "LWPOLYLINE");
        handle();
        group(330, "1F");
        group(100, "AcDbEntity");
        group(8, layer);
        group(100, "AcDbPolyline");
        group(90, static_cast<long long>(n));
        group(70, static_cast<long long>(flag));
        group(43, 0.0);
        for (int i = 0; i < n; ++i) {
            group(10, xy[2 * i]);
            group(20, xy[2 * i + 1]);
        }
    }
    void text(const char* layer, double x, double y, const char* value)
    {
        group(0, "TEXT");
        handle();
        if (!m_r12) {
            group(100, "AcDbEntity");
            group(100, "AcDbText");
        }
        group(8, layer);
        group(10, x);
        group(20, y);
        group(30, 0.0);
        group(40, 1.8);
        group(1, value);
    }
    void line(const char* layer, double x1, double y1, double x2, double y2)
    {
        group(0, "LINE");
        handle();
        group(8, layer);
        group(10, x1);
        group(20, y1);
        group(30, 0.0);
        group(11, x2);
        group(21, y2);
        group(31, 0.0);
    }
    void hatch(const char* layer, const double* xy, int n)
    {
        if (m_r12)
            return;
        group(0, "HATCH");
        handle();
        group(100, "AcDbEntity");
        group(8, layer);
        group(100, "AcDbHatch");
        group(10, 0.0);
        group(20, 0.0);
        group(30, 0.0);
        group(2, "ANSI31");
        group(70, 0LL);
        group(71, 0LL);
        group(91, 1LL);
        group(92, 2LL);
        group(72, 0LL);
        group(73, 1LL);
        group(93, static_cast<long long>(n));
        for (int i = 0; i < n; ++i) {
            group(10, xy[2 * i]);
            group(20, xy[2 * i + 1]);
        }
        group(97, 0LL);
        group(75, 0LL);
        group(76, 1LL);
        group(52, 0.0);
        group(41, 1.0);
        group(77, 0LL);
        group(78, 1LL);
        group(53, 45.0);
        group(43, 0.0);
        group(44, 0.0);
        group(45, -0.0883883476);
        group(46, 0.0883883476);
        group(79, 0LL);
        group(98, 0LL);
    }
    void insert(const char* block, double x, double y)
    {
        group(0, "INSERT");
        handle();
        group(8, "SIMBOLURI");
        group(2, block);
        group(10, x);
        group(20, y);
        group(30, 0.0);
    }
    long long bytes() const { return m_bytes; }

private:
    std::FILE* m_file;
    bool m_r12;
    long long m_handle = 0x30;
    long long m_bytes = 0;
};

// Writes the drawing; stops adding parcels once about targetBytes have been written.
inline Counts write(std::FILE* file, long long targetBytes, bool r12, unsigned seed = 7)
{
    Writer w(file, r12);
    Counts counts;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> jitter(-1.5, 1.5);
    w.group(0, "SECTION");
    w.group(2, "HEADER");
    w.group(9, "$ACADVER");
    w.group(1, r12 ? "AC1009" : "AC1015");
    w.group(9, "$INSUNITS");
    w.group(70, 6LL);
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "TABLES");
    w.group(0, "TABLE");
    w.group(2, "LAYER");
    for (const char* layer : {"PARCELE", "CLADIRI", "NR_CAD", "GARDURI", "HASURI", "DRUMURI", "SIMBOLURI"}) {
        w.group(0, "LAYER");
        w.group(2, layer);
        w.group(70, 0LL);
        w.group(62, 7LL);
        w.group(6, "CONTINUOUS");
    }
    w.group(0, "ENDTAB");
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "BLOCKS");
    for (const char* block : {"BORNA", "STALP", "FANTANA"}) {
        w.group(0, "BLOCK");
        w.group(8, "0");
        w.group(2, block);
        w.group(70, 0LL);
        w.group(10, 0.0);
        w.group(20, 0.0);
        w.group(30, 0.0);
        const double symbol[] = {-0.5, -0.5, 0.5, -0.5, 0.5, 0.5, -0.5, 0.5};
        w.polyline("0", symbol, 4, 1);
        w.line("0", -0.5, 0, 0.5, 0);
        w.group(0, "ENDBLK");
        w.group(8, "0");
    }
    w.group(0, "ENDSEC");
    w.group(0, "SECTION");
    w.group(2, "ENTITIES");

    const double x0 = 580000.0, y0 = 320000.0, cell = 40.0;
    const int columns = 400;
    char label[32];
    const long long reserve = 64;
    for (long long i = 0; w.bytes() + reserve < targetBytes; ++i) {
        const double cx = x0 + double(i % columns) * cell;
        const double cy = y0 + double(i / columns) * cell;
        // A parcel of 5 to 7 corners, slightly irregular.
        const int corners = 5 + int(i % 3);
        double parcel[14];
        const double base[14] = {0, 0, cell, 0, cell, cell * 0.5, cell, cell, 0, cell, 0, cell * 0.6, 0, cell * 0.3};
        for (int c = 0; c < corners; ++c) {
            parcel[2 * c] = cx + base[2 * c] + jitter(random);
            parcel[2 * c + 1] = cy + base[2 * c + 1] + jitter(random);
        }
        w.polyline("PARCELE", parcel, corners, i % 17 == 0 ? 129 : 1);
        ++counts.parcels;
        std::snprintf(label, sizeof label, "%lld", 100000 + i);
        w.text("NR_CAD", cx + cell / 2, cy + cell / 2, label);
        for (int b = 0; b < 1 + int(i % 2); ++b) {
            const double bx = cx + 5 + b * 16, by = cy + 8;
            const double house[] = {bx, by, bx + 11.25, by, bx + 11.25, by + 9.5, bx + 4.0, by + 9.5, bx, by + 9.5};
            w.polyline("CLADIRI", house, i % 5 == 0 ? 5 : 4, 1);
            w.hatch("HASURI", house, 4);
            ++counts.buildings;
        }
        w.line("GARDURI", parcel[0], parcel[1], parcel[2], parcel[3]);
        w.line("GARDURI", parcel[2], parcel[3], parcel[4], parcel[5]);
        if (i % 50 == 0) {
            const double road[] = {cx, cy - 2, cx + cell * 3, cy - 2, cx + cell * 6, cy - 3};
            w.polyline("DRUMURI", road, 3, 0);
            w.insert("BORNA", cx, cy);
        }
    }
    w.group(0, "ENDSEC");
    w.group(0, "EOF");
    counts.bytes = w.bytes();
    return counts;
}

} // namespace DxfDrawingWriter
