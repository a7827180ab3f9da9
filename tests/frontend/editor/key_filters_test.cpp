#include <gtest/gtest.h>

#include "editor/key_filters.h"

using namespace farvik::editor;

namespace {

int afterInt(int key) {
    validanumint(key);
    return key;
}

int afterFloat(int key, const QString& text, int maxLength = 8) {
    validanumfloat(maxLength, key, text);
    return key;
}

}  // namespace

TEST(Validanumint, KeepsDigitsAndBackspaceOnly) {
    for (int key = '0'; key <= '9'; ++key) EXPECT_EQ(afterInt(key), key);
    EXPECT_EQ(afterInt(kKeyBackspace), kKeyBackspace);
    for (int key : {kKeyEnter, int('.'), int('-'), int('+'), int(','), int('a'), int(' '), int('/'),
                    int(':')})
        EXPECT_EQ(afterInt(key), 0) << key;
}

TEST(Validanumfloat, KeepsDigitsOneDotBackspaceAndEnter) {
    EXPECT_EQ(afterFloat('7', "1.5"), '7');
    EXPECT_EQ(afterFloat('.', "15"), '.');
    EXPECT_EQ(afterFloat('.', "1.5"), 0);
    EXPECT_EQ(afterFloat(kKeyEnter, "1"), kKeyEnter);
    EXPECT_EQ(afterFloat(kKeyBackspace, "1.5"), kKeyBackspace);
    for (char key : {'-', '+', ',', 'a', 'e', ' '}) EXPECT_EQ(afterFloat(key, "1"), 0) << key;
}

TEST(Validanumfloat, FullTextTakesOnlyBackspace) {
    EXPECT_EQ(afterFloat('1', "1234567"), '1');
    EXPECT_EQ(afterFloat('1', "12345678"), 0);
    EXPECT_EQ(afterFloat('.', "12345678"), 0);
    EXPECT_EQ(afterFloat(kKeyEnter, "12345678"), 0);
    EXPECT_EQ(afterFloat(kKeyBackspace, "12345678"), kKeyBackspace);
    EXPECT_EQ(afterFloat('1', "123", 3), 0);
}
