#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace farvik {

// The start of a text file exchanged with the engine: code page 1252, lines ended by CR LF
// (or LF alone), as a string with "\n" line ends.
struct TextFileStart {
    QString text;
    qint64 shownBytes = 0;  // how many bytes of the file the text holds
    qint64 fileBytes = 0;   // the size of the whole file
    bool whole() const { return shownBytes >= fileBytes; }
};

// Reads a file whole when it holds at most limit bytes, or else its first lines up to limit
// bytes (a line longer than that is cut there). Nothing when the file cannot be read.
std::optional<TextFileStart> readTextFileStart(const QString& path, qint64 limit);

}  // namespace farvik
