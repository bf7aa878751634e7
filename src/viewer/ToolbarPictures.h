#pragma once

#include <QIcon>

namespace sorvane {

// The viewer toolbar's pictures, numbered 1 to 8: options, close, first,
// back one, slideshow, forward one, last, and the slideshow while it runs.
// Drawn here as 16 x 16 shapes, at 1x and 2x, so they stay crisp on any
// screen. Numbers outside 1..8 give an empty icon.
QIcon ToolbarPicture(int number);

} // namespace sorvane
