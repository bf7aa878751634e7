#include "imaging/Orientation.h"

#include <QTransform>

namespace sorvane {

Orientation FromExifOrientation(int exif) {
    static const QImageIOHandler::Transformation kByExif[] = {
        QImageIOHandler::TransformationNone,
        QImageIOHandler::TransformationMirror,
        QImageIOHandler::TransformationRotate180,
        QImageIOHandler::TransformationFlip,
        QImageIOHandler::TransformationFlipAndRotate90,
        QImageIOHandler::TransformationRotate90,
        QImageIOHandler::TransformationMirrorAndRotate90,
        QImageIOHandler::TransformationRotate270};
    return exif >= 1 && exif <= 8 ? kByExif[exif - 1] : QImageIOHandler::TransformationNone;
}

Orientation FromRawFlip(int flip) {
    switch (flip) {
    case 3:
        return QImageIOHandler::TransformationRotate180;
    case 5:
        return QImageIOHandler::TransformationRotate270;
    case 6:
        return QImageIOHandler::TransformationRotate90;
    default:
        return QImageIOHandler::TransformationNone;
    }
}

bool Transposes(Orientation orientation) {
    return orientation.testFlag(QImageIOHandler::TransformationRotate90);
}

QSize UprightSize(QSize stored, Orientation orientation) {
    return Transposes(orientation) ? stored.transposed() : stored;
}

QSize StoredSize(QSize upright, Orientation orientation) {
    return UprightSize(upright, orientation);
}

QImage Upright(QImage stored, Orientation orientation) {
    if (orientation == QImageIOHandler::TransformationNone || stored.isNull())
        return stored;
    // Mirrored and flipped first, then turned, as Qt's own reader does, so
    // the eight values mean what they mean there.
    if (orientation == QImageIOHandler::TransformationRotate270)
        return stored.transformed(QTransform().rotate(270));
    stored = std::move(stored).mirrored(orientation.testFlag(QImageIOHandler::TransformationMirror),
                                        orientation.testFlag(QImageIOHandler::TransformationFlip));
    if (Transposes(orientation))
        stored = stored.transformed(QTransform().rotate(90));
    return stored;
}

} // namespace sorvane
