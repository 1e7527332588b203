// Reading and cleaning a sector drawing, against `wc -l` on the same file (the floor of
// scanning its lines) and, where installed, dxflib and GDAL's ogrinfo; peak memory against the
// file's size; the wizard's lists for 25,000 and 50,000 polylines (they must grow linearly).
//
// Also the conversion of coordinate texts against std::from_chars (bench_dxf --numbers: only that).
//
// bench_dxf [FILE.DXF ...]   without files, 100 MB drawings (LWPOLYLINE and R12) are written to
// /tmp first (LOTMARK_BENCH_DXF_MB changes the size).
#include "DxfDrawingWriter.h"

#include "dxf/DxfImportWizard.h"
#include "dxf/DxfPolylineReader.h"
#include "support/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <charconv>
#include <cstring>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

QTextStream out(stdout);

int readAndClean(const QString& path, std::size_t* storeBytes = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    DxfPolylines store;
    DxfPolylineReader reader;
    if (reader.read(file, store).status != DxfReadResult::Published)
        return -1;
    store.clean();
    if (storeBytes)
        *storeBytes = store.memoryBytes();
    return store.count();
}

template <typename F> double best(int runs, F&& f)
{
    double fastest = 1e30;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!f())
            return -1;
        fastest = std::min(fastest, clock.nsecsElapsed() / 1e9);
    }
    return fastest;
}

bool runQuiet(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

struct ChildRun
{
    double cpu = -1; // user + system seconds
    double wall = -1;
    long peakKb = 0;
};

// Runs a program as a child and takes its CPU time and peak resident size: on a machine shared
// with other work the wall time mostly measures the others, CPU time measures the program.
ChildRun runChild(const QString& program, const QStringList& arguments)
{
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        QByteArray self = program.toLocal8Bit();
        std::vector<QByteArray> args{self};
        for (const QString& a : arguments)
            args.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr))
            _exit(126);
        execvp(self.constData(), argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage
    {
    };
    wait4(pid, &status, 0, &usage);
    ChildRun run;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return run;
    run.wall = clock.nsecsElapsed() / 1e9;
    run.cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakKb = usage.ru_maxrss;
    return run;
}

// The fastest of several runs, by CPU time.
ChildRun bestRun(int runs, const QString& program, const QStringList& arguments)
{
    ChildRun best;
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = runChild(program, arguments);
        if (run.cpu < 0)
            return run;
        if (best.cpu < 0 || run.cpu < best.cpu)
            best.cpu = run.cpu;
        if (best.wall < 0 || run.wall < best.wall)
            best.wall = run.wall;
        best.peakKb = std::max(best.peakKb, run.peakKb);
    }
    return best;
}

QString dxflibCounter(const QString& folder)
{
    if (!QFile::exists(QStringLiteral("/usr/include/dxflib/dl_dxf.h")))
        return QString();
    const QString source = folder + QStringLiteral("/dxflib_counter.cpp");
    QFile file(source);
    file.open(QIODevice::WriteOnly);
    file.write(R"(#include <dl_dxf.h>
#include <dl_creationadapter.h>
#include <cstdio>
struct Counter : DL_CreationAdapter {
    long polylines = 0, vertices = 0;
    void addPolyline(const DL_PolylineData&) override { ++polylines; }
    void addVertex(const DL_VertexData&) override { ++vertices; }
};
int main(int argc, char** argv) {
    Counter counter;
    DL_Dxf dxf;
    if (!dxf.in(argv[1], &counter)) return 1;
    std::printf("%ld polylines %ld vertices\n", counter.polylines, counter.vertices);
    return 0;
}
)");
    file.close();
    const QString program = folder + QStringLiteral("/dxflib_counter");
    if (!runQuiet(QStringLiteral("g++"), {QStringLiteral("-O2"), QStringLiteral("-I/usr/include/dxflib"), source,
                                          QStringLiteral("-ldxflib"), QStringLiteral("-o"), program}))
        return QString();
    return program;
}

