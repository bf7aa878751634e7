// Sorvane's speed on a sorting run, side by side with a plain baseline built
// in SortingBench.cpp. Run: ./dev bench [--quick]
#include "BenchPictures.h"
#include "BenchProgram.h"
#include "BombBench.h"
#include "JournalBench.h"
#include "KindsBench.h"
#include "PreviewBench.h"
#include "RealDisplayBench.h"
#include "SortingBench.h"
#include "ViewerBench.h"
#include "XServer.h"
#include "controls/StageMarks.h"
#include "imaging/MemoryTuning.h"

#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <functional>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace sorvane::bench;

namespace {

struct Sizes {
    int folder = 10000;
    int bigFolder = 100000;
    int jpegPresses = 200;
    int slowPresses = 60;
    int baselinePresses = 20;
    double heldSeconds = 5;
};

QStringList MakePhotos(const QString& dir, int count, QSize size, const char* format,
                       bool progressive, const QString& ending) {
    // Each kind under its own names: progressive JPEGs written as
    // original0.JPG would replace the camera's (baseline) ones.
    const QString stem = progressive ? QStringLiteral("progressive") : QStringLiteral("original");
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        paths << dir + QStringLiteral("/%1%2.%3").arg(stem).arg(i).arg(ending);
        WritePhoto(paths.last(), size, i + (progressive ? 10 : 0), format, progressive);
    }
    return paths;
}

// The ratio says how many times better Sorvane does: for times and memory
// baseline / Sorvane, for rates Sorvane / baseline.
void Row(const QString& figure, const QString& folder, double ours, double baseline,
         const QString& unit, const QString& target, bool higherIsBetter = false) {
    const double ratio =
        higherIsBetter ? (baseline > 0 ? ours / baseline : 0) : (ours > 0 ? baseline / ours : 0);
    std::printf("| %-44s | %-24s | %9.2f %-3s | %9.2f %-3s | %7.1fx | %-14s |\n",
                qPrintable(figure), qPrintable(folder), ours, qPrintable(unit), baseline,
                qPrintable(unit), ratio, qPrintable(target));
    std::fflush(stdout);
}

bool skipBaseline = false; // --ours: measure Sorvane alone, for a quick look

// Runs the measurement in a fresh folder for each mode.
template <typename Result>
std::pair<Result, Result> BothModes(const std::function<Result(const QString&, Mode)>& run) {
    QTemporaryDir ours, baseline;
    const Result first = run(ours.path(), Mode::Sorvane);
    return {first, skipBaseline ? Result{} : run(baseline.path(), Mode::Baseline)};
}

bool RealDisplayOnly(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--only") == 0 && std::strcmp(argv[i + 1], "realx") == 0)
            return true;
    return false;
}

