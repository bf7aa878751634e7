#pragma once

#include <QString>
#include <Qt>

#include <vector>

namespace sorvane {

// The viewer's rules that need no widget: where each step leaves the
// position in the list, what the caption says, and the slideshow's interval.
// Positions and counts are plain ints: a folder may list far more than the
// 32,767 files a 16-bit position could reach.

// Where a step leaves the position, and whether the file there is shown. A
// step that runs into either end of the list keeps the position at that end
// and shows nothing new.
struct StepTarget {
    int index = 0;
    bool show = false;
};

StepTarget StepForward(int index, int count);
StepTarget StepBack(int index);
StepTarget StepToFirst(int index);
StepTarget StepToLast(int index, int count);
// A slideshow tick past the last file goes on with the first when it
// repeats; otherwise it stays at the last file and the slideshow ends.
StepTarget StepByTick(int index, int count, bool repeat);

// What a key does in the viewer, as a full-screen viewer's keys do: Space
// and Right or Page Down step forward, Shift+Space and Left or Page Up step
// back, Home and End go to the first and the last file, Escape closes. Other
// keys, and these with other modifiers (the keypad's aside), do nothing.
enum class ViewerKey { None, Forward, Back, First, Last, Close };
ViewerKey ViewerKeyOf(int key, Qt::KeyboardModifiers modifiers);

// Where the step of such a key leaves the position, and the direction it
// reads ahead in (+1 or -1).
StepTarget KeyStepTarget(ViewerKey key, int index, int count);
int KeyStepDirection(ViewerKey key);

// "SorvaneViewer  name   (position/count)", the position counted from 1.
QString ViewerCaption(const QString& name, int index, int count);

// The file size in kilobytes, rounded up.
qint64 KilobytesOf(qint64 bytes);

// The slideshow's interval in milliseconds; 0 (no ticks at all) for a number
// of seconds that is not positive.
int SlideshowInterval(int seconds);

// The list entries to read ahead from the one shown: two further in the
// direction of stepping (+1 or -1), then one the other way.
std::vector<int> ViewerReadAhead(int index, int count, int direction);

} // namespace sorvane
