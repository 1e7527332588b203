#pragma once

#include "plan/PlanCanvas.h"

#include <QList>
#include <QRawFont>

// Many single-line texts in one font, drawn with the painter's pen as one glyph run each time
// the batch is flushed. On a PDF page the run is one text object instead of one per text (each
// repeating the colour, font and matrix), and the glyphs sit on whole device dots (1/1200 in on
// the plan), which the PDF writes as short integers. A long inventory or a dense drawing thus
// has far fewer bytes to compress, and no text goes through the paragraph layout.
// Positions are millimetres, as on the canvas.
class TextBatch
{
public:
    TextBatch(PlanCanvas& canvas, const QFont& font);
    ~TextBatch() { flush(); }
    TextBatch(const TextBatch&) = delete;
    TextBatch& operator=(const TextBatch&) = delete;

    // One line of text vertically centred in the row [top, top + height], starting at x
    // (Qt::AlignLeft), ending there (Qt::AlignRight) or centred on it (Qt::AlignHCenter). A text
    // with a character the font lacks is drawn at once with QPainter::drawText, whose font
    // fallback finds it.
    void add(double xMm, double topMm, double heightMm, Qt::Alignment alignment, const QString& text);
    // Draws what was added with the painter's current pen.
    void flush();

private:
    PlanCanvas& m_canvas;
    QFont m_font;
    QRawFont m_raw;
    double m_baselineOffset; // from the row's middle to the baseline, device pixels
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
};
