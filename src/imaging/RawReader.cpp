#include "imaging/RawReader.h"

#include "imaging/Fit.h"
#include "imaging/Orientation.h"
#include "imaging/PictureLimits.h"
#include "imaging/QtPictureReader.h"
#include "platform/NativeName.h"

#include <QBuffer>

#include <libraw/libraw.h>

#include <memory>

namespace sorvane {
namespace {

struct ProcessedImageFreed {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};

// The camera's picture size, upright.
QSize NaturalSize(const LibRaw& raw) {
    const QSize stored(raw.imgdata.sizes.width, raw.imgdata.sizes.height);
    return UprightSize(stored, FromRawFlip(raw.imgdata.sizes.flip));
}

// The embedded preview, when it is a JPEG of believable length. Only a
// preview LibRaw will load as a JPEG is unpacked: it reads that into a buffer
// of the preview's length, while its other thumbnail loaders (LibRaw 0.20)
// size their buffer from the declared dimensions and can write past it on a
// damaged file.
std::optional<Picture> Preview(LibRaw& raw, QSize box) {
    if (!raw.is_jpeg_thumb() || raw.imgdata.thumbnail.tlength == 0 ||
        raw.imgdata.thumbnail.tlength > unsigned(kMostPictureMiB) << 20 ||
        raw.unpack_thumb() != LIBRAW_SUCCESS ||
        raw.imgdata.thumbnail.tformat != LIBRAW_THUMBNAIL_JPEG)
        return std::nullopt;
    QByteArray jpeg = QByteArray::fromRawData(raw.imgdata.thumbnail.thumb,
                                              qsizetype(raw.imgdata.thumbnail.tlength));
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::ReadOnly);
    Picture preview = ReadWithQt(buffer, box, FromRawFlip(raw.imgdata.sizes.flip));
    if (preview.isNull())
        return std::nullopt;
    return preview;
}

// Whether the preview is as large as the picture is shown.
bool Covers(const Picture& preview, QSize target) {
    return preview.naturalSize.width() >= target.width() &&
           preview.naturalSize.height() >= target.height();
}

// The raw data developed at half size, with the camera's white balance;
// LibRaw turns it upright as it copies it out.
std::optional<Picture> Developed(LibRaw& raw, QSize target) {
    raw.imgdata.params.half_size = 1;
    raw.imgdata.params.use_camera_wb = 1;
    raw.imgdata.params.output_bps = 8;
    const QSize half(raw.imgdata.sizes.width / 2, raw.imgdata.sizes.height / 2);
    if (!FitsPictureMemory(half, 8) || raw.unpack() != LIBRAW_SUCCESS ||
        raw.dcraw_process() != LIBRAW_SUCCESS)
        return std::nullopt;
    int error = 0;
    const std::unique_ptr<libraw_processed_image_t, ProcessedImageFreed> developed(
        raw.dcraw_make_mem_image(&error));
    if (!developed || developed->type != LIBRAW_IMAGE_BITMAP || developed->colors != 3 ||
        developed->bits != 8)
        return std::nullopt;
    const QImage view(developed->data, developed->width, developed->height,
                      qsizetype(developed->width) * 3, QImage::Format_RGB888);
    Picture picture;
    picture.image = view.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture;
}

} // namespace

bool MayBeCameraRaw(const QByteArray& head) {
    return head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)) ||
           head.startsWith("IIRO") || head.startsWith("IIRS") || head.startsWith("MMOR") ||
           head.startsWith(QByteArray("IIU\0", 4)) || head.startsWith("FUJIFILM") ||
           head.mid(4, 8) == "ftypcrx ";
}

std::optional<Picture> ReadCameraRaw(const QString& path, QSize box) {
    // LibRaw's state is large; it lives on the heap, one per file read.
    const auto raw = std::make_unique<LibRaw>(LIBRAW_OPTIONS_NONE);
    raw->imgdata.params.max_raw_memory_mb = kMostPictureMiB;
    if (raw->open_file(ToNativeName(path).constData()) != LIBRAW_SUCCESS)
        return std::nullopt;
    const QSize natural = NaturalSize(*raw);
    // What every reader gives: the whole picture fitted to the box. The
    // preview may be a little narrower than the raw, or a half-size
    // development smaller; either is scaled to this.
    const QSize target = ShrinksToFit(natural, box) ? FittedSize(natural, box) : natural;
    std::optional<Picture> picture;
    if (!natural.isEmpty())
        picture = Preview(*raw, target);
    // A preview smaller than the picture is shown would be blurred: the raw
    // data developed is sharper, and the preview still stands in if that fails.
    if (!natural.isEmpty() && (!picture || !Covers(*picture, target)))
        if (std::optional<Picture> developed = Developed(*raw, target))
            picture = developed;
    if (!picture) {
        picture.emplace();
        picture->error = FileError::InvalidPicture;
        return picture;
    }
    if (picture->image.size() != target)
        picture->image =
            picture->image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    picture->naturalSize = natural;
    return picture;
}

} // namespace sorvane
