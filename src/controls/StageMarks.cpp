#include "controls/StageMarks.h"

#include <QElapsedTimer>

namespace sorvane {
namespace {

// The marks of one press, on the window's thread only: a benchmark's
// instrument, not state of the program.
struct Marks {
    QElapsedTimer clock;
    std::array<qint64, StageCount> times;
    Marks() {
        clock.start();
        times.fill(-1);
    }
};

Marks& TheMarks() {
    static Marks marks;
    return marks;
}

} // namespace

#ifdef SORVANE_STAGE_MARKS
void MarkStage(Stage stage) {
    qint64& time = TheMarks().times[size_t(stage)];
    if (time < 0)
        time = TheMarks().clock.nsecsElapsed();
}
#endif

void ClearStages() {
    TheMarks().times.fill(-1);
}

std::array<qint64, StageCount> StageTimes() {
    return TheMarks().times;
}

qint64 StageClockNow() {
    return TheMarks().clock.nsecsElapsed();
}

} // namespace sorvane
