#pragma once

#include <cstdint>
#include <string>

// The engine's number edits. Each appends to `out`; a value wider than its field widens
// the field (never asterisks).
namespace brenta {

// Free-form double: 24 columns, 15 significant digits. Fixed point followed by 5 blanks
// when the value rounded to 15 digits lies from 0.1 up to 10^15, otherwise one digit, the
// point, 14 digits and a 3-digit exponent ("5.00000000000000E-002"); zero is in exponent form.
void appendFreeFormReal(std::string& out, double v);
constexpr int kFreeFormRealWidth = 24;

// Free-form 32-bit integer: right-justified in 12 columns.
void appendFreeFormInteger(std::string& out, std::int32_t v);
constexpr int kFreeFormIntegerWidth = 12;

// Exponent form 15 wide, one digit before the point and 9 after: "1.234567890E+02".
// Exponents beyond two digits drop the letter: "1.234567890+123".
void appendE15_9(std::string& out, double v);
// The same into a buffer with room for 16 characters; returns the end.
char* writeE15_9(char* out, double v);
// What writeE15_9 wrote: its ten digits as one integer and the exponent, for a value that
// is neither negative nor infinite nor undefined (`plain` is false for those).
struct E15_9Digits {
    std::uint64_t digits = 0;
    int exponent = 0;
    bool plain = false;
};
char* writeE15_9(char* out, double v, E15_9Digits& written);
// Lines of the listing: four blanks, writeE15_9 of each value and a line end, into a buffer
// with room for 24 characters a value; what each edit wrote goes to written[0..count-1].
// Returns the end.
char* writeListingLines(char* out, const double* values, int count, E15_9Digits* written);

// Fixed point, `width` wide with `decimals` decimals, right-justified.
void appendFixed(std::string& out, double v, int width, int decimals);

// Integer right-justified in `width` columns.
void appendInteger(std::string& out, std::int64_t v, int width);
// The same into a buffer with room for max(width, 20) characters; returns the end.
char* writeInteger(char* out, std::int64_t v, int width);

}  // namespace brenta
