#include "png/PngInBox.h"

#include "platform/NativeName.h"
#include "png/PngColourSpace.h"
#include "png/PngFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace sorvane {

namespace {

constexpr std::uint32_t kSamples = 4; // per pixel of the picture, across and down

// The source lines (rows or columns) read for each line of the picture:
// up to kSamples, at the centres of equal parts of the band it stands for.
struct Sampling {
    std::vector<std::uint32_t> lines; // ascending
    std::vector<int> owner;           // the picture's line each is for
    std::vector<std::uint32_t> count; // lines read for each picture line

    Sampling(std::uint32_t natural, int shown) {
        for (int i = 0; i < shown; ++i) {
            const std::uint64_t first = std::uint64_t(i) * natural / shown;
            const std::uint64_t band = std::uint64_t(i + 1) * natural / shown - first;
            const std::uint32_t n = std::uint32_t(std::min<std::uint64_t>(kSamples, band));
            for (std::uint32_t s = 0; s < n; ++s) {
                lines.push_back(std::uint32_t(first + (2 * s + 1) * band / (2 * n)));
                owner.push_back(i);
            }
            count.push_back(n);
        }
    }
};

// One pixel of a row as libspng gives it in the file's own sample layout
// (16-bit samples in host order), as a straight-alpha colour.
class PixelReader {
public:
    explicit PixelReader(spng_ctx* ctx, const spng_ihdr& ihdr) : ihdr_(ihdr) {
        spng_get_plte(ctx, &palette_);
        hasKey_ = spng_get_trns(ctx, &trns_) == 0;
        channels_ = ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR         ? 3
                    : ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ? 2
                    : ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA ? 4
                                                                         : 1;
    }

    bool hasAlpha() const {
        return hasKey_ || ihdr_.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
               ihdr_.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    }
    std::size_t rowBytes() const {
        return (std::size_t(ihdr_.width) * channels_ * ihdr_.bit_depth + 7) / 8;
    }

    QRgb at(const std::uint8_t* row, std::uint32_t x) const {
        std::array<unsigned, 4> raw{};
        for (unsigned c = 0; c < channels_; ++c)
            raw[c] = sample(row, std::size_t(x) * channels_ + c);
        switch (ihdr_.color_type) {
        case SPNG_COLOR_TYPE_INDEXED:
            return fromPalette(raw[0]);
        case SPNG_COLOR_TYPE_GRAYSCALE: {
            const int grey = eight(raw[0]);
            return qRgba(grey, grey, grey, hasKey_ && raw[0] == trns_.gray ? 0 : 255);
        }
        case SPNG_COLOR_TYPE_TRUECOLOR: {
            const bool key =
                hasKey_ && raw[0] == trns_.red && raw[1] == trns_.green && raw[2] == trns_.blue;
            return qRgba(eight(raw[0]), eight(raw[1]), eight(raw[2]), key ? 0 : 255);
        }
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
            return qRgba(eight(raw[0]), eight(raw[0]), eight(raw[0]), eight(raw[1]));
        default:
            return qRgba(eight(raw[0]), eight(raw[1]), eight(raw[2]), eight(raw[3]));
        }
    }

private:
    unsigned sample(const std::uint8_t* row, std::size_t index) const {
        const unsigned depth = ihdr_.bit_depth;
        if (depth == 16) {
            std::uint16_t value;
            std::memcpy(&value, row + index * 2, 2);
            return value;
        }
        const std::size_t bit = index * depth;
        return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
    }
    int eight(unsigned value) const {
        const unsigned depth = ihdr_.bit_depth;
        return depth == 16 ? int(value >> 8) : int(value * 255 / ((1u << depth) - 1));
    }
    // An index past the palette is black, as in the bitmap's colour table.
    QRgb fromPalette(unsigned index) const {
        const int alpha = hasKey_ && index < trns_.n_type3_entries ? trns_.type3_alpha[index] : 255;
        if (index >= palette_.n_entries)
            return qRgba(0, 0, 0, alpha);
        const spng_plte_entry& e = palette_.entries[index];
        return qRgba(e.red, e.green, e.blue, alpha);
    }

