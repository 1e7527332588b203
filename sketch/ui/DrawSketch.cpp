#include "sketch/ui/DrawSketch.h"

#include "base/Prompter.h"
#include "sketch/ui/SketchArtwork.h"
#include "sketch/ui/SketchCanvas.h"
#include "sketch/ui/SketchTools.h"

#include <QAction>
#include <QActionGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QWheelEvent>

#include <cmath>

namespace {

// The button and shift states as the events report them: 1 left, 2 right, 4 middle;
// 1 Shift, 2 Ctrl, 4 Alt.
short buttonState(Qt::MouseButtons buttons)
{
    return short((buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
                 (buttons.testFlag(Qt::MiddleButton) ? 4 : 0));
}

short shiftState(Qt::KeyboardModifiers modifiers)
{
    return short((modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
                 (modifiers.testFlag(Qt::AltModifier) ? 4 : 0));
}

} // namespace

DrawSketch::DrawSketch(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_decimalSeparator(QLocale::system().decimalPoint()), m_prompter(prompter)
{
    setObjectName(QStringLiteral("DrawSketch"));
    setFocusPolicy(Qt::StrongFocus);

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(QStringLiteral("picGraphImage"));
    m_viewport->setAutoFillBackground(true);
    m_viewport->installEventFilter(this);

    m_canvas = new SketchCanvas(*this, m_viewport);
    m_canvas->move(0, 0);
    m_canvas->resize(0, 0);
    connect(m_canvas, &SketchCanvas::mousePressed, this, &DrawSketch::canvasMousePress);
    connect(m_canvas, &SketchCanvas::mouseReleased, this, &DrawSketch::canvasMouseRelease);
    connect(m_canvas, &SketchCanvas::mouseMoved, this, &DrawSketch::canvasMouseMove);

    m_hScroll = new QScrollBar(Qt::Horizontal, m_viewport);
    m_hScroll->setObjectName(QStringLiteral("HScroll"));
    m_vScroll = new QScrollBar(Qt::Vertical, m_viewport);
    m_vScroll->setObjectName(QStringLiteral("VScroll"));
    for (QScrollBar* bar : {m_hScroll, m_vScroll}) {
        bar->setEnabled(false);
        bar->setRange(0, 0);
        connect(bar, &QScrollBar::valueChanged, this, &DrawSketch::onScroll);
    }
    m_scrollJoint = new QWidget(m_viewport);
    m_scrollJoint->setObjectName(QStringLiteral("picScrollJoint"));
    m_scrollJoint->setAutoFillBackground(true);

    m_toolTip = new QLabel(m_canvas);
    m_toolTip->setObjectName(QStringLiteral("lblToolTip"));
    m_toolTip->setStyleSheet(QStringLiteral(
        "QLabel { background: rgb(255, 255, 225); color: black; border: 1px solid black; padding: 1px 3px; }"));
    m_toolTip->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_toolTip->hide();

    m_info = std::make_unique<InfoTool>(*this);
    m_pan = std::make_unique<PanTool>(*this);
    m_measure = std::make_unique<MeasureTool>(*this);
    buildToolbar();

    m_zoomToFit = new QAction(QStringLiteral("Incadrare"), this);
    m_zoomToFit->setObjectName(QStringLiteral("actZoomToFit"));
    m_zoomToFit->setToolTip(QStringLiteral("Incadrare: intreaga schita in fereastra"));
    connect(m_zoomToFit, &QAction::triggered, this, &DrawSketch::zoomToFit);
}

DrawSketch::~DrawSketch()
{
    // The canvas outlives the tools by a moment: it must not hand them an event then.
    disconnect(m_canvas, nullptr, this, nullptr);
    m_tool = nullptr;
}

void DrawSketch::buildToolbar()
{
    m_toolbar = new QToolBar(m_viewport);
    m_toolbar->setObjectName(QStringLiteral("tbrQuickFloat"));
    m_toolbar->setIconSize(QSize(22, 22));
    m_toolbar->setAutoFillBackground(true);
    // A tool's button pressed again releases it: no tool is current then.
    m_toolGroup = new QActionGroup(this);
    m_toolGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    struct Button
    {
        ToolButton index;
        const char* caption;
        const char* name;
        SketchArtwork::ToolImage image;
    };
    const Button buttons[] = {
        {Informatii, "Informatii", "actInformatii", SketchArtwork::ToolImage::Information},
        {ExplorareLibera, "Explorare libera", "actExplorareLibera", SketchArtwork::ToolImage::Explore},
        {Mareste, "Mareste", "actMareste", SketchArtwork::ToolImage::ZoomIn},
        {Micsoreaza, "Micsoreaza", "actMicsoreaza", SketchArtwork::ToolImage::ZoomOut},
        {VedereDeAnsamblu, "Vedere de ansamblu", "actVedereDeAnsamblu", SketchArtwork::ToolImage::Overall},
        {MasurareDistante, "Masurare distante", "actMasurareDistante", SketchArtwork::ToolImage::Measure},
    };
    for (const Button& button : buttons) {
        QAction* action =
            m_toolbar->addAction(SketchArtwork::toolIcon(button.image), QString::fromLatin1(button.caption));
        action->setObjectName(QString::fromLatin1(button.name));
        action->setToolTip(action->text());
        const ToolButton index = button.index;
        if (SketchTool* tool = toolOf(index)) {
            action->setCheckable(true);
            m_toolGroup->addAction(action);
            tool->setAction(action);
        }
        connect(action, &QAction::triggered, this, [this, index] { onToolTriggered(index); });
        m_actions[index] = action;
    }
    m_toolbar->adjustSize();
    m_toolbar->move(2, 2);
}

QAction* DrawSketch::toolAction(ToolButton button) const
{
    return m_actions[button];
}

void DrawSketch::clickTool(ToolButton button)
{
    m_actions[button]->trigger();
}

QWidget* DrawSketch::canvas() const
{
    return m_canvas;
}

SketchTool* DrawSketch::toolOf(ToolButton button) const
{
    switch (button) {
    case Informatii:
        return m_info.get();
    case ExplorareLibera:
        return m_pan.get();
    case MasurareDistante:
        return m_measure.get();
    default:
        return nullptr;
    }
}

void DrawSketch::setTool(SketchTool* tool)
{
    if (tool != m_tool) {
        if (m_tool)
            m_tool->deactivate();
        clearHover();
        m_tool = tool;
        if (m_tool)
            m_tool->activate();
    }
    // The buttons follow whichever way the tool was chosen: a button, the menu or a call.
    for (QAction* action : m_toolGroup->actions())
        action->setChecked(m_tool && action == m_tool->action());
}

bool DrawSketch::informationMode() const
{
    return m_tool == m_info.get();
}

bool DrawSketch::explorationMode() const
{
    return m_tool == m_pan.get();
}

bool DrawSketch::measuringMode() const
{
    return m_tool == m_measure.get();
}

void DrawSketch::setGeometryCollection(PolygonsPtr polygons)
{
    m_polygons = std::move(polygons);
}

void DrawSketch::Draw()
{
    m_zoom = SketchView::FitZoom;
    if (!m_polygons || m_polygons->Count() == 0 || !SketchView::landPolygon(*m_polygons))
        return;
    if (!m_image.isNull())
        m_image.fill(SketchRenderer::backgroundColour());
    DrawGeometry();
}

void DrawSketch::setZoomPercent(double percent)
{
    m_zoom = percent;
    DrawGeometry();
}

void DrawSketch::zoomToFit()
{
    setZoomPercent(SketchView::FitZoom);
}

double DrawSketch::largestZoom() const
{
    const double side = std::max(std::fabs(m_scale.width), std::fabs(m_scale.height));
    if (!(side > 0))
        return 0;
    return 100.0 * SketchRenderer::MaxCanvasSide / (side * devicePixelRatioF());
}

void DrawSketch::zoomAbout(QPointF canvasPixel, int angleDelta)
{
    if (!m_mapping.isValid() || !(m_zoom > 0) || angleDelta == 0)
        return;
    const QSize free = freeViewportSize();
    const double fit = SketchView::ZoomToFit(free.width(), free.height(), m_scale);
    const double zoom = SketchView::wheelZoom(m_zoom, angleDelta, std::min(fit, m_zoom), largestZoom());
    if (zoom == m_zoom)
        return;
    const QPointF anchor = m_mapping.toWorld(canvasPixel);
    const QPointF inViewport = canvasPixel + QPointF(m_canvas->pos());
    m_zoom = zoom;
    if (!DrawGeometry())
        return;
    // The scroll bars clamp what lies beyond the canvas: near an edge the point moves a little.
    const QPoint scroll = SketchView::anchoredScroll(m_mapping, anchor, inViewport);
    m_hScroll->setValue(scroll.x());
    m_vScroll->setValue(scroll.y());
}

SketchView::LabelRoom DrawSketch::labelRoom() const
{
    const QSize free = freeViewportSize();
    const QImage probe(1, 1, QImage::Format_RGB32);
    return {SketchRenderer::labelPixels(*m_polygons, &probe), double(std::min(free.width(), free.height()))};
}

QSize DrawSketch::freeViewportSize() const
{
    return QSize(m_viewport->width() - m_vScroll->width(), m_viewport->height() - m_hScroll->height());
}

bool DrawSketch::DrawGeometry()
{
    if (!m_polygons || m_polygons->Count() == 0 || !SketchView::landPolygon(*m_polygons))
        return true;
    try {
        if (m_zoom == SketchView::FitZoom)
            layoutViewport();
        const SketchView::Scale scale = SketchView::ComputeSketchScale(*m_polygons, labelRoom());
        double zoom = m_zoom;
        if (zoom == SketchView::FitZoom) {
            const QSize free = freeViewportSize();
            zoom = SketchView::ZoomToFit(free.width(), free.height(), scale);
            if (!(zoom > 0)) {
                // Not laid out yet: the first resize draws at the fit.
                m_fitPending = true;
                return true;
            }
            m_zoom = zoom;
        }
        m_fitPending = false;
        const QSize size = SketchView::canvasSize(scale, zoom);
        QImage image = SketchRenderer::createCanvasImage(size, devicePixelRatioF());
        if (image.isNull()) {
            // The zoom that failed stays, so that the next "Micsoreaza" steps back from it.
            m_prompter.error(SketchRenderer::zoomLimitMessage());
            return false;
        }
        m_scale = scale;
        m_mapping = SketchView::CanvasMapping(scale, QSizeF(size));
        clearHover();
        m_image = image;
        {
            QPainter painter(&m_image);
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            SketchRenderer::drawGeometry(painter, *m_polygons, m_mapping, zoom);
        }
        m_canvas->resize(size);
        layoutViewport();
        m_canvas->update();
    } catch (const Failure& failure) {
        showFailure(failure.error().number, failure.error().description);
        return false;
    } catch (const std::bad_alloc&) {
        m_prompter.error(SketchRenderer::zoomLimitMessage());
        return false;
    }
    return true;
}

void DrawSketch::showFailure(int number, const QString& description)
{
    m_prompter.showError(number, description, Prompter::Icon::Exclamation);
}

QImage DrawSketch::ControlPicture()
{
    m_controlPicture = m_image;
    return m_controlPicture;
}

void DrawSketch::ClearControl()
{
    if (!m_image.isNull())
        m_image.fill(SketchRenderer::backgroundColour());
    clearHover();
    // Shown at once, not when the pointer next crosses the canvas.
    m_canvas->update();
}

void DrawSketch::layoutViewport()
{
    const int vw = m_viewport->width();
    const int vh = m_viewport->height();
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_hScroll->setGeometry(0, vh - thickness, std::max(0, vw - thickness), thickness);
    m_vScroll->setGeometry(vw - thickness, 0, thickness, std::max(0, vh - thickness));
    m_scrollJoint->setGeometry(vw - thickness, vh - thickness, thickness, thickness);

    auto configure = [thickness](QScrollBar* bar, int viewportExtent, int canvasExtent) {
        const bool enabled = canvasExtent + thickness > viewportExtent;
        bar->setEnabled(enabled);
        if (enabled) {
            const int maximum = std::abs(viewportExtent - thickness - canvasExtent);
            const int position = std::min(bar->value(), maximum);
            bar->setRange(0, maximum);
            bar->setSingleStep(std::max(1, maximum / 5));
            bar->setPageStep(std::max(1, maximum / 10));
            bar->setValue(position);
        } else {
            bar->setValue(0);
            bar->setRange(0, 0);
        }
    };
    configure(m_hScroll, vw, m_canvas->width());
    configure(m_vScroll, vh, m_canvas->height());
    onScroll();
    m_hScroll->raise();
    m_vScroll->raise();
    m_scrollJoint->raise();
    m_toolbar->raise();
}

void DrawSketch::onScroll()
{
    m_canvas->move(-m_hScroll->value(), -m_vScroll->value());
}

bool DrawSketch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport && event->type() == QEvent::Resize)
        layoutViewport();
    if (watched == m_viewport && event->type() == QEvent::Wheel) {
        // Beside a canvas smaller than the viewport the wheel zooms too.
        auto* wheel = static_cast<QWheelEvent*>(event);
        zoomAbout(wheel->position() - QPointF(m_canvas->pos()), wheel->angleDelta().y());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void DrawSketch::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_viewport->setGeometry(rect());
    if (m_fitPending && m_zoom == SketchView::FitZoom)
        DrawGeometry();
}

void DrawSketch::onToolTriggered(ToolButton button)
{
    if (SketchTool* tool = toolOf(button)) {
        setTool(m_actions[button]->isChecked() ? tool : nullptr);
        return;
    }
    switch (button) {
    case Mareste:
        setZoomPercent(SketchView::zoomIn(m_zoom));
        break;
    case Micsoreaza:
        if (m_zoom > 100.0)
            setZoomPercent(SketchView::zoomOut(m_zoom));
        break;
    case VedereDeAnsamblu:
        setZoomPercent(SketchView::FitZoom);
        break;
    default:
        break;
    }
}

void DrawSketch::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    setTool(nullptr);
}

void DrawSketch::clearHover()
{
    if (!m_overlay.isEmpty()) {
        m_overlay.clear();
        m_canvas->update();
    }
    if (m_toolTip->isVisible()) {
        m_toolTip->hide();
        m_toolTip->clear();
    }
}

void DrawSketch::addMarks(const SketchOverlay& marks)
{
    m_overlay.lines.insert(m_overlay.lines.end(), marks.lines.begin(), marks.lines.end());
    m_overlay.circles.insert(m_overlay.circles.end(), marks.circles.begin(), marks.circles.end());
}

void DrawSketch::showLabel(const QString& text, bool edgeLabel, double currentX, QPointF pointer)
{
    if (!m_mapping.isValid())
        return;
    m_toolTip->setText(text);
    m_toolTip->adjustSize();
    const double width = m_toolTip->width() / m_mapping.pixelsPerUnitX();
    const double height = m_toolTip->height() / m_mapping.pixelsPerUnitY();
    const QPointF topLeft =
        SketchView::labelTopLeft(pointer.x(), pointer.y(), m_zoom, width, height, edgeLabel, currentX);
    m_toolTip->move(m_mapping.toPixel(topLeft.x(), topLeft.y()).toPoint());
    m_toolTip->show();
    m_toolTip->raise();
}

void DrawSketch::startMiddlePan(const SketchMouse& mouse)
{
    m_middlePan = true;
    m_panGrab = mouse.global;
    m_panGrabScroll = QPoint(m_hScroll->value(), m_vScroll->value());
    m_canvas->setCursor(SketchArtwork::panMoveCursor());
}

void DrawSketch::moveMiddlePan(const SketchMouse& mouse)
{
    const QPointF moved = mouse.global - m_panGrab;
    m_hScroll->setValue(m_panGrabScroll.x() - int(std::lround(moved.x())));
    m_vScroll->setValue(m_panGrabScroll.y() - int(std::lround(moved.y())));
}

void DrawSketch::stopMiddlePan()
{
    m_middlePan = false;
    m_canvas->setCursor(explorationMode() ? SketchArtwork::panCursor() : QCursor(Qt::ArrowCursor));
}

void DrawSketch::canvasMousePress(const SketchMouse& mouse)
{
    if (!m_polygons)
        return;
    // The middle button pans in every mode and leaves the measuring chain alone.
    if (mouse.button == Qt::MiddleButton) {
        startMiddlePan(mouse);
        return;
    }
    if (m_tool)
        m_tool->mousePress(mouse);
    m_canvas->update();
}

void DrawSketch::canvasMouseRelease(const SketchMouse& mouse)
{
    if (mouse.button == Qt::MiddleButton && m_middlePan) {
        stopMiddlePan();
        return;
    }
    if (m_tool)
        m_tool->mouseRelease(mouse);
}

void DrawSketch::canvasMouseMove(const SketchMouse& mouse)
{
    if (!m_polygons || m_polygons->Count() == 0 || !m_mapping.isValid())
        return;
    if (m_middlePan) {
        moveMiddlePan(mouse);
        return;
    }
    emit OnMouseMove(buttonState(mouse.buttons), shiftState(mouse.modifiers),
                     float(SketchView::roundTo2(mouse.world.x())), float(SketchView::roundTo2(mouse.world.y())));
    clearHover();
    if (m_tool)
        m_tool->mouseMove(mouse);
    if (!m_overlay.isEmpty())
        m_canvas->update();
}
