#pragma once

#include <QImage>
#include <QWidget>

namespace sorvane {

// The picture control (Image1). With stretch off it takes the natural size of
// its picture; with stretch on the picture is drawn scaled to the control's
// size, smoothly. The picture may have been decoded smaller than its natural
// size (read straight to the size it is shown at); it is drawn to fill the
// control either way. A picture that has exactly the control's device pixels
// is drawn as it is, pixel for pixel, also on a high-density screen.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    void setPicture(const QImage& image, QSize naturalSize);
    void clearPicture();
    bool hasPicture() const { return !image_.isNull(); }
    QSize naturalSize() const { return natural_; }
    const QImage& picture() const { return image_; }

    void setStretch(bool on);

Q_SIGNALS:
    void pressed(int button); // a MouseButton number

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
    QSize natural_;
    QImage scaled_; // the picture at the control's device pixels, when it was read otherwise
    bool stretch_ = false;
};

} // namespace sorvane
