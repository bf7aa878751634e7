#include "support/TestPictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace sorvane::test {
namespace {

const QColor kCornerColours[] = {{220, 30, 30}, {30, 200, 30}, {30, 30, 220}, {230, 230, 30}};

int CornerAt(const QImage& image, int x, int y) {
    const QColor p = image.pixelColor(x, y);
    const auto distance = [&p](const QColor& c) {
        return std::abs(c.red() - p.red()) + std::abs(c.green() - p.green()) +
               std::abs(c.blue() - p.blue());
    };
    return int(std::min_element(std::begin(kCornerColours), std::end(kCornerColours),
                                [&](auto& a, auto& b) { return distance(a) < distance(b); }) -
               std::begin(kCornerColours));
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

QByteArray Written(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    return buffer.open(QIODevice::WriteOnly) && writer.write(image) ? bytes : QByteArray();
}

QByteArray Le(std::initializer_list<qint64> values, int bytes) {
    QByteArray out;
    for (const qint64 value : values)
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> 8 * i));
    return out;
}

// TIFF entries by tag: the type (1 byte, 2 text, 3 short, 4 long, 10
// signed rational) and the values, little-endian.
using Tags = std::map<quint16, std::pair<quint16, QByteArray>>;
template <quint16 Type> std::pair<quint16, QByteArray> Entry(std::initializer_list<qint64> v) {
    return {Type, Le(v, Type == 3 ? 2 : Type == 4 ? 4 : 1)};
}
constexpr auto B = Entry<1>, S = Entry<3>, L = Entry<4>;

// Appends a directory, its longer values after it, at a word boundary; gives its offset.
qint64 AppendDirectory(QByteArray& file, const Tags& tags) {
    file.append(file.size() % 2, '\0');
    const qint64 at = file.size(), extraAt = at + 6 + 12 * qint64(tags.size());
    QByteArray entries = Le({qint64(tags.size())}, 2), extra;
    for (const auto& [tag, entry] : tags) {
        const auto& [type, value] = entry;
        const int unit = type == 3 ? 2 : type == 4 ? 4 : type == 10 ? 8 : 1;
        entries +=
            Le({tag, type}, 2) + Le({value.size() / unit}, 4) +
            (value.size() <= 4 ? value.leftJustified(4, '\0') : Le({extraAt + extra.size()}, 4));
        if (value.size() > 4)
            extra += value + QByteArray(value.size() % 2, '\0');
    }
    file += entries + Le({0}, 4) + extra;
    return at;
}

QByteArray ExifOrientation(int orientation) { // a TIFF block of one directory
    QByteArray tiff("II*\0\x08\0\0\0", 8);
    AppendDirectory(tiff, {{274, S({orientation})}});
    return tiff;
}

// A simple WebP (one VP8 or VP8L chunk) made an extended one (VP8X) with an
// EXIF chunk, as phones and converters write it.
QByteArray WithExifChunk(const QByteArray& webp, QSize canvas, const QByteArray& exif) {
    const QByteArray body = "WEBPVP8X" + Le({10, 0x08}, 4) + // flags: EXIF present
                            Le({canvas.width() - 1, canvas.height() - 1}, 3) + webp.mid(12) +
                            "EXIF" + Le({exif.size()}, 4) + exif + QByteArray(exif.size() % 2, 0);
    return "RIFF" + Le({body.size()}, 4) + body;
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

// The stored pixels a camera writes for `upright` at `orientation`: every
// orientation undoes itself but the quarter turns 6 and 8, which undo each other.
QImage StoredForOrientation(const QImage& upright, int orientation) {
    return Oriented(upright, orientation == 6 ? 8 : orientation == 8 ? 6 : orientation);
}

} // namespace

QImage CornerPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width() / 2, h = size.height() / 2;
    QPainter painter(&image);
    for (int i = 0; i < 4; ++i)
        painter.fillRect(i % 2 * w, i / 2 * h, i % 2 ? size.width() - w : w,
                         i / 2 ? size.height() - h : h, kCornerColours[i]);
    return image;
}

QList<int> Corners(const QImage& image) {
    // A few pixels in, clear of the blur lossy coding puts at the edges.
    const int left = image.width() / 8, right = image.width() - 1 - left;
    const int top = image.height() / 8, bottom = image.height() - 1 - top;
    return {CornerAt(image, left, top), CornerAt(image, right, top), CornerAt(image, left, bottom),
            CornerAt(image, right, bottom)};
}

QByteArray OrientedJpeg(const QImage& upright, int orientation) {
    QByteArray jpeg = Written(StoredForOrientation(upright, orientation), "JPEG");
    const QByteArray body = "Exif" + QByteArray(2, '\0') + ExifOrientation(orientation);
    const qsizetype length = body.size() + 2;
    const QByteArray segment = QByteArray("\xff\xe1") + char(length >> 8) + char(length & 0xff);
    return jpeg.isEmpty() ? jpeg : jpeg.insert(2, segment + body);
}

