#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <spng.h>

namespace sorvane {

// A PNG file opened for decoding, its header read. A file is only opened
// when the picture its header claims could come from a file of its length:
// deflate packs at most 1032 bytes into one, so a 74-byte file claiming
// thousands of megapixels is refused before anything of that size is
// allocated or any row is inflated.
struct PngFile {
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    struct ContextFreer {
        void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
    };

    // Declared after the file, so the context that reads it is freed first.
    std::unique_ptr<std::FILE, FileCloser> file;
    std::unique_ptr<spng_ctx, ContextFreer> context;
    spng_ihdr ihdr{};

    // None when the file cannot be opened, is no PNG or claims more than it can hold.
    static std::optional<PngFile> Open(const char* path);
};

// Whether a file of fileBytes can hold the compressed rows of that header.
bool CouldHoldPicture(const spng_ihdr& ihdr, std::uint64_t fileBytes);

} // namespace sorvane
