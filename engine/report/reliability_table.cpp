#include "reliability_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "engine_error.h"
#include "free_form_reader.h"
#include "number_format.h"
#include "output_file.h"
#include "record_writer.h"

namespace brenta {
namespace {

// Bounds are j*h until one exceeds tmax; 40 reach tmax by construction, and one more
// covers a product that rounds down onto tmax.
constexpr int kMaxIntervals = FailureCounts::kMaxIntervals;

// The listing's own form, "1.234567890E+02": ten digits and a two-digit exponent make an
// exact integer times an exact power of ten, so one multiplication or division gives the
// nearest double, as a general conversion would.
// The value of the ten digits d.ddddddddd (as one integer) times 10^exp10.
bool valueOfDigits(std::uint64_t mantissa, int exp10, double& v) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int scale = exp10 - 9;
    if (scale < -22 || scale > 22) return false;
    const double m = static_cast<double>(mantissa);
    v = scale >= 0 ? m * kExact[scale] : m / kExact[-scale];
    return true;
}

bool parseListed(std::string_view t, double& v) {
    if (t.size() != 15 || t[1] != '.' || t[11] != 'E' || (t[12] != '+' && t[12] != '-')) {
        return false;
    }
    // The nine digits after the point: eight at once, then the ninth.
    std::uint64_t eight;
    std::memcpy(&eight, t.data() + 2, 8);
    const std::uint64_t low = eight - 0x3030303030303030ULL;
    if (((eight + 0x4646464646464646ULL) | low) & 0x8080808080808080ULL) return false;
    std::uint64_t v8 = (low * 10 + (low >> 8)) & 0x00FF00FF00FF00FFULL;
    v8 = (v8 * 100 + (v8 >> 16)) & 0x0000FFFF0000FFFFULL;
    v8 = (v8 * 10000 + (v8 >> 32)) & 0xFFFFFFFFULL;
    const unsigned first = static_cast<unsigned>(t[0] - '0');
    const unsigned ninth = static_cast<unsigned>(t[10] - '0');
    if (first > 9 || ninth > 9) return false;
    const std::int64_t mantissa =
        static_cast<std::int64_t>(first) * 1000000000 + static_cast<std::int64_t>(v8) * 10 + ninth;
    const unsigned e1 = static_cast<unsigned>(t[13] - '0'), e2 = static_cast<unsigned>(t[14] - '0');
    if (e1 > 9 || e2 > 9) return false;
    return valueOfDigits(mantissa, (t[12] == '-' ? -1 : 1) * static_cast<int>(e1 * 10 + e2), v);
}

// Reads the listing file's values one line at a time through a fixed buffer.
class ListingReader {
  public:
    explicit ListingReader(const std::string& path) : path_(path) {
        file_ = std::fopen(path.c_str(), "rb");
        if (!file_) fail("no se puede abrir");
    }
    ~ListingReader() { std::fclose(file_); }

    double next() {
        std::string_view line;
        std::size_t start = 0;
        double v = 0;
        // The listing's own lines: four blanks and the value.
        if (nextLine(line) && line.size() == 19 && line.compare(0, 4, "    ") == 0 &&
            parseListed(line.substr(4), v)) {
            return v;
        }
        while (true) {
            start = 0;
            while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
            if (start < line.size()) break;
            if (!nextLine(line)) fail("faltan valores en");
        }
        std::size_t end = start;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != ',' &&
               line[end] != '/') {
            ++end;
        }
        const std::string_view text = line.substr(start, end - start);
        if (!parseListed(text, v) && !parseReal(text, v)) fail("hay un valor no numérico en");
        return v;
    }

  private:
    bool nextLine(std::string_view& line) {
        for (;;) {
            const char* begin = buf_.data() + pos_;
            const char* nl = static_cast<const char*>(std::memchr(begin, '\n', len_ - pos_));
            if (nl) {
                std::size_t n = nl - begin;
                pos_ += n + 1;
                if (n > 0 && begin[n - 1] == '\r') --n;
                line = std::string_view(begin, n);
                return true;
            }
            if (eof_) {
                if (pos_ == len_) return false;
                line = std::string_view(begin, len_ - pos_);
                pos_ = len_;
                return true;
            }
            // Keep the unfinished line and fill the rest of the buffer.
            std::memmove(buf_.data(), begin, len_ - pos_);
            len_ -= pos_;
            pos_ = 0;
            if (len_ == buf_.size()) fail("hay una línea demasiado larga en");
            const std::size_t got = std::fread(buf_.data() + len_, 1, buf_.size() - len_, file_);
            if (got == 0) {
                if (std::ferror(file_)) fail("no se puede leer");
                eof_ = true;
            }
            len_ += got;
        }
    }

