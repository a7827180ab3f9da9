#include <gtest/gtest.h>

#include <limits>

#include "document/number_text.h"

using namespace farvik;

TEST(NumberText, ShortestDecimalFormWithFifteenDigitsAtMost) {
    EXPECT_EQ(numberText(0.0), "0");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(2.5), "2.5");
    EXPECT_EQ(numberText(100), "100");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(numberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberText(1e20), "1E+20");
    EXPECT_EQ(numberText(1.5e-7), "1.5E-07");
}

TEST(NumberText, TextReadsBackAsTheValueToFifteenDigits) {
    for (double value : {1.0 / 7, 6.02214076e23, 1e-300, 98765.4321, -42.125}) {
        const auto back = parseNumber(numberText(value));
        ASSERT_TRUE(back.has_value()) << numberText(value).toStdString();
        EXPECT_NEAR(*back, value, std::abs(value) * 1e-14);
    }
}

TEST(ParseNumber, AcceptsOnlyWholeFiniteNumbers) {
    EXPECT_EQ(parseNumber("1.5"), 1.5);
    EXPECT_EQ(parseNumber("1."), 1.0);
    EXPECT_EQ(parseNumber(".5"), 0.5);
    EXPECT_EQ(parseNumber("-3"), -3.0);
    EXPECT_EQ(parseNumber("1E-20"), 1e-20);
    for (const char* text :
         {"", ".", "1.2.3", "abc", "12a", " 1", "inf", "nan", "1e999", "-", "+1"})
        EXPECT_FALSE(parseNumber(text).has_value()) << text;
    EXPECT_FALSE(parseNumber(QStringLiteral("1½")).has_value());
}

TEST(LeadingNumber, ReadsTheStartOfTheTextAndClampsIntegers) {
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("12a3"), 12.0);
    EXPECT_EQ(leadingNumber("x12"), 0.0);
    EXPECT_EQ(leadingNumber("7ñ"), 7.0);
    EXPECT_EQ(toInt32("1000"), 1000);
    EXPECT_EQ(toInt32("2147483647"), 2147483647);
    EXPECT_EQ(toInt32("9999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInt32("-9999999999"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toInt32("1e999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toInt32("2.5"), 2);  // halves go to the even neighbour
    EXPECT_EQ(toInt32("3.5"), 4);
    EXPECT_EQ(toInt16("40000"), 32767);
    EXPECT_EQ(toInt16("10000"), 10000);
}
