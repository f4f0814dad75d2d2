// Integer conversion and number writing shared by every field read as a number
// and every number put into a record or a mirror.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace exchange {

// Leading spaces, one optional sign, then decimal digits (signed 32-bit range) or a
// hex prefix ("$", "x", "X", "0x", "0X") and hex digits (any 32-bit pattern, read as
// signed). Nothing may follow the digits; nullopt for every other text.
std::optional<int32_t> parseInteger(std::string_view text);

// The error shown for a text parseInteger refuses.
std::string invalidIntegerMessage(std::string_view text);

// No leading zeros, '-' before a negative value.
std::string decimalText(int32_t v);

// Uppercase, no leading zeros ("0" for zero); a negative value as its
// eight-digit two's-complement pattern.
std::string hexText(int32_t v);

// The two's-complement reading of a 32-bit pattern, without relying on how the
// compiler narrows an out-of-range unsigned value.
constexpr int32_t asSigned(uint32_t bits)
{
    return bits <= 0x7FFFFFFFu ? static_cast<int32_t>(bits)
                               : static_cast<int32_t>(bits - 0x80000000u) + INT32_MIN;
}

} // namespace exchange
