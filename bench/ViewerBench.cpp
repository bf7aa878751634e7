#include "ViewerBench.h"

#include "BenchPictures.h"
#include "controls/FileList.h"
#include "imaging/PictureSource.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "support/Controls.h"
#include "viewer/Form4.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdio>

namespace sorvane::bench {
namespace {

class NoPrompts : public Prompts {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

// The viewer open on the first of `count` files, its picture area sized to
// the box. The baseline reads every picture whole when it is shown, without
// reading ahead, and the picture control scales it down.
class Viewer {
public:
    Viewer(const QString& root, const QStringList& originals, const QString& ending, int count,
           QSize box, Mode mode)
        : pictures_(PicturesFor(mode)) {
        module_.ProgramFolder = root + QStringLiteral("/program");
        QDir().mkpath(module_.ProgramFolder);
        QFile::copy(QStringLiteral(SORVANE_COMPANION_DIR "/Error.jpg"),
                    module_.ProgramFolder + "/Error.jpg");
        FillFolder(root + "/src", originals, count, ending);
        list_.setFolder(root + "/src");
        module_.RunTime.ViewerFileName = list_.name(0);
        module_.SlideshowSeconds = 1;
        window_ = std::make_unique<Form4>(module_, prompts_, *pictures_, list_);
        window_->Form_Load();
        window_->show();
        if (!QTest::qWaitForWindowExposed(window_.get()))
            qWarning("the viewer was never shown");
        // The area is what the window has left for it: grow the window by
        // what it still lacks.
        const QWidget* area = test::ControlNamed<QWidget>(window_.get(), "Picture1");
        const QSize lack = box - area->size();
        window_->resize(window_->size() + lack);
        // Shown again at the new size. The steps start as after a look at the
        // first picture: with the two files after it read ahead (a load
        // waits for a file being read ahead; the baseline reads none ahead).
        QTest::qWait(100);
        if (mode == Mode::Sorvane)
            for (int i : {1, 2})
                pictures_->load(list_.folder() + u'/' + list_.name(i), box);
        if (area->size() != box)
            qWarning("picture area %dx%d", area->width(), area->height());
    }

