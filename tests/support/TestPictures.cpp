#include "support/TestPictures.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageIOHandler>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace sorvane::test {
namespace {

const QColor kCornerColours[] = {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}, {230, 230, 30}};

int CornerAt(const QImage& image, int x, int y) {
    const QColor pixel = image.pixelColor(x, y);
    const auto distance = [&pixel](const QColor& c) {
        return std::abs(c.red() - pixel.red()) + std::abs(c.green() - pixel.green()) +
               std::abs(c.blue() - pixel.blue());
    };
    const auto* nearest = std::min_element(
        std::begin(kCornerColours), std::end(kCornerColours),
        [&](const QColor& a, const QColor& b) { return distance(a) < distance(b); });
    return int(nearest - std::begin(kCornerColours));
}

// What showing a stored picture with an EXIF orientation does to it: a
// quarter turn for 5 to 8, then the mirroring across and down.
QImage Oriented(const QImage& image, int orientation) {
    static const bool kAcross[] = {0, 0, 1, 1, 0, 1, 0, 0, 1},
                      kDown[] = {0, 0, 0, 1, 1, 0, 0, 1, 1};
    const int o = std::clamp(orientation, 0, 8);
    return (o >= 5 ? image.transformed(QTransform().rotate(90)) : image)
        .mirrored(kAcross[o], kDown[o]);
}

// Qt's name for each EXIF orientation, for writers that record one.
QImageIOHandler::Transformations QtTransformation(int orientation) {
    using H = QImageIOHandler;
    static const H::Transformation kByOrientation[] = {
        H::TransformationNone,     H::TransformationNone,
        H::TransformationMirror,   H::TransformationRotate180,
        H::TransformationFlip,     H::TransformationFlipAndRotate90,
        H::TransformationRotate90, H::TransformationMirrorAndRotate90,
        H::TransformationRotate270};
    return kByOrientation[std::clamp(orientation, 0, 8)];
}

void PutLe(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> 8 * i));
}

QByteArray Written(const QImage& image, const char* format, int quality,
                   QImageIOHandler::Transformations transformation = {}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setTransformation(transformation);
    return writer.write(image) ? bytes : QByteArray();
}

// One TIFF directory being written: entries sorted by tag, values longer
// than four bytes placed after the directory.
class TiffDirectory {
public:
    enum Type : quint16 { Byte = 1, Ascii = 2, Short = 3, Long = 4, SRational = 10 };
    struct Tag {
        quint16 tag;
        Type type;
        std::vector<qint64> values; // a signed rational takes two
    };
    void add(const std::vector<Tag>& tags) {
        for (const auto& [tag, type, values] : tags) {
            QByteArray bytes;
            for (const qint64 v : values)
                PutLe(bytes, quint32(v), type == Byte ? 1 : type == Short ? 2 : 4);
            entries_[tag] = {type, quint32(values.size()) / (type == SRational ? 2 : 1), bytes};
        }
    }
    void text(quint16 tag, const QByteArray& text) {
        entries_[tag] = {Ascii, quint32(text.size() + 1), text + '\0'};
    }
    // The size of the directory and its out-of-line values.
    quint32 size() const {
        quint32 total = 2 + 12 * quint32(entries_.size()) + 4;
        for (const auto& entry : entries_)
            total +=
                entry.second.value.size() > 4 ? quint32(entry.second.value.size() + 1) & ~1u : 0;
        return total;
    }
    // Appends the directory, written to sit at offset `at` of the file.
    void writeAt(QByteArray& out, quint32 at) const {
        QByteArray extra;
        const quint32 extraAt = at + 2 + 12 * quint32(entries_.size()) + 4;
        PutLe(out, quint32(entries_.size()), 2);
        for (const auto& [tag, entry] : entries_) {
            PutLe(out, tag, 2);
            PutLe(out, entry.type, 2);
            PutLe(out, entry.count, 4);
            if (entry.value.size() <= 4) {
                out.append(entry.value.leftJustified(4, '\0'));
                continue;
            }
            PutLe(out, extraAt + quint32(extra.size()), 4);
            extra.append(entry.value);
            if (extra.size() % 2)
                extra.append('\0');
        }
        PutLe(out, 0, 4);
        out.append(extra);
    }

private:
    struct Entry {
        quint16 type;
        quint32 count;
        QByteArray value;
    };
    std::map<quint16, Entry> entries_;
};
using T = TiffDirectory;

