#pragma once

#include "scrivel/ScrivelError.h"
#include "scrivel/ScrivelExport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QIODevice;

// Composes a Rich Text Format document in memory and writes it in SaveAndClose.
//
// Call order: Fonts/Colors (indexes for DefineTextData), PaperFormat, then the body in reading
// order (AddText, AddEmptyLines, DefineTable/AddTableCell/EndTable, AddShapeRectangle,
// AddShapePicture), then SaveAndClose. Nothing touches the disk before SaveAndClose.
//
// Numbers: lengths in millimetres become twips as floor(mm * 56.7), picture lengths in points
// become floor(pt * 20); where an edge is a sum (left + size) the sum is converted. Parameters
// that the document keeps as 16-bit integers (font and colour indexes, text size, colour
// values, cell spacing) are rounded half to even first, so 1.9 mm of spacing is 2 mm.
// Counts (body lines, fonts, colours) stop at 32767.
//
// Failures: an operation that fails returns false (0 or an empty text where it returns a
// value) and lastError() tells why; lines added before the failing step stay. Every call
// resets lastError() first.
class SCRIVEL_EXPORT RTFDoc
{
public:
    RTFDoc();
    ~RTFDoc();
    RTFDoc(const RTFDoc&) = default;
    RTFDoc& operator=(const RTFDoc&) = default;

    // Paper and margins in millimetres. Landscape exchanges the paper width and height words
    // and adds \landscape.
    bool PaperFormat(double pageh, double pagew, double margin_left, double margin_right, double margin_top,
                     double margin_bottom, bool landscape);

    // A formatted run for AddText or AddTableCell; the document is not changed. textstr is
    // plain text: \ { } are escaped, line breaks become \line and tabs \tab. textfont and
    // colors_id are the indexes from Fonts and Colors; alignament 0 centre, 1 left, 2 right,
    // 3 justified; textsize in points (at most 16383). Empty text on failure.
    QString DefineTextData(const QString& textstr, double textfont, double colors_id, double alignament,
                           double textsize, bool t_bold, bool t_italic, bool t_underline);

    // nr_lines empty paragraphs.
    bool AddEmptyLines(double nr_lines);
    // One body line "{text \par}" (new_line) or "{text}". textdata is RTF, usually a run.
    bool AddText(const QString& textdata, bool new_line);

    // Starts a table of nr_rows x nr_columns, replacing any previous one. left_margin and
    // sp_between_cells in millimetres; align_table 0 centre, 1 left, 2 right; the first
    // nr_rows_hdr rows repeat on every page.
    bool DefineTable(double nr_rows, double nr_columns, double left_margin, double sp_between_cells, double align_table,
                     double nr_rows_hdr);
    // Cell (row_id, column_id), both 1-based. cellx is the cell's right edge in millimetres from
    // the row's left edge; cell_align_vert 0 centre, 1 top, 2 bottom. With cell_exist false the
    // cell is left out of its row (merged or missing cells). Error 9 outside the table.
    bool AddTableCell(double row_id, double column_id, const QString& textdata, double cellx, double cell_align_vert,
                      bool cell_border_all, bool cell_exist);
    // Appends the table to the body, row by row; entries never filled become empty lines.
    bool EndTable();

    // 1-based index of the colour, added when new; 0 on failure.
    int Colors(double colorRed, double colorGreen, double colorBlue);
    // 1-based index of the font name (case-sensitive), added when new; 0 on failure (a
    // font_name that is not text).
    int Fonts(const QVariant& font_name);

    // A rectangle. Lengths in millimetres; x_aligned 0 page, 1 margin, 2 column; y_aligned 0
    // page, 1 margin, 2 paragraph; wrap_type, wrap_side and z_order are RTF shape values.
    bool AddShapeRectangle(double position_left, double position_top, double x_aligned, double y_aligned, double sizex,
                           double sizey, double wrap_type, double wrap_side, double z_order);
    // The same; with filled false the rectangle is only its outline ("fFilled" 0), so that a
    // picture under it stays visible in readers that draw the rectangle in front.
    bool AddShapeRectangle(double position_left, double position_top, double x_aligned, double y_aligned, double sizex,
                           double sizey, double wrap_type, double wrap_side, double z_order, bool filled);
    // A picture, the same placement as the rectangle but with lengths in points. Picture_Data
    // holds an image file; it is embedded as JPEG, so other formats that Qt can read (the BMP
    // of ImageFile::SavePictureToArray) are converted, and unreadable bytes are embedded as
    // given. m_Height and m_Width are accepted for callers' sake and not used.
    bool AddShapePicture(double position_left, double position_top, double x_aligned, double y_aligned, double sizex,
                         double sizey, double wrap_type, double wrap_side, double z_order,
                         const QByteArray& Picture_Data, double m_Height, double m_Width);

    // Writes the document to Filename through a temporary file renamed at the end, so a failed
    // write leaves an existing file whole (error 75). The document stays as it is.
    bool SaveAndClose(const QString& Filename);
    // The same bytes written to an open device.
    bool SaveAndClose(QIODevice* device);

    // The bytes SaveAndClose writes.
    QByteArray toRtf() const;
    // Body lines as stored (8-bit, without the CR LF that saving adds), 1-based.
    int lineCount() const { return static_cast<int>(m_body.size()); }
    QByteArray line(int index) const;
    int fontCount() const { return m_fonts.size(); }
    int colorCount() const { return m_colors.size(); }

    const ScrivelError& lastError() const { return m_lastError; }

private:
    bool fail(int number, const QString& description);
    bool appendLine(const QByteArray& line);
    bool appendText(const QString& text);

    QByteArray m_pageFormat;
    QStringList m_fonts;
    QStringList m_colors;
    std::vector<QByteArray> m_body;
    // Staging of the table being built: rows x (2 * columns + 2) entries, row-major.
    std::vector<QByteArray> m_grid;
    int m_gridRows = 0;
    int m_gridColumns = 0;
    ScrivelError m_lastError;
};
