// The gateway's settings decoded from its block 0 words: identity and firmware, the CAN side, the
// Modbus port, the time stamp of the last store and the application objects as stored. The panels
// change the CAN and Modbus settings here; nothing goes to the gateway until block 0 is encoded
// from them for a write. The rules that fill and check it live in Block0Codec and CheckByte.
#pragma once

#include <cstdint>
#include <string>

#include "config/AppObjectList.h"
#include "config/ConfigWords.h"

namespace tavrin {

struct GatewaySettings {
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

    // Block 2 length found in (and written to) word 1.
    int Block2Len = kBlock2Len;

    bool ConfigWrong = false;    // the stored configuration failed the validity test
    bool ConnInfoValid = false;  // stored objects and connection words still apply
};

}  // namespace tavrin
