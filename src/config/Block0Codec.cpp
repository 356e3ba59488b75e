#include "config/Block0Codec.h"

#include "config/CheckByte.h"
#include "config/WordArithmetic.h"

namespace tavrin {
namespace {

constexpr Word kHeaderMark = 436;                   // high half of word 0
constexpr Word kHeaderFloor = kHeaderMark * 65536;  // word 0 must lie above this

void DecodeObjects(GatewaySettings& settings, const Block0Array& w) {
    settings.StoredIOTotals = {};
    for (int i = 0; i < settings.ReadAppCount; ++i) {
        const Word kindWord = w[7 + 2 * i];
        const Word rangeWord = w[8 + 2 * i];
        AppObject& o = settings.ReadAppObjects[i];
        o.MBID = static_cast<std::uint8_t>(ByteOf(kindWord, 3));
        o.IOType = static_cast<std::uint8_t>(ByteOf(kindWord, 2));
        o.FCSel = static_cast<std::uint8_t>(ByteOf(kindWord, 1));
        o.MBSA = static_cast<std::int32_t>(HighHalf(rangeWord));
        o.MBCL = static_cast<std::int32_t>(LowHalf(rangeWord));
        if (o.IOType < kIOTypeCount) {
            settings.StoredIOTotals[o.IOType] += o.MBCL;
        }
    }
    settings.StoredDOLen = static_cast<std::int32_t>(HighHalf(w[27]));
    settings.StoredAOLen = static_cast<std::int32_t>(LowHalf(w[27]));
    settings.StoredDILen = static_cast<std::int32_t>(HighHalf(w[28]));
    settings.StoredAILen = static_cast<std::int32_t>(LowHalf(w[28]));
    if (settings.StoredDOLen != settings.StoredIOTotals[0] ||
        settings.StoredAOLen != 2 * settings.StoredIOTotals[1]) {
        settings.ConfigWrong = true;
    }
    if (settings.StoredDILen != settings.StoredIOTotals[2] ||
        settings.StoredAILen != 2 * settings.StoredIOTotals[3]) {
        settings.ConfigWrong = true;
    }
}

// Words 0..6: header, CAN, time stamp, object count, COM settings.
void DecodeSettings(GatewaySettings& settings, const Block0Array& w) {
    if (HighHalf(w[0]) != kHeaderMark || LowHalf(w[0]) != kBlock0Len) {
        settings.ConfigWrong = true;
    }
    if (HighHalf(w[1]) != kBlock1Len || LowHalf(w[1]) < kBlock2Len) {
        settings.ConfigWrong = true;
    }
    settings.Block2Len = kBlock2Len;

    const Word nodeId = HighHalf(w[2]);
    if (nodeId >= 1 && nodeId <= 127) {
        settings.NodeId = static_cast<std::uint8_t>(nodeId);
    } else {
        settings.ConfigWrong = true;
    }
    settings.AppLayer = static_cast<std::uint8_t>(ByteOf(w[2], 1));
    settings.CanBaudIndex = static_cast<std::uint8_t>(ByteOf(w[2], 0));
    if (settings.AppLayer > 2 || settings.CanBaudIndex > 8) {
        settings.ConfigWrong = true;
    }

    if (HighHalf(w[3]) > 32767) {
        settings.ConfigWrong = true;
    } else {
        settings.CfgYear = static_cast<std::int16_t>(HighHalf(w[3]));
    }
    settings.CfgMonth = static_cast<std::uint8_t>(ByteOf(w[3], 1));
    settings.CfgDay = static_cast<std::uint8_t>(ByteOf(w[3], 0));

    settings.CfgHour = static_cast<std::uint8_t>(ByteOf(w[4], 3));
    settings.CfgMinute = static_cast<std::uint8_t>(ByteOf(w[4], 2));
    settings.CfgSecond = static_cast<std::uint8_t>(ByteOf(w[4], 1));
    settings.ReadAppCount = static_cast<std::uint8_t>(ByteOf(w[4], 0));
    // Hour 24 and minute or second 60 are accepted as the gateway stores them.
    if (settings.CfgMonth > 12 || settings.CfgDay > 31 || settings.CfgHour > 24 ||
        settings.CfgMinute > 60 || settings.CfgSecond > 60 || settings.ReadAppCount < 1 ||
        settings.ReadAppCount > kMaxAppObjects) {
        settings.ConfigWrong = true;
    }

    settings.ComBaudIndex = static_cast<std::uint8_t>(ByteOf(w[5], 3));
    settings.ComDataBits = static_cast<std::uint8_t>(ByteOf(w[5], 2));
    settings.ComParity = static_cast<std::uint8_t>(ByteOf(w[5], 1));
    settings.ComStopBits = static_cast<std::uint8_t>(ByteOf(w[5], 0));
    if (settings.ComBaudIndex > 7 || (settings.ComDataBits != 7 && settings.ComDataBits != 8) ||
        settings.ComParity > 2 || (settings.ComStopBits != 1 && settings.ComStopBits != 2)) {
        settings.ConfigWrong = true;
    }

    if (HighHalf(w[6]) > 32767) {
        settings.ComTimeout = 32767;
        settings.ConfigWrong = true;
    } else {
        settings.ComTimeout = static_cast<std::int16_t>(HighHalf(w[6]));
    }
    settings.ComCheckByte = static_cast<std::uint8_t>(ByteOf(w[6], 1));
}

}  // namespace

void DecodeFirmware(GatewaySettings& settings, Word versionWord, Word dateWord) {
    settings.FwMajor = static_cast<std::uint8_t>(ByteOf(versionWord, 1));
    settings.FwMinor = static_cast<std::uint8_t>(ByteOf(versionWord, 0));
    settings.FwYear = static_cast<std::int16_t>(HighHalf(dateWord));
    settings.FwMonth = static_cast<std::uint8_t>(ByteOf(dateWord, 1));
    settings.FwDay = static_cast<std::uint8_t>(ByteOf(dateWord, 0));
    if (settings.FwMonth > 12) {
        settings.FwMonth = 0;
        settings.ConfigWrong = true;
    }
    if (settings.FwDay > 31) {
        settings.FwDay = 0;
        settings.ConfigWrong = true;
    }
}

bool DecodeBlock0(GatewaySettings& settings, const Block0Array& words) {
    bool settingsDecoded = false;
    if (words[0] <= kHeaderFloor) {
        settings.ConfigWrong = true;
    } else {
        DecodeSettings(settings, words);
        settingsDecoded = true;
        if (!settings.ConfigWrong) {
            DecodeObjects(settings, words);
        }
    }
    if (settings.ConfigWrong) {
        ApplyConfigDefaults(settings);
    }
    return settingsDecoded;
}

void ApplyConfigDefaults(GatewaySettings& settings) {
    settings.NodeId = 1;
    settings.CfgYear = 0;
    settings.CfgMonth = 0;
    settings.CfgDay = 0;
    settings.CfgHour = 0;
    settings.CfgMinute = 0;
    settings.CfgSecond = 0;
    settings.CanBaudIndex = 0;
    settings.ReadAppCount = 0;
    settings.ComBaudIndex = 3;
    settings.ComDataBits = 8;
    settings.ComParity = 0;
    settings.ComStopBits = 1;
    settings.ComTimeout = 200;
    settings.ComCheckByte = ComputeCheckByte(settings.ComBaudIndex, settings.ComDataBits,
                                             settings.ComParity, settings.ComStopBits);
    settings.ConnInfoValid = false;
}

Block0Array EncodeBlock0(GatewaySettings& settings, const AppObjectList& working,
                         const LocalDateTime& now) {
    Block0Array w{};
    w[0] = kHeaderFloor + kBlock0Len;
    w[1] = static_cast<Word>(kBlock1Len) * 65536u + static_cast<Word>(settings.Block2Len);
    w[2] = Word{settings.NodeId} * 65536u + Word{settings.AppLayer} * 256u + settings.CanBaudIndex;

    settings.CfgYear = static_cast<std::int16_t>(now.year);
    settings.CfgMonth = static_cast<std::uint8_t>(now.month);
    settings.CfgDay = static_cast<std::uint8_t>(now.day);
    settings.CfgHour = static_cast<std::uint8_t>(now.hour);
    settings.CfgMinute = static_cast<std::uint8_t>(now.minute);
    settings.CfgSecond = static_cast<std::uint8_t>(now.second);
    w[3] = static_cast<Word>(static_cast<std::uint16_t>(settings.CfgYear)) * 65536u +
           Word{settings.CfgMonth} * 256u + settings.CfgDay;
    w[4] = Word{settings.CfgHour} * 16777216u + Word{settings.CfgMinute} * 65536u +
           Word{settings.CfgSecond} * 256u + working.AppCount;
    w[5] = Word{settings.ComBaudIndex} * 16777216u + Word{settings.ComDataBits} * 65536u +
           Word{settings.ComParity} * 256u + settings.ComStopBits;
    w[6] = static_cast<Word>(static_cast<std::uint16_t>(settings.ComTimeout)) * 65536u +
           Word{settings.ComCheckByte} * 256u;

    if (settings.ConnInfoValid) {
        return w;
    }
    const int count = working.AppCount <= kMaxAppObjects ? working.AppCount : kMaxAppObjects;
    for (int i = 0; i < count; ++i) {
        const AppObject& o = working.AppObjects[i];
        w[7 + 2 * i] = Word{o.MBID} * 16777216u + Word{o.IOType} * 65536u + Word{o.FCSel} * 256u;
        w[8 + 2 * i] = static_cast<Word>(o.MBSA) * 65536u + static_cast<Word>(o.MBCL);
    }
    const IOTotalArray& t = working.IOTotals;
    w[27] = static_cast<Word>(t[0]) * 65536u + 2u * static_cast<Word>(t[1]);
    w[28] = static_cast<Word>(t[2]) * 65536u + 2u * static_cast<Word>(t[3]);
    return w;
}

Word PackConnectionPath(const ConnectionPath& path) {
    return static_cast<Word>(path.listIndex) * 16777216u +
           static_cast<Word>(path.classId) * 65536u + static_cast<Word>(path.instance) * 256u +
           static_cast<Word>(path.attribute);
}

Block1Array EncodeBlock1(const std::array<ConnectionPath, 3>& inputPaths,
                         const std::array<ConnectionPath, 3>& outputPaths) {
    Block1Array words{};
    for (int i = 0; i < 3; ++i) {
        words[1 + i] = PackConnectionPath(inputPaths[i]);
        words[4 + i] = PackConnectionPath(outputPaths[i]);
    }
    return words;
}

}  // namespace tavrin
