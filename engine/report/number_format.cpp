#include "number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
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

// Infinite and undefined values cannot come from data the reader accepts; should one
// arise all the same, it is written as a word in its field rather than as digits.
const char* nonFiniteText(double v) {
    if (std::isnan(v)) return "NaN";
    return v < 0 ? "-Infinity" : "Infinity";
}

std::size_t appendNonFinite(char* out, double v, int width) {
    const char* text = nonFiniteText(v);
    const std::size_t len = std::strlen(text);
    const std::size_t pad = static_cast<int>(len) < width ? width - len : 0;
    std::memset(out, ' ', pad);
    std::memcpy(out + pad, text, len);
    return pad + len;
}

}  // namespace

void appendFreeFormReal(std::string& out, double v) {
    if (!std::isfinite(v)) {
        char field[kFreeFormRealWidth];
        out.append(field, appendNonFinite(field, v, kFreeFormRealWidth));
        return;
    }
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

namespace {

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL,
                                    10000000000ULL,
                                    100000000000ULL,
                                    1000000000000ULL,
                                    10000000000000ULL,
                                    100000000000000ULL,
                                    1000000000000000ULL,
                                    10000000000000000ULL,
                                    100000000000000000ULL,
                                    1000000000000000000ULL,
                                    10000000000000000000ULL};

constexpr double kTens[] = {1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6,
                            1e-5,  1e-4,  1e-3,  1e-2,  1e-1, 1e0,  1e1,  1e2,
                            1e3,   1e4,   1e5,   1e6,   1e7,  1e8,  1e9,  1e10};
constexpr double kExactTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// v > 0 rounded (half to even) to 10 significant digits, n in [10^9, 10^10), v ~ n * 10^(e-9),
// for 10^-13 <= v < 10^10, where the lives of systems lie; false elsewhere.
inline __attribute__((always_inline)) bool tenDigits(double v, std::uint64_t& n, int& e) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int biased = static_cast<int>(bits >> 52) & 0x7FF;
    if (biased == 0 || biased == 0x7FF) return false;
    const int shift = 1075 - biased;  // v = m / 2^shift, m of 53 bits
    if (shift <= 0 || shift >= 127) return false;
    // floor((52 - shift) * log10(2)) is the decimal exponent or one less; a comparison with
    // the next power of ten mostly settles it (a miss is corrected below).
    e = ((52 - shift) * 78913) >> 18;
    if (e < -14 || e > 9) return false;
    e += v >= kTens[e + 14];  // an addition: which way it goes is as good as random
    if (e < -13 || e > 9) return false;

    // Usually one rounded product decides: its error is below 2e-6, so unless it lies that
    // close to a half, it rounds to the same integer as the exact product.
    // One comparison with the distance from a half, not two: a fraction below or above
    // the half is a coin toss that a branch would keep mispredicting.
    const double y = v * kExactTens[9 - e];
    if (y >= 1e9 && y < 1e10) {
        const auto whole = static_cast<std::int64_t>(y);  // below 2^63: the signed conversion
        const double fraction = y - static_cast<double>(whole);
        if (std::fabs(fraction - 0.5) > 2e-6) {
            n = static_cast<std::uint64_t>(whole) + (fraction > 0.5);
            if (n == kPow10[10]) {
                n = kPow10[9];
                ++e;
            }
            return true;
        }
    }

    // Exactly, in integers: m * 10^k / 2^shift, k = 9 - e.
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 9 - e;
        if (k < 0 || k > 22) return false;
        // m * 10^k < 2^53 * 10^22 < 2^127.
        const unsigned __int128 p =
            k <= 19 ? static_cast<unsigned __int128>(m) * kPow10[k]
                    : static_cast<unsigned __int128>(m) * kPow10[19] * kPow10[k - 19];
        std::uint64_t whole = static_cast<std::uint64_t>(p >> shift);
        if (whole >= kPow10[10]) {
            ++e;
            continue;
        }
        if (whole < kPow10[9]) {
            --e;
            continue;
        }
        const unsigned __int128 rest = p & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (whole & 1))) ++whole;
        if (whole == kPow10[10]) {
            whole = kPow10[9];
            ++e;
        }
        n = whole;
        return true;
    }
    return false;
}

}  // namespace

