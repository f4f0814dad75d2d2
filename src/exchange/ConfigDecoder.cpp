#include "exchange/ConfigDecoder.h"

#include "exchange/IntConv.h"

#include <array>
#include <new>

namespace exchange {

const char kSampleRecord[] =
    "<1788#1789#C0.A8.77.1#C0.A8.77.8D#C0.A8.77.F0#FF.FF.FF.0#00-AC-6E-24-18-02>";
const char kOlderSample[] = "192.168.1.1#<1788#1789#C0.A8.D.1#7F-DC-6E-24-18-0C>";
const char kSampleDecimalLine[] =
    "<6024#6025#192.168.119.1#192.168.119.141#192.168.119.240#255.255.255.0#00-AC-6E-24-18-02>";

namespace {

constexpr int kFieldCount = 19;

// The separator each scan stops at. A scan does not know which field of the record
// it is in: a missing separator lets the next scan start again on the same text.
constexpr char kSeparators[kFieldCount] = {
    '#', '#',                // ports
    '.', '.', '.', '#',      // gateway
    '.', '.', '.', '#',      // own address
    '.', '.', '.', '#',      // handset controller
    '.', '.', '.', '#',      // net mask
    '>',                     // MAC
};

// One or more hex digits of either case and nothing else; leading zeros are fine as
// long as the value fits 32 bits, which is read as signed.
std::optional<int32_t> parseHexField(std::string_view field)
{
    if (field.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : field) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = static_cast<unsigned>(c - '0');
        else if (c >= 'A' && c <= 'F')
            d = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            d = static_cast<unsigned>(c - 'a' + 10);
        else
            return std::nullopt;
        value = value * 16 + d;
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return asSigned(static_cast<uint32_t>(value));
}

std::optional<std::string> decimalOf(std::string_view field)
{
    const auto v = parseHexField(field);
    if (!v)
        return std::nullopt;
    return decimalText(*v);
}

// Four octets converted left to right, all before the address is set.
std::optional<std::string> addressOf(const std::string_view* octets)
{
    std::string address;
    for (int i = 0; i < 4; ++i) {
        const auto v = parseHexField(octets[i]);
        if (!v)
            return std::nullopt;
        if (i > 0)
            address += '.';
        address += decimalText(*v);
    }
    return address;
}

// The read-back fields in their order of assignment; the first field that does not
// convert ends the run silently, leaving it and the later ones unset.
void convertInOrder(const std::string_view* fields, DecodedConfig& out)
{
    if (!(out.telemetryPort = decimalOf(fields[0])))
        return;
    if (!(out.h323Port = decimalOf(fields[1])))
        return;
    if (!(out.gateway = addressOf(&fields[2])))
        return;
    if (!(out.ownAddress = addressOf(&fields[6])))
        return;
    if (!(out.controller = addressOf(&fields[10])))
        return;
    out.netMask = addressOf(&fields[14]);
}

} // namespace

std::string_view firstLine(std::string_view text)
{
    const size_t end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}

DecodedConfig decodeConfigRecord(std::string_view line)
{
    // Fields are views into the line, so a scan that finds no separator costs nothing
    // however long the text; only field 1, which loses its '<' characters, is copied.
    std::string field1;
    std::array<std::string_view, kFieldCount> fields{};

    std::string_view remaining = line;
    try {
        for (int k = 0; k < kFieldCount; ++k) {
            const size_t pos = remaining.find(kSeparators[k]);
            const std::string_view taken = remaining.substr(0, pos);
            if (pos != std::string_view::npos)
                remaining.remove_prefix(pos + 1);
            if (k == 0) {
                // The record's start mark is dropped wherever it stands before the first '#'.
                field1.reserve(taken.size());
                for (const char c : taken)
                    if (c != '<')
                        field1 += c;
                fields[0] = field1;
            } else {
                fields[k] = taken;
            }
        }
    } catch (const std::bad_alloc&) {
        // Scanning fails only when memory runs out; the fields not reached stay empty
        // and the conversion goes on with what was scanned.
    }

    DecodedConfig out;
    convertInOrder(fields.data(), out);
    out.mac = std::string(fields[18]);
    return out;
}

} // namespace exchange
