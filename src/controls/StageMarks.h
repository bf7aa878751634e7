#pragma once

#include <QtGlobal>

#include <array>

namespace sorvane {

// Where the time of a key press goes on its way to the screen, stage by
// stage. The marks exist only in a benchmark build (SORVANE_STAGE_MARKS);
// in every other build MarkStage is an empty inline function and costs
// nothing.
enum class Stage {
    KeyReceived,   // the window's key handler has the press
    FileMoved,     // the send is done and the list is asked to follow
    ListUpdated,   // the list shows the folder without the file
    PictureHanded, // the next picture is in the picture control
    Painted,       // the picture control has painted it
    Flushed,       // the window's backing store is on its way to the screen (marked by the bench)
};
inline constexpr int StageCount = 6;

#ifdef SORVANE_STAGE_MARKS
inline constexpr bool StageMarksBuilt = true;
// Keeps the first time each stage is reached after ClearStages.
void MarkStage(Stage stage);
#else
inline constexpr bool StageMarksBuilt = false;
inline void MarkStage(Stage) {}
#endif

// For the benchmark: the marks since ClearStages, in nanoseconds of one
// monotonic clock, -1 for a stage not reached (always, in a build without
// marks); and that clock, for times taken outside the program.
void ClearStages();
std::array<qint64, StageCount> StageTimes();
qint64 StageClockNow();

} // namespace sorvane
