#include "cp1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <string>

namespace farvik {
namespace {

// One byte of code page 1252 as the C library decodes it; nothing for a byte it refuses.
std::optional<std::string> libraryDecodes(unsigned char byte) {
    const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, outPtr);
}

bool libraryKnowsTheCodePage() {
    const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return true;
}

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

TEST(Cp1252, EveryByteDecodesAsTheLibraryDecodesIt) {
    ASSERT_TRUE(libraryKnowsTheCodePage());
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const auto expected = libraryDecodes(static_cast<unsigned char>(b));
        if (expected) {
            EXPECT_EQ(cp1252ToUtf8(byte), *expected) << "byte 0x" << std::hex << b;
        } else {
            ++undefined;
            EXPECT_EQ(cp1252ToUtf8(byte), kReplacement) << "byte 0x" << std::hex << b;
        }
    }
    // 0x81, 0x8D, 0x8F, 0x90 and 0x9D.
    EXPECT_EQ(undefined, 5);
}

TEST(Cp1252, EveryCharacterOfTheCodePageEncodesBackToItsByte) {
    for (int b = 0; b < 256; ++b) {
        const auto text = libraryDecodes(static_cast<unsigned char>(b));
        if (!text) continue;
        EXPECT_EQ(utf8ToCp1252(*text), std::string(1, static_cast<char>(b)))
            << "byte 0x" << std::hex << b;
    }
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(utf8ToCp1252("\xC4\x80"), "?");          // U+0100
    EXPECT_EQ(utf8ToCp1252("\xE2\x82\xAD"), "?");      // U+20AD, next to the euro sign
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80"), "?");  // beyond the basic plane
    EXPECT_EQ(utf8ToCp1252(kReplacement), "?");
    // Invalid UTF-8: a lone continuation byte, a lead byte cut short, one without its
    // continuation; the bytes around them are kept.
    EXPECT_EQ(utf8ToCp1252("a\x80"
                           "b"),
              "a?b");
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(utf8ToCp1252("\xC3"
                           "A"),
              "?A");
}

TEST(Cp1252, TheLabelsOfTheDataFileRoundTrip) {
    const std::string text = "NÚMERO TOTAL, ¿ESTUDIO? Parámetros: SIMULACIÓN ñ €";
    const std::string bytes = utf8ToCp1252(text);
    EXPECT_EQ(bytes.size(), 50u);  // one byte per character
    EXPECT_EQ(bytes[1], '\xDA');   // Ú
    EXPECT_EQ(cp1252ToUtf8(bytes), text);
}

}  // namespace
}  // namespace farvik
