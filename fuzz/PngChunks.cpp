#include "PngChunks.h"

#include <array>

namespace sorvane::fuzz {
namespace {

constexpr std::size_t kSignatureBytes = 8;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t ReadBigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

void WriteBigEndian(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(value >> (24 - 8 * i));
}

} // namespace

void FixPngChecksums(std::uint8_t* data, std::size_t size) {
    std::size_t pos = kSignatureBytes;
    // Each chunk: length, type, data, checksum over type and data.
    while (pos + 12 <= size) {
        const std::uint32_t length = ReadBigEndian(data + pos);
        if (length > size - pos - 12)
            return;
        WriteBigEndian(data + pos + 8 + length, Crc32(data + pos + 4, 4 + std::size_t(length)));
        pos += 12 + std::size_t(length);
    }
}

} // namespace sorvane::fuzz