void benchFile(const QString& path, const QString& dxflib)
{
    const double mb = QFileInfo(path).size() / 1048576.0;
    out << "\n"
        << path << QString::asprintf(" (%.1f MB); times are CPU seconds, best of 3 (wall in brackets)", mb) << Qt::endl;
    const QString self = QCoreApplication::applicationFilePath();
    const ChildRun wc = bestRun(3, QStringLiteral("wc"), {QStringLiteral("-l"), path});
    const ChildRun ours = bestRun(3, self, {QStringLiteral("--child-read"), path});
    const ChildRun idle = bestRun(3, self, {QStringLiteral("--child-idle")});
    // The program's own start (loading Qt) is no part of reading.
    const double read = ours.cpu - idle.cpu;
    std::size_t storeBytes = 0;
    const int polylines = readAndClean(path, &storeBytes);
    out << QString::asprintf("  wc -l                 %7.3f s (%.3f)  baseline\n", wc.cpu, wc.wall);
    out << QString::asprintf(
        "  read + clean          %7.3f s (%.3f)  %5.1fx wc -l (goal <= 10x); %d polylines kept in %.1f MB;"
        " start-up of %.3f s taken off\n",
        read, ours.wall, read / wc.cpu, polylines, storeBytes / 1048576.0, idle.cpu);
    out << QString::asprintf(
        "  peak memory           %7.1f MB above an idle run of the same program = %.2f of the file (goal <= 0.5)\n",
        (ours.peakKb - idle.peakKb) / 1024.0, (ours.peakKb - idle.peakKb) / 1024.0 / mb);
    if (!dxflib.isEmpty()) {
        const ChildRun t = bestRun(2, dxflib, {path});
        out << QString::asprintf("  dxflib                %7.3f s (%.3f)  we are %5.1fx faster (goal >= 5x)\n", t.cpu,
                                 t.wall, t.cpu / read);
    } else {
        out << "  dxflib                not installed, skipped" << Qt::endl;
    }
    const QString ogrinfo = QStandardPaths::findExecutable(QStringLiteral("ogrinfo"));
    if (!ogrinfo.isEmpty()) {
        const ChildRun t =
            bestRun(2, ogrinfo, {QStringLiteral("-ro"), QStringLiteral("-so"), QStringLiteral("-al"), path});
        out << QString::asprintf("  ogrinfo -so -al       %7.3f s (%.3f)  we are %5.1fx faster (goal >= 5x)\n", t.cpu,
                                 t.wall, t.cpu / read);
    } else {
        out << "  ogrinfo               not installed, skipped" << Qt::endl;
    }
    out.flush();
}

// The wizard's page-2 list and a page-1 layer list for a drawing of `parcels` parcels.
double wizardLists(const QString& folder, long long parcels)
{
    const QString path = folder + QStringLiteral("/lists_%1.dxf").arg(parcels);
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    // About 1.3 kB per parcel with its buildings: stop near the requested count.
    DxfDrawingWriter::write(file, parcels * 1330, false);
    std::fclose(file);
    ScriptedPrompter prompter;
    DxfImportWizard wizard(prompter, folder);
    wizard.openFile(path);
    return best(3, [&] {
        wizard.next();
        wizard.chooseLayer(0);
        wizard.clickLine(0);
        prompter.queueAnswer(Prompter::Answer::Yes);
        wizard.next();
        const bool ok = wizard.page() == 2 && wizard.lines().size() == std::size_t(wizard.polylines().count());
        wizard.previous();
        wizard.previous();
        return ok;
    });
}

// Coordinate texts as drawings write them: Stereo 70 metres with three decimals, sixteen
// significant digits (%.16g, about half of them past 2^53 as integers), and seventeen (%.17g).
std::vector<std::string> coordinateTexts(int style, int count)
{
    std::mt19937_64 random(8);
    std::uniform_real_distribution<double> metres(100000.0, 900000.0);
    std::uniform_real_distribution<double> degrees(-180.0, 180.0);
    std::vector<std::string> texts;
    texts.reserve(std::size_t(count));
    char buffer[40];
    for (int i = 0; i < count; ++i) {
        if (style == 0)
            std::snprintf(buffer, sizeof buffer, "%.3f", metres(random));
        else
            std::snprintf(buffer, sizeof buffer, style == 1 ? "%.16g" : "%.17g",
                          i % 2 ? metres(random) : degrees(random));
        texts.emplace_back(buffer);
    }
    return texts;
}

