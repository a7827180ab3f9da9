// Reasons of failures and quoted bytes, as both programs show them.
#include "failure_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace farvik {
namespace {

TEST(FailureText, CommonFailuresHaveTheirSpanishReason) {
    EXPECT_EQ(systemErrorReason(ENOSPC), "el disco está lleno");
    EXPECT_EQ(systemErrorReason(EDQUOT), "el disco está lleno");
    EXPECT_EQ(systemErrorReason(EROFS), "la carpeta es de solo lectura");
    EXPECT_EQ(systemErrorReason(EACCES), "no hay permiso");
    EXPECT_EQ(systemErrorReason(EPERM), "no hay permiso");
    EXPECT_EQ(systemErrorReason(EISDIR), "es una carpeta");
    EXPECT_EQ(systemErrorReason(ENOENT), "no existe");
}

// No code, known or not, falls back on the system's own words.
TEST(FailureText, NoReasonIsTheSystemsOwnText) {
    for (int code = 1; code < 140; ++code) {
        const std::string reason = systemErrorReason(code);
        EXPECT_FALSE(reason.empty()) << code;
        EXPECT_NE(reason, std::strerror(code)) << code;
    }
    EXPECT_EQ(systemErrorReason(12345), "error del sistema 12345");
}

TEST(FailureText, QuotedBytesEscapeWhatShowsNothingAndCloseTheQuote) {
    EXPECT_EQ(quotedBytes(""), "«»");
    EXPECT_EQ(quotedBytes("1.5x"), "«1.5x»");
    EXPECT_EQ(quotedBytes(std::string("\x7f"
                                      "ELF\x02\x00\x00",
                                      7)),
              "«\\x7FELF\\x02\\x00\\x00»");
    EXPECT_EQ(quotedBytes("a\tb\r"), "«a\\x09b\\x0D»");
    // UTF-8 characters are shown; bytes of code page 1252 and broken sequences are not.
    EXPECT_EQ(quotedBytes("año €"), "«año €»");
    EXPECT_EQ(quotedBytes("a\xF1o"), "«a\\xF1o»");
    EXPECT_EQ(quotedBytes("\xC3"), "«\\xC3»");
    EXPECT_EQ(quotedBytes("\xC0\x80"), "«\\xC0\\x80»");
    EXPECT_EQ(quotedBytes("\xED\xA0\x80"), "«\\xED\\xA0\\x80»");
    EXPECT_EQ(quotedBytes("\xE2\x82"), "«\\xE2\\x82»");
}

}  // namespace
}  // namespace farvik
