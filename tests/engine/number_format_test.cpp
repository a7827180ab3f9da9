#include "number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "record_writer.h"

namespace brenta {
namespace {

std::string freeForm(double v) {
    std::string s;
    appendFreeFormReal(s, v);
    return s;
}
std::string e15(double v) {
    std::string s;
    appendE15_9(s, v);
    return s;
}
std::string f15(double v) {
    std::string s;
    appendFixed(s, v, 15, 5);
    return s;
}

TEST(FreeFormReal, FixedPointFromATenthUpToTenToTheFifteen) {
    EXPECT_EQ(freeForm(0.5), "  0.500000000000000     ");
    EXPECT_EQ(freeForm(1.5), "   1.50000000000000     ");
    EXPECT_EQ(freeForm(558.115778266142), "   558.115778266142     ");
    EXPECT_EQ(freeForm(0.1), "  0.100000000000000     ");
    EXPECT_EQ(freeForm(999999999999999.0), "   999999999999999.     ");
    EXPECT_EQ(freeForm(1e14), "   100000000000000.     ");
    EXPECT_EQ(freeForm(-0.5), " -0.500000000000000     ");
    EXPECT_EQ(freeForm(-1234.5), "  -1234.50000000000     ");
    EXPECT_EQ(freeForm(1.0 / 3.0), "  0.333333333333333     ");
}

TEST(FreeFormReal, ExponentFormOutsideThatRange) {
    EXPECT_EQ(freeForm(0.05), "   5.00000000000000E-002");
    EXPECT_EQ(freeForm(0.0), "   0.00000000000000E+000");
    EXPECT_EQ(freeForm(-0.0), "   0.00000000000000E+000");
    EXPECT_EQ(freeForm(1e15), "   1.00000000000000E+015");
    EXPECT_EQ(freeForm(-2.5e-7), "  -2.50000000000000E-007");
    EXPECT_EQ(freeForm(1.7976931348623157e308), "   1.79769313486232E+308");
    EXPECT_EQ(freeForm(5e-324), "   4.94065645841247E-324");
}

TEST(FreeFormReal, RoundingDecidesTheForm) {
    // Rounded to 15 digits these reach 0.1 and 10^15, so they take the other form.
    EXPECT_EQ(freeForm(0.09999999999999999), "  0.100000000000000     ");
    EXPECT_EQ(freeForm(999999999999999.9), "   1.00000000000000E+015");
    EXPECT_EQ(freeForm(9.9999999999999995), "   10.0000000000000     ");
    EXPECT_EQ(freeForm(0.0999999999999), "   9.99999999999000E-002");
}

TEST(E15_9, OneDigitBeforeThePoint) {
    EXPECT_EQ(e15(120.98991992), "1.209899199E+02");
    EXPECT_EQ(e15(0.0), "0.000000000E+00");
    EXPECT_EQ(e15(1.0), "1.000000000E+00");
    EXPECT_EQ(e15(9.9999999999), "1.000000000E+01");
    EXPECT_EQ(e15(3.5e-5), "3.500000000E-05");
    EXPECT_EQ(e15(1.5e123), "1.500000000+123");
    EXPECT_EQ(e15(2.5e-150), "2.500000000-150");
    EXPECT_EQ(e15(1e99), "1.000000000E+99");
}

TEST(FixedEdits, RightJustifiedAndWidenedWhenTooLong) {
    EXPECT_EQ(f15(0.0), "        0.00000");
    EXPECT_EQ(f15(100.0), "      100.00000");
    EXPECT_EQ(f15(2.0 / 3.0), "        0.66667");
    EXPECT_EQ(f15(-1e-17), "       -0.00000");
    EXPECT_EQ(f15(1e10), "10000000000.00000");
    std::string s;
    appendInteger(s, 42, 8);
    EXPECT_EQ(s, "      42");
    s.clear();
    appendFreeFormInteger(s, -2147483647 - 1);
    EXPECT_EQ(s, " -2147483648");
}

TEST(NumberEdits, ValuesThatAreNoNumberAreWrittenAsWordsInTheirField) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(freeForm(inf), std::string(16, ' ') + "Infinity");
    EXPECT_EQ(freeForm(-inf), std::string(15, ' ') + "-Infinity");
    EXPECT_EQ(freeForm(nan), std::string(21, ' ') + "NaN");
    EXPECT_EQ(e15(inf), "       Infinity");
    EXPECT_EQ(e15(nan), "            NaN");
    EXPECT_EQ(f15(-inf), "      -Infinity");
}

std::vector<std::string> records(const std::function<void(RecordWriter&)>& write,
                                 RecordTarget target = RecordTarget::File) {
    std::string out;
    RecordWriter w(out, target);
    write(w);
    std::vector<std::string> lines;
    const std::string eol = target == RecordTarget::File ? "\r\n" : "\n";
    std::size_t pos = 0;
    while (pos < out.size()) {
        const std::size_t end = out.find(eol, pos);
        EXPECT_NE(end, std::string::npos) << "every record ends with its line end";
        lines.push_back(out.substr(pos, end - pos));
        pos = end + eol.size();
    }
    return lines;
}

TEST(RecordWriter, ItemsFollowALeadingBlank) {
    const auto r = records([](RecordWriter& w) {
        w.text("el elemento").integer(3).text(" del subsistema").integer(12).end();
    });
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0], " el elemento           3 del subsistema          12");
}

