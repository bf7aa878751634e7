#include "RealDisplayBench.h"

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "XServer.h"
#include "controls/StageMarks.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace sorvane::bench {
namespace {

constexpr unsigned long KeysymFour = 0x34; // XK_4

bool Flushed() {
    return StageTimes()[int(Stage::Flushed)] >= 0;
}

// Handles events as they come, without the polling pauses of
// QTest::qWaitFor, which would delay the press it measures.
void WaitForFlush(int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    QTimer wake; // wakes the wait when nothing comes
    wake.start(50);
    while (!Flushed() && waited.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The stages of one press from its marks, or nothing when one is missing.
bool AddStages(XStageResult& result, qint64 sent, qint64 drawn) {
    const std::array<qint64, StageCount> t = StageTimes();
    for (const qint64 time : t)
        if (time < 0)
            return false;
    auto ms = [](qint64 from, qint64 to) { return double(to - from) / 1e6; };
    auto at = [&t](Stage stage) { return t[size_t(stage)]; };
    auto add = [&result](XStage stage, double value) { result.stages[size_t(stage)].Add(value); };
    add(XStage::Delivered, ms(sent, at(Stage::KeyReceived)));
    add(XStage::Moved, ms(at(Stage::KeyReceived), at(Stage::FileMoved)));
    add(XStage::Listed, ms(at(Stage::FileMoved), at(Stage::ListUpdated)));
    add(XStage::Handed, ms(at(Stage::ListUpdated), at(Stage::PictureHanded)));
    add(XStage::Painted, ms(at(Stage::PictureHanded), at(Stage::Painted)));
    add(XStage::Flushed, ms(at(Stage::Painted), at(Stage::Flushed)));
    add(XStage::KeyToFlush, ms(at(Stage::KeyReceived), at(Stage::Flushed)));
    add(XStage::ServerDrew, ms(at(Stage::Flushed), drawn));
    add(XStage::SentToDrawn, ms(sent, drawn));
    return true;
}

} // namespace

XStageResult MeasureStagesOnServer(const QString& root, const QStringList& originals, int presses,
                                   Mode mode) {
    const QStringList names = FillFolder(root + "/src", originals, 2000, QStringLiteral("JPG"));
    Program program(root, mode);
    program.window().Command1_Click();
    QTest::qWait(500);
    MarkFlushesAfterPaint();
    XStageResult result;
    int incomplete = 0;
    for (int i = 0; i < presses; ++i) {
        ClearStages();
        const qint64 sent = StageClockNow();
        if (!PressKeyOnServer(KeysymFour))
            QTest::keyClick(program.focusSink(), Qt::Key_4);
        WaitForFlush(5000);
        SyncWithServer();
        if (!AddStages(result, sent, StageClockNow()))
            ++incomplete;
        QTest::qWait(300);
    }
    App().flushed = {};
    if (incomplete > 0)
        std::printf("(%d of %d presses left a stage unmarked)\n", incomplete, presses);
    result.misplaced = CountMisplaced(root, names, QList<int>(presses, 4));
    return result;
}

void RealDisplayRows(const QStringList& jpegs, bool quick, bool skipBaseline, const RowPrinter& row,
                     int& misplaced) {
    QTemporaryDir a, b;
    const XStageResult ours =
        MeasureStagesOnServer(a.path(), jpegs, quick ? 30 : 100, Mode::Sorvane);
    const XStageResult base =
        skipBaseline ? XStageResult{}
                     : MeasureStagesOnServer(b.path(), jpegs, quick ? 5 : 10, Mode::Baseline);
    misplaced += ours.misplaced + base.misplaced;
    const char* names[XStageCount] = {
        "X: key sent -> key handler, median",     "X: key handler -> file moved, median",
        "X: file moved -> list updated, median",  "X: list -> picture handed, median",
        "X: picture handed -> painted, median",   "X: painted -> backing store flushed",
        "X: key handler -> painted + flushed",    "X: flushed -> server has drawn, median",
        "X: key sent -> server has drawn, median"};
    const QString folder = QStringLiteral("Xvfb, 2,000 JPEG 6000x4000");
    for (int i = 0; i < XStageCount; ++i)
        row(QString::fromLatin1(names[i]), folder, ours.stages[size_t(i)].Median(),
            base.stages[size_t(i)].Median(), "ms", i == int(XStage::KeyToFlush) ? "<= 3 ms" : "-",
            false);
    row("X: key handler -> painted + flushed, 90th pct", folder,
        ours.stages[size_t(XStage::KeyToFlush)].Percentile(90),
        base.stages[size_t(XStage::KeyToFlush)].Percentile(90), "ms", "-", false);
}

} // namespace sorvane::bench
