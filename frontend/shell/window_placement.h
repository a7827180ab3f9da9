#pragma once

#include <QRect>
#include <QString>

#include "base/twips.h"

namespace farvik {

class SettingsStore;

// The main window's placement in twips (1440 to the inch of the screen's logical resolution),
// with the values a first start uses.
struct WindowPlacement {
    float left = 1000;
    float top = 1000;
    float width = 6500;
    float height = 6500;

    bool operator==(const WindowPlacement& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

QRect placementToPixels(const WindowPlacement& placement, double dpiX, double dpiY);
WindowPlacement pixelsToPlacement(const QRect& pixels, double dpiX, double dpiY);

// A stored value is single precision; a text that is not a number counts as absent.
float twipsFromText(const QString& text, float fallback);
QString twipsToText(float twips);

// "MainLeft", "MainTop", "MainWidth" and "MainHeight" of section "Settings".
WindowPlacement readPlacement(const SettingsStore& store);
void storePlacement(SettingsStore& store, const WindowPlacement& placement);

}  // namespace farvik
