// Code page 1251 codec used where byte texts meet the widgets' UTF-16 strings.
// All 256 bytes map to distinct code units (the unassigned 0x98 to U+0098), so a round trip is exact.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

// One UTF-16 code unit per byte; 0x00-0x7F unchanged.
std::u16string cp1251ToUtf16(std::string_view bytes);

// One byte per character. A character the code page lacks becomes '?': a surrogate
// pair (one character) gives a single '?', and so does a lone surrogate.
std::string utf16ToCp1251(std::u16string_view text);

} // namespace exchange
