// The gateway's EEPROM words as Tavrin holds them.
//
// The K-5310G keeps its whole configuration in the EEPROM of its 6420RT controller module, in two
// blocks of 32-bit words that the module's console shows as "Long(address)=value": block 0's
// configuration area from byte 40, and block 1's connection paths from byte 0.
#pragma once

#include <array>
#include <cstdint>

namespace tavrin {

// EEPROM words are unsigned inside the program; the console prints them signed (see
// WordArithmetic.h for the conversion at that boundary).
using Word = std::uint32_t;

// Layout constants of block 0: 8-byte header plus 108 bytes of configuration data.
inline constexpr int kBlock0Len = 108;
inline constexpr int kBlock1Len = 28;
inline constexpr int kBlock2Len = 12;
inline constexpr int kBlock0ConfigWords = (kBlock0Len + 8) / 4;  // 29 words, bytes 40..152
inline constexpr int kBlock0FirstAddress = 40;
inline constexpr int kBlock1Words = 7;

using Block0Array = std::array<Word, 30>;  // element k = word at byte 40 + 4k
using Block1Array = std::array<Word, 8>;   // element k = word at byte 4k

// One whole set of configuration words: block 0 from byte 40 and block 1. A value, so that a job
// hands on exactly the words it means and nothing changes them behind it.
struct ConfigWords {
    Block0Array block0{};
    Block1Array block1{};

    friend bool operator==(const ConfigWords&, const ConfigWords&) = default;
};

// The three sets of words a run keeps: the ones to be written next, the ones the last read found,
// and the ones the last parameter file held.
struct WordImages {
    Block0Array Block0Words{};
    Block1Array Block1Words{};
    Block0Array ReadBlock0Words{};
    Block1Array ReadBlock1Words{};
    Block0Array FileBlock0Words{};
    Block1Array FileBlock1Words{};

    ConfigWords ToWrite() const { return {Block0Words, Block1Words}; }
    ConfigWords AsRead() const { return {ReadBlock0Words, ReadBlock1Words}; }
    ConfigWords FromFile() const { return {FileBlock0Words, FileBlock1Words}; }
};

}  // namespace tavrin