QByteArray EncodedPicture(const QImage& upright, const char* format, int orientation) {
    const QImage stored = StoredForOrientation(upright, orientation);
    const QByteArray bytes = Written(stored, format);
    if (qstrcmp(format, "WEBP") != 0 || orientation == 1 || bytes.isEmpty())
        return bytes;
    return WithExifChunk(bytes, stored.size(), ExifOrientation(orientation));
}

QByteArray HeifPicture(const QImage& picture, HeifCodec codec) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    QByteArray file;
    const heif_compression_format format =
        codec == HeifCodec::Hevc ? heif_compression_HEVC : heif_compression_AV1;
    if (heif_context_get_encoder_for_format(context, format, &encoder).code == heif_error_Ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        // Minutes for a phone-sized AVIF otherwise; what each encoder does
        // not know it ignores.
        heif_encoder_set_parameter(encoder, "preset", "ultrafast");
        heif_encoder_set_parameter(encoder, "speed", "9");
        heif_image* image = HeifImage(picture);
        heif_writer writer{1, AppendTo};
        if (heif_context_encode_image(context, image, encoder, nullptr, nullptr).code ||
            heif_context_write(context, &writer, &file).code)
            file.clear();
        heif_image_release(image);
        heif_encoder_release(encoder);
    }
    heif_context_free(context);
    return file;
}

QByteArray MinimalDng(QSize rawSize, const QImage& preview) {
    const QByteArray jpeg = preview.isNull() ? QByteArray() : Written(preview, "JPEG");
    const qint64 w = rawSize.width(), h = rawSize.height();
    // The preview and the samples (16-bit, at a 12-bit mid level with a
    // gentle slope so developing them has something to do) come first, then
    // the directories that point at them.
    QByteArray file = QByteArray("II*\0\0\0\0\0", 8) + jpeg;
    for (qint64 i = 0; i < w * h; ++i)
        file += Le({1000 + (i % w + i / w) % 1000}, 2);
    // clang-format off
    const Tags raw{{254, L({0})}, {256, L({w})}, {257, L({h})}, {258, S({16})}, {259, S({1})},
                   {262, S({32803})}, {273, L({8 + jpeg.size()})}, {277, S({1})}, {278, L({h})},
                   {279, L({w * h * 2})}, {284, S({1})}, {33421, S({2, 2})},
                   {33422, B({0, 1, 1, 2})}, {50717, L({4095})}}; // a colour-filter raw
    Tags first{{271, {2, QByteArray("Sorvane", 8)}}, {272, {2, QByteArray("Test Camera", 12)}},
               {50706, B({1, 4, 0, 0})}, {50708, {2, QByteArray("Sorvane Test Camera", 20)}},
               {50721, {10, Le({1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1}, 4)}},
               {50778, S({21})}}; // D65
    if (jpeg.isEmpty())
        first.insert(raw.begin(), raw.end());
    else // a JPEG (7) preview in YCbCr (6), the raw in a sub-directory
        first.insert({{254, L({1})}, {256, L({preview.width()})}, {257, L({preview.height()})},
                      {258, S({8, 8, 8})}, {259, S({7})}, {262, S({6})}, {273, L({8})},
                      {277, S({3})}, {278, L({preview.height()})}, {279, L({jpeg.size()})},
                      {284, S({1})}, {330, L({AppendDirectory(file, raw)})}});
    // clang-format on
    file.replace(4, 4, Le({AppendDirectory(file, first)}, 4));
    return file;
}

bool ClaimHugeSize(QByteArray& picture) {
    const bool tiff = picture.startsWith(QByteArray("II*\0", 4));
    const qsizetype ispe = tiff ? -1 : picture.indexOf("ispe");
    if (ispe >= 0) // version and flags, then width and height, big-endian
        picture.replace(ispe + 8, 8, QByteArray::fromHex("000186a0000186a0"));
    int found = int(ispe >= 0);
    // Every entry of ImageWidth (256) or ImageLength (257) holding one SHORT
    // or LONG becomes one LONG of 100000.
    for (const char* entry :
         {"0001030001000000", "0001040001000000", "0101030001000000", "0101040001000000"})
        for (qsizetype at = 8; tiff && (at = picture.indexOf(QByteArray::fromHex(entry), at)) > 0;
             at += 2)
            if (at % 2 == 0 && ++found)
                picture.replace(at + 2, 10, QByteArray::fromHex("040001000000a0860100"));
    return found > 0;
}

} // namespace sorvane::test
