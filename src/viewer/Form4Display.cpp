// The viewer's display: the current file fitted into the picture area, with
// its caption, status panels and the toolbar's step buttons.
#include "controls/FileList.h"
#include "controls/ImageBox.h"
#include "controls/StatusPanels.h"
#include "imaging/FileStamp.h"
#include "imaging/Fit.h"
#include "imaging/PictureDisplay.h"
#include "imaging/PictureSource.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "settings/Module1.h"
#include "viewer/Form4.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QTimer>

#include <cmath>

namespace sorvane {

void Form4::Yield() {
    QCoreApplication::processEvents();
}

void Form4::ShowCurrentImage() {
    StatusBar1->setText(6, {});
    EnableSteps();
    Image1->hide();
    Image1->setStretch(false);
    shownArea_ = Picture1->size();
    const int index = module_.ViewerFileIndex;
    if (index < 0 || index >= list_.count())
        return; // no file there: nothing to show and nothing to tell
    // The file is taken from the folder the list shows, as the main window's
    // preview takes it, so the two never disagree about a file.
    const QString path = JoinPath(list_.folder(), module_.ViewerFileName);
    ReadAhead();
    if (!ShowInArea(path))
        return;
    Yield();
    setWindowTitle(ViewerCaption(module_.ViewerFileName, index, list_.count()));
    StatusBar1->showText(1, list_.folder());
    StatusBar1->showText(2, module_.ViewerFileName);
    StatusBar1->showText(3,
                         QStringLiteral("%1X%2 Pixel").arg(Image1->width()).arg(Image1->height()));
    const std::optional<FileStamp> file = FileStamp::of(path);
    if (!file)
        return; // removed meanwhile (a PNG that went reads as an empty picture)
    ShowFileDetails(*file);
    FitToArea();
    Image1->show();
}

// Buttons 4 and 5 lead back, 6 to 8 forward: each is enabled only where
// there is a file that way. At the last file a slideshow that will not
// repeat is over.
void Form4::EnableSteps() {
    const bool first = module_.ViewerFileIndex == 0;
    Button(4)->setEnabled(!first);
    Button(5)->setEnabled(!first);
    const bool last = module_.ViewerFileIndex == list_.count() - 1;
    if (last && module_.SlideshowRunning == 0 && module_.SlideshowRepeat == 0)
        StopSlideshow();
    for (int i : {6, 7, 8})
        Button(i)->setEnabled(!last);
}

// Puts the file's picture (or the substitute for a file that is no picture)
// into Image1 at its natural size. False when there is nothing to show: a
// missing folder is told, once per slideshow, and anything else is quiet.
bool Form4::ShowInArea(const QString& path) {
    const DisplayedPicture display =
        DisplayPicture(pictures_, path, Picture1->size(),
                       JoinPath(module_.ProgramFolder, QStringLiteral("Error.jpg")));
    if (display.outcome == DisplayOutcome::MissingFolder) {
        // A running slideshow would otherwise tell it again at every tick.
        if (Timer1->isActive())
            StopSlideshow();
        prompts_.ask({QStringLiteral("Sorvane"), QStringLiteral("ファイルが見つかりません。")});
        return false;
    }
    if (display.outcome == DisplayOutcome::Quiet)
        return false;
    Image1->setPicture(display.picture.image, display.picture.naturalSize);
    return true;
}

void Form4::ShowFileDetails(const FileStamp& file) {
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(file.modifiedNs / 1000000);
    StatusBar1->showText(4, QString::number(KilobytesOf(file.size)) + QStringLiteral("KB"));
    StatusBar1->showText(5, QLocale().toString(modified, QLocale::ShortFormat));
}

// Shrinks the picture to the area when it is wider or higher, never enlarges
// it, and centres it.
void Form4::FitToArea() {
    const QSize area = Picture1->size();
    const FitResult fit = FitPicture(float(Image1->width()), float(Image1->height()),
                                     float(area.width()), float(area.height()));
    if (fit.stretched) {
        Image1->setStretch(true);
        StatusBar1->showText(6, QStringLiteral("縮小表示中"));
    }
    Image1->setGeometry(int(std::lround(fit.left)), int(std::lround(fit.top)),
                        int(std::lround(fit.width)), int(std::lround(fit.height)));
}

// Reads the next files ahead at the area's size once this one is painted,
// so the work never delays what is on screen.
void Form4::ReadAhead() {
    QTimer::singleShot(0, this, [this] {
        QStringList paths;
        for (const int index : ViewerReadAhead(module_.ViewerFileIndex, list_.count(), direction_))
            paths.append(JoinPath(list_.folder(), list_.name(index)));
        pictures_.prefetch(paths, Picture1->size());
    });
}

} // namespace sorvane
