#pragma once

#include "sorting/Form1Controls.h"
#include "sorting/SortingRun.h"

#include <QPalette>

#include <functional>

namespace sorvane {

// What the main window shows of a sorting run while the run does the work:
// the slot being sent to in red with its button off, the destination or the
// failure in Label4, the undo button on while there is something to undo,
// the list and its counts after files came or went, and the browsing
// controls the extend arrangements hide while a run lasts.
class RunDisplay : public SortingRun::Window {
public:
    // What it needs of the window beyond its controls.
    struct Hooks {
        std::function<void()> refreshPreview;
        std::function<void()> showCounts;
        std::function<void()> letEventsIn;
        std::function<bool()> canUndo;
    };
    RunDisplay(const Form1Controls& ui, Hooks hooks);

    void enableUndoButton();
    void showBrowsing(bool visible, bool pathLabelsToo);

    QString firstName() const override;
    QString listFolder() const override;
    void letEventsIn() override;
    void sendStarting(int slot) override;
    void sendingTo(const QString& targetFolder) override;
    void historyChanged() override;
    void listChanged() override;
    void sendFinished(int slot) override;
    void undoFinished() override;
    void reportFailure(const QString& line) override;
    // Label4 says something that is no failure (the program a launch started).
    void showLine(const QString& line);

private:
    const Form1Controls& ui_;
    Hooks hooks_;
    QPalette slotPalette_; // the slot label's colours while it shows red
};

} // namespace sorvane
