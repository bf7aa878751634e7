#pragma once

#include "platform/ArrivalOrder.h"
#include "sorting/SendOperations.h"
#include "sorting/SendRecorder.h"
#include "sorting/UndoHistory.h"

#include <QSet>
#include <QString>

namespace sorvane {

class Prompts;
struct Module1;

// The sends and undos of a sorting run, without any widget. A send moves the
// first file of the list into a slot's folder (or copies it, in copy mode);
// an undo puts the last placed file back. They run one after another in the
// order they were asked for: a press that arrives while a send waits for
// events is queued, not run inside it, so each send takes the file that is
// first when its turn comes and the files end up in the order pressed.
class SortingRun {
public:
    // What the run needs from the window that shows it, and what it tells it.
    class Window {
    public:
        virtual ~Window() = default;
        virtual QString firstName() const = 0;  // the first file of the list, empty when none
        virtual QString listFolder() const = 0; // the folder the list shows
        virtual void letEventsIn() = 0;         // lets waiting events (more presses) arrive
        virtual void sendStarting(int slot) = 0;
        virtual void sendingTo(const QString& targetFolder) = 0; // the destination is known
        virtual void historyChanged() = 0;                       // undo became possible or not
        virtual void listChanged() = 0;                          // files came or went
        virtual void sendFinished(int slot) = 0;
        virtual void undoFinished() = 0;
        // A line for the user: why a send or undo did nothing, or where a
        // replaced file went when no trash could take it.
        virtual void reportFailure(const QString& line) = 0;
    };

    SortingRun(Module1& module, Prompts& prompts, Window& window);

    void send(int slot); // slots 0-10; 10 is the bulk-delete folder
    void undo();
    // Clears what a killed run of this program left in the source folder;
    // done once a run of the program, when the first run starts.
    void tidySource();

    // Presses still waiting for their turn behind the one under way.
    int waiting() const { return order_.waiting(); }
    bool idle() const { return order_.idle(); }
    const UndoHistory& history() const { return history_; }

    // The sends placed at these destinations were taken back by other means
    // (the journal's window): the undo no longer offers them.
    void forgetSendsTo(const QStringList& destinations);

    // Where each completed send and undo is recorded; none by default.
    void setRecorder(SendRecorder* recorder) { recorder_ = recorder; }

private:
    void sendFile(int slot);
    void undoLastSend();
    GroupOutcome place(const SendPlan& plan, bool keepSource);
    bool confirmSameName();
    void reportKeptBeside(const SetAsideFile& replaced);
    void tidy(const QString& folder);
    void record(JournalEvent event);

    Module1& module_;
    Prompts& prompts_;
    Window& window_;
    UndoHistory history_;
    ArrivalOrder order_;
    QSet<QString> tidied_; // folders cleared of stale hidden files of this program
    SendRecorder* recorder_ = nullptr;
};

} // namespace sorvane
