#include "imaging/PictureReader.h"

#include "imaging/Fit.h"
#include "platform/FileOps.h"

#include <QFile>
#include <QImageReader>

namespace sorvane {
namespace {

bool IsPlatformFormat(const QByteArray& format) {
    return format == "jpeg" || format == "bmp" || format == "gif";
}

Picture Failed(FileError error) {
    Picture picture;
    picture.error = error;
    return picture;
}

} // namespace

Picture ReadPicture(const QString& path, QSize box) {
    QFile file(path);
    if (!file.exists())
        return Failed(MissingPathError(path));
    if (!IsRegularFile(path))
        return Failed(FileError::Other);
    if (!file.open(QIODevice::ReadOnly))
        return Failed(FileError::Access);
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    if (!IsPlatformFormat(reader.format()))
        return Failed(FileError::InvalidPicture);
    Picture picture;
    picture.naturalSize = reader.size();
    if (ShrinksToFit(picture.naturalSize, box))
        reader.setScaledSize(FittedSize(picture.naturalSize, box));
    if (!reader.read(&picture.image))
        return Failed(FileError::InvalidPicture);
    if (!picture.naturalSize.isValid())
        picture.naturalSize = picture.image.size();
    return picture;
}

} // namespace sorvane
