#include "imaging/WebpOrientation.h"

#include <QtEndian>

namespace sorvane {
namespace {

// The EXIF block is small; anything larger is not believed.
constexpr quint32 kMostExifBytes = 1 << 20;

class TiffBlock {
public:
    explicit TiffBlock(const QByteArray& bytes) : bytes_(bytes), little_(bytes.startsWith("II")) {}

    bool valid() const {
        return bytes_.size() >= 8 && (bytes_.startsWith(QByteArray("II*\0", 4)) ||
                                      bytes_.startsWith(QByteArray("MM\0*", 4)));
    }
    // 0 past the end, which no entry read here can tell from a real 0.
    quint32 u16(qsizetype at) const {
        if (at < 0 || at + 2 > bytes_.size())
            return 0;
        const auto* p = reinterpret_cast<const uchar*>(bytes_.constData() + at);
        return little_ ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
    }
    quint32 u32(qsizetype at) const {
        if (at < 0 || at + 4 > bytes_.size())
            return 0;
        const auto* p = reinterpret_cast<const uchar*>(bytes_.constData() + at);
        return little_ ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    }

private:
    QByteArray bytes_;
    bool little_;
};

quint32 LittleEndian32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(bytes.constData() + at));
}

// The EXIF chunk's content: RIFF chunks after the 12-byte file header, each
// a four-character name, a little-endian length and its data, padded to
// even.
QByteArray ExifChunk(QIODevice& device) {
    if (device.peek(12).mid(8, 4) != "WEBP" || !device.seek(device.pos() + 12))
        return {};
    for (int chunks = 0; chunks < 64; ++chunks) {
        const QByteArray header = device.read(8);
        if (header.size() != 8)
            return {};
        const quint32 length = LittleEndian32(header, 4);
        if (header.startsWith("EXIF"))
            return length <= kMostExifBytes ? device.read(length) : QByteArray();
        if (!device.seek(device.pos() + qint64(length) + (length & 1)))
            return {};
    }
    return {};
}

} // namespace

Orientation ExifBlockOrientation(const QByteArray& exif) {
    const TiffBlock block(exif.startsWith(QByteArray("Exif\0\0", 6)) ? exif.mid(6) : exif);
    if (!block.valid())
        return QImageIOHandler::TransformationNone;
    const quint32 directory = block.u32(4);
    const quint32 entries = block.u16(directory);
    for (quint32 i = 0; i < entries && i < 512; ++i) {
        const qsizetype entry = qsizetype(directory) + 2 + 12 * qsizetype(i);
        if (block.u16(entry) == 0x0112 && block.u16(entry + 2) == 3)
            return FromExifOrientation(int(block.u16(entry + 8)));
    }
    return QImageIOHandler::TransformationNone;
}

Orientation WebpOrientation(QIODevice& device) {
    const qint64 start = device.pos();
    const QByteArray exif = ExifChunk(device);
    device.seek(start);
    return ExifBlockOrientation(exif);
}

} // namespace sorvane
