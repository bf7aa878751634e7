#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace sorvane::test {

// A PNG the tests write byte by byte, so every colour type, bit depth,
// transparency chunk and interlacing can be made, whatever Qt's writer
// supports. The pixels follow a fixed pattern over the whole range of the
// bit depth; ExpectedPixel says what a correct decoder makes of each.
struct PngRecipe {
    int colourType = 6; // 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    bool transparencyChunk = false; // tRNS: palette alphas or a key colour
    int width = 13;
    int height = 11;
    int seed = 0; // varies the pattern between otherwise equal files
};

// The palette written for palette images; tRNS, when present, gives alphas
// to the first half of it only, the rest stays opaque.
QList<QRgb> RecipePalette(const PngRecipe& recipe);

QRgb ExpectedPixel(const PngRecipe& recipe, int x, int y);
bool HasTransparency(const PngRecipe& recipe);

// "" when picture shows recipe's pixels, else where it first differs. 16-bit
// samples may be rounded either way when cut to 8 bits; transparent pixels
// have no colour to compare.
QString CompareWithRecipe(const QImage& picture, const PngRecipe& recipe);

QByteArray EncodePng(const PngRecipe& recipe);

// Pieces for hand-made damaged or extreme files.
QByteArray PngSignature();
QByteArray PngChunk(const char* type, const QByteArray& data);
QByteArray HeaderChunk(quint32 width, quint32 height, int bitDepth, int colourType,
                       bool interlaced = false);

} // namespace sorvane::test
