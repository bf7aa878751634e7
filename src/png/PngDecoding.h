#pragma once

#include "png/DibLayout.h"
#include "png/PngInfoBlock.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <spng.h>

namespace sorvane {

// One open PNG file being decoded: the file, its spng context and the bitmap
// layout chosen for it. Nothing is shared between decodings, so separate
// decodings may run on separate threads; the lock only keeps two threads
// that were handed the same decoding from decoding it at once.
class PngDecoding {
public:
    // Reads the header and describes the bitmap in info and dataSize. Null
    // when the file cannot be opened, is no PNG or is too large to decode;
    // then nothing stays open and info and dataSize are left alone.
    static std::unique_ptr<PngDecoding> Open(const char* path, PngInfoBlock& info,
                                             std::int32_t& dataSize);

    // Fills pixels (dataSize bytes) with the whole image. One try only: a
    // decoding cannot be restarted.
    bool decode(std::uint8_t* pixels);

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    struct ContextFreer {
        void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;
    using Context = std::unique_ptr<spng_ctx, ContextFreer>;

    PngDecoding(File file, Context context, const DibLayout& layout);
    bool decodeRows(std::uint8_t* pixels);

    // Declared after the file, so the context that reads it is freed first.
    File file_;
    Context context_;
    DibLayout layout_;
    std::mutex mutex_;
    bool started_ = false;
};

} // namespace sorvane
