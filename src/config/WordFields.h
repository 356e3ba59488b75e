// Which configuration fields an EEPROM word carries, by the names the decoded configuration uses
// (the keys of `tavrin-cli read --json`), so that a word that came back wrong can be told to the
// user as the setting it spoils rather than as a bare number.
#pragma once

#include <string>

#include "config/AppObjectList.h"
#include "config/ConfigWords.h"

namespace tavrin {

// The fields of block `block`'s word at byte `address` whose bits differ between `a` and `b`,
// joined by ", " ("NodeId, CanBaudIndex"). A word or part of one that carries no named field
// (the header words, block 1's connection words, unused bytes) is named as the raw word the
// configuration lists it under: "ReadBlock0Words[0]", "ReadBlock1Words[3]". Equal words give
// the names of all its fields.
std::string WordFieldNames(int block, int address, Word a, Word b);

}  // namespace tavrin
