#include "controls/ImageBox.h"

#include "controls/MouseButtons.h"
#include "controls/StageMarks.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace sorvane {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

void ImageBox::setPicture(const QImage& image, QSize naturalSize) {
    image_ = image;
    natural_ = naturalSize.isValid() ? naturalSize : image.size();
    // An opaque picture covers the whole control, so nothing beneath it
    // needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull() && !image.hasAlphaChannel());
    scaled_ = QImage();
    if (!stretch_)
        resize(natural_);
    update();
}

void ImageBox::clearPicture() {
    setPicture(QImage(), QSize(0, 0));
}

void ImageBox::setStretch(bool on) {
    stretch_ = on;
    if (!stretch_ && natural_.isValid())
        resize(natural_);
}

void ImageBox::paintEvent(QPaintEvent*) {
    if (image_.isNull() || width() <= 0 || height() <= 0)
        return;
    // A picture read at the control's device pixels is drawn as it is; any
    // other is scaled smoothly once to them. Drawn into the control's logical
    // rectangle, either covers the device pixels one to one.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (image_.size() != pixels && scaled_.size() != pixels)
        scaled_ = image_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage& shown = image_.size() == pixels ? image_ : scaled_;
    QPainter(this).drawImage(QRectF(rect()), shown, QRectF(shown.rect()));
    MarkStage(Stage::Painted);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(ButtonNumber(event->button()));
}

} // namespace sorvane
