#include "png/PngColourSpace.h"

#include <QByteArray>
#include <QPointF>

#include <cmath>

namespace sorvane {
namespace {

QColorSpace FromGammaAndPrimaries(spng_ctx* ctx) {
    std::uint32_t gama = 0; // the encoding exponent times 100000
    if (spng_get_gama_int(ctx, &gama) != 0 || gama == 0)
        return {};
    const float gamma = 100000.0f / float(gama);
    spng_chrm chrm{};
    if (spng_get_chrm(ctx, &chrm) == 0) {
        QColorSpace space(QPointF(chrm.white_point_x, chrm.white_point_y),
                          QPointF(chrm.red_x, chrm.red_y), QPointF(chrm.green_x, chrm.green_y),
                          QPointF(chrm.blue_x, chrm.blue_y), QColorSpace::TransferFunction::Gamma,
                          gamma);
        if (space.isValid())
            return space;
    }
    if (std::abs(gamma - 2.2f) < 0.05f)
        return {}; // what sRGB's curve comes close to: not worth a conversion
    return QColorSpace(QColorSpace::Primaries::SRgb, gamma);
}

} // namespace

QColorSpace PngColourSpace(spng_ctx* ctx) {
    std::uint8_t intent = 0;
    if (spng_get_srgb(ctx, &intent) == 0)
        return {};
    spng_iccp iccp{};
    if (spng_get_iccp(ctx, &iccp) == 0 && iccp.profile && iccp.profile_len > 0) {
        QColorSpace space = QColorSpace::fromIccProfile(
            QByteArray::fromRawData(iccp.profile, qsizetype(iccp.profile_len)));
        if (space.isValid())
            return space;
    }
    return FromGammaAndPrimaries(ctx);
}

} // namespace sorvane
