// The viewer's display: the current file fitted into the picture area, with
// its caption, status panels and the toolbar's step buttons.
#include "controls/AfterPaint.h"
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/PicturePane.h"
#include "controls/StatusPanels.h"
#include "imaging/FileStamp.h"
#include "imaging/PictureDisplay.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "viewer/Form4.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QScopeGuard>

namespace sorvane {

void Form4::Yield() {
    QCoreApplication::processEvents();
}

void Form4::ShowCurrentImage() {
    StatusBar1->setText(6, {});
    EnableSteps();
    Image1->hide();
    shownArea_ = Picture1->size();
    const int index = module_.RunTime.ViewerFileIndex;
    if (index < 0 || index >= list_.count())
        return; // no file there: nothing to show and nothing to tell
    // The file is taken from the folder the list shows, as the main window's
    // preview takes it, so the two never disagree about a file.
    const QString path = JoinPath(list_.folder(), module_.RunTime.ViewerFileName);
    // Whatever this file shows, the next ones are read once it is on screen.
    const auto readAhead = qScopeGuard([this] { ReadAhead(); });
    const DisplayOutcome outcome = pane_->show(path);
    if (!IsPictureShown(outcome)) {
        ShowUnshown(path, outcome);
        return;
    }
    Yield();
    NameCurrentFile();
    StatusBar1->showText(3, QStringLiteral("%1X%2 Pixel")
                                .arg(pane_->naturalSize().width())
                                .arg(pane_->naturalSize().height()));
    const std::optional<FileStamp> file = FileStamp::of(path);
    if (!file) {
        // Removed while its picture was read: it is gone, not shown.
        Image1->hide();
        ShowUnshown(path, DisplayOutcome::Quiet);
        return;
    }
    ShowFileDetails(*file);
    if (pane_->fit())
        StatusBar1->showText(6, tr("縮小表示中"));
    Image1->show();
}

// The caption and the folder and name panels name the current file.
void Form4::NameCurrentFile() {
    setWindowTitle(ViewerCaption(module_.RunTime.ViewerFileName, module_.RunTime.ViewerFileIndex,
                                 list_.count()));
    StatusBar1->showText(1, list_.folder());
    StatusBar1->showText(2, module_.RunTime.ViewerFileName);
}

// A file with nothing to show (gone since the list was read, its folder gone,
// or unreadable) is still the current file: the caption and the panels name
// it and say why its picture is missing, so they never describe the file
// shown before. A missing folder is also told by message, once per slideshow.
void Form4::ShowUnshown(const QString& path, DisplayOutcome outcome) {
    NameCurrentFile();
    const bool gone = outcome == DisplayOutcome::MissingFolder || !FileStamp::of(path);
    StatusBar1->showText(3, gone ? tr("ファイルが見つかりません。") : tr("表示できません。"));
    StatusBar1->setText(4, {});
    StatusBar1->setText(5, {});
    if (outcome != DisplayOutcome::MissingFolder)
        return;
    // A running slideshow would otherwise tell it again at every tick.
    if (slideshow_->ticking())
        StopSlideshow();
    prompts_.ask({QStringLiteral("Sorvane"), tr("ファイルが見つかりません。")});
}

// Buttons 4 and 5 lead back, 6 to 8 forward: each is enabled only where
// there is a file that way. At the last file a slideshow that will not
// repeat is over.
void Form4::EnableSteps() {
    const bool first = module_.RunTime.ViewerFileIndex == 0;
    Button(4)->setEnabled(!first);
    Button(5)->setEnabled(!first);
    const bool last = module_.RunTime.ViewerFileIndex == list_.count() - 1;
    if (last && module_.RunTime.SlideshowRunning == 0 && module_.SlideshowRepeat == 0)
        StopSlideshow();
    for (int i : {6, 7, 8})
        Button(i)->setEnabled(!last);
}

void Form4::ShowFileDetails(const FileStamp& file) {
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(file.modifiedNs / 1000000);
    StatusBar1->showText(4, QString::number(KilobytesOf(file.size)) + QStringLiteral("KB"));
    StatusBar1->showText(5, QLocale().toString(modified, QLocale::ShortFormat));
}

// Reads the next files ahead at the area's size once this one is painted
// and flushed, so the work never delays what is on screen.
void Form4::ReadAhead() {
    RunAfterPaint(this, [this] {
        QStringList paths;
        for (const int index :
             ViewerReadAhead(module_.RunTime.ViewerFileIndex, list_.count(), direction_))
            paths.append(JoinPath(list_.folder(), list_.name(index)));
        pane_->readAhead(paths);
    });
}

} // namespace sorvane
