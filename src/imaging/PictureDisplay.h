#pragma once

#include "imaging/PictureReader.h"

#include <QSize>
#include <QString>

#include <vector>

namespace sorvane {

class PictureSource;

// What a window does with a file it was asked to show.
enum class DisplayOutcome {
    Shown,           // the file's picture (a PNG the decoder cannot read shows as nothing)
    SubstituteShown, // the file is no picture: the substitute picture stands in for it
    MissingFolder,   // a folder on the path is gone: the window reports it
    Quiet,           // anything else: nothing is shown and nothing said
};

// Whether the outcome puts a picture in view (the file's or the substitute).
inline bool IsPictureShown(DisplayOutcome outcome) {
    return outcome == DisplayOutcome::Shown || outcome == DisplayOutcome::SubstituteShown;
}

struct DisplayedPicture {
    Picture picture;
    DisplayOutcome outcome = DisplayOutcome::Quiet;
};

// The picture to show for path in a box of that size. When the file is no
// picture the substitute (the program's Error.jpg) is shown instead; when
// the substitute itself cannot be read, an empty picture of size 0 x 0.
DisplayedPicture DisplayPicture(PictureSource& pictures, const QString& path, QSize box,
                                const QString& substitutePath);

// The same decision without reading the picture, for a display that would be
// replaced before anyone saw it: only a missing folder is worth telling.
DisplayOutcome SkippedDisplay(const QString& path);

// The list entries worth reading ahead, most wanted first. After a send the
// next sends show the first entries: four, and one more for each press still
// waiting, within the cache's room. Stepping through a list goes either way
// from the entry shown. Entries outside 0..count-1 are left out.
inline constexpr int MostReadAhead = 8;
std::vector<int> ReadAheadAfterSend(int waitingPresses, int count);
std::vector<int> ReadAheadAround(int index, int count);

} // namespace sorvane
