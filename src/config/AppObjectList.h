// The Modbus commands the gateway issues as master (its application objects), and the table of
// them that the application object editor works on.
#pragma once

#include <array>
#include <cstdint>

namespace tavrin {

// One Modbus command that the gateway issues as master.
struct AppObject {
    std::uint8_t MBID = 0;    // Modbus slave id, 1..247
    std::uint8_t IOType = 0;  // 0 Digital Output, 1 Analog Output, 2 Digital Input, 3 Analog Input
    std::uint8_t FCSel = 0;   // which of the two function codes serving the IO type
    std::int32_t MBSA = 0;    // Modbus start address, 0..65535
    // Communication length: bits for digital types, registers for analog ones. Held wider than the
    // 16 bits the editor allows so that whatever a gateway stored (a low half up to 65535) is
    // kept exactly instead of wrapping negative.
    std::int32_t MBCL = 0;

    friend bool operator==(const AppObject&, const AppObject&) = default;
};

inline constexpr int kMaxAppObjects = 10;
inline constexpr int kIOTypeCount = 4;  // DO, AO, DI, AI

using AppObjectTable = std::array<AppObject, kMaxAppObjects>;
using IOTotalArray = std::array<std::int32_t, kIOTypeCount>;

// The editor's working table: the objects in use, how many, and the per-type length sums the
// assembly layout is chosen from. WorkingTable is its only writer and keeps the sums exact; block 0
// is built from it for a write.
struct AppObjectList {
    AppObjectTable AppObjects{};
    std::uint8_t AppCount = 0;
    IOTotalArray IOTotals{};
};

}  // namespace tavrin
