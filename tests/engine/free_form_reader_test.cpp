#include "free_form_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace brenta {
namespace {

FreeFormReader::Source kData = FreeFormReader::Source::DataFile;
FreeFormReader::Source kConsole = FreeFormReader::Source::Console;

ExitStatus statusOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EngineError& e) {
        return e.status();
    }
    return kExitOk;
}

TEST(ParseInteger, SignAndDigitsOnly) {
    std::int32_t v = 0;
    EXPECT_TRUE(parseInteger("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(parseInteger("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(parseInteger("+7", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(parseInteger("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(parseInteger("-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
    for (const char* bad :
         {"", "-", "2.5", "3.", "1E2", "12a", "2147483648", "99999999999999999999", "si"}) {
        EXPECT_FALSE(parseInteger(bad, v)) << bad;
    }
}

TEST(ParseReal, FortranForms) {
    double v = 0;
    const std::pair<const char*, double> good[] = {
        {"2.5", 2.5},      {".5", 0.5},
        {"1E-05", 1e-05},  {"1500", 1500.0},
        {"-.5", -0.5},     {"5.", 5.0},
        {"1e3", 1e3},      {"1.5D2", 150.0},
        {"+2", 2.0},       {"1.234567890+123", 1.23456789e123},
        {"1.5-3", 1.5e-3}, {"1E-400", 0.0},
        {"0.1", 0.1},
    };
    for (const auto& [text, expected] : good) {
        ASSERT_TRUE(parseReal(text, v)) << text;
        EXPECT_EQ(v, expected) << text;
    }
    for (const char* bad :
         {"", ".", "-", "E5", "1E", "1.5.2", "abc", "1E400", "inf", "nan", "1,5", "0x10"}) {
        EXPECT_FALSE(parseReal(bad, v)) << bad;
    }
}

TEST(FreeFormReader, ValueIsFirstWordAndRestOfLineDropped) {
    std::istringstream in("\n   \t \n 1 si\n100, 200\n70/fin\n3 abc\n1E2\n");
    FreeFormReader r(in, kConsole, "consola");
    EXPECT_EQ(r.readInteger("a"), 1);
    EXPECT_EQ(r.readInteger("b"), 100);
    EXPECT_EQ(r.readInteger("c"), 70);
    EXPECT_EQ(r.readInteger("d"), 3);
    EXPECT_EQ(r.readReal("e"), 100.0);
}

TEST(FreeFormReader, LineEndsAndTabs) {
    std::istringstream in("label\r\n\r\n\t12\t\r\nlabel two\n-3\r\n\t7.5");
    FreeFormReader r(in, kData, "f");
    r.skipLabel("x");
    EXPECT_EQ(r.readInteger("a"), 12);
    EXPECT_EQ(r.lineNumber(), 3);
    r.skipLabel("y");
    EXPECT_EQ(r.readInteger("b"), -3);
    EXPECT_EQ(r.readReal("c"), 7.5);  // a last line without its line end
}

TEST(FreeFormReader, SkipLineTakesEvenAnEmptyLine) {
    std::istringstream in("5\n\n\n9\n");
    FreeFormReader r(in, kData, "f");
    EXPECT_EQ(r.readInteger("a"), 5);
    r.skipLine("b");
    EXPECT_EQ(r.lineNumber(), 2);
    EXPECT_EQ(r.readInteger("c"), 9);
}

TEST(FreeFormReader, ErrorsNameFileLineAndWhatWasExpected) {
    std::istringstream in("label\n2.5\n");
    FreeFormReader r(in, kData, "/datos/SIS.DAT");
    r.skipLabel("x");
    try {
        r.readInteger("el número de subsistemas");
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_EQ(e.status(), kExitBadInteger);
        const std::string what = e.what();
        EXPECT_NE(what.find("/datos/SIS.DAT"), std::string::npos) << what;
        EXPECT_NE(what.find("línea 2"), std::string::npos) << what;
        EXPECT_NE(what.find("el número de subsistemas"), std::string::npos) << what;
        EXPECT_NE(what.find("2.5"), std::string::npos) << what;
    }
}

TEST(FreeFormReader, ErrorStatusesBySource) {
    EXPECT_EQ(statusOf([] {
                  std::istringstream in("\n\n");
                  FreeFormReader(in, kData, "f").readInteger("a");
              }),
              kExitEndOfData);
    EXPECT_EQ(statusOf([] {
                  std::istringstream in("x\n");
                  FreeFormReader(in, kData, "f").readReal("a");
              }),
              kExitBadReal);
    EXPECT_EQ(statusOf([] {
                  std::istringstream in(",5\n");
                  FreeFormReader(in, kData, "f").readInteger("a");
              }),
              kExitBadInteger);
    EXPECT_EQ(statusOf([] {
                  std::istringstream in("");
                  FreeFormReader(in, kConsole, "c").readInteger("a");
              }),
              kExitEndOfInput);
    EXPECT_EQ(statusOf([] {
                  std::istringstream in("si\n");
                  FreeFormReader(in, kConsole, "c").readInteger("a");
              }),
              kExitBadAnswer);
}

TEST(FreeFormReader, WordsAndQuotedNames) {
    std::istringstream in("  ejemplo resto\n\"mi sistema\" x\n'it''s'\n");
    FreeFormReader r(in, kConsole, "c");
    EXPECT_EQ(r.readWord("a"), "ejemplo");
    EXPECT_EQ(r.readWord("b"), "mi sistema");
    EXPECT_EQ(r.readWord("c"), "it's");
}

TEST(FreeFormReader, VeryLongLinesAreSkippedWhole) {
    std::string label(1 << 20, 'x');
    std::istringstream in(label + "\n5\n");
    FreeFormReader r(in, kData, "f");
    r.skipLabel("a");
    EXPECT_EQ(r.readInteger("b"), 5);
    EXPECT_EQ(r.lineNumber(), 2);
}

}  // namespace
}  // namespace brenta
