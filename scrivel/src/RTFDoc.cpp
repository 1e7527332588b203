#include "scrivel/RTFDoc.h"

#include "RtfText.h"

#include <QBuffer>
#include <QFileInfo>
#include <QIODevice>
#include <QImage>
#include <QTemporaryFile>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>

namespace {

// In a folder the user may not write, no temporary file can be made beside the target; a
// sheet the user may write is then rewritten in place rather than not at all.
bool rewriteInPlace(const QString& fileName, const QByteArray& bytes)
{
    const QFileInfo target(fileName);
    if (!target.isFile() || !target.isWritable())
        return false;
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

constexpr int maxCount = 32767;
constexpr double twipsPerMillimetre = 56.7;
constexpr double twipsPerPoint = 20.0;
const QString overflowText = QStringLiteral("Overflow");
const QString subscriptText = QStringLiteral("Subscript out of range");
const QString invalidText = QStringLiteral("Invalid procedure call or argument");
const QString typeMismatchText = QStringLiteral("Type mismatch");
const QString fileAccessText = QStringLiteral("Path/File access error");

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

// The anchor and placement words shared by the rectangle and the picture. Lengths are already
// in the shape's unit; factor turns them into twips.
struct ShapeWords
{
    QByteArray line1;
    QByteArray line3;
    qint32 left = 0, top = 0, width = 0, height = 0;
};

bool shapeWords(double left, double top, double xAligned, double yAligned, double sizex, double sizey, double wrapType,
                double wrapSide, double zOrder, double factor, ShapeWords* words)
{
    qint32 right = 0, bottom = 0, wrapTypeValue = 0, wrapSideValue = 0, z = 0;
    // The right and bottom edges convert the sums, so that rounding the parts cannot move them.
    if (!RtfText::scaledFloor(left, factor, &words->left) || !RtfText::scaledFloor(top, factor, &words->top) ||
        !RtfText::scaledFloor(sizex, factor, &words->width) || !RtfText::scaledFloor(sizey, factor, &words->height) ||
        !RtfText::scaledFloor(left + sizex, factor, &right) || !RtfText::scaledFloor(top + sizey, factor, &bottom) ||
        !RtfText::scaledFloor(wrapType, 1.0, &wrapTypeValue) || !RtfText::scaledFloor(wrapSide, 1.0, &wrapSideValue) ||
        !RtfText::scaledFloor(zOrder, 1.0, &z))
        return false;

    QByteArray& line1 = words->line1;
    line1 = "{\\shp{\\*\\shpinst\\shpleft" + number(words->left) + "\\shptop" + number(words->top) + "\\shpright" +
            number(right) + "\\shpbottom" + number(bottom) + "\\shpfhdr0";
    // An anchor value outside the list gets no words; line 3 still opens its two groups so that
    // the closing braces stay balanced.
    words->line3 = "{\\shprslt{\\*\\do";
    if (xAligned == 0) {
        line1 += "\\shpbxpage\\shpbxignore";
        words->line3 += "\\dobxpage";
    } else if (xAligned == 1) {
        line1 += "\\shpbxmargin\\shpbxignore";
        words->line3 += "\\dobxmargin";
    } else if (xAligned == 2) {
        line1 += "\\shpbxcolumn\\shpbxignore";
        words->line3 += "\\dobxcolumn";
    }
    if (yAligned == 0) {
        line1 += "\\shpbypage\\shpbyignore";
        words->line3 += "\\dobypage";
    } else if (yAligned == 1) {
        line1 += "\\shpbymargin\\shpbyignore";
        words->line3 += "\\dobymargin";
    } else if (yAligned == 2) {
        line1 += "\\shpbypara\\shpbyignore";
        words->line3 += "\\dobypara";
    }
    line1 += "\\shpwr" + number(wrapTypeValue) + "\\shpwrk" + number(wrapSideValue) + "\\shpfblwtxt" + number(z) +
             "\\shpz" + number(z) + '\r';
    return true;
}

bool isJpeg(const QByteArray& data)
{
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xD8 && static_cast<unsigned char>(data[2]) == 0xFF;
}

// The picture as JPEG, since the shape declares \jpegblip; bytes Qt cannot read stay as given.
QByteArray asJpeg(const QByteArray& data)
{
    if (data.isEmpty() || isJpeg(data))
        return data;
    const QImage image = QImage::fromData(data);
    if (image.isNull())
        return data;
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    // Line drawings smear at the default quality.
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPG", 90))
        return data;
    return jpeg;
}

} // namespace

RTFDoc::RTFDoc() = default;
RTFDoc::~RTFDoc() = default;

bool RTFDoc::fail(int number, const QString& description)
{
    m_lastError = ScrivelError{number, description};
    return false;
}

bool RTFDoc::appendLine(const QByteArray& line)
{
    if (m_body.size() >= maxCount)
        return fail(6, overflowText);
    m_body.push_back(line);
    return true;
}

bool RTFDoc::appendText(const QString& text)
{
    return appendLine(RtfText::encode(text));
}

QByteArray RTFDoc::line(int index) const
{
    if (index < 1 || index > lineCount())
        return {};
    return m_body[static_cast<size_t>(index - 1)];
}

bool RTFDoc::PaperFormat(double pageh, double pagew, double margin_left, double margin_right, double margin_top,
                         double margin_bottom, bool landscape)
{
    m_lastError = {};
    qint32 h = 0, w = 0, l = 0, r = 0, t = 0, b = 0;
    if (!RtfText::scaledFloor(pageh, twipsPerMillimetre, &h) || !RtfText::scaledFloor(pagew, twipsPerMillimetre, &w) ||
        !RtfText::scaledFloor(margin_left, twipsPerMillimetre, &l) ||
        !RtfText::scaledFloor(margin_right, twipsPerMillimetre, &r) ||
        !RtfText::scaledFloor(margin_top, twipsPerMillimetre, &t) ||
        !RtfText::scaledFloor(margin_bottom, twipsPerMillimetre, &b))
        return fail(6, overflowText);
    if (landscape)
        std::swap(w, h);
    m_pageFormat = "\\paperw" + number(w) + "\\paperh" + number(h) + "\\margl" + number(l) + "\\margr" + number(r) +
                   "\\margt" + number(t) + "\\margb" + number(b) + (landscape ? "\\landscape\r" : "\r");
    return true;
}

QString RTFDoc::DefineTextData(const QString& textstr, double textfont, double colors_id, double alignament,
                               double textsize, bool t_bold, bool t_italic, bool t_underline)
{
    m_lastError = {};
    qint32 font = 0, color = 0, size = 0;
    if (!RtfText::toInteger16(textfont, &font) || !RtfText::toInteger16(colors_id, &color) ||
        !RtfText::toInteger16(textsize, &size) || size > 16383 || size < -16384) {
        fail(6, overflowText);
        return {};
    }
    QString run;
    if (alignament == 0)
        run = QStringLiteral("\\pard\\qc");
    else if (alignament == 1)
        run = QStringLiteral("\\pard\\ql");
    else if (alignament == 2)
        run = QStringLiteral("\\pard\\qr");
    else if (alignament == 3)
        run = QStringLiteral("\\pard\\qj");
    else
        run = QStringLiteral("\\pard");
    run += QStringLiteral("\\cf") + QString::number(color) + QStringLiteral("\\f") + QString::number(font) +
           QStringLiteral("\\fs") + QString::number(2 * size);
    run += t_bold ? QStringLiteral("\\b") : QStringLiteral("\\b0");
    run += t_underline ? QStringLiteral("\\ul") : QStringLiteral("\\ulnone");
    run += t_italic ? QStringLiteral("\\i") : QStringLiteral("\\i0");
    run += QLatin1Char(' ');
    run += RtfText::escapePlain(textstr);
    return run;
}

bool RTFDoc::AddEmptyLines(double nr_lines)
{
    m_lastError = {};
    if (std::isnan(nr_lines))
        return fail(6, overflowText);
    // Lines are added one by one up to the count limit; those added before an overflow stay.
    for (double i = 1; i <= nr_lines; ++i)
        if (!appendLine(QByteArrayLiteral("\\par\r")))
            return false;
    return true;
}

bool RTFDoc::AddText(const QString& textdata, bool new_line)
{
    m_lastError = {};
    return appendText(QLatin1Char('{') + textdata + (new_line ? QStringLiteral(" \\par}") : QStringLiteral("}")));
}

bool RTFDoc::DefineTable(double nr_rows, double nr_columns, double left_margin, double sp_between_cells,
                         double align_table, double nr_rows_hdr)
{
    m_lastError = {};
    qint32 rows = 0, columns = 0, spacing = 0, gaph = 0, left = 0;
    if (!RtfText::toInteger16(nr_rows, &rows) || !RtfText::toInteger16(nr_columns, &columns))
        return fail(6, overflowText);
    if (rows < 0 || columns < 0)
        return fail(9, subscriptText);
    // The body holds at most 32767 lines, so a larger grid could never be appended.
    if (qint64(rows) * (2 * qint64(columns) + 2) > maxCount)
        return fail(6, overflowText);
    if (!RtfText::toInteger16(sp_between_cells, &spacing) ||
        !RtfText::scaledFloor(spacing, twipsPerMillimetre, &gaph) ||
        !RtfText::scaledFloor(left_margin, twipsPerMillimetre, &left))
        return fail(6, overflowText);

    QByteArray alignWord;
    if (align_table == 0)
        alignWord = "\\trqc";
    else if (align_table == 1)
        alignWord = "\\trql";
    else if (align_table == 2)
        alignWord = "\\trqr";
    const QByteArray rowWords = alignWord + "\\trgaph" + number(gaph) + "\\trleft" + number(left) + "\\trrh0";

    m_gridRows = rows;
    m_gridColumns = columns;
    const int width = 2 * columns + 2;
    m_grid.assign(static_cast<size_t>(rows * width), QByteArray());
    for (int r = 1; r <= rows; ++r) {
        QByteArray start = (r == 1 ? "{\\trowd " : "\\trowd ") + rowWords;
        if (r <= nr_rows_hdr)
            start += "\\trhdr";
        start += '\r';
        const size_t base = static_cast<size_t>((r - 1) * width);
        m_grid[base] = start;
        m_grid[base + static_cast<size_t>(width - 1)] =
            r == rows ? "\\pard \\intbl \\row }\r" : "\\pard \\intbl \\row\r";
    }
    return true;
}

bool RTFDoc::AddTableCell(double row_id, double column_id, const QString& textdata, double cellx,
                          double cell_align_vert, bool cell_border_all, bool cell_exist)
{
    m_lastError = {};
    qint32 row = 0, column = 0, right = 0;
    if (!RtfText::toInteger16(row_id, &row) || !RtfText::toInteger16(column_id, &column))
        return fail(6, overflowText);
    if (row < 1 || row > m_gridRows || column < 1 || column > m_gridColumns)
        return fail(9, subscriptText);
    if (!RtfText::scaledFloor(cellx, twipsPerMillimetre, &right))
        return fail(6, overflowText);

    QByteArray alignWord;
    if (cell_align_vert == 0)
        alignWord = "\\clvertalc";
    else if (cell_align_vert == 1)
        alignWord = "\\clvertalt";
    else if (cell_align_vert == 2)
        alignWord = "\\clvertalb";

    const int width = 2 * m_gridColumns + 2;
    const size_t base = static_cast<size_t>((row - 1) * width);
    QByteArray& definition = m_grid[base + static_cast<size_t>(column)];
    QByteArray& content = m_grid[base + static_cast<size_t>(m_gridColumns + column)];
    if (!cell_exist) {
        definition.clear();
        content.clear();
        return true;
    }
    // A single solid border of 0.75 pt: both Word and LibreOffice draw it, while LibreOffice
    // skips the thick-border word entirely and leaves the table without lines.
    if (cell_border_all)
        definition = "\\clbrdrt\\brdrs\\brdrw15 \\clbrdrl\\brdrs\\brdrw15 \\clbrdrb\\brdrs\\brdrw15 "
                     "\\clbrdrr\\brdrs\\brdrw15 " +
                     alignWord + " \\cellx" + number(right) + '\r';
    else
        definition = alignWord + "\\cellx" + number(right) + '\r';
    content = RtfText::encode(textdata) + " \\intbl \\cell\r";
    return true;
}

bool RTFDoc::EndTable()
{
    m_lastError = {};
    for (const QByteArray& entry : m_grid)
        if (!appendLine(entry))
            return false;
    return true;
}

int RTFDoc::Colors(double colorRed, double colorGreen, double colorBlue)
{
    m_lastError = {};
    qint32 red = 0, green = 0, blue = 0;
    if (!RtfText::toInteger16(colorRed, &red) || !RtfText::toInteger16(colorGreen, &green) ||
        !RtfText::toInteger16(colorBlue, &blue)) {
        fail(6, overflowText);
        return 0;
    }
    // Readers take a colour value modulo 256 or drop the entry, so anything else is refused.
    if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255) {
        fail(5, invalidText);
        return 0;
    }
    const QString key =
        QString::number(red) + QLatin1Char('_') + QString::number(green) + QLatin1Char('_') + QString::number(blue);
    const qsizetype found = m_colors.indexOf(key);
    if (found >= 0)
        return static_cast<int>(found + 1);
    if (m_colors.size() >= maxCount) {
        fail(6, overflowText);
        return 0;
    }
    m_colors.append(key);
    return static_cast<int>(m_colors.size());
}

