#include "exchange/AddressMirrors.h"

#include "exchange/IntConv.h"

#include <array>
#include <cstdint>

namespace exchange {

AddressMirrors convertAddress(std::string_view text)
{
    std::array<std::string_view, 4> parts;
    std::string_view rest = text;
    for (int k = 0; k < 3; ++k) {
        const size_t dot = rest.find('.');
        if (dot == std::string_view::npos) {
            parts[k] = rest; // the next part takes the same text again
        } else {
            parts[k] = rest.substr(0, dot);
            rest.remove_prefix(dot + 1);
        }
    }
    parts[3] = rest;

    AddressMirrors out{AddressMirrors::Kind::NoChange, {}, {}, {}};
    for (const auto part : parts)
        if (part.empty())
            return out;

    std::array<int32_t, 4> values;
    for (int k = 0; k < 4; ++k) {
        const auto v = parseInteger(parts[k]);
        if (!v) {
            out.kind = AddressMirrors::Kind::Error;
            out.error = invalidIntegerMessage(parts[k]);
            return out;
        }
        values[k] = *v;
    }

    out.kind = AddressMirrors::Kind::Mirrors;
    for (int k = 0; k < 4; ++k) {
        const std::string hex = hexText(values[k]);
        if (k > 0) {
            out.plain += '.';
            out.padded += '.';
        }
        out.plain += hex;
        // Signed comparison on purpose: a negative value is padded too ("0FFFFFFFF").
        if (values[k] < 16)
            out.padded += '0';
        out.padded += hex;
    }
    return out;
}

} // namespace exchange
