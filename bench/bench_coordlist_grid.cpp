// The coordinate grid with a whole export: filling the view and scrolling to its end, at 4096
// and at 32767 rows. Growth (time at 32767 / time at 4096) stays near the row ratio (8) when
// the grid's work is linear, and far below it when it does not depend on the row count.
#include "coordlist/CoordinateList.h"
#include "coordlist/ui/EditableList.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <time.h>

namespace {
// Processor time of this thread, so that preemption on a loaded machine is not counted.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

CoordinateTable table(int rows)
{
    CoordinateTable result(rows);
    for (int r = 1; r <= rows; ++r) {
        result.setCell(r, 1, r <= rows / 2 ? QStringLiteral("TEREN") : QStringLiteral("C%1").arg(r / 100));
        result.setCell(r, 2, QString::number(r));
        result.setCell(r, 3, 400000.0 + r * 0.731);
        result.setCell(r, 4, 300000.0 + r * 0.419);
    }
    return result;
}

struct Figures
{
    double fill, scroll;
};

Figures measure(int rows)
{
    const CoordinateTable data = table(rows);
    Figures f{1e300, 1e300};
    ScriptedPrompter prompter;
    for (int run = 0; run < 5; ++run) {
        EditableList widget(prompter);
        widget.list()->setDecimalNumber(3);
        widget.resize(480, 600);
        widget.show();
        QApplication::processEvents();
        double start = threadMilliseconds();
        widget.list()->setData(data);
        widget.grid()->viewport()->repaint();
        QApplication::processEvents();
        f.fill = std::min(f.fill, threadMilliseconds() - start);
        start = threadMilliseconds();
        widget.grid()->scrollToBottom();
        widget.grid()->viewport()->repaint();
        QApplication::processEvents();
        f.scroll = std::min(f.scroll, threadMilliseconds() - start);
        if (widget.grid()->verticalScrollBar()->value() != widget.grid()->verticalScrollBar()->maximum())
            std::fprintf(stderr, "not at the end\n");
    }
    return f;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const Figures small = measure(4096);
    const Figures large = measure(32767);
    std::printf("%-30s %10s %10s %10s\n", "grid", "ms@4096", "ms@32767", "growth");
    std::printf("%-30s %10.2f %10.2f %10.2f\n", "fill the view (write Data)", small.fill, large.fill,
                large.fill / small.fill);
    std::printf("%-30s %10.2f %10.2f %10.2f\n", "scroll to the end", small.scroll, large.scroll,
                large.scroll / small.scroll);
    std::printf("limit: growth <= 10 (linear is 8)\n");
    return 0;
}
