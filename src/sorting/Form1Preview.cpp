// The preview: one file of the list shown fitted in the preview box.
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
#include "sorting/Form1.h"

#include <QCoreApplication>
#include <QLabel>

#include <cmath>

namespace sorvane {

void Form1::Yield() {
    QCoreApplication::processEvents();
}

// The full path of a list entry. It is taken from the folder the list shows,
// so the file previewed is always the file sent, even before the user has
// chosen a folder (the list then shows the current folder while SourceFolder
// still holds the saved one).
QString Form1::SourcePathOf(const QString& name) const {
    return JoinPath(File1->folder(), name);
}

// What the sends, the undo, the stepping and the resizing show: a file that
// is no picture shows the substitute picture, a missing folder is reported,
// and any other failure shows nothing without a word. False when nothing
// is shown.
bool Form1::ShowPicture(const QString& path) {
    const DisplayOutcome outcome = pane_->show(path);
    if (outcome == DisplayOutcome::MissingFolder)
        ReportFileError(FileError::PathNotFound, {});
    return IsPictureShown(outcome);
}

void Form1::FitPreview() {
    const QSize natural = pane_->naturalSize();
    const QSize box = Picture1->size();
    Label7->setText(u' ' + SingleText(float(natural.width())) + u'X' +
                    SingleText(float(natural.height())) + QStringLiteral(" Pixel "));
    Label7->adjustSize();
    Label7->show();
    Label5->hide();
    pane_->fit();
    Label7->move(int(std::lround(float(box.width()) / 2 - float(Label7->width()) / 2)),
                 box.height() - 20);
}

void Form1::RefreshPreview() {
    const QString first = SourcePathOf(File1->name(0));
    follower_.sent(keyHeld_, run_.waiting());
    ReadAhead([this] {
        return follower_.readAhead(run_.waiting(), File1->count(), pane_->recentReadMs());
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
    ShowFileName(File1->name(0));
    FitPreview();
    Image1->show();
}

// The file in hand becomes the one the preview is about: CurrentImagePath
// and the candidates' labels.
void Form1::PutInPreview(const QString& path) {
    CurrentImagePath = path;
    for (int i = 0; i < 4; ++i)
        Label2[size_t(i)]->setText(DisplayName(File1->name(i)));
    follower_.movedOn();
}

// During a burst of sends nothing is read (see PreviewFollower): the picture
// shown stays, together with the labels that name it, until the file in hand
// is ready. So the preview neither flickers nor ever shows one file's picture
// under another file's name. A missing folder is still told.
void Form1::ShowReadyPicture(const QString& first) {
    if (follower_.mayMoveOn() && pane_->showReady(first)) {
        PutInPreview(first);
        ShowFileName(File1->name(0));
        FitPreview();
        Image1->show();
        return;
    }
    follower_.fellBehind();
    if (SkippedDisplay(first) == DisplayOutcome::MissingFolder) {
        Image1->hide();
        ReportFileError(FileError::PathNotFound, {});
    }
}

// Reads ahead the list entries that the picker names, for the preview box
// (or another box: the one a run will show them in), once the current
// picture has been painted and flushed, so the work never delays what is on
// screen; while the window is set up, once it has first been painted. The
// entries are picked then, from the list as it is by that time.
void Form1::ReadAhead(const std::function<std::vector<int>()>& pick,
                      const std::function<QSize()>& box) {
    RunAfterFirstPaint(this, [this, pick, box] {
        QStringList paths;
        for (const int index : pick())
            paths.append(SourcePathOf(File1->name(index)));
        pane_->readAhead(paths, box ? box() : Picture1->size());
    });
}

// Outside a run the files a run would show first are read ahead for the box
// it would show them in, so that pressing the start button finds the first
// picture ready. Only those: browsing reads ahead around the selection.
void Form1::ReadAheadForRun() {
    ReadAhead([this] { return ReadAheadAfterSend(0, File1->count()); },
              [this] { return RunPreviewBox(); });
}

void Form1::SetPreviewBusy(bool busy) {
    const QCursor cursor = busy ? QCursor(Qt::WaitCursor) : QCursor(Qt::ArrowCursor);
    Picture1->setCursor(cursor);
    Image1->setCursor(cursor);
}

void Form1::ShowSelectedFile() {
    SetPreviewBusy(true);
    const QString name = File1->selectedName();
    CurrentImagePath = SourcePathOf(name);
    ReadAhead([this] { return ReadAheadAround(File1->listIndex(), File1->count()); });
    Image1->hide();
    if (ShowPicture(CurrentImagePath)) {
        ShowFileName(name);
        FitPreview();
        Image1->show();
    }
    SetPreviewBusy(false);
}

void Form1::RefitPreview() {
    if (!ShowPicture(CurrentImagePath))
        return;
    ShowFileName(FileNameOf(CurrentImagePath));
    FitPreview();
}

void Form1::StepSelection(bool forward) {
    const int count = File1->count();
    if (count == 0)
        return;
    if (forward) {
        if (File1->listIndex() >= count - 1)
            File1->setListIndex(count - 2);
        Yield();
        File1->setListIndex(File1->listIndex() + 1);
    } else {
        const int index = File1->listIndex();
        File1->setListIndex(
            index <= 1 ? 0 : index - 1); // from the first two entries or none: the first
    }
    Yield();
}

void Form1::Image1_MouseDown(int button) {
    Picture1_MouseDown(button);
}

void Form1::Picture1_MouseDown(int button) {
    if (module_.RunTime.SortingActive != 0)
        return;
    Yield();
    if (button == MouseButton::Left) {
        SetPreviewBusy(true);
        StepSelection(true);
        ShowSelectedFile();
    } else if (button == MouseButton::Right) {
        SetPreviewBusy(true);
        Yield();
        StepSelection(false);
        ShowSelectedFile();
    }
}

// A left press on the file list: the file is previewed, or opened with its
// program when it is no picture and the option says so. Failures are
// reported by message, where a send or a step would show the substitute picture.
void Form1::PreviewSelectedFile() {
    const QString name = File1->selectedName();
    CurrentImagePath = JoinPath(Dir1->path(), name);
    if (module_.LaunchByAssociation == 1 && !IsImageFile(CurrentImagePath)) {
        if (!name.isEmpty()) // with nothing selected the path is the folder itself
            LaunchAssociated();
        return;
    }
    Image1->hide();
    const FileError error = pane_->showOwn(CurrentImagePath);
    if (error != FileError::None) {
        ReportFileError(error, name);
        return;
    }
    ShowFileName(name);
    FitPreview();
    Image1->show();
}

} // namespace sorvane
