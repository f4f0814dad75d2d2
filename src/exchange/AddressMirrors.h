// Conversion of a dotted-decimal address field into its plain and padded hex mirrors,
// run on every change of the field.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

struct AddressMirrors {
    enum class Kind {
        Mirrors,  // both mirrors take plain and padded
        NoChange, // a part is empty: both mirrors keep their text, nothing is reported
        Error     // a part is no integer: both mirrors keep their text, error is reported
    };
    Kind kind;
    std::string plain, padded; // Kind::Mirrors
    std::string error;         // Kind::Error: the integer error naming the failing part
};

// Splits at the first three dots (a missing dot repeats the last part, the fourth part
// keeps any further dots), reads each part as an integer and writes it in hex:
// plain without leading zeros, padded with a '0' before any value below 16.
AddressMirrors convertAddress(std::string_view text);

} // namespace exchange