    spng_ihdr ihdr_;
    spng_plte palette_{};
    spng_trns trns_{};
    bool hasKey_ = false;
    unsigned channels_ = 1;
};

// Where the pixels of each Adam7 pass lie across a row: first and step.
constexpr std::array<std::array<std::uint32_t, 2>, 7> kPassColumns{
    {{0, 8}, {4, 8}, {0, 4}, {2, 4}, {0, 2}, {1, 2}, {0, 1}}};

// Sums of premultiplied samples for every pixel of the picture (at most
// kSamples^2 of 255 each, which fits 16 bits), filled as rows arrive, in
// whatever order the interlace passes bring them.
class Averager {
public:
    Averager(QSize shown, const spng_ihdr& ihdr)
        : rows_(ihdr.height, shown.height()), columns_(ihdr.width, shown.width()),
          width_(shown.width()), sums_(std::size_t(shown.width()) * shown.height() * 4) {}

    void add(const spng_row_info& info, bool interlaced, const std::uint8_t* row,
             const PixelReader& pixels) {
        const auto it = std::lower_bound(rows_.lines.begin(), rows_.lines.end(), info.row_num);
        if (it == rows_.lines.end() || *it != info.row_num)
            return;
        const int y = rows_.owner[std::size_t(it - rows_.lines.begin())];
        const auto [first, step] =
            interlaced ? kPassColumns[std::size_t(info.pass)] : std::array<std::uint32_t, 2>{0, 1};
        std::uint16_t* line = &sums_[std::size_t(y) * width_ * 4];
        for (std::size_t i = 0; i < columns_.lines.size(); ++i) {
            const std::uint32_t x = columns_.lines[i];
            if (x % step != first)
                continue; // comes with another pass
            const QRgb colour = qPremultiply(pixels.at(row, x));
            std::uint16_t* sum = line + std::size_t(columns_.owner[i]) * 4;
            sum[0] += std::uint16_t(qRed(colour));
            sum[1] += std::uint16_t(qGreen(colour));
            sum[2] += std::uint16_t(qBlue(colour));
            sum[3] += std::uint16_t(qAlpha(colour));
        }
    }

    void finish(QImage& picture) const {
        for (int y = 0; y < picture.height(); ++y) {
            auto* out = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < width_; ++x) {
                const unsigned n = rows_.count[std::size_t(y)] * columns_.count[std::size_t(x)];
                const std::uint16_t* sum = &sums_[(std::size_t(y) * width_ + x) * 4];
                const auto mean = [n](std::uint16_t s) { return int((s + n / 2) / n); };
                out[x] = qRgba(mean(sum[0]), mean(sum[1]), mean(sum[2]), mean(sum[3]));
            }
        }
    }

private:
    Sampling rows_;
    Sampling columns_;
    int width_;
    std::vector<std::uint16_t> sums_;
};

QSize ShownSize(QSize natural, const std::function<QSize(QSize)>& sizeFor) {
    const QSize wanted = sizeFor(natural);
    return QSize(std::clamp(wanted.width(), 1, natural.width()),
                 std::clamp(wanted.height(), 1, natural.height()));
}

BoxedPng Decode(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    std::optional<PngFile> png = PngFile::Open(ToNativeName(path).constData());
    if (!png || png->ihdr.width == 0 || png->ihdr.height == 0)
        return {};
    spng_ctx* ctx = png->context.get();
    const spng_ihdr& ihdr = png->ihdr;
    const QSize natural(int(ihdr.width), int(ihdr.height)); // spng caps both below 2^31
    const QSize shown = ShownSize(natural, sizeFor);
    const PixelReader pixels(ctx, ihdr);
    const QColorSpace space = PngColourSpace(ctx);
    Averager averager(shown, ihdr);
    std::vector<std::uint8_t> row(pixels.rowBytes());
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    int error = spng_decode_image(ctx, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE);
    while (error == 0) {
        spng_row_info info{};
        error = spng_get_row_info(ctx, &info);
        if (error != 0)
            break;
        // A pass leaves the other passes' pixels alone, and packed ones are
        // merged in bit by bit: each row starts out clear.
        if (interlaced && ihdr.bit_depth < 8)
            std::fill(row.begin(), row.end(), 0);
        error = spng_decode_row(ctx, row.data(), row.size());
        if (error == 0 || error == SPNG_EOI)
            averager.add(info, interlaced, row.data(), pixels);
    }
    if (error != SPNG_EOI)
        return {};
    QImage picture(shown,
                   pixels.hasAlpha() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (picture.isNull())
        return {};
    averager.finish(picture);
    picture.setColorSpace(space);
    return {picture, natural};
}

} // namespace

BoxedPng LoadPngPictureInBox(const QString& path, const std::function<QSize(QSize)>& sizeFor) {
    try {
        return Decode(path, sizeFor);
    } catch (...) {
        return {}; // out of memory: no picture, as for any unreadable file
    }
}

} // namespace sorvane
