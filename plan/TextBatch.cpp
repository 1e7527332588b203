#include "plan/TextBatch.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QVarLengthArray>
#include <cmath>

TextBatch::TextBatch(PlanCanvas& canvas, const QFont& font)
    : m_canvas(canvas), m_font(font, canvas.painter.device()), m_raw(QRawFont::fromFont(m_font))
{
    m_baselineOffset = (m_raw.ascent() - m_raw.descent()) / 2;
}

void TextBatch::add(double xMm, double topMm, double heightMm, Qt::Alignment alignment, const QString& text)
{
    const double baseline = std::round((topMm + heightMm / 2) * m_canvas.dotsPerMm + m_baselineOffset);
    QVarLengthArray<quint32, 32> glyphs(text.size());
    int count = int(glyphs.size());
    bool found =
        m_raw.isValid() && m_raw.glyphIndexesForChars(text.constData(), int(text.size()), glyphs.data(), &count);
    for (int i = 0; found && i < count; ++i)
        found = glyphs[i] != 0;
    QVarLengthArray<QPointF, 32> advances(count);
    double width = 0;
    if (found) {
        m_raw.advancesForGlyphIndexes(glyphs.data(), advances.data(), count);
        for (const QPointF& advance : advances)
            width += advance.x();
    } else {
        width = QFontMetricsF(m_font).horizontalAdvance(text);
    }
    double x = xMm * m_canvas.dotsPerMm;
    if (alignment & Qt::AlignRight)
        x -= width;
    else if (alignment & Qt::AlignHCenter)
        x -= width / 2;
    if (!found) {
        flush();
        m_canvas.painter.setFont(m_font);
        m_canvas.painter.drawText(QPointF(x, baseline), text);
        return;
    }
    for (int i = 0; i < count; ++i) {
        m_glyphs.append(glyphs[i]);
        m_positions.append(QPointF(std::round(x), baseline));
        x += advances[i].x();
    }
}

void TextBatch::flush()
{
    if (m_glyphs.isEmpty())
        return;
    QGlyphRun run;
    run.setRawFont(m_raw);
    run.setGlyphIndexes(m_glyphs);
    run.setPositions(m_positions);
    m_canvas.painter.drawGlyphRun(QPointF(0, 0), run);
    m_glyphs.clear();
    m_positions.clear();
}
