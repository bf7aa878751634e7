#include "imaging/HeifReader.h"

#include "imaging/Colour.h"
#include "imaging/Fit.h"
#include "imaging/PictureLimits.h"

#include <QColorSpace>

#include <libheif/heif.h>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace sorvane {
namespace {

Picture Invalid() {
    Picture picture;
    picture.error = FileError::InvalidPicture;
    return picture;
}

// libheif reads the file through these, so only the boxes it asks for are
// read, never the whole file at once.
struct FileReader {
    int fd;
    int64_t size;
    int64_t position = 0;
};

int64_t Position(void* reader) {
    return static_cast<FileReader*>(reader)->position;
}

int Read(void* data, size_t size, void* reader) {
    auto* file = static_cast<FileReader*>(reader);
    auto* out = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = ::pread(file->fd, out, size, file->position);
        if (got <= 0)
            return 1;
        out += got;
        size -= size_t(got);
        file->position += got;
    }
    return 0;
}

int Seek(int64_t position, void* reader) {
    auto* file = static_cast<FileReader*>(reader);
    if (position < 0 || position > file->size)
        return 1;
    file->position = position;
    return 0;
}

heif_reader_grow_status WaitForSize(int64_t size, void* reader) {
    return size <= static_cast<FileReader*>(reader)->size ? heif_reader_grow_status_size_reached
                                                          : heif_reader_grow_status_size_beyond_eof;
}

const heif_reader kFileReader{1, Position, Read, Seek, WaitForSize};

struct Freed {
    void operator()(heif_context* context) const { heif_context_free(context); }
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
    void operator()(heif_image* image) const { heif_image_release(image); }
    void operator()(heif_color_profile_nclx* nclx) const { heif_nclx_color_profile_free(nclx); }
};
template <typename T> using Owned = std::unique_ptr<T, Freed>;

// The colour space the file declares: an ICC profile, or the few coded
// colour descriptions phones write (sRGB or BT.709, Display P3, BT.2020
// primaries with the sRGB curve). Anything else is taken as sRGB.
QColorSpace DeclaredSpace(const heif_image_handle* handle) {
    switch (heif_image_handle_get_color_profile_type(handle)) {
    case heif_color_profile_type_prof:
    case heif_color_profile_type_rICC: {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
        if (icc.isEmpty() ||
            heif_image_handle_get_raw_color_profile(handle, icc.data()).code != heif_error_Ok)
            return {};
        return QColorSpace::fromIccProfile(icc);
    }
    case heif_color_profile_type_nclx: {
        heif_color_profile_nclx* raw = nullptr;
        const heif_error read = heif_image_handle_get_nclx_color_profile(handle, &raw);
        // Freed also on an error: libheif hands out the profile it rejects.
        const Owned<heif_color_profile_nclx> nclx(raw);
        if (read.code != heif_error_Ok || !nclx)
            return {};
        if (nclx->color_primaries == heif_color_primaries_SMPTE_EG_432_1)
            return QColorSpace(QColorSpace::DisplayP3);
        if (nclx->color_primaries == heif_color_primaries_ITU_R_BT_2020_2_and_2100_0)
            return QColorSpace(QPointF(0.3127, 0.3290), QPointF(0.708, 0.292),
                               QPointF(0.170, 0.797), QPointF(0.131, 0.046),
                               QColorSpace::TransferFunction::SRgb);
        return {};
    }
    default:
        return {};
    }
}

Owned<heif_context> ReadBoxes(FileReader& file) {
    Owned<heif_context> context(heif_context_alloc());
    if (heif_context_read_from_reader(context.get(), &kFileReader, &file, nullptr).code !=
        heif_error_Ok)
        return nullptr;
    return context;
}

// The decoded picture as a QImage over libheif's pixels (valid while the
// heif_image lives).
QImage View(const heif_image* image, bool alpha) {
    int stride = 0;
    const uint8_t* pixels = heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(image, heif_channel_interleaved);
    const int height = heif_image_get_height(image, heif_channel_interleaved);
    if (!pixels || width <= 0 || height <= 0)
        return {};
    return QImage(pixels, width, height, stride,
                  alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
}

} // namespace

bool IsHeif(const QByteArray& head) {
    return heif_check_filetype(reinterpret_cast<const uint8_t*>(head.constData()),
                               int(head.size())) == heif_filetype_yes_supported;
}

Picture ReadHeif(int fd, QSize box) {
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return Invalid();
    FileReader file{fd, int64_t(st.st_size)};
    const Owned<heif_context> context = ReadBoxes(file);
    heif_image_handle* primary = nullptr;
    if (!context ||
        heif_context_get_primary_image_handle(context.get(), &primary).code != heif_error_Ok)
        return Invalid();
    const Owned<heif_image_handle> handle(primary);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get());
    // The size with the file's turn applied, which is what decoding gives.
    const QSize natural(heif_image_handle_get_width(handle.get()),
                        heif_image_handle_get_height(handle.get()));
    if (!FitsPictureMemory(natural, alpha ? 4 : 3))
        return Invalid();
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle.get(), &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                          nullptr)
            .code != heif_error_Ok)
        return Invalid();
    const Owned<heif_image> image(decoded);
    const QImage view = View(image.get(), alpha);
    if (view.isNull())
        return Invalid();
    Picture picture;
    picture.naturalSize = view.size();
    picture.image = ShrinksToFit(view.size(), box)
                        ? view.scaled(FittedSize(view.size(), box), Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation)
                        : view.copy();
    picture.image.setColorSpace(DeclaredSpace(handle.get()));
    ConvertToSrgb(picture.image);
    return picture;
}

} // namespace sorvane
