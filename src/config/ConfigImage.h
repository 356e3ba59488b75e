// The gateway's configuration as Tavrin holds it in memory.
//
// The K-5310G keeps its whole configuration in the EEPROM of its 6420RT controller module, in two
// blocks of 32-bit words that the module's console shows as "Long(address)=value". ConfigImage is
// the one shared copy of that configuration: the main window creates one instance and hands it to
// every window and console sequence. It is a plain aggregate on purpose; the rules that fill and
// check it live in Block0Codec and CheckByte.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavrin {

// EEPROM words are unsigned inside the program; the console prints them signed (see
// WordArithmetic.h for the conversion at that boundary).
using Word = std::uint32_t;

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

// Layout constants of block 0: 8-byte header plus 108 bytes of configuration data.
inline constexpr int kBlock0Len = 108;
inline constexpr int kBlock1Len = 28;
inline constexpr int kBlock2Len = 12;
inline constexpr int kBlock0ConfigWords = (kBlock0Len + 8) / 4;  // 29 words, bytes 40..152
inline constexpr int kBlock0FirstAddress = 40;
inline constexpr int kBlock1Words = 7;

using Block0Array = std::array<Word, 30>;  // element k = word at byte 40 + 4k
using Block1Array = std::array<Word, 8>;   // element k = word at byte 4k
using AppObjectTable = std::array<AppObject, kMaxAppObjects>;
using IOTotalArray = std::array<std::int32_t, kIOTypeCount>;

struct ConfigImage {
    // Identity and firmware, from block 0 words at bytes 0 and 4.
    std::uint8_t FwMajor = 0;
    std::uint8_t FwMinor = 0;
    std::int16_t FwYear = 0;
    std::uint8_t FwMonth = 0;
    std::uint8_t FwDay = 0;
    std::string ModulePrompt;  // "6420e>" or "6420RT>", the prompt the last read found

    // CAN side.
    std::uint8_t NodeId = 1;
    std::uint8_t CanBaudIndex = 0;
    std::uint8_t AppLayer = 0;  // 0 CANopen, 1 DeviceNet

    // The gateway's Modbus RTU port on RS-485.
    std::uint8_t ComBaudIndex = 0;
    std::uint8_t ComDataBits = 0;
    std::uint8_t ComParity = 0;
    std::uint8_t ComStopBits = 0;
    std::int16_t ComTimeout = 0;
    std::uint8_t ComCheckByte = 0;

    // Time stamp of the last configuration written by Tavrin.
    std::int16_t CfgYear = 0;
    std::uint8_t CfgMonth = 0;
    std::uint8_t CfgDay = 0;
    std::uint8_t CfgHour = 0;
    std::uint8_t CfgMinute = 0;
    std::uint8_t CfgSecond = 0;

    // Application objects exactly as decoded at the last read.
    AppObjectTable ReadAppObjects{};
    std::uint8_t ReadAppCount = 0;
    IOTotalArray StoredIOTotals{};
    // The totals as found in words 27 and 28 (halves kept whole, 0..65535).
    std::int32_t StoredDOLen = 0;
    std::int32_t StoredAOLen = 0;
    std::int32_t StoredDILen = 0;
    std::int32_t StoredAILen = 0;

    // The working table the application object editor fills; block 0 is built from it.
    AppObjectTable AppObjects{};
    std::uint8_t AppCount = 0;
    IOTotalArray IOTotals{};

    // Raw EEPROM words.
    Block0Array Block0Words{};
    Block1Array Block1Words{};
    Block0Array ReadBlock0Words{};
    Block1Array ReadBlock1Words{};
    Block0Array FileBlock0Words{};
    Block1Array FileBlock1Words{};

    // Block 2 length found in (and written to) word 1.
    int Block2Len = kBlock2Len;

    // Status flags.
    bool ConfigWrong = false;    // the stored configuration failed the validity test
    bool ConnInfoValid = false;  // stored objects and connection words still apply
    bool Busy = false;           // a console sequence is running
};

// Zeroes the six raw word tables (as read, as loaded from a file, and as to be written).
inline void ClearWordArrays(ConfigImage& image) {
    image.Block0Words = {};
    image.ReadBlock0Words = {};
    image.FileBlock0Words = {};
    image.Block1Words = {};
    image.ReadBlock1Words = {};
    image.FileBlock1Words = {};
}

}  // namespace tavrin
