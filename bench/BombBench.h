#pragma once

#include "ViewerBench.h"

namespace sorvane::bench {

// Pictures built to cost far more than they weigh, each loaded in a child
// process for the viewer's box (1920 x 1080) so that its time and memory are
// its own: a 74-byte PNG whose cut header claims 32768 x 32768 pixels, a
// valid 130 KB one-bit PNG of 32768 x 32767 pixels, and an ordinary
// 100-megapixel PNG. The baseline decodes at full size and then scales.
void BombRows(const RowPrinter& row);

} // namespace sorvane::bench
