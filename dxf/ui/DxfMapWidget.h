#pragma once

#include <QImage>
#include <QWidget>

class DxfImportWizard;

// One preview area of the DXF wizard (Map(0) on page 1, Map(1) on page 2): draws the cleaned
// polylines through the wizard's fitted transform and the area's view, with the highlight
// colours, and drags the view while the wizard is in pan mode. The picture is kept between
// repaints and redrawn only when the wizard says the area changed.
class DxfMapWidget : public QWidget
{
    Q_OBJECT

public:
    DxfMapWidget(DxfImportWizard& wizard, int area, QWidget* parent = nullptr);

    // Area size in 1/1440 inch for this widget's pixel size.
    QSizeF areaSize() const;
    // The picture as last drawn (for tests and screenshots).
    const QImage& picture() const { return m_picture; }
    void updatePicture();

signals:
    // The right button was pressed in pan mode: the window leaves pan mode.
    void leavePanRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void drawMap(QImage& image) const;

    DxfImportWizard& m_wizard;
    int m_area;
    QImage m_picture;
    int m_drawnGeneration = -1;
    bool m_dragging = false;
    QPointF m_anchor; // area units of the view at the press
};