// The tags of a raw picture's directory: 16-bit RGGB colour-filter samples at dataAt.
void AddRawTags(TiffDirectory& raw, QSize size, quint32 dataAt) {
    const qint64 w = size.width(), h = size.height();
    // clang-format off
    raw.add({{254, T::Long, {0}}, {256, T::Long, {w}}, {257, T::Long, {h}}, {258, T::Short, {16}},
             {259, T::Short, {1}}, {262, T::Short, {32803}}, {273, T::Long, {dataAt}},
             {277, T::Short, {1}}, {278, T::Long, {h}}, {279, T::Long, {w * h * 2}},
             {284, T::Short, {1}}, {33421, T::Short, {2, 2}}, {33422, T::Byte, {0, 1, 1, 2}},
             {50717, T::Long, {4095}}});
    // clang-format on
}

// The tags of the first directory that name the file a camera's DNG.
void AddCameraTags(TiffDirectory& first, int orientation) {
    first.text(271, "Sorvane");
    first.text(272, "Test Camera");
    first.text(50708, "Sorvane Test Camera");
    first.add({{274, T::Short, {orientation}},
               {50706, T::Byte, {1, 4, 0, 0}},
               {50721, T::SRational, {1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1}},
               {50778, T::Short, {21}}}); // D65
}

// A JPEG preview of `size` at jpegAt and a sub-directory at rawAt.
void AddPreviewTags(TiffDirectory& first, QSize size, quint32 jpegAt, qint64 length,
                    quint32 rawAt) {
    // clang-format off
    first.add({{254, T::Long, {1}}, {256, T::Long, {size.width()}}, {257, T::Long, {size.height()}},
               {258, T::Short, {8, 8, 8}}, {259, T::Short, {7}}, {262, T::Short, {6}}, // JPEG, YCbCr
               {273, T::Long, {jpegAt}}, {277, T::Short, {3}}, {278, T::Long, {size.height()}},
               {279, T::Long, {length}}, {284, T::Short, {1}}, {330, T::Long, {rawAt}}});
    // clang-format on
}

// The samples at a 12-bit mid level, with a gentle slope so developing them
// has something to do.
QByteArray RawData(QSize size) {
    QByteArray data;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            PutLe(data, quint32(1000 + (x + y) % 1000), 2);
    return data;
}

QByteArray ExifOrientation(int orientation) { // a TIFF block of one directory
    TiffDirectory directory;
    directory.add({{0x0112, T::Short, {orientation}}});
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    directory.writeAt(tiff, 8);
    return tiff;
}

// A simple WebP (one VP8 or VP8L chunk) made an extended one (VP8X) with an
// EXIF chunk, as phones and converters write it.
QByteArray WithExifChunk(const QByteArray& webp, QSize canvas, const QByteArray& exif) {
    QByteArray body("WEBPVP8X");
    PutLe(body, 10, 4);
    PutLe(body, 0x08, 4); // flags: EXIF present
    PutLe(body, quint32(canvas.width() - 1), 3);
    PutLe(body, quint32(canvas.height() - 1), 3);
    body += webp.mid(12) + "EXIF";
    PutLe(body, quint32(exif.size()), 4);
    body += exif + QByteArray(exif.size() % 2, '\0');
    QByteArray file("RIFF");
    PutLe(file, quint32(body.size()), 4);
    return file + body;
}

heif_error AppendTo(heif_context*, const void* data, size_t size, void* userdata) {
    static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data), qsizetype(size));
    return {heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

// An interleaved 8-bit RGB heif_image holding the picture's pixels.
heif_image* HeifImage(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(plane + y * stride, rgb.constScanLine(y), size_t(rgb.width()) * 3);
    return image;
}

} // namespace

QImage CornerPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    QPainter painter(&image);
    painter.fillRect(0, 0, w, h, kCornerColours[0]);
    painter.fillRect(w, 0, size.width() - w, h, kCornerColours[1]);
    painter.fillRect(0, h, w, size.height() - h, kCornerColours[2]);
    painter.fillRect(w, h, size.width() - w, size.height() - h, kCornerColours[3]);
    return image;
}

QList<int> Corners(const QImage& image) {
    // A few pixels in, clear of the blur lossy coding puts at the edges.
    const int left = image.width() / 8, right = image.width() - 1 - left;
    const int top = image.height() / 8, bottom = image.height() - 1 - top;
    return {CornerAt(image, left, top), CornerAt(image, right, top), CornerAt(image, left, bottom),
            CornerAt(image, right, bottom)};
}

QImage StoredForOrientation(const QImage& upright, int orientation) {
    // Every orientation undoes itself but the quarter turns 6 and 8, which
    // undo each other.
    return Oriented(upright, orientation == 6 ? 8 : orientation == 8 ? 6 : orientation);
}