int RTFDoc::Fonts(const QVariant& font_name)
{
    m_lastError = {};
    if (!font_name.isValid() || !font_name.canConvert<QString>()) {
        fail(13, typeMismatchText);
        return 0;
    }
    const QString name = font_name.toString();
    const qsizetype found = m_fonts.indexOf(name);
    if (found >= 0)
        return static_cast<int>(found + 1);
    if (m_fonts.size() >= maxCount) {
        fail(6, overflowText);
        return 0;
    }
    m_fonts.append(name);
    return static_cast<int>(m_fonts.size());
}

bool RTFDoc::AddShapeRectangle(double position_left, double position_top, double x_aligned, double y_aligned,
                               double sizex, double sizey, double wrap_type, double wrap_side, double z_order)
{
    return AddShapeRectangle(position_left, position_top, x_aligned, y_aligned, sizex, sizey, wrap_type, wrap_side,
                             z_order, true);
}

bool RTFDoc::AddShapeRectangle(double position_left, double position_top, double x_aligned, double y_aligned,
                               double sizex, double sizey, double wrap_type, double wrap_side, double z_order,
                               bool filled)
{
    m_lastError = {};
    ShapeWords words;
    if (!shapeWords(position_left, position_top, x_aligned, y_aligned, sizex, sizey, wrap_type, wrap_side, z_order,
                    twipsPerMillimetre, &words))
        return fail(6, overflowText);
    words.line3 += "\\dpx" + number(words.left) + "\\dpy" + number(words.top) + "\\dpxsize" + number(words.width) +
                   "\\dpysize" + number(words.height) + "}}}\r";
    const QByteArray properties =
        filled ? QByteArrayLiteral("{\\sp{\\sn shapeType}{\\sv 1}}}\r")
               : QByteArrayLiteral("{\\sp{\\sn shapeType}{\\sv 1}}{\\sp{\\sn fFilled}{\\sv 0}}}\r");
    return appendLine(words.line1) && appendLine(properties) && appendLine(words.line3);
}

