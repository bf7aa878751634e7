#pragma once

#include "controls/PicturePane.h"
#include "platform/FileError.h"
#include "sorting/PreviewFollower.h"

#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace sorvane {

struct Form1Controls;
struct Module1;
class SortingRun;

// Lets waiting events run (paints, the next press) in the middle of a step.
void LetEventsIn();

// The main window's preview: one file of the list shown fitted in the
// preview box, with its name and size, while browsing and through a run's
// sends; and the files read ahead that it will show next. The window keeps
// the handlers; this decides what the box shows.
class MainPreview {
public:
    // What it needs of the window beyond its controls.
    struct Hooks {
        std::function<void(FileError, const QString&)> reportError;
        std::function<QSize()> runBox; // the box a run started now shows its first file in
        std::function<void()> launch;  // opens CurrentImagePath with its program
    };
    MainPreview(QWidget& window, const Form1Controls& ui, PictureSource& pictures,
                const QString& substitutePath, const Module1& module, const SortingRun& run,
                Hooks hooks);

    QString currentImagePath() const { return CurrentImagePath; }
    // The file in hand: the first of the list (a run laid out for it).
    void takeFirstFile();

    void refresh();
    void showSelectedFile();
    void refit();
    void stepSelection(bool forward);
    void press(int button); // a press on the picture area outside a run
    void previewSelectedFile();
    void readAheadForRun();

    // The last key press was a repeat of a held key, or the key came up;
    // then the preview catches up with the file in hand if it stayed behind.
    void setKeyHeld(bool held) { keyHeld_ = held; }
    void keyReleased();

private:
    QString SourcePathOf(const QString& name) const;
    bool ShowPicture(const QString& path);
    void PutInPreview(const QString& path);
    void ShowReadyPicture(const QString& first);
    void ShowFileName(const QString& name);
    void FitPreview();
    void ReadAhead(const std::function<std::vector<int>()>& pick,
                   const std::function<QSize()>& box = {});
    void SetPreviewBusy(bool busy);

    QWidget& window_;
    const Form1Controls& ui_;
    PicturePane pane_; // Picture1 with Image1 in it
    const Module1& module_;
    const SortingRun& run_;
    Hooks hooks_;
    PreviewFollower follower_; // what the preview shows and reads ahead during sends
    bool keyHeld_ = false;     // the last key press was a repeat of a held key
    QString CurrentImagePath;  // the file last put into the preview
};

} // namespace sorvane