// The real display's rows come from this program run again on an X server
// of its own: one application cannot change its platform.
int RunOnRealDisplay(const QStringList& arguments) {
    std::fflush(stdout);
    QList<QByteArray> args{"sorvane_bench", "--only", "realx"};
    for (const char* flag : {"--quick", "--ours"})
        if (arguments.contains(QLatin1String(flag)))
            args << flag;
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = -1;
    if (posix_spawn(&child, "/proc/self/exe", nullptr, nullptr, argv.data(), environ) != 0)
        return 1;
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int RealDisplayRun(BenchApplication& app, bool quick, bool skip) {
    QTemporaryDir originals;
    std::printf("\nOn Xvfb %s (xcb): making pictures...\n", qgetenv("DISPLAY").constData());
    const QStringList jpegs =
        MakePhotos(originals.path(), 3, QSize(6000, 4000), "JPEG", false, "JPG");
    int misplaced = 0;
    RealDisplayRows(jpegs, quick, skip, Row, misplaced);
    std::printf("\nFiles not in the slot pressed: %d\n", misplaced);
    app.processEvents();
    return misplaced == 0 ? 0 : 1;
}

int Run(int argc, char* argv[], bool realDisplay) {
    sorvane::KeepPictureBuffersInTheHeap(); // as the program does at start-up
    BenchApplication app(argc, argv);
    Sizes sizes;
    if (app.arguments().contains(QStringLiteral("--quick")))
        sizes = Sizes{2000, 20000, 40, 15, 6, 3};
    skipBaseline = app.arguments().contains(QStringLiteral("--ours"));
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    if (realDisplay)
        return RealDisplayRun(app, quick, skipBaseline);
    // --only NAME[,NAME...] runs some measurements: jpeg, png, progressive, held, start, burst,
    // list, viewer (or only its long run, memory), kinds, journal; bombs (or only its new kinds,
    // claims), cold, journal and realx run alone.
    const int only = int(app.arguments().indexOf(QStringLiteral("--only")));
    const QString chosen = only > 0 ? app.arguments().value(only + 1) : QString();
    auto wanted = [&chosen](const char* name) {
        return chosen.isEmpty() || chosen.split(u',').contains(QLatin1String(name));
    };
    if (chosen == QLatin1String("bombs")) { // no camera pictures needed
        BombRows(Row);
        return 0;
    }
    if (chosen == QLatin1String("journal")) { // no camera pictures needed
        JournalRows(sizes.folder, sizes.bigFolder, Row);
        return 0;
    }
    if (chosen == QLatin1String("cold")) {
        ColdRows(Row);
        return 0;
    }
    if (chosen == QLatin1String("claims")) {
        QTemporaryDir dir;
        HugeClaimRows(dir.path(), Row);
        return 0;
    }
    QTemporaryDir originals;
    std::printf("Making pictures...\n");
    std::fflush(stdout);
    const QStringList jpegs =
        MakePhotos(originals.path(), 3, QSize(6000, 4000), "JPEG", false, "JPG");
    const QStringList progressive =
        MakePhotos(originals.path(), 2, QSize(6000, 4000), "JPEG", true, "JPG");
    const QStringList pngs =
        MakePhotos(originals.path(), 2, QSize(4000, 3000), "PNG", false, "PNG");
    std::printf("JPEG %lld bytes, PNG %lld bytes\n\n", QFileInfo(jpegs[0]).size(),
                QFileInfo(pngs[0]).size());
    std::printf("| %-44s | %-24s | %13s | %13s | %8s | %-14s |\n", "figure", "folder", "Sorvane",
                "baseline", "ratio", "target");
    std::printf("|%s|%s|%s|%s|%s|%s|\n", QByteArray(46, '-').data(), QByteArray(26, '-').data(),
                QByteArray(15, '-').data(), QByteArray(15, '-').data(), QByteArray(10, '-').data(),
                QByteArray(16, '-').data());
    const QString folder = QStringLiteral("%1 files").arg(sizes.folder);
    int misplaced = 0;
    auto presses = [&](const QStringList& files, const QString& ending, int ours) {
        const auto both = BothModes<PressResult>([&](const QString& root, Mode mode) {
            return MeasurePresses(root, files, sizes.folder, ending,
                                  mode == Mode::Sorvane ? ours : sizes.baselinePresses, 300, mode);
        });
        misplaced += both.first.misplaced + both.second.misplaced;
        return both;
    };
    if (wanted("jpeg")) {
        const auto [ours, base] = presses(jpegs, "JPG", sizes.jpegPresses);
        Row("press -> moved + painted, median (JPEG 6000x4000)", folder, ours.latency.Median(),
            base.latency.Median(), "ms", "<= 3 ms, >= 50x");
        Row("press -> moved + painted, 99th percentile", folder, ours.latency.Percentile(99),
            base.latency.Percentile(99), "ms", "<= 30 ms");
        Row("resident memory during the JPEG run, peak", folder, ours.peakResidentMiB,
            base.peakResidentMiB, "MiB", "<= 400 MiB");
    }
    if (wanted("png")) {
        const auto [ours, base] = presses(pngs, "PNG", sizes.slowPresses);
        Row("press -> moved + painted, median (PNG 4000x3000)", folder, ours.latency.Median(),
            base.latency.Median(), "ms", "<= 5 ms");
    }
    if (wanted("progressive")) {
        const auto [ours, base] = presses(progressive, "JPG", sizes.slowPresses);
        Row("press -> moved + painted, median (progressive)", folder, ours.latency.Median(),
            base.latency.Median(), "ms", "<= 5 ms");
    }
    if (wanted("held")) {
        const auto [ours, base] = BothModes<HeldKeyResult>([&](const QString& root, Mode mode) {
            return MeasureHeldKey(root, jpegs, sizes.heldSeconds, mode);
        });
        misplaced += ours.misplaced + base.misplaced;
        Row("sends per second, key held (repeat 30/s)", "JPEG 6000x4000", ours.sendsPerSecond,
            base.sendsPerSecond, "/s", ">= 10 /s", true);
    }
    if (wanted("start") || wanted("burst"))
        PreviewRows(jpegs, quick, skipBaseline, Row, misplaced, wanted("start"), wanted("burst"));
    if (wanted("list")) {
        const auto [ours, base] = BothModes<ListResult>([&](const QString& root, Mode mode) {
            return MeasureList(root, sizes.bigFolder, mode);
        });
        const QString big = QStringLiteral("%1 files").arg(sizes.bigFolder);
        Row("list update per send, median", big, ours.update.Median(), base.update.Median(), "ms",
            "<= 10 ms");
        Row("first display after choosing the folder", big, ours.firstDisplay.Median(),
            base.firstDisplay.Median(), "ms", "<= 300 ms");
    }
    if (wanted("viewer"))
        ViewerRows(jpegs, pngs, quick, skipBaseline, Row);
    else if (wanted("memory")) // the viewer's long run alone, without a baseline
        ViewerMemoryRows(jpegs, quick, {}, Row);
    if (wanted("journal"))
        JournalRows(sizes.folder, sizes.bigFolder, Row);
    if (wanted("kinds"))
        KindRows(jpegs, app.arguments().contains(QStringLiteral("--quick")), skipBaseline, Row);
    std::printf("\nFiles not in the slot pressed: %d\n", misplaced);
    const int onRealDisplay = chosen.isEmpty() ? RunOnRealDisplay(app.arguments()) : 0;
    return misplaced == 0 && onRealDisplay == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (!sorvane::StageMarksBuilt) {
        std::fprintf(stderr, "build with -DSORVANE_STAGE_MARKS=ON (./dev bench does)\n");
        return 2;
    }
    const bool realDisplay = RealDisplayOnly(argc, argv);
    if (!realDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return Run(argc, argv, false);
    }
    const XServer server = StartXServer();
    if (server.pid < 0) {
        std::fprintf(stderr, "could not start Xvfb\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    const int code = Run(argc, argv, true);
    StopXServer(server);
    return code;
}
