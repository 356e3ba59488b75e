// What a gateway simulator saw and stored during one row of the fault matrix: the options that
// put a fault at a step, the lines its transcript shows it received, and the EEPROM a write must
// leave behind.
#pragma once

#include <string>
#include <vector>

#include "Eeprom.h"
#include "FaultSteps.h"
#include "config/ConfigImage.h"

namespace tavrin::testing {

inline constexpr int kBlock0FirstWord = 10;  // byte 40

std::string Trim(const std::string& text);

// The simulator's options for `row`, logging its dialogue to `transcript`.
std::vector<std::string> SimArgs(const Row& row, const std::string& transcript);

// The lines the simulator received, in order, without the blanks at their edges.
std::vector<std::string> ReceivedLines(const std::string& transcriptPath);

// The first `count` of `lines`, without the blanks at their edges.
std::vector<std::string> FirstLines(std::vector<std::string> lines, int count);

// One word a write types: where it goes in the EEPROM and its value.
struct TypedWord {
    int block;
    int index;
    Word value;
};

std::vector<TypedWord> TypedWords(const Block0Array& block0, int block0Count,
                                  const Block1Array& block1);

// The lines a write of `words` types, `block0Count` of them into block 0.
std::vector<std::string> WriteLines(const std::vector<TypedWord>& words, int block0Count);

// The gateway a write starts from: the shipped image with a marker word at every place the write
// types into, so that each stored word shows, even one that would equal the old value.
gatewaysim::Eeprom BeforeWrite(int block0Count);

// `before` with the first `stored` of `words` in place.
gatewaysim::Eeprom AfterWrite(gatewaysim::Eeprom before, const std::vector<TypedWord>& words,
                              int stored);

}  // namespace tavrin::testing
