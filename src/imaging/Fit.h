#pragma once

#include <QSize>

namespace sorvane {

// Where a picture of natural size w x h goes inside a box of bw x bh:
// shrunk, keeping proportions, when wider or higher than the box (width
// first, then height, divide before multiply), never enlarged, centred.
// Single precision, as the window's arithmetic is.
struct FitResult {
    bool stretched = false;
    float left = 0, top = 0, width = 0, height = 0;
};

FitResult FitPicture(float w, float h, float bw, float bh);

// Whether a picture of that natural size is shrunk to fit the box (an
// invalid box or size never shrinks anything).
bool ShrinksToFit(QSize natural, QSize box);

// The fitted size rounded to whole pixels (at least 1 x 1).
QSize FittedSize(QSize natural, QSize box);

} // namespace sorvane
