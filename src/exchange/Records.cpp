#include "exchange/Records.h"

#include "exchange/IntConv.h"

namespace exchange {

namespace {

// The device reads fixed positions, so every element is exactly two digits.
void appendTwoDigits(std::string& out, int v)
{
    v %= 100;
    if (v < 0)
        v += 100;
    out += static_cast<char>('0' + v / 10);
    out += static_cast<char>('0' + v % 10);
}

} // namespace

std::string getRequest()
{
    return "GO";
}

ConfigRecordOutcome buildConfigRecord(const ConfigRecordInput& in)
{
    ConfigRecordOutcome outcome;
    const auto telemetry = parseInteger(in.telemetryPort);
    if (!telemetry) {
        outcome.error = invalidIntegerMessage(in.telemetryPort);
        return outcome;
    }
    const auto h323 = parseInteger(in.h323Port);
    if (!h323) {
        outcome.error = invalidIntegerMessage(in.h323Port);
        return outcome;
    }

    std::string& r = outcome.record;
    r += '<';
    r += hexText(*telemetry);
    r += '#';
    r += hexText(*h323);
    for (const std::string* field : {&in.gateway, &in.ownAddress, &in.controller, &in.netMask}) {
        r += '#';
        r += *field;
    }
    r += '#';
    r += in.mac;
    r += '>';
    return outcome;
}

std::string timeRecord(const LocalDateTime& t)
{
    std::string r = "USTTIME<";
    r.reserve(29);
    appendTwoDigits(r, t.year);
    r += '*';
    appendTwoDigits(r, t.month);
    r += '*';
    appendTwoDigits(r, t.day);
    r += '*';
    appendTwoDigits(r, t.dayOfWeek);
    r += '*';
    appendTwoDigits(r, t.hour);
    r += '*';
    appendTwoDigits(r, t.minute);
    r += '*';
    appendTwoDigits(r, t.second);
    r += '>';
    return r;
}

std::string echoReply(std::string_view hostName, std::string_view payload)
{
    std::string r;
    r.reserve(19 + hostName.size() + payload.size());
    r += "Replied from ";
    r += hostName;
    r += " to \"";
    r += payload;
    r += '"';
    return r;
}

} // namespace exchange