bool RTFDoc::AddShapePicture(double position_left, double position_top, double x_aligned, double y_aligned,
                             double sizex, double sizey, double wrap_type, double wrap_side, double z_order,
                             const QByteArray& Picture_Data, double m_Height, double m_Width)
{
    Q_UNUSED(m_Height)
    Q_UNUSED(m_Width)
    m_lastError = {};
    ShapeWords words;
    if (!shapeWords(position_left, position_top, x_aligned, y_aligned, sizex, sizey, wrap_type, wrap_side, z_order,
                    twipsPerPoint, &words))
        return fail(6, overflowText);
    if (!appendLine(words.line1) || !appendLine(QByteArrayLiteral("{\\sp{\\sn shapeType}{\\sv 75}}\r")) ||
        !appendLine(QByteArrayLiteral(
            "{\\sp{\\sn fFlipH}{\\sv 0}}{\\sp{\\sn fFlipV}{\\sv 0}}{\\sp{\\sn fLockAspectRatio}{\\sv 0}}\r")) ||
        !appendLine(QByteArrayLiteral("{\\sp{\\sn pib}{\\sv{\\pict\\picscalex130\\picscaley158\\piccropl0"
                                      "\\piccropr0\\piccropt0\\piccropb0\\picw7488\\pich5609\\picwgoal4245"
                                      "\\pichgoal3180\\jpegblip\r")))
        return false;

    const QByteArray data = asJpeg(Picture_Data);
    constexpr qsizetype bytesPerLine = 64;
    qsizetype offset = 0;
    for (; data.size() - offset >= bytesPerLine; offset += bytesPerLine) {
        QByteArray hex;
        hex.reserve(2 * bytesPerLine);
        RtfText::appendHex(hex, data.constData() + offset, bytesPerLine);
        if (!appendLine(hex))
            return false;
    }
    QByteArray closing;
    RtfText::appendHex(closing, data.constData() + offset, data.size() - offset);
    closing += "}}}";
    return appendLine(closing) &&
           appendLine(QByteArrayLiteral(
               "{\\sp{\\sn pibFlags}{\\sv 2}}{\\sp{\\sn fRecolorFillAsPicture}{\\sv 0}}{\\sp{\\sn "
               "fUseShapeAnchor}{\\sv 0}}{\\sp{\\sn fLine}{\\sv 0}}{\\sp{\\sn posrelh}{\\sv 0}}{\\sp{\\sn "
               "posrelv}{\\sv 0}}{\\sp{\\sn fBehindDocument}{\\sv 0}}{\\sp{\\sn fLayoutInCell}{\\sv 1}}}}\r"));
}

