#pragma once

#include "sketch/SketchRenderer.h"

#include <QImage>
#include <QWidget>
#include <memory>

class Prompter;
class QAction;
class QActionGroup;
class QLabel;
class QScrollBar;
class QToolBar;
class SketchCanvas;
class SketchTool;
class InfoTool;
class PanTool;
class MeasureTool;
struct SketchMouse;

// The sketch control: the land and building contours drawn to scale on a canvas that scrolls
// inside a viewport, with a floating toolbar (information, free exploration, zoom in, zoom out,
// overall view, distance measuring).
//
// Use: setGeometryCollection(polygons), then Draw() (nothing happens without a "TEREN"
// polygon). ControlPicture() gives the drawn picture without hover marks. The four signals
// report the pointer, the hovered vertex or edge and the measured distances.
//
// Information, free exploration and distance measuring are tools: at most one is current
// (setTool), chosen by checkable buttons in one group, and only it sees the canvas's left and
// right buttons and pointer moves. The wheel zooms and the middle button pans whatever the tool.
class DrawSketch : public QWidget
{
    Q_OBJECT

public:
    // Toolbar buttons, 1-based as the toolbar numbers them.
    enum ToolButton
    {
        Informatii = 1,
        ExplorareLibera,
        Mareste,
        Micsoreaza,
        VedereDeAnsamblu,
        MasurareDistante
    };

    // prompter: where messages (the zoom limit, drawing failures) go; not owned, it outlives
    // the control.
    explicit DrawSketch(Prompter& prompter, QWidget* parent = nullptr);
    ~DrawSketch() override;

    // The polygons to draw, held by reference (the caller's object, not a copy).
    const PolygonsPtr& GeometryCollection() const { return m_polygons; }
    void setGeometryCollection(PolygonsPtr polygons);

    // Fits the zoom to the viewport and draws everything.
    void Draw();
    // The persistent picture of the canvas (what Draw drew, never the hover marks); kept until
    // the next call.
    QImage ControlPicture();
    // Erases the picture; the polygons stay set.
    void ClearControl();

    // The user's decimal separator, for the edge label.
    const QString& decimalSeparator() const { return m_decimalSeparator; }
    void setDecimalSeparator(const QString& separator) { m_decimalSeparator = separator; }

    // Canvas pixels per 100 world units; -1 before a fit, 0 when never drawn.
    double zoomPercent() const { return m_zoom; }
    // Sets the zoom percent and redraws (the toolbar's zoom buttons do this).
    void setZoomPercent(double percent);
    // Zooms by `angleDelta` wheel eighths of a degree (120 a notch) keeping the world point under
    // the canvas pixel `canvasPixel` where it is on the screen; never below the fit zoom nor
    // beyond the largest canvas.
    void zoomAbout(QPointF canvasPixel, int angleDelta);
    // "Incadrare": the action that returns to the fit zoom, for the window's menu.
    QAction* zoomToFitAction() const { return m_zoomToFit; }
    // Presses a toolbar button as the user would.
    void clickTool(ToolButton button);
    QAction* toolAction(ToolButton button) const;

    // The current tool; nullptr when none is.
    SketchTool* tool() const { return m_tool; }
    // Makes `tool` (one of this control's tools, or nullptr) the current one: the previous tool
    // is deactivated first, the hover marks go, and the tools' buttons show the choice.
    void setTool(SketchTool* tool);
    InfoTool* infoTool() const { return m_info.get(); }
    PanTool* panTool() const { return m_pan.get(); }
    MeasureTool* measureTool() const { return m_measure.get(); }
    // The checkable buttons of the three tools, exclusive, and a checked one may be unchecked
    // (no tool). The window's menu shows the same actions.
    QActionGroup* toolGroup() const { return m_toolGroup; }

