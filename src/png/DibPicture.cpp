#include "png/DibPicture.h"

#include "png/DibLayout.h"

#include <QList>
#include <cstdlib>

namespace sorvane {

namespace {

QImage::Format StoredFormat(std::uint16_t bitCount) {
    switch (bitCount) {
    case 8:
        return QImage::Format_Indexed8;
    case 24:
        return QImage::Format_BGR888;
    case 32:
        return QImage::Format_ARGB32; // byte order B, G, R, A in memory
    default:
        return QImage::Format_Invalid;
    }
}

bool IsReadable(const BitmapInfoHeader& header) {
    const std::int64_t height = std::llabs(std::int64_t{header.biHeight});
    return header.biSize == sizeof(BitmapInfoHeader) && header.biPlanes == 1 &&
           header.biCompression == kBiRgb && header.biWidth > 0 && height > 0 &&
           StoredFormat(header.biBitCount) != QImage::Format_Invalid &&
           DibStride(header.biWidth, header.biBitCount) * height <= kMaxDibBytes &&
           std::uint64_t(header.biWidth) * std::uint64_t(height) * 4 <= kMaxDibBytes;
}

// All 256 entries, whatever biClrUsed says, so a stray index past the used
// entries reads a zeroed entry (black) instead of running off the table.
QList<QRgb> ColourTable(const PngInfoBlock& info) {
    QList<QRgb> table;
    table.reserve(256);
    for (const RgbQuad& colour : info.colours)
        table.append(qRgb(colour.red, colour.green, colour.blue));
    return table;
}

} // namespace

QImage CreatePictureFromDib(const std::uint8_t* pixels, const PngInfoBlock& info) {
    const BitmapInfoHeader& header = info.header;
    if (!pixels || !IsReadable(header))
        return {};
    const QImage::Format format = StoredFormat(header.biBitCount);
    const int width = header.biWidth;
    const int height = std::abs(header.biHeight);
    const QImage stored(pixels, width, height,
                        static_cast<qsizetype>(DibStride(width, header.biBitCount)), format);
    QImage picture;
    if (format == QImage::Format_ARGB32) {
        picture = stored.copy();
    } else {
        QImage indexed = stored; // shares the caller's pixels until converted
        if (format == QImage::Format_Indexed8)
            indexed.setColorTable(ColourTable(info));
        picture = indexed.convertToFormat(QImage::Format_RGB32);
    }
    if (header.biHeight > 0 && !picture.isNull())
        picture.mirror(false, true); // stored bottom row first
    return picture;
}

} // namespace sorvane
