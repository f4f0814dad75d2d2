// The texts the utility sends, built from arbitrary field texts: their layout, the
// error of a bad port, and a written record read back by the decoder.
//
// Input: up to seven field texts separated by NUL bytes (telemetry port, H.323 port,
// four address texts, MAC); the last field keeps any further NULs.
#include "exchange/AddressMirrors.h"
#include "exchange/ConfigDecoder.h"
#include "exchange/IntConv.h"
#include "exchange/Records.h"
#include "FuzzCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>


using namespace exchange;

namespace {

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }
bool endsWith(std::string_view s, std::string_view p)
{
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

// The four padded octets of a mirror back to the decimal address the decoder shows.
std::string decimalAddress(const std::string& padded)
{
    std::string out;
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t dot = i < 3 ? padded.find('.', start) : padded.size();
        FUZZ_CHECK(dot != std::string::npos);
        const auto v = parseInteger("$" + padded.substr(start, dot - start));
        FUZZ_CHECK(v.has_value());
        out += (i ? "." : "") + decimalText(*v);
        start = dot + 1;
    }
    return out;
}

void checkConfigRecord(const std::string (&f)[7])
{
    const ConfigRecordInput in{f[0], f[1], f[2], f[3], f[4], f[5], f[6]};
    const ConfigRecordOutcome out = buildConfigRecord(in);
    const auto telemetry = parseInteger(f[0]);
    const auto h323 = parseInteger(f[1]);

    if (!telemetry || !h323) {
        FUZZ_CHECK(!out.ok());
        FUZZ_CHECK(out.error == invalidIntegerMessage(!telemetry ? f[0] : f[1]));
        return;
    }
    FUZZ_CHECK(out.ok());
    const std::string& r = out.record;
    FUZZ_CHECK(r.size() >= 2 && r.front() == '<' && r.back() == '>');
    FUZZ_CHECK(r.find(f[6]) != std::string::npos);
    std::string expected = "<" + hexText(*telemetry) + "#" + hexText(*h323);
    for (int i = 2; i < 7; ++i)
        expected += "#" + f[i];
    FUZZ_CHECK(r == expected + ">");

    // What the write command sends: the padded mirrors, or the design text of a mirror
    // whose address never converted. The decoder reads it back to the same values.
    std::string mirrors[4];
    for (int i = 0; i < 4; ++i) {
        const AddressMirrors m = convertAddress(f[2 + i]);
        mirrors[i] = m.kind == AddressMirrors::Kind::Mirrors ? m.padded : "0.0.0.0";
    }
    const ConfigRecordOutcome sent =
        buildConfigRecord({f[0], f[1], mirrors[0], mirrors[1], mirrors[2], mirrors[3], f[6]});
    FUZZ_CHECK(sent.ok());
    const DecodedConfig back = decodeConfigRecord(sent.record);
    FUZZ_CHECK(back.telemetryPort == decimalText(*telemetry));
    FUZZ_CHECK(back.h323Port == decimalText(*h323));
    FUZZ_CHECK(back.gateway == decimalAddress(mirrors[0]));
    FUZZ_CHECK(back.ownAddress == decimalAddress(mirrors[1]));
    FUZZ_CHECK(back.controller == decimalAddress(mirrors[2]));
    FUZZ_CHECK(back.netMask == decimalAddress(mirrors[3]));
    FUZZ_CHECK(back.mac == f[6].substr(0, f[6].find('>')));
}

void checkEchoReply(std::string_view host, std::string_view payload)
{
    const std::string reply = echoReply(host, payload);
    FUZZ_CHECK(reply.size() == 19 + host.size() + payload.size());
    FUZZ_CHECK(startsWith(reply, "Replied from "));
    FUZZ_CHECK(std::string_view(reply).substr(13, host.size()) == host);
    FUZZ_CHECK(std::string_view(reply).substr(13 + host.size(), 5) == " to \"");
    FUZZ_CHECK(endsWith(reply, std::string(payload) + "\""));
}

void checkTimeRecord(const uint8_t* data, size_t size)
{
    int v[7];
    for (int i = 0; i < 7; ++i) {
        if (size >= 28) {
            uint32_t bits;
            std::memcpy(&bits, data + 4 * i, 4);
            v[i] = asSigned(bits);
        } else {
            v[i] = i < static_cast<int>(size) ? data[i] : i;
        }
    }
    const std::string r = timeRecord({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
    FUZZ_CHECK(r.size() == 29);
    FUZZ_CHECK(startsWith(r, "USTTIME<") && r.back() == '>');
    for (int i = 0; i < 7; ++i) {
        const size_t at = 8 + 3 * static_cast<size_t>(i);
        FUZZ_CHECK(r[at] >= '0' && r[at] <= '9' && r[at + 1] >= '0' && r[at + 1] <= '9');
        FUZZ_CHECK(r[at + 2] == (i < 6 ? '*' : '>'));
        if (v[i] >= 0 && v[i] <= 99)
            FUZZ_CHECK((r[at] - '0') * 10 + (r[at + 1] - '0') == v[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    std::string f[7];
    std::string_view rest = text;
    for (int i = 0; i < 6; ++i) {
        const size_t nul = rest.find('\0');
        f[i] = std::string(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    f[6] = std::string(rest);

    checkConfigRecord(f);
    checkEchoReply(f[0], text);
    checkTimeRecord(data, size);
    return 0;
}
