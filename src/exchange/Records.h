// The texts the utility sends: the get request, the written configuration record,
// the clock record, and the listener's echo reply.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

// Asks the device for its configuration record.
std::string getRequest();

struct ConfigRecordInput {
    std::string telemetryPort, h323Port;                  // port write fields as typed, decimal
    std::string gateway, ownAddress, controller, netMask; // padded mirror texts, in record order
    std::string mac;                                      // MAC write field as typed
};

struct ConfigRecordOutcome {
    std::string record;
    std::string error; // the integer error of the first port text that is no integer
    bool ok() const { return error.empty(); }
};

// "<" port1 "#" port2 "#" gateway "#" own "#" controller "#" mask "#" mac ">", ports in
// uppercase hex. Mirrors and MAC go in unchanged, whatever they hold.
ConfigRecordOutcome buildConfigRecord(const ConfigRecordInput& in);

// One reading of the local clock.
struct LocalDateTime {
    int year, month, day;
    int dayOfWeek; // 1 = Monday .. 7 = Sunday
    int hour, minute, second;
};

// "USTTIME<YY*MM*DD*0W*hh*mm*ss>", always 29 characters.
std::string timeRecord(const LocalDateTime& t);

// "Replied from <host> to \"<payload>\"", the payload byte for byte.
std::string echoReply(std::string_view hostName, std::string_view payload);

} // namespace exchange
