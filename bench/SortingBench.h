#pragma once

#include "BenchStats.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace sorvane {
class PictureSource;
}

namespace sorvane::bench {

// How the program under measurement works: as Sorvane does, or as a plain
// program would (every display decodes the whole picture at once, every list
// update re-reads the folder with QDir); the baseline is built here, from the
// benchmark's own code.
enum class Mode { Sorvane, Baseline };

QString ModeName(Mode mode);

// The pictures as the mode reads them: the baseline decodes every picture
// whole when it is shown and reads nothing ahead.
std::unique_ptr<PictureSource> PicturesFor(Mode mode);

// Files of `names` not in the slot pressed for them, in order.
int CountMisplaced(const QString& root, const QStringList& names, const QList<int>& slotsPressed);

struct PressResult {
    Samples latency;   // key press to the next preview painted
    int misplaced = 0; // files not in the slot pressed afterwards
    double peakResidentMiB = 0;
};

// One press every `intervalMs` on a folder of the given files, each sending
// the first file to a slot; returns the time from press to painted preview.
PressResult MeasurePresses(const QString& root, const QStringList& originals, int folderSize,
                           const QString& ending, int presses, int intervalMs, Mode mode);

struct HeldKeyResult {
    double sendsPerSecond = 0;
    int misplaced = 0;
};

// The 4 key held for `seconds` with auto-repeat at 30 presses a second.
HeldKeyResult MeasureHeldKey(const QString& root, const QStringList& originals, double seconds,
                             Mode mode);

struct ListResult {
    Samples firstDisplay; // choosing a folder until its list is painted
    Samples update;       // the list update after one file left the folder
};

ListResult MeasureList(const QString& root, int folderSize, Mode mode);

} // namespace sorvane::bench
