#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace brenta {
namespace {

void padLeft(std::string& out, std::size_t length, int width) {
    if (static_cast<int>(length) < width) out.append(width - length, ' ');
}

// Digits of |v| rounded to `digits` significant digits, and the decimal exponent of the
// first one: |v| ~ d.ddd x 10^exp10. Returns the number of digits written to `buf`.
int scientificDigits(double v, int digits, char* buf, int& exp10) {
    char text[64];
    auto res = std::to_chars(text, text + sizeof text, std::fabs(v), std::chars_format::scientific,
                             digits - 1);
    const char* e = static_cast<const char*>(std::memchr(text, 'e', res.ptr - text));
    int n = 0;
    for (const char* p = text; p < e; ++p) {
        if (*p != '.') buf[n++] = *p;
    }
    std::from_chars(e + (e[1] == '+' ? 2 : 1), res.ptr, exp10);
    return n;
}

void appendExponent(std::string& out, int exp10, int minDigits) {
    out += exp10 < 0 ? '-' : '+';
    char digits[8];
    auto res = std::to_chars(digits, digits + sizeof digits, exp10 < 0 ? -exp10 : exp10);
    const int n = static_cast<int>(res.ptr - digits);
    if (n < minDigits) out.append(minDigits - n, '0');
    out.append(digits, n);
}

}  // namespace

void appendFreeFormReal(std::string& out, double v) {
    char field[40];
    int len = 0;
    int trailingBlanks = 0;
    if (v < 0) field[len++] = '-';
    char digits[20];
    int exp10 = 0;
    if (v == 0.0) {
        exp10 = 0;
        std::memset(digits, '0', 15);
    } else {
        scientificDigits(v, 15, digits, exp10);
    }
    if (v != 0.0 && exp10 >= -1 && exp10 <= 14) {
        // Fixed point with 15 significant digits.
        if (exp10 == -1) {
            field[len++] = '0';
            field[len++] = '.';
            std::memcpy(field + len, digits, 15);
            len += 15;
        } else {
            std::memcpy(field + len, digits, exp10 + 1);
            len += exp10 + 1;
            field[len++] = '.';
            std::memcpy(field + len, digits + exp10 + 1, 14 - exp10);
            len += 14 - exp10;
        }
        trailingBlanks = 5;
    } else {
        field[len++] = digits[0];
        field[len++] = '.';
        std::memcpy(field + len, digits + 1, 14);
        len += 14;
        field[len++] = 'E';
    }
    // The exponent form ends with a sign and three digits.
    padLeft(out, len + (trailingBlanks == 0 ? 4 : trailingBlanks), kFreeFormRealWidth);
    out.append(field, len);
    if (trailingBlanks == 0) {
        appendExponent(out, exp10, 3);
    } else {
        out.append(trailingBlanks, ' ');
    }
}

void appendFreeFormInteger(std::string& out, std::int32_t v) {
    appendInteger(out, v, 12);
}

void appendE15_9(std::string& out, double v) {
    char field[40];
    int len = 0;
    if (v < 0) field[len++] = '-';
    char digits[20];
    int exp10 = 0;
    if (v == 0.0) {
        std::memset(digits, '0', 10);
    } else {
        scientificDigits(v, 10, digits, exp10);
    }
    field[len++] = digits[0];
    field[len++] = '.';
    std::memcpy(field + len, digits + 1, 9);
    len += 9;
    const bool wideExponent = exp10 > 99 || exp10 < -99;
    if (!wideExponent) field[len++] = 'E';
    padLeft(out, len + (wideExponent ? 4 : 3), 15);
    out.append(field, len);
    appendExponent(out, exp10, 2);
}

void appendFixed(std::string& out, double v, int width, int decimals) {
    char text[400];
    auto res = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    const std::size_t len = res.ptr - text;
    padLeft(out, len, width);
    out.append(text, len);
}

void appendInteger(std::string& out, std::int64_t v, int width) {
    char text[24];
    auto res = std::to_chars(text, text + sizeof text, v);
    const std::size_t len = res.ptr - text;
    padLeft(out, len, width);
    out.append(text, len);
}

}  // namespace brenta
