#pragma once

#include <string>
#include <string_view>

// Text files exchanged between the programs are Windows code page 1252; the programs
// themselves hold text as UTF-8.
namespace farvik {

// Characters that code page 1252 cannot hold become '?'. Invalid UTF-8 bytes too.
std::string utf8ToCp1252(std::string_view utf8);

// Every byte has a meaning except 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which become U+FFFD.
std::string cp1252ToUtf8(std::string_view bytes);

}  // namespace farvik
