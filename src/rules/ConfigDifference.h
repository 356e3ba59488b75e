// The difference between two configurations in the user's terms: node id, bit rate, the Modbus
// port's settings, each application object's fields and the connection choices, each under the
// field name the decoded configuration uses (the keys of `tavrin-cli read --json`), with the value
// as a person reads it ("500 kbit/s", "EVEN", "FC03"). Both sides are raw EEPROM words (a
// gateway's as read, a parameter file's, or what a write would type), decoded the same way, so
// two sides that decode alike are equal. The stored time stamp is when a configuration was
// written, not one of its settings, and is left out.
#pragma once

#include <string>
#include <vector>

#include "config/ConfigWords.h"

namespace tavrin {

struct FieldDifference {
    std::string field;  // "NodeId", "ReadAppObjects[1].MBSA", "ReadBlock1Words[1]"
    std::string a;      // the value on side A, or "none" where that side has no such object
    std::string b;

    friend bool operator==(const FieldDifference&, const FieldDifference&) = default;
};

// Every field that differs, in the order `read --json` lists them; empty when the two are equal.
std::vector<FieldDifference> DifferenceOf(const ConfigWords& a, const ConfigWords& b);

}  // namespace tavrin