QByteArray RTFDoc::toRtf() const
{
    QByteArray fontLine = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i)
        fontLine += "{\\f" + number(i + 1) + "\\froman\\fcharset238 " +
                    RtfText::encode(RtfText::escapePlain(m_fonts[i])) + ";}";
    fontLine += "}\r";
    QByteArray colorLine = "{\\colortbl ;";
    for (const QString& key : m_colors) {
        const QStringList parts = key.split(QLatin1Char('_'));
        colorLine += "\\red" + parts.value(0).toLatin1() + "\\green" + parts.value(1).toLatin1() + "\\blue" +
                     parts.value(2).toLatin1() + ';';
    }
    colorLine += "}\r";

    qsizetype size = fontLine.size() + colorLine.size() + m_pageFormat.size() + 4 * 2 + 1;
    for (const QByteArray& line : m_body)
        size += line.size() + 2;
    // One allocation and a plain copy per line: saving is dominated by this and the write.
    QByteArray out(size, Qt::Uninitialized);
    char* target = out.data();
    const auto write = [&target](const char* data, qsizetype length) {
        std::memcpy(target, data, static_cast<size_t>(length));
        target += length;
        *target++ = '\r';
        *target++ = '\n';
    };
    write(fontLine.constData(), fontLine.size());
    write(colorLine.constData(), colorLine.size());
    write(m_pageFormat.constData(), m_pageFormat.size());
    for (const QByteArray& line : m_body)
        write(line.constData(), line.size());
    write("}", 1);
    Q_ASSERT(target == out.constData() + out.size());
    return out;
}

