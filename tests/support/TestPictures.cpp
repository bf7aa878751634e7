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

const QColor* const kCornerColours[] = {&TopLeftColour, &TopRightColour, &BottomLeftColour,
                                        &BottomRightColour};

int Distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

QImage Turned(const QImage& image, qreal degrees) {
    return image.transformed(QTransform().rotate(degrees));
}

// What showing a stored picture with EXIF orientation n does to it.
QImage Oriented(const QImage& image, int orientation) {
    switch (orientation) {
    case 2:
        return image.mirrored(true, false);
    case 3:
        return image.mirrored(true, true);
    case 4:
        return image.mirrored(false, true);
    case 5:
        return Turned(image, 90).mirrored(true, false);
    case 6:
        return Turned(image, 90);
    case 7:
        return Turned(image, 90).mirrored(false, true);
    case 8:
        return Turned(image, 270);
    default:
        return image;
    }
}

// Qt's name for each EXIF orientation, for writers that record one.
QImageIOHandler::Transformations QtTransformation(int orientation) {
    static const QImageIOHandler::Transformation kByOrientation[] = {
        QImageIOHandler::TransformationNone,     QImageIOHandler::TransformationNone,
        QImageIOHandler::TransformationMirror,   QImageIOHandler::TransformationRotate180,
        QImageIOHandler::TransformationFlip,     QImageIOHandler::TransformationFlipAndRotate90,
        QImageIOHandler::TransformationRotate90, QImageIOHandler::TransformationMirrorAndRotate90,
        QImageIOHandler::TransformationRotate270};
    return kByOrientation[std::clamp(orientation, 0, 8)];
}

