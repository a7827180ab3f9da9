#pragma once

#include <QString>

namespace farvik {

// The engine names some result files with upper-case extensions ("resumen.TXT"): a result
// file is found in its folder whatever the letter case of its name. When several names
// match, the newest file is taken; when none does, the path of the name as given.
QString resultFilePath(const QString& folder, const QString& name);

// The text of a result file (code page 1252); empty when it cannot be read.
QString readResultText(const QString& path);

}  // namespace farvik
