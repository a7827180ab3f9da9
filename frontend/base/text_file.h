#pragma once

#include <QString>
#include <optional>

namespace farvik {

// The text of a file exchanged with the engine: code page 1252, lines ended by CR LF (or LF
// alone), as a string with "\n" line ends. Nothing when the file cannot be read, or is far
// larger than any such file.
std::optional<QString> readTextFile(const QString& path);

}  // namespace farvik
