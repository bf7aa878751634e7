#include "png/PngBytes.h"

namespace sorvane::test {

namespace {

int Channels(int colourType) {
    switch (colourType) {
    case 2:
        return 3;
    case 4:
        return 2;
    case 6:
        return 4;
    default:
        return 1;
    }
}

int MaxSample(const PngRecipe& recipe) {
    return recipe.bitDepth == 16 ? 65535 : (1 << recipe.bitDepth) - 1;
}

// For 16 bits the low byte differs from the high one, so a decoder that
// keeps the wrong byte shows.
quint16 Sample(const PngRecipe& recipe, int x, int y, int channel) {
    const int pattern = x * 37 + y * 101 + channel * 59 + x * y * 13 + recipe.seed * 7;
    if (recipe.bitDepth < 16)
        return pattern % (MaxSample(recipe) + 1);
    const int high = pattern % 256;
    return static_cast<quint16>(high << 8 | (high * 7 + 91) % 256);
}

int To8Bits(const PngRecipe& recipe, int sample) {
    if (recipe.bitDepth == 16)
        return sample >> 8;
    return sample * 255 / MaxSample(recipe);
}

// The tRNS key colour is that of one pixel of the image, so it occurs.
bool IsKeyColour(const PngRecipe& recipe, int x, int y) {
    if (!recipe.transparencyChunk)
        return false;
    for (int c = 0; c < Channels(recipe.colourType); ++c) {
        if (Sample(recipe, x, y, c) != Sample(recipe, 2, 1, c))
            return false;
    }
    return true;
}

QByteArray BigEndian(quint32 value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>(value >> (8 * i) & 0xff));
    return out;
}

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (char ch : bytes) {
        crc ^= static_cast<quint8>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

struct Pass {
    int x0, y0, dx, dy;
};

QList<Pass> Passes(bool interlaced) {
    if (!interlaced)
        return {{0, 0, 1, 1}};
    return {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
}

QByteArray PackRow(const PngRecipe& recipe, const QList<int>& xs, int y) {
    QByteArray row(1, '\0'); // filter type: none
    const int depth = recipe.bitDepth;
    int packed = 0, used = 0;
    for (int x : xs) {
        for (int c = 0; c < Channels(recipe.colourType); ++c) {
            const quint16 sample = Sample(recipe, x, y, c);
            if (depth >= 8) {
                row.append(BigEndian(sample, depth / 8));
                continue;
            }
            packed |= sample << (8 - depth - used);
            used += depth;
            if (used == 8) {
                row.append(static_cast<char>(packed));
                packed = used = 0;
            }
        }
    }
    if (used > 0)
        row.append(static_cast<char>(packed));
    return row;
}

QByteArray ScanLines(const PngRecipe& recipe) {
    QByteArray lines;
    for (const Pass& pass : Passes(recipe.interlaced)) {
        QList<int> xs;
        for (int x = pass.x0; x < recipe.width; x += pass.dx)
            xs.append(x);
        for (int y = pass.y0; y < recipe.height && !xs.isEmpty(); y += pass.dy)
            lines.append(PackRow(recipe, xs, y));
    }
    return lines;
}

QByteArray TransparencyData(const PngRecipe& recipe) {
    QByteArray data;
    if (recipe.colourType == 3) {
        const QList<QRgb> palette = RecipePalette(recipe);
        for (qsizetype i = 0; i < palette.size() / 2; ++i)
            data.append(static_cast<char>(qAlpha(palette[i])));
        return data;
    }
    for (int c = 0; c < Channels(recipe.colourType); ++c)
        data.append(BigEndian(Sample(recipe, 2, 1, c), 2));
    return data;
}

QByteArray PaletteData(const PngRecipe& recipe) {
    QByteArray data;
    for (QRgb colour : RecipePalette(recipe)) {
        data.append(static_cast<char>(qRed(colour)));
        data.append(static_cast<char>(qGreen(colour)));
        data.append(static_cast<char>(qBlue(colour)));
    }
    return data;
}

} // namespace

QList<QRgb> RecipePalette(const PngRecipe& recipe) {
    QList<QRgb> palette;
    const int entries = 1 << recipe.bitDepth;
    for (int i = 0; i < entries; ++i) {
        const int alpha = i < entries / 2 ? (i * 71) % 256 : 255;
        palette.append(qRgba((i * 53 + 17) % 256, (i * 97 + 31) % 256, (i * 191 + 7) % 256, alpha));
    }
    return palette;
}

bool HasTransparency(const PngRecipe& recipe) {
    return recipe.transparencyChunk || recipe.colourType == 4 || recipe.colourType == 6;
}

QRgb ExpectedPixel(const PngRecipe& recipe, int x, int y) {
    const auto channel = [&](int c) { return To8Bits(recipe, Sample(recipe, x, y, c)); };
    const int keyAlpha = IsKeyColour(recipe, x, y) ? 0 : 255;
    switch (recipe.colourType) {
    case 0:
        return qRgba(channel(0), channel(0), channel(0), keyAlpha);
    case 2:
        return qRgba(channel(0), channel(1), channel(2), keyAlpha);
    case 3: {
        const QRgb entry = RecipePalette(recipe)[Sample(recipe, x, y, 0)];
        return recipe.transparencyChunk ? entry : (entry | 0xff000000u);
    }
    case 4:
        return qRgba(channel(0), channel(0), channel(0), channel(1));
    default:
        return qRgba(channel(0), channel(1), channel(2), channel(3));
    }
}

QString CompareWithRecipe(const QImage& picture, const PngRecipe& recipe) {
    if (picture.size() != QSize(recipe.width, recipe.height))
        return QStringLiteral("size %1x%2").arg(picture.width()).arg(picture.height());
    const int slack = recipe.bitDepth == 16 ? 1 : 0;
    for (int y = 0; y < recipe.height; ++y) {
        for (int x = 0; x < recipe.width; ++x) {
            const QRgb want = ExpectedPixel(recipe, x, y);
            const QRgb got = picture.pixel(x, y);
            const bool same = qAbs(qAlpha(got) - qAlpha(want)) <= slack &&
                              (qAlpha(want) == 0 || (qAbs(qRed(got) - qRed(want)) <= slack &&
                                                     qAbs(qGreen(got) - qGreen(want)) <= slack &&
                                                     qAbs(qBlue(got) - qBlue(want)) <= slack));
            if (!same)
                return QStringLiteral("pixel (%1,%2) is %3, expected %4")
                    .arg(x)
                    .arg(y)
                    .arg(got, 8, 16, QLatin1Char('0'))
                    .arg(want, 8, 16, QLatin1Char('0'));
        }
    }
    return {};
}

QByteArray PngSignature() {
    return QByteArray("\x89PNG\r\n\x1a\n", 8);
}

QByteArray PngChunk(const char* type, const QByteArray& data) {
    const QByteArray typed = QByteArray(type, 4) + data;
    return BigEndian(data.size(), 4) + typed + BigEndian(Crc32(typed), 4);
}

QByteArray HeaderChunk(quint32 width, quint32 height, int bitDepth, int colourType,
                       bool interlaced) {
    QByteArray data = BigEndian(width, 4) + BigEndian(height, 4);
    data.append(static_cast<char>(bitDepth));
    data.append(static_cast<char>(colourType));
    data.append(2, '\0'); // deflate, adaptive filtering
    data.append(static_cast<char>(interlaced ? 1 : 0));
    return PngChunk("IHDR", data);
}

QByteArray EncodePng(const PngRecipe& recipe) {
    QByteArray png = PngSignature() + HeaderChunk(recipe.width, recipe.height, recipe.bitDepth,
                                                  recipe.colourType, recipe.interlaced);
    if (recipe.colourType == 3)
        png += PngChunk("PLTE", PaletteData(recipe));
    if (recipe.transparencyChunk)
        png += PngChunk("tRNS", TransparencyData(recipe));
    // qCompress puts a 4-byte length before the zlib stream.
    png += PngChunk("IDAT", qCompress(ScanLines(recipe)).mid(4));
    png += PngChunk("IEND", {});
    return png;
}

} // namespace sorvane::test
