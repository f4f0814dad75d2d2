// The address-to-mirrors conversion on arbitrary texts: its outcome follows from the
// four parts alone, and the mirrors read back as the values typed.
#include "exchange/AddressMirrors.h"
#include "exchange/IntConv.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>


using exchange::AddressMirrors;
using exchange::convertAddress;

namespace {

const std::string kErrorTail = "' is not a valid integer value";

std::vector<std::string> splitAtDots(const std::string& s)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = s.find('.', start);
        parts.push_back(s.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            return parts;
        start = dot + 1;
    }
}

// The four parts: each of the first three ends at the next dot, a part with no dot
// after it is used again for the next, and the last keeps whatever is left.
void referenceParts(std::string_view text, std::string parts[4])
{
    std::string rest(text);
    for (int k = 0; k < 3; ++k) {
        const size_t dot = rest.find('.');
        parts[k] = rest.substr(0, dot);
        if (dot != std::string::npos)
            rest.erase(0, dot + 1);
    }
    parts[3] = rest;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const AddressMirrors got = convertAddress(text);

    std::string parts[4];
    referenceParts(text, parts);
    bool anyEmpty = false;
    for (const auto& p : parts)
        anyEmpty = anyEmpty || p.empty();

    if (anyEmpty) {
        FUZZ_CHECK(got.kind == AddressMirrors::Kind::NoChange);
    } else {
        int failing = -1;
        for (int k = 0; k < 4 && failing < 0; ++k)
            if (!exchange::parseInteger(parts[k]))
                failing = k;
        if (failing >= 0) {
            FUZZ_CHECK(got.kind == AddressMirrors::Kind::Error);
            FUZZ_CHECK(got.error == "'" + parts[failing] + kErrorTail);
        } else {
            FUZZ_CHECK(got.kind == AddressMirrors::Kind::Mirrors);
        }
    }

    switch (got.kind) {
    case AddressMirrors::Kind::NoChange:
        FUZZ_CHECK(got.plain.empty() && got.padded.empty() && got.error.empty());
        break;
    case AddressMirrors::Kind::Error:
        FUZZ_CHECK(got.plain.empty() && got.padded.empty());
        FUZZ_CHECK(got.error.size() >= 1 + kErrorTail.size() && got.error.front() == '\'');
        FUZZ_CHECK(got.error.compare(got.error.size() - kErrorTail.size(), kErrorTail.size(), kErrorTail) == 0);
        break;
    case AddressMirrors::Kind::Mirrors: {
        FUZZ_CHECK(got.error.empty());
        const auto plain = splitAtDots(got.plain);
        const auto padded = splitAtDots(got.padded);
        FUZZ_CHECK(plain.size() == 4 && padded.size() == 4);
        for (int k = 0; k < 4; ++k) {
            const int32_t v = *exchange::parseInteger(parts[k]);
            // Both mirrors read back, as hex, to the value of their part.
            FUZZ_CHECK(exchange::parseInteger("$" + plain[k]) == v);
            FUZZ_CHECK(exchange::parseInteger("$" + padded[k]) == v);
            FUZZ_CHECK(plain[k] == "0" || plain[k][0] != '0');
            FUZZ_CHECK(padded[k].size() >= 2);
            FUZZ_CHECK(padded[k] == (v < 16 ? "0" : "") + plain[k]);
            if (v >= 0 && v <= 255)
                FUZZ_CHECK(padded[k].size() == 2);
        }
        break;
    }
    }

    // Four octets typed in decimal give the two-digit form the device expects.
    if (size >= 4) {
        char typed[32], expected[32];
        std::snprintf(typed, sizeof typed, "%u.%u.%u.%u", data[0], data[1], data[2], data[3]);
        std::snprintf(expected, sizeof expected, "%02X.%02X.%02X.%02X", data[0], data[1], data[2], data[3]);
        const AddressMirrors octets = convertAddress(typed);
        FUZZ_CHECK(octets.kind == AddressMirrors::Kind::Mirrors);
        FUZZ_CHECK(octets.padded == expected);
    }
    return 0;
}
