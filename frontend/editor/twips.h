#pragma once

#include <QPaintDevice>
#include <QtMath>

namespace farvik::editor {

// Twips are 1/1440 inch of the screen's logical resolution.
inline int twipsToPixels(int twips, const QPaintDevice& device) {
    return qRound(twips * device.logicalDpiY() / 1440.0);
}

}  // namespace farvik::editor
