// Reading the device's configuration record into the decimal read-back fields,
// and the sample records the hidden diagnostics feed to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace exchange {

// The record as the device sends it, built in for the diagnostics.
extern const char kSampleRecord[];
// An older record layout: an address and "#" ahead of a four-field record.
extern const char kOlderSample[];
// kSampleRecord with decimal fields, shown for comparison by eye; never sent.
extern const char kSampleDecimalLine[];

// The text up to the first '\n' or '\r', without it; the whole text when there is none.
std::string_view firstLine(std::string_view text);

struct DecodedConfig {
    // Set in this order until the first field that does not convert; that one and
    // all after it stay nullopt, so their read-back fields keep what they held.
    std::optional<std::string> telemetryPort; // Edit4
    std::optional<std::string> h323Port;      // Edit11
    std::optional<std::string> gateway;       // Edit18
    std::optional<std::string> ownAddress;    // Edit8
    std::optional<std::string> controller;    // Edit19
    std::optional<std::string> netMask;       // Edit26
    std::string mac;                          // Edit7, applied in every run
};

// Cuts the line at separators in a fixed sequence of nineteen scans and converts the
// hexadecimal fields to decimal. Never fails: what converts is returned.
DecodedConfig decodeConfigRecord(std::string_view line);

} // namespace exchange
