#pragma once

#include "BenchStats.h"
#include "SortingBench.h"
#include "ViewerBench.h"

#include <QStringList>

#include <array>

namespace sorvane::bench {

// Where a press's time goes on a real X server: from the key sent to the
// server to the picture drawn by it, stage by stage.
enum class XStage {
    Delivered,   // the server and Qt's connection hand the press to the window
    Moved,       // the send: the file moved
    Listed,      // the list without it
    Handed,      // the next picture into the picture control
    Painted,     // the window painted, up to the picture control
    Flushed,     // the rest of the paint and the backing store's flush
    KeyToFlush,  // the press received until flushed: the program's own time
    ServerDrew,  // flushed until the server has drawn it
    SentToDrawn, // the whole way, key sent to picture drawn
};
inline constexpr int XStageCount = 9;

struct XStageResult {
    std::array<Samples, XStageCount> stages;
    int misplaced = 0;
};

// The sorting window on the X server the application is connected to, a
// folder of 2,000 of the pictures, a press of 4 every 300 ms.
XStageResult MeasureStagesOnServer(const QString& root, const QStringList& originals, int presses,
                                   Mode mode);

void RealDisplayRows(const QStringList& jpegs, bool quick, bool skipBaseline, const RowPrinter& row,
                     int& misplaced);

} // namespace sorvane::bench
