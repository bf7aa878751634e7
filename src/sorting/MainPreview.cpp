// The preview: one file of the list shown fitted in the preview box.
#include "sorting/MainPreview.h"
#include "controls/AfterPaint.h"
#include "controls/DirList.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/MouseButtons.h"
#include "controls/PicturePane.h"
#include "controls/StatusPanels.h"
#include "imaging/ImageKinds.h"
#include "imaging/PictureDisplay.h"
#include "platform/FileOps.h"
#include "platform/NativeName.h"
#include "platform/NumberText.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "sorting/Form1Controls.h"
#include "sorting/SortingRun.h"

#include <QCoreApplication>
#include <QLabel>

#include <cmath>

namespace sorvane {

void LetEventsIn() {
    QCoreApplication::processEvents();
}

MainPreview::MainPreview(QWidget& window, const Form1Controls& ui, PictureSource& pictures,
                         const QString& substitutePath, const Module1& module,
                         const SortingRun& run, Hooks hooks)
    : window_(window), ui_(ui), pane_(*ui.Picture1, *ui.Image1, pictures, substitutePath),
      module_(module), run_(run), hooks_(std::move(hooks)) {}

void MainPreview::takeFirstFile() {
    CurrentImagePath = SourcePathOf(ui_.File1->name(0));
}

void MainPreview::keyReleased() {
    keyHeld_ = false;
    if (follower_.behind() && module_.RunTime.SortingActive == 1 && run_.idle())
        refresh();
}

void MainPreview::ShowFileName(const QString& name) {
    ui_.StatusBar1->showText(2, name);
}

// The full path of a list entry. It is taken from the folder the list shows,
// so the file previewed is always the file sent, even before the user has
// chosen a folder (the list then shows the current folder while SourceFolder
// still holds the saved one).
QString MainPreview::SourcePathOf(const QString& name) const {
    return JoinPath(ui_.File1->folder(), name);
}

// What the sends, the undo, the stepping and the resizing show: a file that
// is no picture shows the substitute picture, a missing folder is reported,
// and any other failure shows nothing without a word. False when nothing
// is shown.
bool MainPreview::ShowPicture(const QString& path) {
    const DisplayOutcome outcome = pane_.show(path);
    if (outcome == DisplayOutcome::MissingFolder)
        hooks_.reportError(FileError::PathNotFound, {});
    return IsPictureShown(outcome);
}

void MainPreview::FitPreview() {
    const QSize natural = pane_.naturalSize();
    const QSize box = ui_.Picture1->size();
    ui_.Label7->setText(u' ' + SingleText(float(natural.width())) + u'X' +
                        SingleText(float(natural.height())) + QStringLiteral(" Pixel "));
    ui_.Label7->adjustSize();
    ui_.Label7->show();
    ui_.Label5->hide();
    pane_.fit();
    ui_.Label7->move(int(std::lround(float(box.width()) / 2 - float(ui_.Label7->width()) / 2)),
                     box.height() - 20);
}

void MainPreview::refresh() {
    const QString first = SourcePathOf(ui_.File1->name(0));
    follower_.sent(keyHeld_, run_.waiting());
    ReadAhead([this] {
        return follower_.readAhead(run_.waiting(), ui_.File1->count(), pane_.recentReadMs());
    });
    if (run_.waiting() > 0 || keyHeld_) {
        ShowReadyPicture(first);
        return;
    }
    PutInPreview(first);
    const bool shown = ShowPicture(first);
    follower_.movedOn(); // its stay counts from when it is read, not asked for
    if (!shown)
        return;
    ShowFileName(ui_.File1->name(0));
    FitPreview();
    ui_.Image1->show();
}

// The file in hand becomes the one the preview is about: CurrentImagePath
// and the candidates' labels.
void MainPreview::PutInPreview(const QString& path) {
    CurrentImagePath = path;
    for (int i = 0; i < 4; ++i)
        ui_.Label2[size_t(i)]->setText(DisplayName(ui_.File1->name(i)));
    follower_.movedOn();
}

// During a burst of sends nothing is read (see PreviewFollower): the picture
// shown stays, together with the labels that name it, until the file in hand
// is ready. So the preview neither flickers nor ever shows one file's picture
// under another file's name. A missing folder is still told.
void MainPreview::ShowReadyPicture(const QString& first) {
    if (follower_.mayMoveOn() && pane_.showReady(first)) {
        PutInPreview(first);
        ShowFileName(ui_.File1->name(0));
        FitPreview();
        ui_.Image1->show();
        return;
    }
    follower_.fellBehind();
    if (SkippedDisplay(first) == DisplayOutcome::MissingFolder) {
        ui_.Image1->hide();
        hooks_.reportError(FileError::PathNotFound, {});
    }
}

// Reads ahead the list entries that the picker names, for the preview box
// (or another box: the one a run will show them in), once the current
// picture has been painted and flushed, so the work never delays what is on
// screen; while the window is set up, once it has first been painted. The
// entries are picked then, from the list as it is by that time.
void MainPreview::ReadAhead(const std::function<std::vector<int>()>& pick,
                            const std::function<QSize()>& box) {
    RunAfterFirstPaint(&window_, [this, pick, box] {
        QStringList paths;
        for (const int index : pick())
            paths.append(SourcePathOf(ui_.File1->name(index)));
        pane_.readAhead(paths, box ? box() : ui_.Picture1->size());
    });
}

// Outside a run the files a run would show first are read ahead for the box
// it would show them in, so that pressing the start button finds the first
// picture ready. Only those: browsing reads ahead around the selection.
void MainPreview::readAheadForRun() {
    ReadAhead([this] { return ReadAheadAfterSend(0, ui_.File1->count()); },
              [this] { return hooks_.runBox(); });
}

void MainPreview::SetPreviewBusy(bool busy) {
    const QCursor cursor = busy ? QCursor(Qt::WaitCursor) : QCursor(Qt::ArrowCursor);
    ui_.Picture1->setCursor(cursor);
    ui_.Image1->setCursor(cursor);
}

void MainPreview::showSelectedFile() {
    SetPreviewBusy(true);
    const QString name = ui_.File1->selectedName();
    CurrentImagePath = SourcePathOf(name);
    ReadAhead([this] { return ReadAheadAround(ui_.File1->listIndex(), ui_.File1->count()); });
    ui_.Image1->hide();
    if (ShowPicture(CurrentImagePath)) {
        ShowFileName(name);
        FitPreview();
        ui_.Image1->show();
    }
    SetPreviewBusy(false);
}

void MainPreview::refit() {
    if (!ShowPicture(CurrentImagePath))
        return;
    ShowFileName(FileNameOf(CurrentImagePath));
    FitPreview();
}

void MainPreview::stepSelection(bool forward) {
    const int count = ui_.File1->count();
    if (count == 0)
        return;
    if (forward) {
        if (ui_.File1->listIndex() >= count - 1)
            ui_.File1->setListIndex(count - 2);
        LetEventsIn();
        ui_.File1->setListIndex(ui_.File1->listIndex() + 1);
    } else {
        const int index = ui_.File1->listIndex();
        ui_.File1->setListIndex(
            index <= 1 ? 0 : index - 1); // from the first two entries or none: the first
    }
    LetEventsIn();
}

void MainPreview::press(int button) {
    if (module_.RunTime.SortingActive != 0)
        return;
    LetEventsIn();
    if (button == MouseButton::Left) {
        SetPreviewBusy(true);
        stepSelection(true);
        showSelectedFile();
    } else if (button == MouseButton::Right) {
        SetPreviewBusy(true);
        LetEventsIn();
        stepSelection(false);
        showSelectedFile();
    }
}

// A left press on the file list: the file is previewed, or opened with its
// program when it is no picture and the option says so. Failures are
// reported by message, where a send or a step would show the substitute picture.
void MainPreview::previewSelectedFile() {
    const QString name = ui_.File1->selectedName();
    CurrentImagePath = JoinPath(ui_.Dir1->path(), name);
    if (module_.LaunchByAssociation == 1 && !IsImageFile(CurrentImagePath)) {
        if (!name.isEmpty()) // with nothing selected the path is the folder itself
            hooks_.launch();
        return;
    }
    ui_.Image1->hide();
    const FileError error = pane_.showOwn(CurrentImagePath);
    if (error != FileError::None) {
        hooks_.reportError(error, name);
        return;
    }
    ShowFileName(name);
    FitPreview();
    ui_.Image1->show();
}

} // namespace sorvane
