#include "window_placement.h"

#include <cmath>

#include "base/settings_store.h"
#include "base/twips.h"

namespace farvik {
namespace {

const QString kSection = QStringLiteral("Settings");
const QString kLeft = QStringLiteral("MainLeft");
const QString kTop = QStringLiteral("MainTop");
const QString kWidth = QStringLiteral("MainWidth");
const QString kHeight = QStringLiteral("MainHeight");

float readOne(const SettingsStore& store, const QString& key, float fallback) {
    return twipsFromText(store.value(kSection, key, QString()), fallback);
}

}  // namespace

QRect placementToPixels(const WindowPlacement& p, double dpiX, double dpiY) {
    return QRect(twipsToPixels(p.left, dpiX), twipsToPixels(p.top, dpiY),
                 twipsToPixels(p.width, dpiX), twipsToPixels(p.height, dpiY));
}

WindowPlacement pixelsToPlacement(const QRect& r, double dpiX, double dpiY) {
    return {pixelsToTwips(r.x(), dpiX), pixelsToTwips(r.y(), dpiY), pixelsToTwips(r.width(), dpiX),
            pixelsToTwips(r.height(), dpiY)};
}

float twipsFromText(const QString& text, float fallback) {
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    // A damaged store must not keep the program from starting.
    return ok && std::isfinite(value) ? value : fallback;
}

QString twipsToText(float twips) {
    return QString::number(twips, 'g', 7);
}

WindowPlacement readPlacement(const SettingsStore& store) {
    const WindowPlacement defaults;
    return {readOne(store, kLeft, defaults.left), readOne(store, kTop, defaults.top),
            readOne(store, kWidth, defaults.width), readOne(store, kHeight, defaults.height)};
}

void storePlacement(SettingsStore& store, const WindowPlacement& p) {
    store.setValue(kSection, kLeft, twipsToText(p.left));
    store.setValue(kSection, kTop, twipsToText(p.top));
    store.setValue(kSection, kWidth, twipsToText(p.width));
    store.setValue(kSection, kHeight, twipsToText(p.height));
}

}  // namespace farvik
