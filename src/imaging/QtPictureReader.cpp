#include "imaging/QtPictureReader.h"

#include "imaging/Colour.h"
#include "imaging/Fit.h"
#include "imaging/PictureLimits.h"
#include "imaging/WebpOrientation.h"

#include <QImageReader>

namespace sorvane {
namespace {

bool IsReadFormat(const QByteArray& format) {
    return format == "jpeg" || format == "bmp" || format == "gif" || format == "webp" ||
           format == "tiff";
}

Picture Invalid() {
    Picture picture;
    picture.error = FileError::InvalidPicture;
    return picture;
}

} // namespace

Picture ReadWithQt(QIODevice& device, QSize box, std::optional<Orientation> orientation) {
    // Set here rather than left to the toolkit's default, which its
    // environment can lift; the limit holds for the whole process.
    static const bool limited = (QImageReader::setAllocationLimit(kMostPictureMiB), true);
    Q_UNUSED(limited);
    QImageReader reader(&device);
    reader.setAutoTransform(false);
    if (!IsReadFormat(reader.format()))
        return Invalid();
    const Orientation turn = orientation                 ? *orientation
                             : reader.format() == "webp" ? WebpOrientation(device)
                                                         : reader.transformation();
    // Only a decoder that reads at a chosen size (JPEG) is asked for the
    // box's size. Any other picture is read whole and its size is what was
    // read: a GIF's header size can be its first frame's while the picture
    // is the whole screen the frame stands on, and a reader told to scale
    // it would squeeze that screen into the frame's proportions.
    const bool atSize = reader.supportsOption(QImageIOHandler::ScaledSize);
    const QSize header = UprightSize(reader.size(), turn);
    if (atSize && ShrinksToFit(header, box))
        reader.setScaledSize(StoredSize(FittedSize(header, box), turn));
    Picture picture;
    if (!reader.read(&picture.image))
        return Invalid();
    picture.naturalSize =
        atSize && header.isValid() ? header : UprightSize(picture.image.size(), turn);
    // Shrunk before it is turned: turning the smaller picture is cheaper.
    if (!atSize && ShrinksToFit(picture.naturalSize, box))
        picture.image = picture.image.scaled(StoredSize(FittedSize(picture.naturalSize, box), turn),
                                             Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture.image = Upright(std::move(picture.image), turn);
    ConvertToSrgb(picture.image);
    return picture;
}

} // namespace sorvane
