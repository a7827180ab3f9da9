#include "shell/datafile_items.h"

#include <gtest/gtest.h>

#include "qstring_printer.h"

namespace farvik {
namespace {

QStringList all(const QByteArray& bytes) {
    DataFileItems items(bytes);
    QStringList out;
    while (const auto item = items.next()) out << *item;
    return out;
}

TEST(DataFileItemsTest, LinesCommasQuotesAndEmptyLinesMakeItems) {
    EXPECT_EQ(all("LABEL\r\n  3  \r\n\r\n"), QStringList({"LABEL", "3", ""}));
    // A comma ends an item; a quoted text is one item, commas and all.
    EXPECT_EQ(all("1, 2,3\r\n\"a, b\" x,4\r\n"), QStringList({"1", "2", "3", "a, b", "4"}));
    // Line feeds alone, a line of blanks, and a last line without its end.
    EXPECT_EQ(all("a\n   \nb"), QStringList({"a", "", "b"}));
    // Labels keep their accented letters (code page 1252).
    EXPECT_EQ(all("N\xDAMERO\r\n"), QStringList({QStringLiteral("NÚMERO")}));
}

TEST(DataFileItemsTest, ValueIsTheLastItemOfItsGroupAndNothingPastTheEnd) {
    DataFileItems items("L1\r\n---\r\n12\r\n\r\nL2\r\n7\r\n");
    EXPECT_EQ(items.value(3), QString("12"));
    EXPECT_EQ(items.value(3), QString("7"));
    EXPECT_FALSE(items.value(1).has_value());
    DataFileItems early("L1\r\n---\r\n");
    EXPECT_FALSE(early.value(3).has_value());
}

TEST(DataFileItemsTest, IntegersGoToTheNearestWithHalvesToEven) {
    EXPECT_EQ(itemToInt16("3"), 3);
    EXPECT_EQ(itemToInt16("2.5"), 2);
    EXPECT_EQ(itemToInt16("3.5"), 4);
    EXPECT_EQ(itemToInt16("-2.5"), -2);
    EXPECT_EQ(itemToInt16("2.6"), 3);
    EXPECT_EQ(itemToInt16("1E2"), 100);
    EXPECT_EQ(itemToInt16("32767"), 32767);
    EXPECT_EQ(itemToInt16("-32768"), -32768);
    // Out of range, not a number, or a number with something after it.
    for (const char* bad : {"32768", "32767.5", "-32769", "", "abc", "3 x", "1,5"})
        EXPECT_FALSE(itemToInt16(bad).has_value()) << bad;
}

TEST(DataFileItemsTest, TrialsGoThroughADoubleToThe32BitRange) {
    EXPECT_EQ(itemToInt32("1000"), 1000);
    EXPECT_EQ(itemToInt32("1E4"), 10000);
    EXPECT_EQ(itemToInt32("100.5"), 100);
    EXPECT_EQ(itemToInt32("2147483647"), 2147483647);
    EXPECT_FALSE(itemToInt32("2147483648").has_value());
    EXPECT_FALSE(itemToInt32("1000 pruebas").has_value());
}

TEST(DataFileItemsTest, ParametersAreDoubles) {
    EXPECT_EQ(itemToDouble("2.25"), 2.25);
    EXPECT_EQ(itemToDouble(".5"), 0.5);
    EXPECT_EQ(itemToDouble("1E-05"), 1e-05);
    EXPECT_EQ(itemToDouble("-3"), -3.0);
    EXPECT_FALSE(itemToDouble("1e999").has_value());
    EXPECT_FALSE(itemToDouble("x").has_value());
}

}  // namespace
}  // namespace farvik
