#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace sorvane::fuzz {

// The readers under test take a path, so each input is written to a file of
// the given name in a temporary folder of this process's own. The folder is
// removed when the process ends normally.
QString WriteInputFile(const char* name, const std::uint8_t* data, std::size_t size);

} // namespace sorvane::fuzz
