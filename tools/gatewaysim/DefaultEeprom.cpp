// The factory image. Block 0 carries the firmware words at bytes 0..8 and the configuration area
// from byte 40; block 1 carries the DeviceNet connection paths. The image is valid as the gateway
// checks it: header constants, object count, and the per-type length totals all agree.
#include "EepromFile.h"

namespace gatewaysim {
namespace {

constexpr std::uint32_t Halves(std::uint32_t high, std::uint32_t low) {
    return high << 16 | low;
}

constexpr std::uint32_t Bytes4(std::uint32_t b3, std::uint32_t b2, std::uint32_t b1,
                               std::uint32_t b0) {
    return b3 << 24 | b2 << 16 | b1 << 8 | b0;
}

struct AppObjectFields {
    std::uint32_t mbid, ioType, fcSel, startAddress, length;
};

// The four Modbus commands of the factory setup: two digital-output reads into one slave, an
// analog output on slave 2 and an analog input on slave 3.
constexpr AppObjectFields kObjects[] = {
    {1, 0, 0, 0, 10},
    {2, 1, 0, 100, 2},
    {1, 0, 0, 20, 3},
    {3, 3, 1, 10, 1},
};
constexpr std::uint32_t kObjectCount = sizeof(kObjects) / sizeof(kObjects[0]);

void SetBlock0(Eeprom& e, int byteAddress, std::uint32_t value) {
    e.SetWord(0, byteAddress / 4, value);
}

}  // namespace

Eeprom DefaultEeprom() {
    Eeprom e;
    SetBlock0(e, 0, 0x0105);                    // firmware 1.05
    SetBlock0(e, 4, Halves(2004, 3 << 8 | 9));  // firmware date 2004/03/09
    SetBlock0(e, 8, 305419896);                 // opaque to Tavrin, kept as read

    SetBlock0(e, 40, Halves(436, 108));                // area header, data length
    SetBlock0(e, 44, Halves(28, 12));                  // lengths of the other two areas
    SetBlock0(e, 48, Bytes4(0, 5, 1, 0));              // node 5, DeviceNet, CAN baud index 0
    SetBlock0(e, 52, Halves(2026, 12 << 8 | 1));       // configured 2026/12/01
    SetBlock0(e, 56, Bytes4(9, 30, 0, kObjectCount));  // 09:30:00
    SetBlock0(e, 60, Bytes4(3, 8, 0, 1));              // Modbus port 9600 baud, 8N1
    SetBlock0(e, 64, Halves(200, 174 << 8));           // 200 ms reply timeout, check byte 174

    std::uint32_t lengthByType[4] = {};
    for (std::uint32_t i = 0; i < kObjectCount; ++i) {
        const AppObjectFields& o = kObjects[i];
        SetBlock0(e, 68 + 8 * i, Bytes4(o.mbid, o.ioType, o.fcSel, 0));
        SetBlock0(e, 72 + 8 * i, Halves(o.startAddress, o.length));
        lengthByType[o.ioType] += o.length;
    }
    // Analog lengths count registers; the totals store them in bytes.
    SetBlock0(e, 148, Halves(lengthByType[0], 2 * lengthByType[1]));
    SetBlock0(e, 152, Halves(lengthByType[2], 2 * lengthByType[3]));

    // Connection paths: list index, class, instance, attribute. The COS/Cyclic output path is
    // always class 0x2B instance 1.
    const std::uint32_t block1[] = {
        0,
        Bytes4(1, 4, 3, 3),  // Poll produces assembly 3
        Halves(4, 3),        // Bit-Strobe
        Halves(4, 3),        // COS/Cyclic
        Bytes4(1, 4, 1, 3),  // Poll consumes assembly 1
        Halves(4, 3),        // Bit-Strobe
        Bytes4(0, 0x2B, 1, 0),
    };
    for (int i = 0; i < 7; ++i) {
        e.SetWord(1, i, block1[i]);
    }
    return e;
}

}  // namespace gatewaysim
