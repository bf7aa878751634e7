#pragma once

#include <cstddef>
#include <cstdint>

namespace sorvane::fuzz {

// Rewrites the checksum of every whole chunk after the PNG signature, so that
// a mutated chunk reaches the decoder instead of failing its checksum.
void FixPngChecksums(std::uint8_t* data, std::size_t size);

} // namespace sorvane::fuzz