    [[noreturn]] void fail(const char* what) const {
        throw EngineError(kExitListingError, std::string(what) + " el fichero " + path_);
    }

    std::string path_;
    std::FILE* file_ = nullptr;
    std::array<char, 1 << 16> buf_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool eof_ = false;
};

double powerOfTen(int p) {
    static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (p >= 0 && p <= 22) return kExact[p];
    if (p < 0 && p >= -22) return 1.0 / kExact[-p];
    return std::pow(10.0, p);
}

// A fixed-width field; a value wider than its field keeps one blank before it so that the
// numbers of a row stay apart.
void appendField(std::string& out, double v, int width, int decimals) {
    const std::size_t before = out.size();
    appendFixed(out, v, width, decimals);
    if (out.size() - before > static_cast<std::size_t>(width)) out.insert(before, 1, ' ');
}

void appendCount(std::string& out, std::int32_t v, int width) {
    const std::size_t before = out.size();
    appendInteger(out, v, width);
    if (out.size() - before > static_cast<std::size_t>(width)) out.insert(before, 1, ' ');
}

}  // namespace

double intervalWidth(double tmax) {
    // The logarithm is truncated toward zero, so every largest time from 0.1 up to 1 takes
    // p = 0 and intervals of 1/40. Below that the power would be negative; there p is the
    // floor of the logarithm, which keeps the same at most 40 intervals.
    const double lg = std::log10(tmax);
    const int p = static_cast<int>(lg > -1.0 ? std::trunc(lg) : std::floor(lg));
    const double pot = powerOfTen(p);
    const int m = static_cast<int>(tmax / pot) + 1;
    const double top = static_cast<double>(m) * pot;
    // Near the largest double the first multiple above tmax is out of range; a fortieth of
    // it is not.
    return std::isfinite(top) ? top / 40.0 : static_cast<double>(m) * (pot / 40.0);
}

double listedValue(double x) {
    char text[32];
    const std::string_view listed(text, writeE15_9(text, x) - text);
    double v = 0;
    if (!parseListed(listed, v)) parseReal(listed, v);
    return v;
}

namespace {

// The table for the largest time tmax; count(ext, nint, nfa) fills the failures of the
// intervals (ext[i-1], ext[i]], i = 1..nint.
template <typename Count>
void writeTable(OutputFile& table, double tmax, std::int32_t nsim, std::ostream& console,
                Count count) {
    if (!(tmax > 0)) {
        std::string lines;
        RecordWriter w(lines, RecordTarget::Console);
        w.line("logaritmo de un numero menor o igual que 0");
        w.line("revise los datos");
        w.line("los resultados seguramente no son correctos");
        console << lines;
        console.flush();
        table.close();
        return;
    }

    const double h = intervalWidth(tmax);
    std::array<double, kMaxIntervals + 1> ext{};
    int nint = 0;
    do {
        ++nint;
        ext[nint] = nint * h;
    } while (ext[nint] <= tmax && nint < kMaxIntervals);

    std::array<std::int32_t, kMaxIntervals + 1> nfa{};
    count(ext, nint, nfa);

    std::string out;
    RecordWriter w(out, RecordTarget::File);
    w.line(" ");
    w.line(" TABLA CON VALORES PARA EL NUM. DE FALLO, FIABILIDAD Y TASA DE FALLO");
    w.line(std::string(69, '-'));
    w.line("       ext.in    -    ext.sup   -  n.fa -  fiabilidad -  tasa de fallo");
    w.line(std::string(70, '-'));
    double previous = 1.0;
    for (int i = 1; i <= nint; ++i) {
        const double fiab = previous - static_cast<double>(nfa[i]) / nsim;
        const double sum = previous + fiab;
        const double failureRateCurve = sum == 0 ? 0.0 : 2.0 * (previous - fiab) / (h * sum);
        appendField(out, ext[i - 1], 15, 5);
        appendField(out, ext[i], 15, 5);
        appendCount(out, nfa[i], 8);
        appendField(out, fiab, 15, 5);
        appendField(out, failureRateCurve, 15, 5);
        out += "\r\n";
        previous = fiab;
    }
    table.write(out);
    table.close();
}

}  // namespace

void writeReliabilityTable(const std::string& listingPath, const std::string& tablePath,
                           std::int32_t nsim, std::ostream& console,
                           std::optional<double> largestListed) {
    OutputFile table;
    table.create(tablePath);

    double tmax = 0;
    if (largestListed) {
        tmax = *largestListed;
    } else {
        ListingReader listing(listingPath);
        for (std::int32_t n = 0; n < nsim; ++n) {
            const double x = listing.next();
            if (x > tmax) tmax = x;
        }
    }
    using Bounds = std::array<double, kMaxIntervals + 1>;
    using Counts = std::array<std::int32_t, kMaxIntervals + 1>;
    writeTable(table, tmax, nsim, console, [&](const Bounds& ext, int nint, Counts& nfa) {
        ListingReader listing(listingPath);
        for (std::int32_t n = 0; n < nsim; ++n) {
            // The interval (ext[i-1], ext[i]] that holds x: the first bound not below it.
            const double x = listing.next();
            const double* bound = std::lower_bound(ext.data() + 1, ext.data() + nint + 1, x);
            if (bound != ext.data() + nint + 1 && *(bound - 1) < x) ++nfa[bound - ext.data()];
        }
    });
}

