#include "png/PngDecoder.h"

#include "png/PngDecoding.h"

#include <mutex>
#include <unordered_map>

namespace sorvane {

namespace {

// The open decodings by handle. It is process-wide because the handle is all
// a caller keeps, as with any C-style decoder library. Lookups hand out shared
// ownership, so decoding runs outside the lock and a concurrent mEndPNG
// cannot pull the decoding away underneath it.
class DecodingTable {
public:
    std::int32_t Add(std::shared_ptr<PngDecoding> decoding) {
        const std::lock_guard lock(mutex_);
        std::int32_t handle = NextFreeHandle();
        open_.emplace(handle, std::move(decoding));
        return handle;
    }

    std::shared_ptr<PngDecoding> Find(std::int32_t handle) {
        const std::lock_guard lock(mutex_);
        const auto it = open_.find(handle);
        return it == open_.end() ? nullptr : it->second;
    }

    void Remove(std::int32_t handle) {
        std::shared_ptr<PngDecoding> closing;
        {
            const std::lock_guard lock(mutex_);
            const auto it = open_.find(handle);
            if (it == open_.end())
                return;
            closing = std::move(it->second);
            open_.erase(it);
        }
        // The file is closed here, outside the lock.
    }

private:
    // Positive and not in use; a closed handle is not reused soon, which
    // keeps a stale handle from reaching someone else's decoding.
    std::int32_t NextFreeHandle() {
        do {
            last_ = last_ == INT32_MAX ? 1 : last_ + 1;
        } while (open_.count(last_) != 0);
        return last_;
    }

    std::mutex mutex_;
    std::unordered_map<std::int32_t, std::shared_ptr<PngDecoding>> open_;
    std::int32_t last_ = 0;
};

DecodingTable& Decodings() {
    static DecodingTable table;
    return table;
}

} // namespace

int mLoadPNG(const char* path, std::int32_t* handle, PngInfoBlock* info, std::int32_t* dataSize) {
    if (!path || !handle || !info || !dataSize)
        return 0;
    try {
        std::shared_ptr<PngDecoding> decoding = PngDecoding::Open(path, *info, *dataSize);
        if (!decoding)
            return 0;
        *handle = Decodings().Add(std::move(decoding));
        return 1;
    } catch (...) {
        return 0; // out of memory: the decoding was freed on the way out
    }
}

int mGetPNGData(std::int32_t* handle, std::uint8_t* pixels) {
    if (!handle || !pixels)
        return 0;
    try {
        const std::shared_ptr<PngDecoding> decoding = Decodings().Find(*handle);
        return decoding && decoding->decode(pixels) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void mEndPNG(std::int32_t* handle) {
    if (!handle)
        return;
    Decodings().Remove(*handle);
    *handle = 0;
}

} // namespace sorvane
