// The code page 1251 codec: bytes survive the trip through UTF-16 unchanged, and any
// UTF-16 text (the input read as little-endian code units) encodes one byte per character.
#include "exchange/Cp1251.h"
#include "FuzzCheck.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>


using exchange::cp1251ToUtf16;
using exchange::utf16ToCp1251;

namespace {

bool isSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Code unit -> byte + 1 for the 256 characters of the code page, 0 for every other unit;
// built from the decoder and checked to be a bijection onto non-surrogate units.
const std::array<int, 0x10000>& byteOfUnit()
{
    static const std::array<int, 0x10000> table = [] {
        std::array<int, 0x10000> t{};
        std::string all(256, '\0');
        for (int b = 0; b < 256; ++b)
            all[static_cast<size_t>(b)] = static_cast<char>(b);
        const std::u16string units = cp1251ToUtf16(all);
        FUZZ_CHECK(units.size() == 256);
        for (int b = 0; b < 256; ++b) {
            const char16_t u = units[static_cast<size_t>(b)];
            FUZZ_CHECK(!isSurrogate(u));
            FUZZ_CHECK(t[u] == 0); // distinct bytes give distinct units
            if (b < 0x80)
                FUZZ_CHECK(u == b);
            t[u] = b + 1;
        }
        FUZZ_CHECK(t[u'?'] == '?' + 1);
        // The Cyrillic alphabet fills 0xC0-0xFF in order; 0x98 keeps its own value.
        for (int b = 0xC0; b < 0x100; ++b)
            FUZZ_CHECK(units[static_cast<size_t>(b)] == 0x0410 + (b - 0xC0));
        FUZZ_CHECK(units[0x98] == 0x0098);
        return t;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto& table = byteOfUnit();

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string decoded = cp1251ToUtf16(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(utf16ToCp1251(decoded) == bytes);

    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const std::string encoded = utf16ToCp1251(text);

    // Walk the text character by character: a complete surrogate pair is one character.
    std::string expected;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHigh(c) && i + 1 < text.size() && isLow(text[i + 1])) {
            expected += '?';
            ++i;
        } else if (isSurrogate(c) || table[c] == 0) {
            expected += '?';
        } else {
            expected += static_cast<char>(table[c] - 1);
        }
    }
    FUZZ_CHECK(encoded == expected);

    // Once encoded, a text is stable: decoding and encoding again changes nothing.
    FUZZ_CHECK(utf16ToCp1251(cp1251ToUtf16(encoded)) == encoded);
    return 0;
}
