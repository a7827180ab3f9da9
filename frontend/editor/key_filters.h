#pragma once

#include <QString>

// Keystroke filters of the data editor's number boxes. Each gets the character code of a
// key press and sets it to 0 to refuse the key.
namespace farvik::editor {

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyDot = 46;

// Whole numbers: digits and backspace only (Enter, signs and separators are refused).
void validanumint(int& key);

// Decimal numbers typed into a box of at most maxLength characters holding text: digits,
// backspace, Enter and a single "."; once the text is full only backspace. The whole text
// counts, even the part a key would replace. No sign and no ",".
void validanumfloat(int maxLength, int& key, const QString& text);

}  // namespace farvik::editor
