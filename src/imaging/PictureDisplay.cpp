#include "imaging/PictureDisplay.h"

#include "imaging/PictureSource.h"
#include "platform/FileOps.h"

#include <algorithm>
#include <numeric>

namespace sorvane {

DisplayedPicture DisplayPicture(PictureSource& pictures, const QString& path, QSize box,
                                const QString& substitutePath) {
    DisplayedPicture display{pictures.load(path, box), DisplayOutcome::Shown};
    switch (display.picture.error) {
    case FileError::None:
        return display;
    case FileError::InvalidPicture:
        display.picture = pictures.load(substitutePath, box);
        if (display.picture.isNull())
            display.picture = Picture{QImage(), QSize(0, 0), FileError::None};
        display.outcome = DisplayOutcome::SubstituteShown;
        return display;
    case FileError::PathNotFound:
        return {{}, DisplayOutcome::MissingFolder};
    default:
        return {};
    }
}

DisplayOutcome SkippedDisplay(const QString& path) {
    if (!IsRegularFile(path) && MissingPathError(path) == FileError::PathNotFound)
        return DisplayOutcome::MissingFolder;
    return DisplayOutcome::Quiet;
}

namespace {

std::vector<int> Within(std::vector<int> indices, int count) {
    std::erase_if(indices, [count](int i) { return i < 0 || i >= count; });
    return indices;
}

} // namespace

std::vector<int> ReadAheadAfterSend(int waitingPresses, int count) {
    std::vector<int> indices(size_t(std::min(4 + waitingPresses, MostReadAhead)));
    std::iota(indices.begin(), indices.end(), 0);
    return Within(std::move(indices), count);
}

std::vector<int> ReadAheadAround(int index, int count) {
    return Within({index + 1, index - 1}, count);
}

} // namespace sorvane