void writeReliabilityTable(const FailureCounts& counts, const std::string& listingPath,
                           const std::string& tablePath, std::int32_t nsim, std::ostream& console) {
    if (!counts.valid() || counts.count() != nsim) {
        writeReliabilityTable(listingPath, tablePath, nsim, console);
        return;
    }
    OutputFile table;
    table.create(tablePath);
    using Bounds = std::array<double, kMaxIntervals + 1>;
    using Counts = std::array<std::int32_t, kMaxIntervals + 1>;
    writeTable(table, counts.largest(), nsim, console, [&](const Bounds&, int nint, Counts& nfa) {
        for (int i = 1; i <= nint; ++i) nfa[i] = counts.failures(i);
    });
}

inline bool FailureCounts::countedFromTime(double v, const E15_9Digits& written) {
    // Mostly the listed value need not be worked out: it lies within a relative 1e-9 of v
    // (ten digits), so when v is not above the largest time so far, and v lies farther
    // than that from the bounds of its interval, the listed value falls in the same one.
    // The listing's own form (ten digits, an exponent from -13 to 31) is checked as below.
    if (written.plain && written.exponent >= -13 && written.exponent <= 31 && v > 0 &&
        v <= largestTime_ && h_ != 0) {
        const double q = v * inverse_;
        const int g = q >= kMaxIntervals ? kMaxIntervals : static_cast<int>(q);
        const double below = v - v * 1e-9;
        const double above = v + v * 1e-9;
        if (g < kMaxIntervals && ext_[g] < below && above < ext_[g + 1]) {
            ++nfa_[g + 1];
            return true;
        }
        if (g == kMaxIntervals && ext_[kMaxIntervals] < below) return true;  // beyond the table
    }
    return false;
}

void FailureCounts::add(double v, const E15_9Digits& written, OutputFile& listing) {
    addAll(&v, &written, 1, listing);
}

void FailureCounts::addAll(const double* v, const E15_9Digits* written, int count,
                           OutputFile& listing) {
    for (int i = 0; i < count; ++i) {
        ++n_;
        if (!valid_ || countedFromTime(v[i], written[i])) continue;
        addListed(v[i], written[i], listing);
    }
}

void FailureCounts::addListed(double v, const E15_9Digits& written, OutputFile& listing) {
    // The listing's own form (ten digits, a two-digit exponent) is read back as exactly
    // this value; any other text is left to the reading of the listing.
    double x = 0;
    const bool twoDigits = written.exponent >= -99 && written.exponent <= 99;
    if (!written.plain || !twoDigits || !valueOfDigits(written.digits, written.exponent, x)) {
        valid_ = false;
        return;
    }
    if (v > largestTime_) largestTime_ = v;
    if (x > max_) {
        max_ = x;
        const double h = intervalWidth(x);
        if (h != h_) {
            setWidth(h);
            recount(listing);  // the value just written included
            return;
        }
    }
    countValue(x);
}

void FailureCounts::setWidth(double h) {
    h_ = h;
    inverse_ = 1.0 / h;
    for (int i = 0; i <= kMaxIntervals; ++i) ext_[i] = i * h;
    if (!(h > 0) || !std::isfinite(h) || !std::isfinite(inverse_)) valid_ = false;
}

// The interval (ext[i-1], ext[i]] that holds x, as the search of the table finds it: a
// guess from x / h, then the bounds themselves decide.
void FailureCounts::countValue(double x) {
    if (!(x > 0) || h_ == 0) return;
    const double q = x * inverse_;
    int g = q >= kMaxIntervals ? kMaxIntervals : static_cast<int>(q);
    while (g > 0 && ext_[g] >= x) --g;
    while (g < kMaxIntervals && ext_[g + 1] < x) ++g;
    if (g < kMaxIntervals) ++nfa_[g + 1];
}

void FailureCounts::recount(OutputFile& listing) {
    nfa_.fill(0);
    if (!valid_) return;
    try {
        listing.flush();
        ListingReader reader(listing.path());
        for (std::int32_t n = 0; n < n_; ++n) countValue(reader.next());
    } catch (const EngineError&) {
        valid_ = false;  // the table will read the listing, and say what is wrong with it
    }
}

}  // namespace brenta