QByteArray OrientedJpeg(const QImage& upright, int orientation) {
    QByteArray jpeg = Written(StoredForOrientation(upright, orientation), "JPEG", 95);
    const QByteArray body = "Exif" + QByteArray(2, '\0') + ExifOrientation(orientation);
    const qsizetype length = body.size() + 2;
    const QByteArray segment = QByteArray("\xff\xe1") + char(length >> 8) + char(length & 0xff);
    return jpeg.isEmpty() ? jpeg : jpeg.insert(2, segment + body);
}

QByteArray EncodedPicture(const QImage& upright, const char* format, int orientation) {
    const QImage stored = StoredForOrientation(upright, orientation);
    // Qt's writers that cannot record an orientation turn the pixels by it
    // instead, so only TIFF's is told.
    const bool tiff = qstrcmp(format, "TIFF") == 0;
    const QByteArray bytes = Written(stored, format, 95, QtTransformation(tiff ? orientation : 1));
    if (qstrcmp(format, "WEBP") != 0 || orientation == 1 || bytes.isEmpty())
        return bytes;
    return WithExifChunk(bytes, stored.size(), ExifOrientation(orientation));
}

QByteArray AdobeRgbJpeg(QSize size, QColor adobeColour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(adobeColour);
    image.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
    return Written(image, "JPEG", 100);
}

QByteArray HeifPicture(const QImage& upright, HeifCodec codec, int orientation) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    QByteArray file;
    if (heif_context_get_encoder_for_format(
            context, codec == HeifCodec::Hevc ? heif_compression_HEVC : heif_compression_AV1,
            &encoder)
            .code == heif_error_Ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        // Minutes for a phone-sized AVIF otherwise; what each encoder does
        // not know it ignores.
        heif_encoder_set_parameter(encoder, "preset", "ultrafast");
        heif_encoder_set_parameter(encoder, "speed", "9");
        heif_image* image = HeifImage(StoredForOrientation(upright, orientation));
        heif_encoding_options* options = heif_encoding_options_alloc();
        options->image_orientation = heif_orientation(orientation);
        heif_writer writer{1, AppendTo};
        if (heif_context_encode_image(context, image, encoder, options, nullptr).code !=
                heif_error_Ok ||
            heif_context_write(context, &writer, &file).code != heif_error_Ok)
            file.clear();
        heif_encoding_options_free(options);
        heif_image_release(image);
        heif_encoder_release(encoder);
    }
    heif_context_free(context);
    return file;
}

QByteArray MinimalDng(QSize rawSize, const QImage& preview, int orientation) {
    const QImage stored = preview.isNull() ? preview : StoredForOrientation(preview, orientation);
    const QByteArray jpeg = preview.isNull() ? QByteArray() : Written(stored, "JPEG", 95);
    // The directories come first, then the preview, then the raw samples.
    // An offset takes the same room whatever its value, so the directories
    // are laid out with zeros, then again with the offsets their sizes give.
    TiffDirectory first, raw;
    AddCameraTags(first, orientation);
    const auto layOut = [&](quint32 rawAt, quint32 jpegAt, quint32 samplesAt) {
        AddRawTags(jpeg.isEmpty() ? first : raw, rawSize, samplesAt);
        if (!jpeg.isEmpty())
            AddPreviewTags(first, stored.size(), jpegAt, jpeg.size(), rawAt);
    };
    layOut(0, 0, 0);
    const quint32 rawAt = 8 + first.size(), jpegAt = rawAt + (jpeg.isEmpty() ? 0 : raw.size());
    layOut(rawAt, jpegAt, jpegAt + quint32(jpeg.size()));
    QByteArray file("II*\0\x08\0\0\0", 8);
    first.writeAt(file, 8);
    if (!jpeg.isEmpty())
        raw.writeAt(file, rawAt);
    return file + jpeg + RawData(rawSize);
}

bool ClaimHugeSize(QByteArray& picture) {
    const qsizetype ispe = picture.indexOf("ispe");
    if (picture.startsWith(QByteArray("II*\0", 4)) == (ispe >= 0))
        return false;
    if (ispe >= 0) { // version and flags, then width and height, big-endian
        picture.replace(ispe + 8, 8, QByteArray::fromHex("000186a0000186a0"));
        return true;
    }
    bool found = false;
    for (qsizetype at = 8; at + 12 <= picture.size(); at += 2) {
        const auto* e = reinterpret_cast<const uchar*>(picture.constData() + at);
        const bool size = (e[0] == 0 || e[0] == 1) && e[1] == 1; // tag 256 or 257
        const bool one =
            (e[2] == 3 || e[2] == 4) && e[3] == 0 && e[4] == 1 && !e[5] && !e[6] && !e[7];
        if (size && one) { // one LONG of 100000
            picture.replace(at + 2, 10, QByteArray::fromHex("040001000000a0860100"));
            found = true;
        }
    }
    return found;
}

} // namespace sorvane::test