TEST(RecordWriter, EmptyStatementIsAnEmptyLineAndTextsKeepTheirBlanks) {
    const auto r = records([](RecordWriter& w) {
        w.end();
        w.line(" ");
        w.line("abc   ");
    });
    EXPECT_EQ(r, (std::vector<std::string>{"", "  ", " abc   "}));
}

TEST(RecordWriter, ItemThatDoesNotFitStartsANewRecord) {
    const auto r = records([](RecordWriter& w) {
        w.text("ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  = ").real(558.5).end();
    });
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], " ESTIMACION DE LA VIDA MEDIA DEL SISTEMA (sin redundancia)  = ");
    EXPECT_EQ(r[1], "    558.500000000000     ");
}

TEST(RecordWriter, EightyColumnsFitExactly) {
    // 1 + 55 + 24 = 80
    const auto r = records([](RecordWriter& w) { w.text(std::string(55, 'x')).real(0.5).end(); });
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].size(), 80u);
    const auto r2 = records([](RecordWriter& w) { w.text(std::string(56, 'x')).real(0.5).end(); });
    EXPECT_EQ(r2.size(), 2u);
}

TEST(RecordWriter, LongTextIsSplitAfterSeventyNineColumns) {
    const std::string text =
        "el intervalo de confianza al 95% para la vida media del sistema si se duplica este "
        "elemento es: ";
    ASSERT_EQ(text.size(), 96u);
    const auto r = records([&](RecordWriter& w) { w.text(text).real(1.0).real(2.0).end(); });
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0], " " + text.substr(0, 79));
    EXPECT_EQ(r[1], " " + text.substr(79) + "   1.00000000000000        2.00000000000000     ");
}

TEST(RecordWriter, LongTextAfterOtherItemsStartsOnItsOwnRecord) {
    const auto r = records([](RecordWriter& w) { w.integer(1).text(std::string(200, 'a')).end(); });
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], "            1");
    EXPECT_EQ(r[1], " " + std::string(79, 'a'));
    EXPECT_EQ(r[2], " " + std::string(79, 'a'));
    EXPECT_EQ(r[3], " " + std::string(42, 'a'));
}

TEST(RecordWriter, FilesGetCodePage1252ConsoleKeepsUtf8) {
    std::string file, console;
    RecordWriter(file, RecordTarget::File).line("la desviación tipica es ");
    RecordWriter(console, RecordTarget::Console).line("AÑADE");
    EXPECT_EQ(file, " la desviaci\xF3n tipica es \r\n");
    EXPECT_EQ(console, " AÑADE\n");
    EXPECT_EQ(columnsOf("AÑADE"), 5);
}

TEST(RecordWriter, TabCountsAsOneColumn) {
    const auto r =
        records([](RecordWriter& w) { w.text(std::string(54, 'x') + "\t").real(0.5).end(); });
    EXPECT_EQ(r.size(), 1u);
}

}  // namespace
}  // namespace brenta

