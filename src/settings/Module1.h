#pragma once

#include "settings/ExtraOptions.h"

#include <QString>

#include <array>
#include <cstdint>

namespace sorvane {

using Flag = std::int16_t; // 1 on, 0 off; always tested for equality with 1

inline constexpr int SlotCount = 11; // slots 0-9 and the bulk-delete folder
inline constexpr int BulkDeleteSlot = 10;

// The program-wide record every window shares: the settings kept in the
// settings file, and the run-time state that lives only while the program
// runs. One instance is made at start-up and handed to each window.
struct Module1 {
    // Where the companion files live, and the settings file unless
    // SettingsPath names another place.
    QString ProgramFolder;
    QString SettingsPath; // empty: Sorvane.ini in the program folder

    // Persistent, in settings-file order.
    QString SourceFolder;
    std::array<QString, SlotCount> FolderSlots;
    QString WindowWidth;
    QString WindowHeight;
    Flag RememberWindowSize = 0;
    Flag RememberSourceFolder = 0;
    Flag SlideshowRepeat = 0;
    std::int16_t SlideshowSeconds = 0;
    Flag LaunchByAssociation = 0;
    Flag ExtendMode = 0;
    Flag VerticalButtons = 0;
    Flag CopyMode = 0;
    Flag ConfirmSameName = 0;
    std::int16_t WindowTop = 0;
    std::int16_t WindowLeft = 0;

    // Kept in a file of their own beside the settings file.
    ExtraOptions Extras;

    // What lives only while the program runs, never saved: the sorting
    // run, the click a Space press swallows, the viewer's place and its
    // slideshow. Kept apart so that nothing saved is mistaken for it.
    struct RunTimeState {
        Flag SortingActive = 0;
        std::int16_t RunLayout = 0;
        Flag SuppressNextClick = 0;
        QString ViewerFileName;
        std::int32_t ViewerFileIndex = 0;
        Flag SlideshowRunning = 0;
    };
    RunTimeState RunTime;
};

} // namespace sorvane
