// Arithmetic at the console boundary and on EEPROM words.
//
// The 6420RT console prints and accepts every EEPROM word as a signed 32-bit decimal number, while
// Tavrin keeps words unsigned so that the bit fields read naturally. These helpers convert between
// the two and split a word into the halves and bytes the configuration layout uses.
#pragma once

#include <cstdint>
#include <string>

#include "config/ConfigWords.h"

namespace tavrin {

// The unsigned word for a value the console printed (v + 2^32 for a negative v).
Word ToUnsigned(std::int32_t value);

// The console's signed view of a word as text with a sign position: " 5", "-1".
std::string SignedText(Word word);

// Decimal text with a sign position: one blank before a non-negative number, "-" before a
// negative one. Used wherever numbers are written that way (port numbers, list entries...).
std::string SignPosText(long long value);

// Signed 32-bit value of a word (two's complement view).
std::int32_t ToSigned(Word word);

constexpr std::uint32_t HighHalf(Word w) {
    return w >> 16;
}
constexpr std::uint32_t LowHalf(Word w) {
    return w & 0xFFFFu;
}
constexpr std::uint32_t UpperByte(std::uint32_t half) {
    return (half >> 8) & 0xFFu;
}
constexpr std::uint32_t LowerByte(std::uint32_t half) {
    return half & 0xFFu;
}
constexpr std::uint32_t ByteOf(Word w, int index) {
    return (w >> (8 * index)) & 0xFFu;
}

}  // namespace tavrin
