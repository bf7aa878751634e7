#pragma once

#include "BenchStats.h"
#include "SortingBench.h"
#include "ViewerBench.h"

#include <QString>
#include <QStringList>

namespace sorvane::bench {

struct StartResult {
    Samples firstPaint; // the settings read until the window was first flushed
    Samples
        firstPicture; // the start button clicked until the first picture was painted and flushed
};

// `samples` programs, each new on its own folder of 2,000 of the pictures,
// with the first files read ahead as soon as the folder is known or, for
// the baseline, nothing read ahead: the click decodes.
StartResult MeasureStart(const QString& root, const QStringList& originals, int samples,
                         bool readAhead);

// What the picture area showed while the 4 key was held for `seconds`
// (auto-repeat at 30 presses a second, through the event loop), sampled at
// every flush of the window.
struct BurstResult {
    int changes = 0;             // from one picture (or none) to another
    int blanks = 0;              // states with no picture
    double shortestStayMs = 0;   // the shortest stay of a picture, the first and last aside
    double lastAfterPressMs = 0; // the last press until the final file's picture was flushed
    bool endsOnFinalFile = false;
    int misplaced = 0;
};

BurstResult MeasureBurst(const QString& root, const QStringList& originals, double seconds,
                         Mode mode);

// The rows for the start of a run, and those of the held key.
void PreviewRows(const QStringList& jpegs, bool quick, bool skipBaseline, const RowPrinter& row,
                 int& misplaced, bool start, bool burst);

} // namespace sorvane::bench
