#pragma once

#include <QPaintDevice>
#include <cmath>

namespace farvik {

// Twips are 1/1440 inch of the screen's (or the printer's) logical resolution.
constexpr double kTwipsPerInch = 1440.0;

inline double twipsToDots(double twips, double dotsPerInch) {
    return twips * dotsPerInch / kTwipsPerInch;
}

inline double dotsToTwips(double dots, double dotsPerInch) {
    return dots * kTwipsPerInch / dotsPerInch;
}

// Whole pixels, the nearest.
inline int twipsToPixels(float twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twipsToDots(twips, dotsPerInch)));
}

inline float pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<float>(dotsToTwips(pixels, dotsPerInch));
}

// A vertical distance on a widget or page.
inline int twipsToPixels(int twips, const QPaintDevice& device) {
    return twipsToPixels(static_cast<float>(twips), device.logicalDpiY());
}

}  // namespace farvik
