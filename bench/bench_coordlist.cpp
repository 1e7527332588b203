// Coordinate list operations on whole total-station exports, timed against reading the same
// text line by line and splitting each line at the delimiter, in the same run.
#include "CoordinateExport.h"
#include "coordlist/CoordinateList.h"

#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <memory>
#include <time.h>
#include <vector>

namespace {
// The processor time of this thread: on a shared, loaded machine a run of 30 ms is nearly
// always preempted and one of 1 ms seldom, which wall-clock time would count as growth.
double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Walks a buffer larger than the caches so that every timing starts cold, as a paste in the
// program does: repeating an operation on 4096 rows would otherwise time it from the
// processor's second-level cache and 32767 rows from memory.
void evictCaches()
{
    static std::vector<char> buffer(64 * 1024 * 1024);
    static char sink = 0;
    for (std::size_t i = 0; i < buffer.size(); i += 64)
        buffer[i] = char(buffer[i] + sink + 1);
    sink = buffer[buffer.size() / 2];
}

// The best of several runs, in milliseconds; setup runs before each timing and is not timed.
double best(const std::function<void()>& setup, const std::function<void()>& work, int runs = 7)
{
    double result = 1e300;
    for (int i = 0; i < runs; ++i) {
        setup();
        evictCaches();
        const double start = threadMilliseconds();
        work();
        result = std::min(result, threadMilliseconds() - start);
    }
    return result;
}

struct Figures
{
    double baseline = 1e300, paste = 1e300, dataRead = 1e300, dataWrite = 1e300, renumber = 1e300, swap = 1e300,
           copy = 1e300;
};

std::unique_ptr<CoordinateList> freshList()
{
    auto list = std::make_unique<CoordinateList>(nullptr, QStringLiteral("."));
    list->setDecimalNumber(3);
    list->setDelimiters({QStringLiteral("\t"), QStringLiteral(" "), QStringLiteral(";")});
    return list;
}

// One round of every measurement at one size; the caller keeps the best of several rounds,
// alternating the sizes so that both see the same machine load.
void measure(const QString& text, int lines, Figures& f)
{
    qsizetype sink = 0;
    auto keep = [](double& figure, double value) { figure = std::min(figure, value); };
    keep(f.baseline, best([] {},
                          [&] {
                              QString copy = text;
                              QTextStream stream(&copy);
                              QString line;
                              while (stream.readLineInto(&line))
                                  sink += line.split(QLatin1Char('\t')).size();
                          },
                          3));
    std::unique_ptr<CoordinateList> list;
    keep(f.paste, best([&] { list = freshList(); }, [&] { list->PasteText(text); }, 3));
    if (list->rowCount() != lines)
        std::fprintf(stderr, "paste gave %d rows\n", list->rowCount());
    std::optional<CoordinateTable> table;
    keep(f.dataRead, best([] {}, [&] { table = list->Data(); }, 3));
    keep(f.dataWrite, best([&] { list = freshList(); }, [&] { list->setData(*table); }, 3));
    keep(f.renumber, best([] {}, [&] { list->Renumber(); }, 3));
    keep(f.swap, best([] {}, [&] { list->SwapCols(); }, 3));
    keep(f.copy, best([&] { list->setSelection(1, 0, list->rowCount(), 3); }, [&] { list->CopySelection(); }, 3));
    if (sink == 42)
        std::puts("");
}
} // namespace

int main()
{
    // Every round frees a whole list; without this glibc hands that memory back to the system
    // and the next round pays a page fault per 4 KiB again, which a running program that keeps
    // its heap does not. Baseline and operations run under the same setting.
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    // LOTMARK_BENCH_ROWS=N: one quiet round at N rows, for counting instructions under
    // callgrind (wall-clock growth on a loaded machine mixes in cache and allocator effects).
    if (const int rows = qEnvironmentVariableIntValue("LOTMARK_BENCH_ROWS"); rows > 0) {
        Figures once;
        measure(exportText(rows), rows, once);
        return 0;
    }
    const QString smallText = exportText(4096);
    const QString largeText = exportText(32767);
    Figures small;
    Figures large;
    for (int round = 0; round < 5; ++round) {
        measure(smallText, 4096, small);
        measure(largeText, 32767, large);
    }
    std::printf("baseline (read lines + split at tab): %.2f ms at 4096 lines, %.2f ms at 32767\n", small.baseline,
                large.baseline);
    std::printf("%-28s %10s %10s %14s %12s\n", "operation", "ms@4096", "ms@32767", "x baseline", "growth");
    auto row = [&](const char* name, double a, double b) {
        std::printf("%-28s %10.2f %10.2f %14.2f %12.2f\n", name, a, b, b / large.baseline, b / a);
    };
    row("paste onto a fresh list", small.paste, large.paste);
    row("Data read", small.dataRead, large.dataRead);
    row("Data write", small.dataWrite, large.dataWrite);
    row("Renumber", small.renumber, large.renumber);
    row("SwapCols", small.swap, large.swap);
    row("CopySelection (all rows)", small.copy, large.copy);
    std::printf("limits: x baseline <= 5, growth (32767 / 4096 rows) <= 10\n");
    return 0;
}