bool RTFDoc::SaveAndClose(QIODevice* device)
{
    m_lastError = {};
    if (!device || !device->isWritable())
        return fail(75, fileAccessText);
    const QByteArray bytes = toRtf();
    if (device->write(bytes) != bytes.size())
        return fail(75, fileAccessText);
    return true;
}

bool RTFDoc::SaveAndClose(const QString& Filename)
{
    m_lastError = {};
    if (Filename.isEmpty())
        return fail(75, fileAccessText);
    // Written beside the target and swapped in at the end, so a failed write leaves an older
    // file of that name whole. Unlike QSaveFile this does not force the data to disk first:
    // for a sheet the user can export again, that sync costs many times the write itself.
    const QFileInfo target(Filename);
    // The swap below needs only the folder's permission; a file the user may not write is
    // refused here, as writing it in place would be.
    if (target.exists() && !target.isWritable())
        return fail(75, fileAccessText);
    QTemporaryFile temporary(target.absolutePath() + QLatin1Char('/') + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return rewriteInPlace(Filename, toRtf()) || fail(75, fileAccessText);
    if (!SaveAndClose(&temporary))
        return false;
    if (!temporary.flush())
        return fail(75, fileAccessText);
    const bool replacing = target.exists();
    temporary.setPermissions(replacing ? QFile::permissions(Filename)
                                       : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ReadOther);
    const QByteArray from = QFile::encodeName(temporary.fileName());
    const QByteArray to = QFile::encodeName(Filename);
    temporary.close();
#ifdef RENAME_EXCHANGE
    // Exchanging the two names is as atomic as a rename over the old file, and spares the
    // flush that ext4 starts when a rename replaces a file; the old contents then go with
    // the temporary name.
    if (replacing && !target.isSymLink() &&
        renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0)
        return true;
#endif
    if (std::rename(from.constData(), to.constData()) != 0)
        return fail(75, fileAccessText);
    temporary.setAutoRemove(false);
    return true;
}
