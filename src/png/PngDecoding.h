#pragma once

#include "png/DibLayout.h"
#include "png/PngFile.h"
#include "png/PngInfoBlock.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace sorvane {

// One open PNG file being decoded: the file, its spng context and the bitmap
// layout chosen for it. Nothing is shared between decodings, so separate
// decodings may run on separate threads; the lock only keeps two threads
// that were handed the same decoding from decoding it at once.
class PngDecoding {
public:
    // Reads the header and describes the bitmap in info and dataSize. Null
    // when the file cannot be opened, is no PNG, claims more than the file
    // can hold or is too large to decode;
    // then nothing stays open and info and dataSize are left alone.
    static std::unique_ptr<PngDecoding> Open(const char* path, PngInfoBlock& info,
                                             std::int32_t& dataSize);

    // Fills pixels (dataSize bytes) with the whole image. One try only: a
    // decoding cannot be restarted.
    bool decode(std::uint8_t* pixels);

private:
    PngDecoding(PngFile png, const DibLayout& layout);
    bool decodeRows(std::uint8_t* pixels);

    PngFile png_;
    DibLayout layout_;
    std::mutex mutex_;
    bool started_ = false;
};

} // namespace sorvane
