#pragma once

#include <QString>

#include <optional>

namespace sorvane {

// The usage text file as the usage window shows it: read as UTF-8, or as
// Shift-JIS when it is not valid UTF-8 (older usage texts were written in
// it); every line, whether it ended in CR LF, CR or LF, followed by CR LF.
// Nothing when the file cannot be read.
std::optional<QString> ReadUsageText(const QString& path);

} // namespace sorvane
