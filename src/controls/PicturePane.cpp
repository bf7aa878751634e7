#include "controls/PicturePane.h"

#include "controls/ImageBox.h"
#include "controls/StageMarks.h"
#include "imaging/Fit.h"
#include "imaging/PictureSource.h"

#include <QWidget>

#include <cmath>
#include <optional>

namespace sorvane {

PicturePane::PicturePane(QWidget& box, ImageBox& image, PictureSource& pictures,
                         QString substitutePath)
    : box_(box), image_(image), pictures_(pictures), substitutePath_(std::move(substitutePath)) {}

QSize PicturePane::pixelBox() const {
    return pixelsOf(box_.size());
}

QSize PicturePane::pixelsOf(QSize box) const {
    const qreal ratio = box_.devicePixelRatioF();
    return QSize(int(std::lround(box.width() * ratio)), int(std::lround(box.height() * ratio)));
}

void PicturePane::put(const Picture& picture) {
    image_.setStretch(false);
    image_.setPicture(picture.image, picture.naturalSize);
    MarkStage(Stage::PictureHanded);
}

DisplayOutcome PicturePane::show(const QString& path) {
    const DisplayedPicture display = DisplayPicture(pictures_, path, pixelBox(), substitutePath_);
    if (!IsPictureShown(display.outcome)) {
        image_.hide();
        return display.outcome;
    }
    put(display.picture);
    return display.outcome;
}

FileError PicturePane::showOwn(const QString& path) {
    const Picture picture = pictures_.load(path, pixelBox());
    if (picture.error == FileError::None)
        put(picture);
    return picture.error;
}

bool PicturePane::showReady(const QString& path) {
    const std::optional<Picture> ready = pictures_.ready(path, pixelBox());
    if (!ready || ready->error != FileError::None)
        return false;
    put(*ready);
    return true;
}

bool PicturePane::fit() {
    const QSize natural = naturalSize();
    const FitResult fit = FitPicture(float(natural.width()), float(natural.height()),
                                     float(box_.width()), float(box_.height()));
    if (fit.stretched)
        image_.setStretch(true);
    image_.setGeometry(int(std::lround(fit.left)), int(std::lround(fit.top)),
                       int(std::lround(fit.width)), int(std::lround(fit.height)));
    return fit.stretched;
}

QSize PicturePane::naturalSize() const {
    return image_.naturalSize();
}

void PicturePane::readAhead(const QStringList& paths) {
    readAhead(paths, box_.size());
}

void PicturePane::readAhead(const QStringList& paths, QSize box) {
    pictures_.prefetch(paths, pixelsOf(box));
}

int PicturePane::recentReadMs() const {
    return pictures_.recentReadMs();
}

} // namespace sorvane