namespace {

// "0000" to "9999": the eight decimal digits of t < 10^8 are two of them. The 40 KB table
// stays in the processor's caches during a run, and two loads take fewer steps than
// working out the digits by multiplications.
struct QuadTable {
    char text[10000][4]{};
    constexpr QuadTable() {
        for (int q = 0; q < 10000; ++q) {
            text[q][0] = static_cast<char>('0' + q / 1000);
            text[q][1] = static_cast<char>('0' + q / 100 % 10);
            text[q][2] = static_cast<char>('0' + q / 10 % 10);
            text[q][3] = static_cast<char>('0' + q % 10);
        }
    }
};
constexpr QuadTable kQuads;

inline void writeEightDigits(char* out, std::uint32_t t) {
    const std::uint32_t high = t / 10000;
    std::memcpy(out, kQuads.text[high], 4);
    std::memcpy(out + 4, kQuads.text[t - high * 10000], 4);
}

// "d.d" for the first two digits 10..99 (and "0.0" for zero), padded to four bytes.
struct HeadTable {
    char text[100][4]{};
    constexpr HeadTable() {
        for (int h = 0; h < 100; ++h) {
            text[h][0] = static_cast<char>('0' + h / 10);
            text[h][1] = '.';
            text[h][2] = static_cast<char>('0' + h % 10);
        }
    }
};
constexpr HeadTable kHeads;

// The exponent's four characters for every decimal exponent of a double: the letter, the
// sign and two digits, or beyond two digits the sign and three.
struct ExponentTable {
    static constexpr int kLeast = -324, kGreatest = 308;
    char text[kGreatest - kLeast + 1][4]{};
    constexpr ExponentTable() {
        for (int e = kLeast; e <= kGreatest; ++e) {
            char* t = text[e - kLeast];
            const int a = e < 0 ? -e : e;
            const char sign = e < 0 ? '-' : '+';
            t[0] = a <= 99 ? 'E' : sign;
            t[1] = a <= 99 ? sign : static_cast<char>('0' + a / 100);
            t[2] = static_cast<char>('0' + a / 10 % 10);
            t[3] = static_cast<char>('0' + a % 10);
        }
    }
};
constexpr ExponentTable kExponents;

// n = d.ddddddddd x 10^e in its 15 characters: the first two digits with the point between
// them (four bytes, the last overwritten), eight at once, then the exponent's four.
inline char* writeTenDigits(char* out, std::uint64_t n, int e) {
    const auto head = static_cast<std::uint32_t>(n / 100000000);
    std::memcpy(out, kHeads.text[head], 4);
    writeEightDigits(out + 3, static_cast<std::uint32_t>(n % 100000000));
    std::memcpy(out + 11, kExponents.text[e - ExponentTable::kLeast], 4);
    return out + 15;
}

inline char* writeE15_9To(char* out, double v, E15_9Digits& written) {
    written.plain = false;
    if (!std::isfinite(v)) return out + appendNonFinite(out, v, 15);
    if (v < 0) {
        *out++ = '-';
        v = -v;
    } else {
        written.plain = true;
    }
    std::uint64_t n = 0;
    int e = 0;
    if (v != 0.0 && !tenDigits(v, n, e)) {
        char digits[20];
        scientificDigits(v, 10, digits, e);
        n = 0;
        for (int i = 0; i < 10; ++i) n = n * 10 + (digits[i] - '0');
    }
    written.digits = n;
    written.exponent = e;
    return writeTenDigits(out, n, e);
}

}  // namespace

char* writeE15_9(char* out, double v, E15_9Digits& written) {
    return writeE15_9To(out, v, written);
}

char* writeListingLines(char* out, const double* values, int count, E15_9Digits* written) {
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        std::uint64_t n = 0;
        int e = 0;
        std::memcpy(out, "    ", 4);
        // Positive values of the range of lives, the listing's own, take the short way.
        if (v > 0 && tenDigits(v, n, e)) {
            written[i].digits = n;
            written[i].exponent = e;
            written[i].plain = true;
            out = writeTenDigits(out + 4, n, e);
        } else {
            out = writeE15_9To(out + 4, v, written[i]);
        }
        std::memcpy(out, "\r\n", 2);
        out += 2;
    }
    return out;
}

char* writeE15_9(char* out, double v) {
    E15_9Digits unused;
    return writeE15_9(out, v, unused);
}

void appendE15_9(std::string& out, double v) {
    char field[32];
    out.append(field, writeE15_9(field, v) - field);
}

void appendFixed(std::string& out, double v, int width, int decimals) {
    if (!std::isfinite(v)) {
        char field[32];
        out.append(field, appendNonFinite(field, v, std::min(width, 32)));
        return;
    }
    char text[400];
    auto res = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals);
    const std::size_t len = res.ptr - text;
    padLeft(out, len, width);
    out.append(text, len);
}

char* writeInteger(char* out, std::int64_t v, int width) {
    char text[24];
    auto res = std::to_chars(text, text + sizeof text, v);
    const int len = static_cast<int>(res.ptr - text);
    if (len < width) {
        std::memset(out, ' ', width - len);
        out += width - len;
    }
    std::memcpy(out, text, len);
    return out + len;
}

void appendInteger(std::string& out, std::int64_t v, int width) {
    char field[48];
    out.append(field, writeInteger(field, v, width) - field);
}

}  // namespace brenta
