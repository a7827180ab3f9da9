#include "reliability_table.h"

#include <array>
#include <cmath>
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
constexpr int kMaxIntervals = 48;

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
        do {
            if (!nextLine(line)) fail("faltan valores en");
        } while (line.find_first_not_of(" \t") == std::string_view::npos);
        const std::size_t start = line.find_first_not_of(" \t");
        std::size_t end = line.find_first_of(" \t,/", start);
        if (end == std::string_view::npos) end = line.size();
        double v = 0;
        if (!parseReal(line.substr(start, end - start), v)) fail("hay un valor no numérico en");
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
    const int p = static_cast<int>(std::floor(std::log10(tmax)));
    const double pot = powerOfTen(p);
    const int m = static_cast<int>(tmax / pot) + 1;
    return static_cast<double>(m) * pot / 40.0;
}

void writeReliabilityTable(const std::string& listingPath, const std::string& tablePath,
                           std::int32_t nsim, std::ostream& console) {
    OutputFile table;
    table.create(tablePath);

    double tmax = 0;
    {
        ListingReader listing(listingPath);
        for (std::int32_t n = 0; n < nsim; ++n) {
            const double x = listing.next();
            if (x > tmax) tmax = x;
        }
    }
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
    {
        ListingReader listing(listingPath);
        for (std::int32_t n = 0; n < nsim; ++n) {
            const double x = listing.next();
            for (int i = 1; i <= nint; ++i) {
                if (ext[i - 1] < x && x <= ext[i]) {
                    ++nfa[i];
                    break;
                }
            }
        }
    }

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
        const double tasa = sum == 0 ? 0.0 : 2.0 * (previous - fiab) / (h * sum);
        appendField(out, ext[i - 1], 15, 5);
        appendField(out, ext[i], 15, 5);
        appendCount(out, nfa[i], 8);
        appendField(out, fiab, 15, 5);
        appendField(out, tasa, 15, 5);
        out += "\r\n";
        previous = fiab;
    }
    table.write(out);
    table.close();
}

}  // namespace brenta
