#include "exchange/IntConv.h"

namespace exchange {

namespace {

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

std::optional<int32_t> parseInteger(std::string_view text)
{
    const size_t n = text.size();
    size_t i = 0;
    // Only the space counts as a leading blank: a tab or another control character
    // pasted into a field is refused rather than silently skipped.
    while (i < n && text[i] == ' ')
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return std::nullopt; // no digits at all: empty text, lone sign or lone prefix

    // The value never exceeds 2^32 + digit, so 64 bits are enough however many
    // leading zeros come first: the loop leaves as soon as the value is too large.
    uint64_t value = 0;
    if (hex) {
        for (; i < n; ++i) {
            const int d = hexDigitValue(text[i]);
            if (d < 0)
                return std::nullopt;
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        uint32_t bits = static_cast<uint32_t>(value);
        if (negative)
            bits = 0u - bits; // negation wraps in 32 bits: "-$80000000" stays INT32_MIN
        return asSigned(bits);
    }

    for (; i < n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0x80000000u)
            return std::nullopt;
    }
    if (negative)
        return asSigned(0u - static_cast<uint32_t>(value));
    if (value > 0x7FFFFFFFu)
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string invalidIntegerMessage(std::string_view text)
{
    std::string message;
    message.reserve(text.size() + 32);
    message += '\'';
    message += text;
    message += "' is not a valid integer value";
    return message;
}

std::string decimalText(int32_t v)
{
    return std::to_string(v);
}

std::string hexText(int32_t v)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    uint32_t bits = static_cast<uint32_t>(v);
    char buffer[8];
    int start = 8;
    do {
        buffer[--start] = kDigits[bits & 0xFu];
        bits >>= 4;
    } while (bits != 0);
    return std::string(buffer + start, buffer + 8);
}

} // namespace exchange
