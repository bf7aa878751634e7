#pragma once

#include "BenchStats.h"
#include "SortingBench.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace sorvane::bench {

struct ViewerStepResult {
    Samples latency; // Space to the next picture painted
    double peakResidentMiB = 0;
    double growthMiB = 0; // resident memory at the end less at step 100 (or the first tenth)
    HeapMiB heapSettled;  // the C heap then, and at the end
    HeapMiB heapEnd;
};

// Space pressed every `intervalMs` in a viewer whose picture area is `box`,
// over a folder of `steps` + 1 links to the given pictures.
ViewerStepResult MeasureViewerSteps(const QString& root, const QStringList& originals,
                                    const QString& ending, int steps, int intervalMs, QSize box,
                                    Mode mode);

struct SlideshowResult {
    double worstLateMs = 0; // the latest picture against its tick's time
    int skipped = 0;        // pictures passed over or shown out of turn
};

// A slideshow at one second for `ticks` ticks.
SlideshowResult MeasureSlideshow(const QString& root, const QStringList& originals, int ticks,
                                 QSize box, Mode mode);

// The viewer's rows of the benchmark table, printed through `row` (figure,
// folder, Sorvane, baseline, unit, target, higher is better).
using RowPrinter = std::function<void(const QString&, const QString&, double, double,
                                      const QString&, const QString&, bool)>;
void ViewerRows(const QStringList& jpegs, const QStringList& pngs, bool quick, bool skipBaseline,
                const RowPrinter& row);
// Of those, the viewer's memory and steps over 1,000 steps (150 quick), with
// the baseline's figures from a shorter run of its own.
void ViewerMemoryRows(const QStringList& jpegs, bool quick, const ViewerStepResult& base,
                      const RowPrinter& row);

} // namespace sorvane::bench
