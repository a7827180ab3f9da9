#include "key_filters.h"

namespace farvik::editor {
namespace {

bool isDigitKey(int key) {
    return key >= '0' && key <= '9';
}

}  // namespace

void validanumint(int& key) {
    if (!(isDigitKey(key) || key == kKeyBackspace)) key = 0;
}

void validanumfloat(int maxLength, int& key, const QString& text) {
    if (text.size() >= maxLength && key != kKeyBackspace) {
        key = 0;
        return;
    }
    int dots = static_cast<int>(text.count(QLatin1Char('.')));
    if (key == kKeyDot) ++dots;
    const bool allowed =
        isDigitKey(key) || key == kKeyBackspace || key == kKeyDot || key == kKeyEnter;
    if (!allowed || dots > 1) key = 0;
}

}  // namespace farvik::editor
