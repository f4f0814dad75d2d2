// The reply decoder on arbitrary lines: compared with a character-by-character walk of
// the nineteen scans, and fed records rebuilt from what it decoded.
#include "exchange/ConfigDecoder.h"
#include "exchange/IntConv.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>


using exchange::DecodedConfig;
using exchange::decodeConfigRecord;

namespace {

constexpr char kSeparators[19] = {'#', '#', '.', '.', '.', '#', '.', '.', '.', '#',
                                  '.', '.', '.', '#', '.', '.', '.', '#', '>'};

// One hex field to decimal: hex digits only, value within 32 bits after leading zeros.
std::optional<std::string> referenceDecimal(const std::string& field)
{
    if (field.empty())
        return std::nullopt;
    size_t start = 0;
    for (const char c : field) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex)
            return std::nullopt;
    }
    while (start + 1 < field.size() && field[start] == '0')
        ++start;
    if (field.size() - start > 8)
        return std::nullopt;
    const unsigned long bits = std::strtoul(field.c_str() + start, nullptr, 16);
    const long long value = bits >= 0x80000000ul ? static_cast<long long>(bits) - 0x100000000ll
                                                  : static_cast<long long>(bits);
    return std::to_string(value);
}

std::optional<std::string> referenceAddress(const std::string* octets)
{
    std::string address;
    for (int i = 0; i < 4; ++i) {
        const auto d = referenceDecimal(octets[i]);
        if (!d)
            return std::nullopt;
        address += (i ? "." : "") + *d;
    }
    return address;
}

DecodedConfig referenceDecode(std::string_view line)
{
    std::string fields[19];
    std::string remaining(line);
    for (int k = 0; k < 19; ++k) {
        size_t p = 0;
        for (; p < remaining.size(); ++p) {
            const char c = remaining[p];
            if (c == kSeparators[k])
                break;
            if (k == 0 && c == '<')
                continue;
            fields[k] += c;
        }
        if (p < remaining.size())
            remaining.erase(0, p + 1);
    }

    DecodedConfig out;
    out.mac = fields[18];
    if (!(out.telemetryPort = referenceDecimal(fields[0])))
        return out;
    if (!(out.h323Port = referenceDecimal(fields[1])))
        return out;
    if (!(out.gateway = referenceAddress(&fields[2])))
        return out;
    if (!(out.ownAddress = referenceAddress(&fields[6])))
        return out;
    if (!(out.controller = referenceAddress(&fields[10])))
        return out;
    out.netMask = referenceAddress(&fields[14]);
    return out;
}

bool same(const DecodedConfig& a, const DecodedConfig& b)
{
    return a.telemetryPort == b.telemetryPort && a.h323Port == b.h323Port && a.gateway == b.gateway &&
           a.ownAddress == b.ownAddress && a.controller == b.controller && a.netMask == b.netMask &&
           a.mac == b.mac;
}

void checkPort(const std::optional<std::string>& port)
{
    if (!port)
        return;
    FUZZ_CHECK(!port->empty());
    for (const char c : *port)
        FUZZ_CHECK((c >= '0' && c <= '9') || c == '-');
}

void checkAddress(const std::optional<std::string>& address)
{
    if (!address)
        return;
    int dots = 0;
    for (const char c : *address) {
        FUZZ_CHECK((c >= '0' && c <= '9') || c == '-' || c == '.');
        dots += c == '.';
    }
    FUZZ_CHECK(dots == 3);
}

// The decimal field back to the hex the device would send; ports and octets alike.
std::string hexOf(const std::string& decimal)
{
    const auto v = exchange::parseInteger(decimal);
    FUZZ_CHECK(v.has_value());
    return exchange::hexText(*v);
}

std::string hexAddress(const std::string& decimal)
{
    std::string out;
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t dot = i < 3 ? decimal.find('.', start) : decimal.size();
        FUZZ_CHECK(dot != std::string::npos);
        out += (i ? "." : "") + hexOf(decimal.substr(start, dot - start));
        start = dot + 1;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::string_view line = exchange::firstLine(text);
    FUZZ_CHECK(line.data() == text.data() && line.size() <= text.size());
    FUZZ_CHECK(line.find_first_of("\r\n") == std::string_view::npos);
    FUZZ_CHECK(line.size() == text.size() || text[line.size()] == '\r' || text[line.size()] == '\n');

    DecodedConfig got;
    try {
        got = decodeConfigRecord(text);
    } catch (...) {
        FUZZ_CHECK(!"decodeConfigRecord threw");
    }

    FUZZ_CHECK(same(got, referenceDecode(text)));

    // A field is set only when every field before it is.
    const bool set[6] = {bool(got.telemetryPort), bool(got.h323Port), bool(got.gateway),
                         bool(got.ownAddress),    bool(got.controller), bool(got.netMask)};
    for (int i = 1; i < 6; ++i)
        FUZZ_CHECK(!set[i] || set[i - 1]);

    checkPort(got.telemetryPort);
    checkPort(got.h323Port);
    checkAddress(got.gateway);
    checkAddress(got.ownAddress);
    checkAddress(got.controller);
    checkAddress(got.netMask);
    FUZZ_CHECK(text.find(got.mac) != std::string_view::npos);
    FUZZ_CHECK(got.mac.find('>') == std::string::npos);

    // A well-formed record carrying the decoded values decodes to exactly them.
    if (got.netMask) {
        const std::string record = "<" + hexOf(*got.telemetryPort) + "#" + hexOf(*got.h323Port) + "#" +
                                   hexAddress(*got.gateway) + "#" + hexAddress(*got.ownAddress) + "#" +
                                   hexAddress(*got.controller) + "#" + hexAddress(*got.netMask) + "#" +
                                   got.mac + ">";
        FUZZ_CHECK(same(decodeConfigRecord(record), got));
        // Whatever follows the closing mark, a further line included, is ignored.
        FUZZ_CHECK(same(decodeConfigRecord(record + std::string(text)), got));
    }
    return 0;
}
