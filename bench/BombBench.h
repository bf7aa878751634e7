#pragma once

#include "ViewerBench.h"

#include <functional>

namespace sorvane::bench {

// Pictures built to cost far more than they weigh, each loaded in a child
// process for the viewer's box (1920 x 1080) so that its time and memory are
// its own: a 74-byte PNG whose cut header claims 32768 x 32768 pixels, a
// valid 130 KB one-bit PNG of 32768 x 32767 pixels, and an ordinary
// 100-megapixel PNG. The baseline decodes at full size and then scales.
// Then HugeClaimRows.
void BombRows(const RowPrinter& row);

// A HEIC, an AVIF, a TIFF and a raw file whose headers claim 100000 x
// 100000 pixels, made in dir (no baseline: before, none of these kinds was
// read at all). `--only claims` runs these alone.
void HugeClaimRows(const QString& dir, const RowPrinter& row);

struct Cost {
    double ms = 0;
    double peakMiB = 0; // resident memory above what the process had before
};

// Runs the load in a child, so each figure starts from the same memory.
Cost MeasureInChild(const std::function<void()>& load);

} // namespace sorvane::bench