    // The world/pixel mapping of the canvas as last drawn.
    const SketchView::CanvasMapping& mapping() const { return m_mapping; }
    QWidget* canvas() const;
    // The picture the canvas shows under the marks.
    const QImage& picture() const { return m_image; }
    // The hover and measuring marks currently shown.
    const SketchOverlay& overlay() const { return m_overlay; }
    // Adds marks for the tools; the canvas repaints after the pointer event.
    void addMarks(const SketchOverlay& marks);
    // Takes the marks and the label away.
    void clearHover();
    // Shows `text` beside the world point `pointer` (an edge label keeps clear of the edge's
    // end at `currentX`).
    void showLabel(const QString& text, bool edgeLabel, double currentX, QPointF pointer);
    QLabel* toolTipLabel() const { return m_toolTip; }
    QScrollBar* horizontalScrollBar() const { return m_hScroll; }
    QScrollBar* verticalScrollBar() const { return m_vScroll; }

    bool informationMode() const;
    bool explorationMode() const;
    bool measuringMode() const;
    // True while the middle button drags the canvas.
    bool middlePanning() const { return m_middlePan; }

public slots:
    // Back to the zoom that shows the whole land, as the overall-view button does.
    void zoomToFit();

signals:
    // Every pointer move over the canvas while polygons are set. button: 1 left, 2 right,
    // 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in world units rounded to 2 decimals.
    void OnMouseMove(short button, short shift, float x, float y);
    // Information mode: the pointer is near the vertex numbered `no`.
    void HitVertex(const QString& no);
    // Information mode: the pointer is on an edge; the end with the larger X comes first.
    void HitLine(const QString& first, const QString& second, double length);
    // Measuring mode, at every second click: the last segment and the running total.
    void Distance(double distance, double total);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void buildToolbar();
    void onToolTriggered(ToolButton button);
    SketchTool* toolOf(ToolButton button) const;
    // Redraws at the current zoom; false (after the message) when the canvas could not be made.
    bool DrawGeometry();
    // Lays the scroll bars out around the canvas and moves the canvas to their positions.
    void layoutViewport();
    void onScroll();
    void canvasMousePress(const SketchMouse& mouse);
    void canvasMouseRelease(const SketchMouse& mouse);
    void canvasMouseMove(const SketchMouse& mouse);
    // Middle-button drag: the canvas follows the pointer, in any mode.
    void startMiddlePan(const SketchMouse& mouse);
    void moveMiddlePan(const SketchMouse& mouse);
    void stopMiddlePan();
    SketchView::LabelRoom labelRoom() const;
    double largestZoom() const;
    void showFailure(int number, const QString& description);
    QSize freeViewportSize() const;

    PolygonsPtr m_polygons;
    double m_zoom = 0;
    SketchView::Scale m_scale;
    SketchView::CanvasMapping m_mapping;
    QImage m_image;
    QImage m_controlPicture;
    SketchOverlay m_overlay;
    bool m_fitPending = false;
    bool m_middlePan = false;
    QPointF m_panGrab;      // global pointer position where the middle drag began
    QPoint m_panGrabScroll; // the scroll positions then
    QAction* m_zoomToFit = nullptr;
    QString m_decimalSeparator;

    QWidget* m_viewport = nullptr;    // picGraphImage
    SketchCanvas* m_canvas = nullptr; // picDraw
    QScrollBar* m_hScroll = nullptr;
    QScrollBar* m_vScroll = nullptr;
    QWidget* m_scrollJoint = nullptr;
    QToolBar* m_toolbar = nullptr; // tbrQuickFloat
    QLabel* m_toolTip = nullptr;   // lblToolTip
    QAction* m_actions[7] = {};
    QActionGroup* m_toolGroup = nullptr;

    Prompter& m_prompter;
    std::unique_ptr<InfoTool> m_info;
    std::unique_ptr<PanTool> m_pan;
    std::unique_ptr<MeasureTool> m_measure;
    SketchTool* m_tool = nullptr;
};
