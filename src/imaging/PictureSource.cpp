#include "imaging/PictureSource.h"

#include "imaging/ImageKinds.h"
#include "platform/Fit.h"
#include "png/PNGLoader.h"

namespace sorvane {
namespace {

Picture LoadPng(const QString& path, QSize box) {
    Picture picture;
    picture.image = LoadPngPicture(path);
    picture.naturalSize = picture.image.size();
    if (picture.isNull())
        picture.naturalSize = QSize(0, 0);
    else if (box.isValid() && (picture.naturalSize.width() > box.width() ||
                               picture.naturalSize.height() > box.height()))
        picture.image = picture.image.scaled(FittedSize(picture.naturalSize, box),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

} // namespace

Picture PictureSource::Load(const QString& path, QSize box) {
    if (IsPngFile(path))
        return LoadPng(path, box);
    return ReadPicture(path, box);
}

} // namespace sorvane