// The best of `runs` by this thread's CPU time: the machine is shared, and wall time mostly
// measures the others.
template <typename F> double bestCpu(int runs, F&& f)
{
    double fastest = 1e30;
    for (int i = 0; i < runs; ++i) {
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        f();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        fastest = std::min(fastest, double(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9);
    }
    return fastest;
}

// The reader's number conversion against std::from_chars (correctly rounded) on the same texts:
// the time ratio, and how many results differ in any bit (must be 0).
void coordinateConversion()
{
    const char* names[] = {"3 decimals (580012.345)", "16 significant digits", "17 significant digits"};
    const int count = 500000;
    out << "\ncoordinate texts, " << count << " each; CPU times, the best of 15\n";
    for (int style = 0; style < 3; ++style) {
        const std::vector<std::string> texts = coordinateTexts(style, count);
        std::vector<double> ours(texts.size()), exact(texts.size());
        const double baseline = bestCpu(15, [&] {
            for (std::size_t i = 0; i < texts.size(); ++i)
                std::from_chars(texts[i].data(), texts[i].data() + texts[i].size(), exact[i]);
        });
        const double reader = bestCpu(15, [&] {
            for (std::size_t i = 0; i < texts.size(); ++i)
                ours[i] = DxfPolylineReader::leadingNumber(texts[i]);
        });
        long differing = 0;
        for (std::size_t i = 0; i < texts.size(); ++i)
            differing += std::memcmp(&ours[i], &exact[i], sizeof(double)) != 0;
        // Three decimals take the quick path; longer texts a full conversion plus the reader's own rules.
        out << QString::asprintf("  %-24s from_chars %6.1f ns, leadingNumber %6.1f ns = %4.2fx from_chars "
                                 "(goal <= %s); %ld results differ (goal 0)\n",
                                 names[style], baseline * 1e9 / count, reader * 1e9 / count, reader / baseline,
                                 style == 0 ? "1" : "1.5", differing);
    }
    out.flush();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--child-idle"))
        return 0;
    if (args.value(0) == QLatin1String("--child-read"))
        return readAndClean(args.value(1)) >= 0 ? 0 : 1;
    if (args.value(0) == QLatin1String("--numbers")) {
        coordinateConversion();
        return 0;
    }

    QTemporaryDir folder;
    QStringList files = args;
    if (files.isEmpty()) {
        const long long mb = qEnvironmentVariableIntValue("LOTMARK_BENCH_DXF_MB") > 0
                                 ? qEnvironmentVariableIntValue("LOTMARK_BENCH_DXF_MB")
                                 : 100;
        for (const bool r12 : {false, true}) {
            const QString path = QStringLiteral("/tmp/lotmark_bench_dxf_%1MB%2.dxf").arg(mb).arg(r12 ? "_r12" : "");
            if (!QFile::exists(path)) {
                std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
                const auto counts = DxfDrawingWriter::write(file, mb * 1048576, r12);
                std::fclose(file);
                out << "wrote " << path << ": " << counts.parcels << " parcels, " << counts.buildings << " buildings"
                    << Qt::endl;
            }
            files << path;
        }
    }
    coordinateConversion();
    const QString dxflib = dxflibCounter(folder.path());
    for (const QString& path : files)
        benchFile(path, dxflib);

    const double small = wizardLists(folder.path(), 8333);
    const double large = wizardLists(folder.path(), 16666);
    out << QString::asprintf("\nwizard lists (pages 1 and 2): ~25,000 polylines %.3f s, ~50,000 polylines %.3f s, "
                             "ratio %.2f (linear: about 2)\n",
                             small, large, large / small);
    return 0;
}
