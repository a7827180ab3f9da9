#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// How the data editor turns numbers into box texts and box texts into numbers. "." is the
// only decimal separator, whatever the user's locale.
namespace farvik {

// The text a box shows for a stored double: at most 15 significant digits, no trailing
// zeros, no leading blank; 0 gives "0" and 2.5 gives "2.5". Very large or small values use
// an exponent ("1E-20").
QString numberText(double value);

// The value of a text that is a number and nothing else ("1.5", "1.", ".5", "1E-20", "-3");
// nothing for an empty text, a lone ".", or anything that is not a finite number.
std::optional<double> parseNumber(const QString& text);

// The leading number of a text, as a lenient reader sees it: "12a3" gives 12, a text without
// a leading number gives 0. Values beyond the double range give +/- infinity.
double leadingNumber(const QString& text);

// The leading number rounded to the nearest integer (halves to even) and clamped into the
// 32-bit or 16-bit range, so that a long text can never wrap around.
std::int32_t toInt32(const QString& text);
std::int16_t toInt16(const QString& text);

}  // namespace farvik
