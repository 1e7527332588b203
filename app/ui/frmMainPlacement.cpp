// Where the main window opens: fitted to the screen the first time, as the user left it later.
#include "app/ui/frmMain.h"

#include "app/WindowFit.h"
#include "app/ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTabWidget>

namespace {

const QString GeometryKey = QStringLiteral("frmMain/geometry");
const QString SplitterKey = QStringLiteral("frmMain/splitter");
const QString TabKey = QStringLiteral("frmMain/tab");

// The size the window asks for on a screen large enough.
const QSize PreferredSize(1280, 800);

} // namespace

void frmMain::restoreWindowState(const QSettings& state)
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    if (!state.contains(GeometryKey) || !restoreGeometry(state.value(GeometryKey).toByteArray())) {
        const QRect frame = WindowFit::fitted(PreferredSize, available);
        resize(frame.size());
        move(frame.topLeft());
        ScreenFit::fit(this);
        return;
    }
    // A screen smaller than the one the state was saved on must not leave the window hanging
    // past its edges.
    ScreenFit::fit(this);
    if (m_splitter->restoreState(state.value(SplitterKey).toByteArray()))
        m_leftPanelFitted = true;
    const int tab = state.value(TabKey, 0).toInt();
    if (tab >= 0 && tab < m_tabs->count())
        m_tabs->setCurrentIndex(tab);
}

void frmMain::saveWindowState(QSettings& state) const
{
    state.setValue(GeometryKey, saveGeometry());
    state.setValue(SplitterKey, m_splitter->saveState());
    state.setValue(TabKey, m_tabs->currentIndex());
}
