#include "free_form_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "failure_text.h"

namespace brenta {
namespace {

// Longest line kept; the rest of a longer line is dropped (a value never needs more).
constexpr std::size_t kMaxLine = 4096;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool endsValue(char c) {
    return isBlank(c) || c == ',' || c == '/';
}

bool isBlankLine(std::string_view line) {
    for (char c : line) {
        if (!isBlank(c)) return false;
    }
    return true;
}

}  // namespace

bool parseInteger(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return false;
        v = v * 10 + (text[i] - '0');
        if (v > std::int64_t{1} << 31) return false;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool parseReal(std::string_view text, double& value) {
    // Normalise to "[-]digits[.digits]e[sign]digits" for from_chars, which is exact and
    // independent of the locale.
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal += '-';
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) normal += text[i];
    if (i < text.size() && text[i] == '.') {
        normal += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, ++digits) normal += text[i];
    }
    if (digits == 0) return false;
    if (i < text.size()) {
        char c = text[i];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
            ++i;
        } else if (c != '+' && c != '-') {
            return false;
        }
        normal += 'e';
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal += text[i++];
        std::size_t expDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++expDigits) normal += text[i];
        if (expDigits == 0 || i != text.size()) return false;
    }
    if (normal.front() == '.' || (normal[0] == '-' && normal[1] == '.')) {
        normal.insert(normal.front() == '-' ? 1 : 0, "0");
    }
    double v = 0;
    const char* first = normal.data();
    const char* last = first + normal.size();
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is no number at all.
        const auto e = normal.find('e');
        if (e != std::string::npos && normal[e + 1] == '-') {
            value = normal[0] == '-' ? -0.0 : 0.0;
            return true;
        }
        return false;
    }
    if (ec != std::errc() || ptr != last || !std::isfinite(v)) return false;
    value = v;
    return true;
}

FreeFormReader::FreeFormReader(std::istream& in, Source source, std::string name)
    : in_(in), source_(source), name_(std::move(name)) {}

bool FreeFormReader::nextLine() {
    line_.clear();
    std::streambuf* buf = in_.rdbuf();
    using traits = std::char_traits<char>;
    auto c = buf->sbumpc();
    if (traits::eq_int_type(c, traits::eof())) return false;
    while (!traits::eq_int_type(c, traits::eof()) && traits::to_char_type(c) != '\n') {
        if (line_.size() < kMaxLine) line_ += traits::to_char_type(c);
        c = buf->sbumpc();
    }
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    ++lineNumber_;
    return true;
}

void FreeFormReader::fail(ExitStatus dataStatus, const std::string& detail) const {
    if (source_ == Source::Console) {
        const ExitStatus status = dataStatus == kExitEndOfData ? kExitEndOfInput : kExitBadAnswer;
        throw EngineError(status, "respuesta no válida en la consola: " + detail);
    }
    if (dataStatus == kExitEndOfData) {
        const std::string words = "el fichero termina antes de tiempo: " + detail;
        throw DataFileError(dataStatus, name_ + ": " + words, 0, words);
    }
    throw DataFileError(dataStatus, name_ + ", línea " + std::to_string(lineNumber_) + ": " + detail,
                        lineNumber_, detail);
}

void FreeFormReader::skipLabel(std::string_view what) {
    do {
        if (!nextLine()) fail(kExitEndOfData, "falta la línea «" + std::string(what) + "»");
    } while (isBlankLine(line_));
}

void FreeFormReader::skipLine(std::string_view what) {
    if (!nextLine()) fail(kExitEndOfData, "falta " + std::string(what));
}

void FreeFormReader::nextValueLine(std::string_view what) {
    do {
        if (!nextLine()) fail(kExitEndOfData, "se esperaba " + std::string(what));
    } while (isBlankLine(line_));
}

std::string_view FreeFormReader::firstValue() const {
    std::string_view line = line_;
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !endsValue(line[end])) ++end;
    return line.substr(start, end - start);
}

std::int32_t FreeFormReader::readInteger(std::string_view what) {
    nextValueLine(what);
    const std::string_view text = firstValue();
    std::int32_t value = 0;
    if (!parseInteger(text, value)) {
        fail(kExitBadInteger, "se esperaba " + std::string(what) +
                                  " (un número entero) y se encontró " + farvik::quotedBytes(text));
    }
    return value;
}

double FreeFormReader::readReal(std::string_view what) {
    nextValueLine(what);
    const std::string_view text = firstValue();
    double value = 0;
    if (!parseReal(text, value)) {
        fail(kExitBadReal, "se esperaba " + std::string(what) + " (un número) y se encontró " +
                               farvik::quotedBytes(text));
    }
    return value;
}

std::string FreeFormReader::readWord(std::string_view what) {
    nextValueLine(what);
    std::string_view line = line_;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) ++i;
    if (i < line.size() && (line[i] == '\'' || line[i] == '"')) {
        const char q = line[i++];
        std::string word;
        while (i < line.size()) {
            if (line[i] == q) {
                if (i + 1 < line.size() && line[i + 1] == q) {
                    word += q;
                    i += 2;
                    continue;
                }
                return word;
            }
            word += line[i++];
        }
        return word;  // an unclosed quote takes the rest of the line
    }
    return std::string(firstValue());
}

}  // namespace brenta