    Form4& window() { return *window_; }
    const Module1& module() const { return module_; }

private:
    Module1 module_;
    NoPrompts prompts_;
    std::unique_ptr<PictureSource> pictures_;
    FileList list_;
    std::unique_ptr<Form4> window_;
};

} // namespace

ViewerStepResult MeasureViewerSteps(const QString& root, const QStringList& originals,
                                    const QString& ending, int steps, int intervalMs, QSize box,
                                    Mode mode) {
    Viewer viewer(root, originals, ending, steps + 1, box, mode);
    ViewerStepResult result;
    // Memory settles once the cache is full and the decoders have their buffers.
    const int settledAt = std::min(100, steps / 10);
    double settled = 0;
    for (int i = 0; i < steps; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(&viewer.window(), Qt::Key_Space);
        QCoreApplication::processEvents(); // the paint of the new picture
        result.latency.Add(double(timer.nsecsElapsed()) / 1e6);
        result.peakResidentMiB = qMax(result.peakResidentMiB, ResidentMiB());
        if (i == settledAt) {
            settled = ResidentMiB();
            result.heapSettled = Heap();
        }
        QTest::qWait(intervalMs);
    }
    result.growthMiB = ResidentMiB() - settled;
    result.heapEnd = Heap();
    if (viewer.module().RunTime.ViewerFileIndex != steps)
        qWarning("the viewer stopped at %d of %d", viewer.module().RunTime.ViewerFileIndex, steps);
    return result;
}

SlideshowResult MeasureSlideshow(const QString& root, const QStringList& originals, int ticks,
                                 QSize box, Mode mode) {
    Viewer viewer(root, originals, QStringLiteral("JPG"), ticks + 2, box, mode);
    QList<qint64> shownAt;
    QList<int> positions;
    QElapsedTimer clock;
    QObject::connect(&viewer.window(), &QWidget::windowTitleChanged, [&] {
        shownAt.append(clock.elapsed());
        positions.append(viewer.module().RunTime.ViewerFileIndex);
    });
    clock.start();
    viewer.window().Toolbar1_ButtonClick(6);
    if (!QTest::qWaitFor([&] { return shownAt.size() >= ticks; }, ticks * 1000 + 30000))
        qWarning("the slideshow showed %lld of %d pictures", qint64(shownAt.size()), ticks);
    viewer.window().Toolbar1_ButtonClick(6);
    SlideshowResult result;
    for (int i = 0; i < shownAt.size(); ++i) {
        result.worstLateMs = qMax(result.worstLateMs, double(qAbs(shownAt[i] - (i + 1) * 1000)));
        if (positions[i] != i + 1)
            ++result.skipped;
    }
    result.skipped += ticks - int(shownAt.size());
    return result;
}

void ViewerRows(const QStringList& jpegs, const QStringList& pngs, bool quick, bool skipBaseline,
                const RowPrinter& row) {
    const QSize box(1920, 1080);
    const QString folder = QStringLiteral("viewer 1920x1080");
    const int ourSteps = quick ? 40 : 200, baseSteps = quick ? 6 : 20;
    auto steps = [&](const QStringList& originals, const QString& ending, int ours) {
        QTemporaryDir a, b;
        const ViewerStepResult mine =
            MeasureViewerSteps(a.path(), originals, ending, ours, 300, box, Mode::Sorvane);
        const ViewerStepResult base = skipBaseline
                                          ? ViewerStepResult{}
                                          : MeasureViewerSteps(b.path(), originals, ending,
                                                               baseSteps, 300, box, Mode::Baseline);
        return std::pair{mine, base};
    };
    const auto [jpeg, jpegBase] = steps(jpegs, "JPG", ourSteps);
    row("viewer step -> painted, median (JPEG 6000x4000)", folder, jpeg.latency.Median(),
        jpegBase.latency.Median(), "ms", "<= 5 ms, >= 30x", false);
    row("viewer step -> painted, 99th percentile", folder, jpeg.latency.Percentile(99),
        jpegBase.latency.Percentile(99), "ms", "<= 30 ms", false);
    const auto [png, pngBase] = steps(pngs, "PNG", quick ? 15 : 60);
    row("viewer step -> painted, median (PNG 4000x3000)", folder, png.latency.Median(),
        pngBase.latency.Median(), "ms", "<= 8 ms", false);

    const int ticks = quick ? 8 : 30;
    QTemporaryDir c, d;
    const SlideshowResult show = MeasureSlideshow(c.path(), jpegs, ticks, box, Mode::Sorvane);
    const SlideshowResult showBase =
        skipBaseline ? SlideshowResult{}
                     : MeasureSlideshow(d.path(), jpegs, ticks, box, Mode::Baseline);
    row(QStringLiteral("slideshow at 1 s: worst tick lateness (%1 ticks)").arg(ticks), folder,
        show.worstLateMs, showBase.worstLateMs, "ms", "<= 50 ms", false);
    row("slideshow at 1 s: pictures skipped", folder, show.skipped, showBase.skipped, "", "0",
        false);

    ViewerMemoryRows(jpegs, quick, jpegBase, row);
}

void ViewerMemoryRows(const QStringList& jpegs, bool quick, const ViewerStepResult& base,
                      const RowPrinter& row) {
    const QSize box(1920, 1080);
    const QString folder = QStringLiteral("viewer 1920x1080");
    const int many = quick ? 150 : 1000;
    QTemporaryDir e;
    const ViewerStepResult memory =
        MeasureViewerSteps(e.path(), jpegs, "JPG", many, 100, box, Mode::Sorvane);
    row(QStringLiteral("viewer resident memory, peak (%1 steps)").arg(many), folder,
        memory.peakResidentMiB, base.peakResidentMiB, "MiB", "<= 400 MiB", false);
    row(QStringLiteral("viewer memory growth after step %1").arg(std::min(100, many / 10)), folder,
        memory.growthMiB, base.growthMiB, "MiB", "no growth", false);
    std::printf("(heap at step %d / at the end: %.0f / %.0f MiB in use, %.0f / %.0f MiB kept "
                "free, %.0f / %.0f MiB mapped)\n",
                std::min(100, many / 10), memory.heapSettled.used, memory.heapEnd.used,
                memory.heapSettled.keptFree, memory.heapEnd.keptFree, memory.heapSettled.mapped,
                memory.heapEnd.mapped);
    row(QStringLiteral("viewer step -> painted, median (%1 steps)").arg(many), folder,
        memory.latency.Median(), base.latency.Median(), "ms", "<= 5 ms", false);
}

} // namespace sorvane::bench
