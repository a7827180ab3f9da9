#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace farvik {
namespace {

// Numbers are plain ASCII; anything else means the text is no number.
std::optional<std::string> asciiOf(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text) {
        if (c.unicode() > 0x7f) return std::nullopt;
        bytes.push_back(static_cast<char>(c.unicode()));
    }
    return bytes;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

template <typename Int>
Int roundAndClamp(double value) {
    constexpr double lo = std::numeric_limits<Int>::min();
    constexpr double hi = std::numeric_limits<Int>::max();
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);  // the default rounding: halves to even
    if (rounded <= lo) return std::numeric_limits<Int>::min();
    if (rounded >= hi) return std::numeric_limits<Int>::max();
    return static_cast<Int>(rounded);
}

}  // namespace

QString numberText(double value) {
    if (value == 0) return QStringLiteral("0");  // also -0
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
    return text.replace(QLatin1Char('e'), QLatin1Char('E'));
}

std::optional<double> parseNumber(const QString& text) {
    const auto bytes = asciiOf(text);
    if (!bytes || bytes->empty()) return std::nullopt;
    const char* first = bytes->data();
    const char* last = first + bytes->size();
    // from_chars also reads "inf" and "nan"; a box holds digits only.
    const char* digits = (*first == '-') ? first + 1 : first;
    if (digits == last || !(isDigit(*digits) || *digits == '.')) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double leadingNumber(const QString& text) {
    // Only the plain ASCII start of the text can hold the number.
    std::string bytes;
    for (QChar c : text.trimmed()) {
        if (c.unicode() > 0x7f) break;
        bytes.push_back(static_cast<char>(c.unicode()));
    }
    if (bytes.empty()) return 0;
    const char* first = bytes.data();
    const char* last = first + bytes.size();
    bool negative = false;
    if (*first == '+' || *first == '-') {
        negative = *first == '-';
        ++first;
    }
    if (first == last || !(isDigit(*first) || *first == '.')) return 0;
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the sign of the exponent tells which.
        const std::string rest(first, last);
        const auto e = rest.find_first_of("eE");
        const bool tiny = e != std::string::npos && e + 1 < rest.size() && rest[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        return 0;
    }
    return negative ? -value : value;
}

std::int32_t toInt32(const QString& text) {
    return roundAndClamp<std::int32_t>(leadingNumber(text));
}

std::int16_t toInt16(const QString& text) {
    return roundAndClamp<std::int16_t>(leadingNumber(text));
}

}  // namespace farvik