void PutLe16(QByteArray& out, quint16 value) {
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

void PutLe32(QByteArray& out, quint32 value) {
    PutLe16(out, quint16(value & 0xffff));
    PutLe16(out, quint16(value >> 16));
}

// One TIFF directory being written: entries sorted by tag, values that do
// not fit in four bytes placed after the directory.
class TiffDirectory {
public:
    void add(quint16 tag, quint16 type, quint32 count, QByteArray value) {
        entries_[tag] = {type, count, std::move(value)};
    }
    void shorts(quint16 tag, std::initializer_list<quint16> values) {
        QByteArray bytes;
        for (quint16 v : values)
            PutLe16(bytes, v);
        add(tag, 3, quint32(values.size()), bytes);
    }
    void longs(quint16 tag, std::initializer_list<quint32> values) {
        QByteArray bytes;
        for (quint32 v : values)
            PutLe32(bytes, v);
        add(tag, 4, quint32(values.size()), bytes);
    }
    void ascii(quint16 tag, const QByteArray& text) {
        add(tag, 2, quint32(text.size() + 1), text + '\0');
    }
    void bytes(quint16 tag, const QByteArray& values) {
        add(tag, 1, quint32(values.size()), values);
    }
    void srationals(quint16 tag, std::initializer_list<std::pair<qint32, qint32>> values) {
        QByteArray bytes;
        for (auto [n, d] : values) {
            PutLe32(bytes, quint32(n));
            PutLe32(bytes, quint32(d));
        }
        add(tag, 10, quint32(values.size()), bytes);
    }
    // The size of the directory and its out-of-line values.
    int size() const {
        int total = 2 + 12 * int(entries_.size()) + 4;
        for (const auto& [tag, entry] : entries_)
            total += entry.value.size() > 4 ? int(entry.value.size() + 1) & ~1 : 0;
        return total;
    }
    // Appends the directory, written to sit at offset `at` of the file.
    void writeAt(QByteArray& out, quint32 at) const {
        QByteArray extra;
        const quint32 extraAt = at + 2 + 12 * quint32(entries_.size()) + 4;
        PutLe16(out, quint16(entries_.size()));
        for (const auto& [tag, entry] : entries_) {
            PutLe16(out, tag);
            PutLe16(out, entry.type);
            PutLe32(out, entry.count);
            if (entry.value.size() <= 4) {
                out.append(entry.value.leftJustified(4, '\0'));
            } else {
                PutLe32(out, extraAt + quint32(extra.size()));
                extra.append(entry.value);
                if (extra.size() % 2)
                    extra.append('\0');
            }
        }
        PutLe32(out, 0);
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

// The tags every DNG directory of a raw picture carries.
void AddRawTags(TiffDirectory& raw, QSize size, quint32 dataAt) {
    raw.longs(254, {0});
    raw.longs(256, {quint32(size.width())});
    raw.longs(257, {quint32(size.height())});
    raw.shorts(258, {16});
    raw.shorts(259, {1});
    raw.shorts(262, {32803}); // colour filter array
    raw.longs(273, {dataAt});
    raw.shorts(277, {1});
    raw.longs(278, {quint32(size.height())});
    raw.longs(279, {quint32(size.width() * size.height() * 2)});
    raw.shorts(284, {1});
    raw.shorts(33421, {2, 2});
    raw.bytes(33422, QByteArray("\x00\x01\x01\x02", 4)); // RGGB
    raw.longs(50717, {4095});
}

// The tags of the first directory that name the file a DNG of a camera.
void AddCameraTags(TiffDirectory& first, int orientation) {
    first.ascii(271, "Sorvane");
    first.ascii(272, "Test Camera");
    first.shorts(274, {quint16(orientation)});
    first.bytes(50706, QByteArray("\x01\x04\x00\x00", 4));
    first.ascii(50708, "Sorvane Test Camera");
    first.srationals(50721,
                     {{1, 1}, {0, 1}, {0, 1}, {0, 1}, {1, 1}, {0, 1}, {0, 1}, {0, 1}, {1, 1}});
    first.shorts(50778, {21}); // D65
}

void AddPreviewTags(TiffDirectory& first, QSize size, quint32 jpegAt, int jpegLength) {
    first.longs(254, {1});
    first.longs(256, {quint32(size.width())});
    first.longs(257, {quint32(size.height())});
    first.shorts(258, {8, 8, 8});
    first.shorts(259, {7}); // JPEG
    first.shorts(262, {6}); // YCbCr
    first.longs(273, {jpegAt});
    first.shorts(277, {3});
    first.longs(278, {quint32(size.height())});
    first.longs(279, {quint32(jpegLength)});
    first.shorts(284, {1});
}

// A raw of the colour filter array's sites at a 12-bit mid level, with a
// gentle slope so developing it has something to do.
QByteArray RawData(QSize size) {
    QByteArray data;
    data.reserve(size.width() * size.height() * 2);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            PutLe16(data, quint16(1000 + (x + y) % 1000));
    return data;
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
    painter.fillRect(0, 0, w, h, TopLeftColour);
    painter.fillRect(w, 0, size.width() - w, h, TopRightColour);
    painter.fillRect(0, h, w, size.height() - h, BottomLeftColour);
    painter.fillRect(w, h, size.width() - w, size.height() - h, BottomRightColour);
    return image;
}

int CornerAt(const QImage& image, int x, int y) {
    const QColor pixel = image.pixelColor(x, y);
    const auto nearest = std::min_element(std::begin(kCornerColours), std::end(kCornerColours),
                                          [&](const QColor* a, const QColor* b) {
                                              return Distance(*a, pixel) < Distance(*b, pixel);
                                          });
    return int(nearest - std::begin(kCornerColours));
}

QList<int> Corners(const QImage& image) {
    // A few pixels in, clear of the blur lossy coding puts at the edges.
    const int left = image.width() / 8, right = image.width() - 1 - left;
    const int top = image.height() / 8, bottom = image.height() - 1 - top;
    return {CornerAt(image, left, top), CornerAt(image, right, top), CornerAt(image, left, bottom),
            CornerAt(image, right, bottom)};
}

QImage StoredForOrientation(const QImage& upright, int orientation) {
    // Every orientation undoes itself, except the quarter turns 6 and 8,
    // which undo each other.
    const int inverse = orientation == 6 ? 8 : orientation == 8 ? 6 : orientation;
    return Oriented(upright, inverse);
}

QByteArray ExifOrientationSegment(int orientation) {
    QByteArray tiff("II*\0", 4);
    PutLe32(tiff, 8); // the first directory follows the header
    PutLe16(tiff, 1);
    PutLe16(tiff, 0x0112); // Orientation, one SHORT
    PutLe16(tiff, 3);
    PutLe32(tiff, 1);
    PutLe16(tiff, quint16(orientation));
    PutLe16(tiff, 0);
    PutLe32(tiff, 0); // no further directory
    const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
    const int length = int(body.size()) + 2;
    return QByteArray("\xff\xe1", 2) + char(length >> 8) + char(length & 0xff) + body;
}

QByteArray OrientedJpeg(const QImage& upright, int orientation) {
    QByteArray jpeg = Written(StoredForOrientation(upright, orientation), "JPEG", 95);
    // Right after the start-of-image marker, where cameras put it.
    return jpeg.isEmpty() ? jpeg : jpeg.insert(2, ExifOrientationSegment(orientation));
}

// A simple WebP (one VP8 or VP8L chunk) made an extended one (VP8X) that
// carries an EXIF chunk, as phones and converters write it.
QByteArray WithExifChunk(const QByteArray& webp, QSize canvas, const QByteArray& exif) {
    QByteArray body("WEBP");
    body += "VP8X";
    PutLe32(body, 10);
    PutLe32(body, 0x08); // flags: EXIF present
    for (const int side : {canvas.width() - 1, canvas.height() - 1}) {
        body.append(char(side & 0xff));
        body.append(char((side >> 8) & 0xff));
        body.append(char((side >> 16) & 0xff));
    }
    body += webp.mid(12);
    body += "EXIF";
    PutLe32(body, quint32(exif.size()));
    body += exif;
    if (exif.size() % 2)
        body.append('\0');
    QByteArray file("RIFF");
    PutLe32(file, quint32(body.size()));
    return file + body;
}

QByteArray EncodedPicture(const QImage& upright, const char* format, int orientation) {
    const QImage stored = StoredForOrientation(upright, orientation);
    // Qt's writers that cannot record an orientation turn the pixels by it
    // instead, so only TIFF's is told.
    const bool tiff = qstrcmp(format, "TIFF") == 0;
    const QByteArray bytes =
        Written(stored, format, 95, tiff ? QtTransformation(orientation) : QtTransformation(1));
    if (qstrcmp(format, "WEBP") != 0 || orientation == 1 || bytes.isEmpty())
        return bytes;
    // The TIFF block of a JPEG's EXIF segment, without marker, length and "Exif".
    return WithExifChunk(bytes, stored.size(), ExifOrientationSegment(orientation).mid(10));
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
    const heif_compression_format format =
        codec == HeifCodec::Hevc ? heif_compression_HEVC : heif_compression_AV1;
    QByteArray file;
    if (heif_context_get_encoder_for_format(context, format, &encoder).code == heif_error_Ok) {
        heif_encoder_set_lossy_quality(encoder, 90);
        // Minutes for a phone-sized AVIF otherwise; what each encoder does
        // not know it ignores.
        heif_encoder_set_parameter(encoder, "preset", "ultrafast");
        heif_encoder_set_parameter(encoder, "speed", "9");
        heif_image* image = HeifImage(StoredForOrientation(upright, orientation));
        heif_encoding_options* options = heif_encoding_options_alloc();
        options->image_orientation = heif_orientation(orientation);
        heif_writer writer{1, AppendTo};
        if (heif_context_encode_image(context, image, encoder, options, nullptr).code ==
                heif_error_Ok &&
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
    const QByteArray raw = RawData(rawSize);
    const QByteArray jpeg = preview.isNull()
                                ? QByteArray()
                                : Written(StoredForOrientation(preview, orientation), "JPEG", 95);
    TiffDirectory first, rawDirectory;
    AddCameraTags(first, orientation);
    // The directories come first, then the JPEG, then the raw samples. An
    // offset takes the same room whatever its value, so each directory is
    // laid out with zeros first and the offsets filled in once known.
    if (jpeg.isEmpty()) {
        AddRawTags(first, rawSize, 0);
        AddRawTags(first, rawSize, quint32(8 + first.size()));
    } else {
        const QSize stored = StoredForOrientation(preview, orientation).size();
        AddPreviewTags(first, stored, 0, int(jpeg.size()));
        first.longs(330, {0});
        AddRawTags(rawDirectory, rawSize, 0);
        const quint32 rawDirectoryAt = quint32(8 + first.size());
        const quint32 jpegAt = rawDirectoryAt + quint32(rawDirectory.size());
        AddPreviewTags(first, stored, jpegAt, int(jpeg.size()));
        first.longs(330, {rawDirectoryAt});
        AddRawTags(rawDirectory, rawSize, jpegAt + quint32(jpeg.size()));
    }
    QByteArray file("II*\0", 4);
    PutLe32(file, 8);
    first.writeAt(file, 8);
    if (!jpeg.isEmpty()) {
        rawDirectory.writeAt(file, quint32(file.size()));
        file.append(jpeg);
    }
    return file + raw;
}

bool ClaimHugeSize(QByteArray& picture) {
    const qsizetype ispe = picture.indexOf("ispe");
    if (picture.startsWith(QByteArray("II*\0", 4)) == (ispe >= 0))
        return false;
    if (ispe >= 0) { // version and flags, then width and height, big-endian
        const char huge[8] = {0, 1, char(0x86), char(0xa0), 0, 1, char(0x86), char(0xa0)};
        picture.replace(ispe + 8, 8, QByteArray(huge, 8));
        return true;
    }
    bool found = false;
    for (qsizetype at = 8; at + 12 <= picture.size(); at += 2) {
        const auto* e = reinterpret_cast<const uchar*>(picture.constData() + at);
        const bool size = (e[0] == 0 || e[0] == 1) && e[1] == 1; // tag 256 or 257
        const bool one =
            (e[2] == 3 || e[2] == 4) && e[3] == 0 && e[4] == 1 && !e[5] && !e[6] && !e[7];
        if (size && one) {
            QByteArray entry;
            PutLe16(entry, 4); // a LONG
            PutLe32(entry, 1);
            PutLe32(entry, 100000);
            picture.replace(at + 2, 10, entry);
            found = true;
        }
    }
    return found;
}

} // namespace sorvane::test
