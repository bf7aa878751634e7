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

// The most memory the platform's loader may take for one picture. A JPEG is
// decoded straight at (about) the box's size, so this only ever stops BMP
// and GIF files claiming tens of megapixels, or a JPEG claiming thousands;
// they are refused from their header, before anything is decoded. Set here
// rather than left to the toolkit's default, which its environment can lift;
// the limit holds for the whole process, so it is set once.
constexpr int kMostPictureMiB = 128;

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
    static const bool limited = (QImageReader::setAllocationLimit(kMostPictureMiB), true);
    Q_UNUSED(limited);
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
