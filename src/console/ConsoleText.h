// Pure text handling of console answers, kept apart from the port so it can be tested directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// Removes blanks (spaces only) at both ends; carriage returns and line feeds are kept, since the
// console's answers are collected chunk by chunk with only the blanks at chunk edges dropped.
std::string_view StripBlanks(std::string_view text);

// Reads the decimal number at the start of `text` the way the console's values are read: blanks,
// tabs and line feeds are skipped wherever they stand, a leading sign is honoured, and reading
// stops at the first character that cannot continue the number.
// Empty when the text holds no digit or the number does not fit a signed 32-bit word: such an
// answer must fail its step rather than be taken as 0 or wrapped, since the read sequence types
// every value back into the EEPROM.
std::optional<std::int32_t> ReadConsoleNumber(std::string_view text);

enum class ValueScan {
    Incomplete,  // no edit arrow yet: keep waiting
    NoKey,       // the arrow came but the key is empty or absent
    BadNumber,   // the key and arrow came, but no usable number stands between them
    Found,
};

inline constexpr std::string_view kEditArrow = "-->";

// The word editor's label for the word at byte `address` of the open block: "Long(40)=".
std::string WordKey(int address);

// Looks for the word editor's display "key value-->" in the reply collected so far.
ValueScan ScanWordValue(std::string_view reply, std::string_view key, std::int32_t& value);

}  // namespace tavrin
