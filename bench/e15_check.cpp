// The listing's number edit (writeE15_9) against the C library, on as many values as asked
// (default 10^8) of five kinds: lives of every order of size, binary fractions and halves of
// integers whose tenth digit is followed by exactly a half, eleven-digit decimals ending in
// 5 times a power of ten and their neighbours, and doubles of any bit pattern; then every
// eight-digit tail of the digits; then the edit's speed on lives.
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

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 100000000L;
    std::mt19937_64 rng(2026);
    for (long n = 0; n < count; ++n) {
        const double v = value(rng, n);
        if (edit(v) != reference(v)) {
            std::printf("DIFERENTE: %a: %s, la biblioteca de C: %s\n", v, edit(v).c_str(),
                        reference(v).c_str());
            return 1;
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
    return 0;
}
