#include "app/ui/ScreenFit.h"

#include "app/WindowFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// A window manager's title bar, before the window has one to measure.
constexpr int AssumedTitleBar = 30;
// The title bar's icon and its three buttons take about this much beside the title.
constexpr int TitleBarButtons = 130;

bool isFittedWindow(const QWidget* widget)
{
    if (!widget->isWindow())
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog || type == Qt::Tool || type == Qt::Sheet;
}

QScreen* screenOf(const QWidget* window)
{
    if (const QWidget* parent = window->parentWidget())
        return parent->screen();
    return window->screen() ? window->screen() : QGuiApplication::primaryScreen();
}

// The decoration around the client area: measured once the window has a frame, assumed before.
QMargins decoration(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    if (frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    return {0, AssumedTitleBar, 0, 0};
}

} // namespace

ScreenFit* ScreenFit::install()
{
    auto* fit = new ScreenFit(qApp);
    qApp->installEventFilter(fit);
    return fit;
}

void ScreenFit::fit(QWidget* window)
{
    if (window->isMaximized() || window->isFullScreen())
        return;
    QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins margins = decoration(window);
    QRect frame = window->geometry().marginsAdded(margins);
    // A message box sizes itself to its text after this, when it handles its own show.
    auto* dialog = qobject_cast<QDialog*>(window);
    if (dialog) {
        QFont titleFont = window->font();
        titleFont.setBold(true);
        const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(window->windowTitle()) + TitleBarButtons;
        if (frame.width() < titleWidth)
            frame.setWidth(std::min(titleWidth, available.width()));
    }
    const QRect inside = WindowFit::keptInside(frame, available);
    if (inside.size() != window->geometry().marginsAdded(margins).size())
        window->resize(inside.marginsRemoved(margins).size());
    // A dialog not placed by the program is centred on its parent, inside the screen, by its own
    // show handling, which runs after this and only while the dialog has not been moved.
    const bool placedWhenShown = dialog && !dialog->testAttribute(Qt::WA_Moved);
    if (inside.topLeft() != frame.topLeft() && !placedWhenShown)
        window->move(inside.topLeft());
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (isFittedWindow(widget))
            fit(widget);
    }
    return QObject::eventFilter(watched, event);
}
