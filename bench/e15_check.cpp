// The listing's number edit (writeE15_9) against the C library, on as many values as asked
// (default 10^8) of five kinds: lives of every order of size, binary fractions and halves of
// integers whose tenth digit is followed by exactly a half, eleven-digit decimals ending in
// 5 times a power of ten and their neighbours, and doubles of any bit pattern; then every
// eight-digit tail of the digits; the listing's lines, edited in batches, against the edits
// one at a time on the same values; then the speed of both on lives.
//   e15_check [COUNT]
// Exit status 1 at the first value written differently (printed).
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "number_format.h"

namespace {

std::string edit(double v) {
    char text[32];
    return std::string(text, brenta::writeE15_9(text, v) - text);
}

// "%.9E", whose digits are correctly rounded; the field drops the letter for three-digit
// exponents.
std::string reference(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9E", v);
    std::string s = text;
    const auto e = s.find('E');
    const std::string exponent = s.substr(e + 2);
    if (exponent.size() > 2) return s.substr(0, e) + s[e + 1] + exponent;
    return s;
}

double value(std::mt19937_64& rng, long n) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    switch (n % 5) {
        case 0:
            return -std::log(unit(rng)) * std::pow(10.0, static_cast<int>(rng() % 30) - 15);
        case 1:
            return static_cast<double>(rng() % 100000000000ULL) / 1024.0;
        case 2:
            return static_cast<double>(rng() % 20000000001ULL) / 2.0;
        case 3: {
            // d.ddddddddd5 x 10^k, exact for these k, or the double next to it.
            const std::uint64_t d = 1000000000ULL + rng() % 9000000000ULL;
            const double v = static_cast<double>(d * 10 + 5) * std::pow(10.0, rng() % 5);
            const int side = static_cast<int>(rng() % 3);
            return side == 0 ? v : std::nextafter(v, side == 1 ? 0.0 : INFINITY);
        }
        default: {
            std::uint64_t bits = rng() & 0x7FEFFFFFFFFFFFFFULL;
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
    }
}

// The listing's lines of a batch of values, edited together, against one edit at a time:
// the same text and the same digits reported.
bool listingAgrees(const double* values, int count) {
    char lines[32 * 24];
    brenta::E15_9Digits written[32];
    const char* end = brenta::writeListingLines(lines, values, count, written);
    std::string expected;
    for (int i = 0; i < count; ++i) {
        char text[32];
        brenta::E15_9Digits one;
        expected += "    ";
        expected.append(text, brenta::writeE15_9(text, values[i], one) - text);
        expected += "\r\n";
        if (one.plain != written[i].plain || (one.plain && (one.digits != written[i].digits ||
                                                            one.exponent != written[i].exponent))) {
            std::printf("DIFERENTE (cifras del listado): %a\n", values[i]);
            return false;
        }
    }
    if (std::string(static_cast<const char*>(lines), end) != expected) {
        std::printf("DIFERENTE (líneas del listado) en el lote que empieza por %a\n", values[0]);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 100000000L;
    std::mt19937_64 rng(2026);
    double batch[32];
    int held = 0;
    for (long n = 0; n < count; ++n) {
        const double v = value(rng, n);
        if (edit(v) != reference(v)) {
            std::printf("DIFERENTE: %a: %s, la biblioteca de C: %s\n", v, edit(v).c_str(),
                        reference(v).c_str());
            return 1;
        }
        // Now and then a negative, a zero or no number at all among them.
        batch[held++] = n % 997 == 0 ? -v : n % 1009 == 0 ? 0.0 : n % 1013 == 0 ? NAN : v;
        if (held == 32 || n + 1 == count) {
            if (!listingAgrees(batch, held)) return 1;
            held = 0;
        }
    }
    std::printf(
        "iguales a la biblioteca de C: %ld valores (vidas, mitades exactas y sus vecinos, "
        "cualquier double)\n",
        count);

    for (std::uint32_t t = 0; t < 100000000; ++t) {
        const std::uint64_t n = 9000000000ULL + t;
        char text[24] = {};
        std::to_chars(text, text + sizeof text, n);
        const std::string expected =
            std::string(1, text[0]) + "." + std::string(text + 1, 9) + "E+09";
        if (edit(static_cast<double>(n)) != expected) {
            std::printf("DIFERENTE: %llu\n", static_cast<unsigned long long>(n));
            return 1;
        }
        batch[t % 32] = static_cast<double>(n);
        if (t % 32 == 31 && !listingAgrees(batch, 32)) return 1;
    }
    std::printf("iguales: los 10^8 finales de ocho cifras\n");

    std::vector<double> lives(1 << 20);
    std::exponential_distribution<double> life(0.01);
    for (double& v : lives) v = life(rng);
    std::vector<char> out(lives.size() * 16);
    const int rounds = 20;
    const std::clock_t start = std::clock();  // processor time: the machine is shared
    for (int r = 0; r < rounds; ++r) {
        char* p = out.data();
        for (double v : lives) p = brenta::writeE15_9(p, v);
        if (p == out.data()) return 2;
    }
    const double ns = (std::clock() - start) * (1e9 / CLOCKS_PER_SEC) /
                      (static_cast<double>(rounds) * lives.size());
    std::printf("velocidad: %.1f ns por valor (vidas exponenciales de media 100)\n", ns);
    std::vector<char> listing(lives.size() * 24);
    const std::clock_t listed = std::clock();
    for (int r = 0; r < rounds; ++r) {
        char* p = listing.data();
        brenta::E15_9Digits written[32];
        for (std::size_t i = 0; i < lives.size(); i += 32)
            p = brenta::writeListingLines(p, &lives[i], 32, written);
        if (p == listing.data()) return 2;
    }
    const double lineNs = (std::clock() - listed) * (1e9 / CLOCKS_PER_SEC) /
                          (static_cast<double>(rounds) * lives.size());
    std::printf("velocidad: %.1f ns por línea del listado, en lotes de 32\n", lineNs);
    return 0;
}
