#include "PreviewBench.h"

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StageMarks.h"
#include "imaging/PictureSource.h"

#include <QDir>
#include <QElapsedTimer>
#include <QInputDevice>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace sorvane::bench {
namespace {

constexpr int FolderSize = 2000;

double Ms(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

// One state of the picture area: the picture in view (its image's key) or
// none (0), from the time it was first flushed.
struct AreaState {
    qint64 at = 0;
    qint64 picture = 0;
};

BurstResult Summarise(const QList<AreaState>& states, qint64 lastPressAt) {
    BurstResult result;
    result.changes = int(states.size()) - 1;
    result.shortestStayMs = -1;
    for (int i = 0; i < states.size(); ++i) {
        if (states[i].picture == 0) {
            ++result.blanks;
            continue;
        }
        if (i == 0 || i == states.size() - 1)
            continue;
        const double stay = Ms(states[i + 1].at - states[i].at);
        if (result.shortestStayMs < 0 || stay < result.shortestStayMs)
            result.shortestStayMs = stay;
    }
    result.shortestStayMs = qMax(result.shortestStayMs, 0.0);
    result.lastAfterPressMs = qMax(Ms(states.last().at - lastPressAt), 0.0);
    return result;
}

} // namespace

StartResult MeasureStart(const QString& root, const QStringList& originals, int samples,
                         bool readAhead) {
    StartResult result;
    for (int i = 0; i < samples; ++i) {
        const QString at = root + QStringLiteral("/start%1").arg(i);
        FillFolder(at + "/src", originals, FolderSize, QStringLiteral("JPG"));
        PictureSource::Options options;
        options.workers = readAhead ? options.workers : 0;
        QElapsedTimer clock;
        qint64 firstFlush = -1;
        App().flushed = [&] {
            if (firstFlush < 0)
                firstFlush = clock.nsecsElapsed();
        };
        clock.start();
        Program program(at, std::make_unique<PictureSource>(options));
        result.firstPaint.Add(Ms(firstFlush));
        // The click comes when the user has looked at the window for a
        // moment: long enough for the first files to be read ahead.
        QTest::qWait(300);
        if (readAhead &&
            !RunEventsUntil([&] { return program.pictures().cachedCount() >= 4; }, 30000))
            qWarning("the first files were not read ahead");
        MarkFlushesAfterPaint();
        ClearStages();
        const qint64 clicked = StageClockNow();
        QTest::mouseClick(program.window().findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        if (!RunEventsUntil([] { return StageTimes()[int(Stage::Flushed)] >= 0; }, 10000))
            qWarning("the first picture was never painted");
        result.firstPicture.Add(Ms(StageTimes()[int(Stage::Flushed)] - clicked));
        App().flushed = {};
    }
    return result;
}

BurstResult MeasureBurst(const QString& root, const QStringList& originals, double seconds,
                         Mode mode) {
    const QStringList names =
        FillFolder(root + "/src", originals, FolderSize, QStringLiteral("JPG"));
    Program program(root, mode);
    program.window().Command1_Click();
    QTest::qWait(500);
    const ImageBox* image = program.image();
    QElapsedTimer clock;
    clock.start();
    QList<AreaState> states;
    auto sample = [&] {
        const qint64 picture =
            image->isVisible() && image->hasPicture() ? image->picture().cacheKey() : 0;
        if (states.isEmpty() || states.last().picture != picture)
            states.append({clock.nsecsElapsed(), picture});
    };
    sample();
    App().flushed = sample;
    // The key repeats as a keyboard repeats it: a press and its release
    // every 33 ms whatever the program is doing, waiting in its queue.
    QPushButton* sink = program.focusSink();
    auto post = [sink](QEvent::Type type, bool repeat) {
        QCoreApplication::postEvent(
            sink, new QKeyEvent(type, Qt::Key_4, {}, QStringLiteral("4"), repeat));
    };
    // Key events name the keyboard they come from; made here, before the
    // keyboard thread's first event would make it on that thread.
    QInputDevice::primaryKeyboard();
    std::atomic<int> posted = 0;
    std::atomic<qint64> lastPressAt = 0;
    std::thread keyboard([&] {
        for (int i = 0; clock.elapsed() < qint64(seconds * 1000); ++i) {
            if (i > 0)
                post(QEvent::KeyRelease, true);
            lastPressAt = clock.nsecsElapsed();
            post(QEvent::KeyPress, i > 0);
            ++posted;
            std::this_thread::sleep_until(
                std::chrono::steady_clock::now() +
                std::chrono::milliseconds(33 * (i + 1) - clock.elapsed()));
        }
        post(QEvent::KeyRelease, false);
    });
    const QString slot = Program::Slot(root, 4);
    auto sent = [&slot] { return int(QDir(slot).entryList(QDir::Files).size()); };
    RunEventsUntil([&] { return clock.elapsed() > qint64(seconds * 1000) + 100; },
                   int(seconds * 1000) + 1000);
    keyboard.join();
    if (!RunEventsUntil([&] { return sent() >= posted; }, 60000))
        qWarning("not every press was sent");
    RunEventsUntil([] { return false; }, 1500); // the final picture, however long it takes
    App().flushed = {};
    BurstResult result = Summarise(states, lastPressAt);
    const QString first = program.window().fileList().name(0);
    result.endsOnFinalFile =
        image->isVisible() && states.last().picture != 0 &&
        program.window().currentImagePath() == program.window().fileList().folder() + u'/' + first;
    result.misplaced = CountMisplaced(root, names, QList<int>(posted, 4));
    return result;
}

namespace {
void StartRows(const QStringList& jpegs, int samples, bool skipBaseline, const RowPrinter& row) {
    // The two kinds of start take turns, so that neither has the machine's
    // warmer caches (the program's own libraries, fonts, the folder's
    // inodes) to itself.
    QTemporaryDir a, b;
    StartResult ahead, cold;
    auto add = [](StartResult& to, const StartResult& one) {
        to.firstPaint.Add(one.firstPaint);
        to.firstPicture.Add(one.firstPicture);
    };
    for (int i = 0; i < samples; ++i) {
        const QString turn = QStringLiteral("/%1").arg(i);
        add(ahead, MeasureStart(a.path() + turn, jpegs, 1, true));
        if (!skipBaseline)
            add(cold, MeasureStart(b.path() + turn, jpegs, 1, false));
    }
    const QString folder = QStringLiteral("2,000 JPEGs, read ahead / cold");
    row("click -> first picture painted, median", folder, ahead.firstPicture.Median(),
        cold.firstPicture.Median(), "ms", "<= 50 ms", false);
    row("window's first paint after start, median", folder, ahead.firstPaint.Median(),
        cold.firstPaint.Median(), "ms", "<= cold", false);
}

// Where a burst ends against the reading ahead decides whether its final
// picture is ready then, so one burst says little: the worst of several for
// the steadiness, the median for the final picture.
BurstResult Bursts(const QStringList& jpegs, double seconds, Mode mode, int count) {
    BurstResult all;
    all.endsOnFinalFile = true;
    Samples last;
    for (int i = 0; i < count; ++i) {
        QTemporaryDir dir;
        const BurstResult one = MeasureBurst(dir.path(), jpegs, seconds, mode);
        all.changes = qMax(all.changes, one.changes);
        all.blanks = qMax(all.blanks, one.blanks);
        all.shortestStayMs =
            i == 0 ? one.shortestStayMs : qMin(all.shortestStayMs, one.shortestStayMs);
        all.endsOnFinalFile = all.endsOnFinalFile && one.endsOnFinalFile;
        all.misplaced += one.misplaced;
        last.Add(one.lastAfterPressMs);
    }
    all.lastAfterPressMs = last.Median();
    return all;
}

void BurstRows(const QStringList& jpegs, bool quick, bool skipBaseline, const RowPrinter& row,
               int& misplaced) {
    const double seconds = 3;
    const int count = quick ? 1 : 5;
    const BurstResult ours = Bursts(jpegs, seconds, Mode::Sorvane, count);
    const BurstResult base =
        skipBaseline ? BurstResult{} : Bursts(jpegs, seconds, Mode::Baseline, count);
    misplaced += ours.misplaced + base.misplaced;
    const QString held = QStringLiteral("key held 3 s, 30/s, %1 times").arg(count);
    row("held key: picture changes, most", held, ours.changes, base.changes, "", "-", false);
    row("held key: blank states, most", held, ours.blanks, base.blanks, "", "<= 1", false);
    row("held key: shortest stay (first, last aside)", held, ours.shortestStayMs,
        base.shortestStayMs, "ms", ">= 100 ms", true);
    row("held key: last press -> final picture, median", held, ours.lastAfterPressMs,
        base.lastAfterPressMs, "ms", "<= 150 ms", false);
    if (!ours.endsOnFinalFile)
        std::printf("(the held key ended with the preview not on the final file)\n");
}
} // namespace

void PreviewRows(const QStringList& jpegs, bool quick, bool skipBaseline, const RowPrinter& row,
                 int& misplaced, bool start, bool burst) {
    if (start)
        StartRows(jpegs, quick ? 3 : 7, skipBaseline, row);
    if (burst)
        BurstRows(jpegs, quick, skipBaseline, row, misplaced);
}

} // namespace sorvane::bench