namespace brenta {
namespace {

// The exponent form by the C library, for comparison: "%.9E" gives the correctly rounded
// digits; the field then drops the letter for three-digit exponents.
std::string referenceE15_9(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.9E", v);
    std::string s = text;
    const auto e = s.find('E');
    std::string exponent = s.substr(e + 2);
    if (exponent.size() > 2) return s.substr(0, e) + s[e + 1] + exponent;
    return s;
}

TEST(E15_9, AgreesWithTheCLibraryOnMillionsOfValues) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int checked = 0;
    for (int n = 0; n < 600000; ++n) {
        double v;
        switch (n % 4) {
            case 0:
                v = -std::log(unit(rng)) * std::pow(10.0, static_cast<int>(rng() % 30) - 15);
                break;
            case 1: {  // binary fractions with few digits: exact halves at the tenth digit
                v = static_cast<double>(rng() % 100000000000ULL) / 1024.0;
                break;
            }
            case 2:
                v = static_cast<double>(rng() % 20000000001ULL) / 2.0;
                break;
            default: {
                std::uint64_t bits = rng() & 0x7FEFFFFFFFFFFFFFULL;  // any finite positive double
                std::memcpy(&v, &bits, sizeof v);
            }
        }
        ASSERT_EQ(e15(v), referenceE15_9(v)) << std::hexfloat << v;
        ++checked;
    }
    EXPECT_EQ(checked, 600000);
}

// Every decimal exponent a double can have, with each first digit, and values that round up
// into the next exponent (the exponent's characters and the first digits come from tables).
TEST(E15_9, EveryDecimalExponentAndFirstDigit) {
    int checked = 0;
    for (int e = -324; e <= 308; ++e) {
        for (const char* digits : {"1", "5.5", "9.9", "9.9999999996", "-2.5"}) {
            const std::string text = std::string(digits) + "e" + std::to_string(e);
            const double v = std::strtod(text.c_str(), nullptr);
            if (v == 0 || !std::isfinite(v)) continue;
            ASSERT_EQ(e15(v), referenceE15_9(v)) << text;
            ++checked;
        }
    }
    EXPECT_GT(checked, 3000);
    EXPECT_EQ(e15(0.0), "0.000000000E+00");
}

// Integers of ten digits are written digit for digit: every eight-digit tail the digits
// are made of, in steps that reach each digit position with every value (the benchmark
// check bench/e15_check runs all 10^8 of them).
TEST(E15_9, EveryTailOfEightDigits) {
    int checked = 0;
    for (std::uint32_t t = 0; t < 100000000; t += t < 200000 ? 1 : 97) {
        const std::uint64_t n = 9000000000ULL + t;
        char text[24];
        const auto r = std::to_chars(text, text + sizeof text, n);
        ASSERT_EQ(r.ptr - text, 10);
        const std::string expected =
            std::string(1, text[0]) + "." + std::string(text + 1, 9) + "E+09";
        ASSERT_EQ(e15(static_cast<double>(n)), expected) << n;
        ++checked;
    }
    EXPECT_GT(checked, 1000000);
}

// The listing's lines edited a batch at a time: the same text as one edit at a time, and the
// same digits reported, also for the values that leave the listing's usual range.
TEST(E15_9, ListingLinesAreTheEditsOfTheirValues) {
    std::mt19937_64 rng(3);
    std::exponential_distribution<double> life(0.002);
    std::vector<double> values = {0.0,  -0.0,           -3.5,  1e-13,  9.9999999995e-14, 1e-200,
                                  1e10, 9.9999999999e9, 1e300, 5e-324, INFINITY,         -INFINITY,
                                  NAN,  123.25,         1.0};
    while (values.size() < 4000) values.push_back(life(rng) * std::pow(10.0, rng() % 9 - 4.0));
    std::vector<char> lines(values.size() * 24);
    std::vector<E15_9Digits> written(values.size());
    char* end = lines.data();
    for (std::size_t i = 0; i < values.size(); i += 32) {
        const int count = static_cast<int>(std::min<std::size_t>(32, values.size() - i));
        end = writeListingLines(end, &values[i], count, &written[i]);
    }
    std::string expected;
    for (std::size_t i = 0; i < values.size(); ++i) {
        char text[32];
        E15_9Digits one;
        expected += "    " + std::string(text, writeE15_9(text, values[i], one) - text) + "\r\n";
        ASSERT_EQ(written[i].plain, one.plain) << values[i];
        if (one.plain) {
            ASSERT_EQ(written[i].digits, one.digits) << values[i];
            ASSERT_EQ(written[i].exponent, one.exponent) << values[i];
        }
    }
    EXPECT_EQ(std::string(lines.data(), end), expected);
}

}  // namespace
}  // namespace brenta
