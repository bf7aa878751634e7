#include "controls/ImageBox.h"

#include "controls/MouseButtons.h"

#include <QMouseEvent>
#include <QPainter>

namespace sorvane {

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {}

void ImageBox::setPicture(const QImage& image, QSize naturalSize) {
    image_ = image;
    natural_ = naturalSize.isValid() ? naturalSize : image.size();
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
    // A picture read at the size it is shown is drawn as it is; any other is
    // scaled smoothly once for the control's size.
    if (image_.size() != size() && scaled_.size() != size())
        scaled_ = image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter(this).drawImage(0, 0, image_.size() == size() ? image_ : scaled_);
}

void ImageBox::mousePressEvent(QMouseEvent* event) {
    Q_EMIT pressed(ButtonNumber(event->button()));
}

} // namespace sorvane
