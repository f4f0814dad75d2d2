// Integer reading and number writing against a second, deliberately plain reading of
// the same rules, plus the round trips every mirror and record relies on.
#include "exchange/IntConv.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>


using exchange::decimalText;
using exchange::hexText;
using exchange::invalidIntegerMessage;
using exchange::parseInteger;

namespace {

bool isDec(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return isDec(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Digit strings compared by magnitude after dropping leading zeros, so no arithmetic
// can overflow on the way.
std::string_view withoutLeadingZeros(std::string_view digits)
{
    while (digits.size() > 1 && digits.front() == '0')
        digits.remove_prefix(1);
    return digits;
}

bool notAbove(std::string_view digits, std::string_view limit)
{
    digits = withoutLeadingZeros(digits);
    return digits.size() < limit.size() || (digits.size() == limit.size() && digits <= limit);
}

std::string upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

std::optional<int32_t> referenceParse(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hex = false;
    if (!s.empty() && (s.front() == '$' || s.front() == 'x' || s.front() == 'X')) {
        hex = true;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        hex = true;
        s.remove_prefix(2);
    }
    if (s.empty())
        return std::nullopt;

    if (hex) {
        for (const char c : s)
            if (!isHex(c))
                return std::nullopt;
        const std::string digits = upper(withoutLeadingZeros(s));
        if (!notAbove(digits, "FFFFFFFF"))
            return std::nullopt;
        const uint32_t bits = static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16));
        return exchange::asSigned(negative ? 0u - bits : bits);
    }

    for (const char c : s)
        if (!isDec(c))
            return std::nullopt;
    if (!notAbove(s, negative ? "2147483648" : "2147483647"))
        return std::nullopt;
    const int64_t magnitude = std::strtoll(std::string(withoutLeadingZeros(s)).c_str(), nullptr, 10);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

void checkWriting(int32_t v)
{
    const std::string dec = decimalText(v);
    FUZZ_CHECK(parseInteger(dec) == v);
    FUZZ_CHECK(!dec.empty() && (dec == "0" || (dec[0] != '0' && !(dec[0] == '-' && dec[1] == '0'))));
    FUZZ_CHECK((dec[0] == '-') == (v < 0));

    const std::string hex = hexText(v);
    FUZZ_CHECK(!hex.empty() && hex.size() <= 8);
    FUZZ_CHECK(hex == "0" || hex[0] != '0');
    for (const char c : hex)
        FUZZ_CHECK(isDec(c) || (c >= 'A' && c <= 'F'));
    if (v < 0)
        FUZZ_CHECK(hex.size() == 8);
    // Every prefix spelling, either case, reads the pattern back.
    FUZZ_CHECK(parseInteger("$" + hex) == v);
    FUZZ_CHECK(parseInteger("0x" + hex) == v);
    std::string lower = hex;
    for (char& c : lower)
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    FUZZ_CHECK(parseInteger("X" + lower) == v);
    FUZZ_CHECK(parseInteger("  +0X00" + lower) == v);

    FUZZ_CHECK(static_cast<uint32_t>(exchange::asSigned(static_cast<uint32_t>(v))) ==
               static_cast<uint32_t>(v));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto parsed = parseInteger(text);
    FUZZ_CHECK(parsed == referenceParse(text));

    // Leading spaces never change the outcome; a trailing non-digit always refuses.
    FUZZ_CHECK(parseInteger(" " + std::string(text)) == parsed);
    FUZZ_CHECK(!parseInteger(std::string(text) + "g"));

    if (parsed)
        checkWriting(*parsed);

    const std::string message = invalidIntegerMessage(text);
    FUZZ_CHECK(message.size() == text.size() + 31);
    FUZZ_CHECK(message.front() == '\'' && message.compare(1, text.size(), text) == 0);
    FUZZ_CHECK(std::string_view(message).substr(1 + text.size()) == "' is not a valid integer value");

    // Any 32-bit value, not only the ones a text happened to spell.
    if (size >= 4) {
        uint32_t bits;
        std::memcpy(&bits, data, 4);
        checkWriting(exchange::asSigned(bits));
    }
    return 0;
}
