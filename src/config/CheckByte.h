// The check byte over the gateway's Modbus COM settings, and the COM baud table it is built from.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tavrin {

// Modbus port rates by ComBaudIndex.
inline constexpr std::array<std::string_view, 8> BaudText = {"1200",  "2400",  "4800",  "9600",
                                                             "19200", "38400", "57600", "115200"};

// The byte the gateway expects beside its COM settings: the three low bytes of the baud rate plus
// data bits, parity and stop bits. At most 237, so it always fits its byte.
// 9600 8N1 gives 37 + 128 + 8 + 0 + 1 = 174. An index outside the table counts as rate 0.
std::uint8_t ComputeCheckByte(int comBaudIndex, int dataBits, int parity, int stopBits);

}  // namespace tavrin
