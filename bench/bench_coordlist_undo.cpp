// Undo and redo of a paste of the longest coordinate list (32,767 rows), timed against the
// paste itself in the same run, with the history attached as in the main window.
#include "BenchTimer.h"
#include "CoordinateExport.h"
#include "coordlist/CoordinateList.h"
#include "coordlist/CoordinateListHistory.h"

#include <QUndoStack>
#include <cstdio>
#include <memory>

namespace {
struct Session
{
    CoordinateList list{nullptr, QStringLiteral(".")};
    CoordinateListHistory history{list};
    Session()
    {
        list.setDecimalNumber(3);
        list.setDelimiters({QStringLiteral("\t")});
    }
};
} // namespace

int main()
{
    const int lines = CoordinateList::MaximumRows;
    const QString text = exportText(lines);
    double paste = 1e300;
    double undo = 1e300;
    double redo = 1e300;
    for (int round = 0; round < 5; ++round) {
        auto session = std::make_unique<Session>();
        paste = std::min(paste, bestOf(1, [&] { session->list.PasteText(text); }));
        if (session->list.rowCount() != lines || session->history.stack()->count() != 1)
            std::fprintf(stderr, "paste gave %d rows in %d steps\n", session->list.rowCount(),
                         session->history.stack()->count());
        undo = std::min(undo, bestOf(1, [&] { session->history.stack()->undo(); }));
        if (session->list.rowCount() != 1)
            std::fprintf(stderr, "undo left %d rows\n", session->list.rowCount());
        redo = std::min(redo, bestOf(1, [&] { session->history.stack()->redo(); }));
        if (session->list.rowCount() != lines)
            std::fprintf(stderr, "redo gave %d rows\n", session->list.rowCount());
    }
    std::printf("paste of %d rows (baseline): %.2f ms\n", lines, paste);
    std::printf("%-10s %10s %12s\n", "operation", "ms", "x paste");
    std::printf("%-10s %10.2f %12.2f\n", "undo", undo, undo / paste);
    std::printf("%-10s %10.2f %12.2f\n", "redo", redo, redo / paste);
    std::printf("limit: x paste <= 2; history at most %d steps\n", CoordinateListHistory::UndoLimit);
    return 0;
}
