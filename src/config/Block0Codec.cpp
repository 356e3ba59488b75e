#include "config/Block0Codec.h"

#include "config/CheckByte.h"
#include "config/WordArithmetic.h"

namespace tavrin {
namespace {

constexpr Word kHeaderMark = 436;                   // high half of word 0
constexpr Word kHeaderFloor = kHeaderMark * 65536;  // word 0 must lie above this

void DecodeObjects(ConfigImage& image) {
    const Block0Array& w = image.Block0Words;
    image.StoredIOTotals = {};
    for (int i = 0; i < image.ReadAppCount; ++i) {
        const Word kindWord = w[7 + 2 * i];
        const Word rangeWord = w[8 + 2 * i];
        AppObject& o = image.ReadAppObjects[i];
        o.MBID = static_cast<std::uint8_t>(ByteOf(kindWord, 3));
        o.IOType = static_cast<std::uint8_t>(ByteOf(kindWord, 2));
        o.FCSel = static_cast<std::uint8_t>(ByteOf(kindWord, 1));
        o.MBSA = static_cast<std::int32_t>(HighHalf(rangeWord));
        o.MBCL = static_cast<std::int32_t>(LowHalf(rangeWord));
        if (o.IOType < kIOTypeCount) {
            image.StoredIOTotals[o.IOType] += o.MBCL;
        }
    }
    image.StoredDOLen = static_cast<std::int32_t>(HighHalf(w[27]));
    image.StoredAOLen = static_cast<std::int32_t>(LowHalf(w[27]));
    image.StoredDILen = static_cast<std::int32_t>(HighHalf(w[28]));
    image.StoredAILen = static_cast<std::int32_t>(LowHalf(w[28]));
    if (image.StoredDOLen != image.StoredIOTotals[0] ||
        image.StoredAOLen != 2 * image.StoredIOTotals[1]) {
        image.ConfigWrong = true;
    }
    if (image.StoredDILen != image.StoredIOTotals[2] ||
        image.StoredAILen != 2 * image.StoredIOTotals[3]) {
        image.ConfigWrong = true;
    }
}

// Words 0..6: header, CAN, time stamp, object count, COM settings.
void DecodeSettings(ConfigImage& image) {
    const Block0Array& w = image.Block0Words;
    if (HighHalf(w[0]) != kHeaderMark || LowHalf(w[0]) != kBlock0Len) {
        image.ConfigWrong = true;
    }
    if (HighHalf(w[1]) != kBlock1Len || LowHalf(w[1]) < kBlock2Len) {
        image.ConfigWrong = true;
    }
    image.Block2Len = kBlock2Len;

    const Word nodeId = HighHalf(w[2]);
    if (nodeId >= 1 && nodeId <= 127) {
        image.NodeId = static_cast<std::uint8_t>(nodeId);
    } else {
        image.ConfigWrong = true;
    }
    image.AppLayer = static_cast<std::uint8_t>(ByteOf(w[2], 1));
    image.CanBaudIndex = static_cast<std::uint8_t>(ByteOf(w[2], 0));
    if (image.AppLayer > 2 || image.CanBaudIndex > 8) {
        image.ConfigWrong = true;
    }

    if (HighHalf(w[3]) > 32767) {
        image.ConfigWrong = true;
    } else {
        image.CfgYear = static_cast<std::int16_t>(HighHalf(w[3]));
    }
    image.CfgMonth = static_cast<std::uint8_t>(ByteOf(w[3], 1));
    image.CfgDay = static_cast<std::uint8_t>(ByteOf(w[3], 0));

    image.CfgHour = static_cast<std::uint8_t>(ByteOf(w[4], 3));
    image.CfgMinute = static_cast<std::uint8_t>(ByteOf(w[4], 2));
    image.CfgSecond = static_cast<std::uint8_t>(ByteOf(w[4], 1));
    image.ReadAppCount = static_cast<std::uint8_t>(ByteOf(w[4], 0));
    // Hour 24 and minute or second 60 are accepted as the gateway stores them.
    if (image.CfgMonth > 12 || image.CfgDay > 31 || image.CfgHour > 24 || image.CfgMinute > 60 ||
        image.CfgSecond > 60 || image.ReadAppCount < 1 || image.ReadAppCount > kMaxAppObjects) {
        image.ConfigWrong = true;
    }

    image.ComBaudIndex = static_cast<std::uint8_t>(ByteOf(w[5], 3));
    image.ComDataBits = static_cast<std::uint8_t>(ByteOf(w[5], 2));
    image.ComParity = static_cast<std::uint8_t>(ByteOf(w[5], 1));
    image.ComStopBits = static_cast<std::uint8_t>(ByteOf(w[5], 0));
    if (image.ComBaudIndex > 7 || (image.ComDataBits != 7 && image.ComDataBits != 8) ||
        image.ComParity > 2 || (image.ComStopBits != 1 && image.ComStopBits != 2)) {
        image.ConfigWrong = true;
    }

    if (HighHalf(w[6]) > 32767) {
        image.ComTimeout = 32767;
        image.ConfigWrong = true;
    } else {
        image.ComTimeout = static_cast<std::int16_t>(HighHalf(w[6]));
    }
    image.ComCheckByte = static_cast<std::uint8_t>(ByteOf(w[6], 1));
}

}  // namespace

void DecodeFirmware(ConfigImage& image, Word versionWord, Word dateWord) {
    image.FwMajor = static_cast<std::uint8_t>(ByteOf(versionWord, 1));
    image.FwMinor = static_cast<std::uint8_t>(ByteOf(versionWord, 0));
    image.FwYear = static_cast<std::int16_t>(HighHalf(dateWord));
    image.FwMonth = static_cast<std::uint8_t>(ByteOf(dateWord, 1));
    image.FwDay = static_cast<std::uint8_t>(ByteOf(dateWord, 0));
    if (image.FwMonth > 12) {
        image.FwMonth = 0;
        image.ConfigWrong = true;
    }
    if (image.FwDay > 31) {
        image.FwDay = 0;
        image.ConfigWrong = true;
    }
}

bool DecodeBlock0(ConfigImage& image) {
    bool settingsDecoded = false;
    if (image.Block0Words[0] <= kHeaderFloor) {
        image.ConfigWrong = true;
    } else {
        DecodeSettings(image);
        settingsDecoded = true;
        if (!image.ConfigWrong) {
            DecodeObjects(image);
        }
    }
    if (image.ConfigWrong) {
        ApplyConfigDefaults(image);
    }
    return settingsDecoded;
}

void ApplyConfigDefaults(ConfigImage& image) {
    image.NodeId = 1;
    image.CfgYear = 0;
    image.CfgMonth = 0;
    image.CfgDay = 0;
    image.CfgHour = 0;
    image.CfgMinute = 0;
    image.CfgSecond = 0;
    image.CanBaudIndex = 0;
    image.ReadAppCount = 0;
    image.ComBaudIndex = 3;
    image.ComDataBits = 8;
    image.ComParity = 0;
    image.ComStopBits = 1;
    image.ComTimeout = 200;
    image.ComCheckByte =
        ComputeCheckByte(image.ComBaudIndex, image.ComDataBits, image.ComParity, image.ComStopBits);
    image.ConnInfoValid = false;
}

void EncodeBlock0(ConfigImage& image, const LocalDateTime& now) {
    Block0Array& w = image.Block0Words;
    w = {};
    w[0] = kHeaderFloor + kBlock0Len;
    w[1] = static_cast<Word>(kBlock1Len) * 65536u + static_cast<Word>(image.Block2Len);
    w[2] = Word{image.NodeId} * 65536u + Word{image.AppLayer} * 256u + image.CanBaudIndex;

    image.CfgYear = static_cast<std::int16_t>(now.year);
    image.CfgMonth = static_cast<std::uint8_t>(now.month);
    image.CfgDay = static_cast<std::uint8_t>(now.day);
    image.CfgHour = static_cast<std::uint8_t>(now.hour);
    image.CfgMinute = static_cast<std::uint8_t>(now.minute);
    image.CfgSecond = static_cast<std::uint8_t>(now.second);
    w[3] = static_cast<Word>(static_cast<std::uint16_t>(image.CfgYear)) * 65536u +
           Word{image.CfgMonth} * 256u + image.CfgDay;
    w[4] = Word{image.CfgHour} * 16777216u + Word{image.CfgMinute} * 65536u +
           Word{image.CfgSecond} * 256u + image.AppCount;
    w[5] = Word{image.ComBaudIndex} * 16777216u + Word{image.ComDataBits} * 65536u +
           Word{image.ComParity} * 256u + image.ComStopBits;
    w[6] = static_cast<Word>(static_cast<std::uint16_t>(image.ComTimeout)) * 65536u +
           Word{image.ComCheckByte} * 256u;

    if (image.ConnInfoValid) {
        return;
    }
    const int count = image.AppCount <= kMaxAppObjects ? image.AppCount : kMaxAppObjects;
    for (int i = 0; i < count; ++i) {
        const AppObject& o = image.AppObjects[i];
        w[7 + 2 * i] = Word{o.MBID} * 16777216u + Word{o.IOType} * 65536u + Word{o.FCSel} * 256u;
        w[8 + 2 * i] = static_cast<Word>(o.MBSA) * 65536u + static_cast<Word>(o.MBCL);
    }
    const IOTotalArray& t = image.IOTotals;
    w[27] = static_cast<Word>(t[0]) * 65536u + 2u * static_cast<Word>(t[1]);
    w[28] = static_cast<Word>(t[2]) * 65536u + 2u * static_cast<Word>(t[3]);
}

Word PackConnectionPath(const ConnectionPath& path) {
    return static_cast<Word>(path.listIndex) * 16777216u +
           static_cast<Word>(path.classId) * 65536u + static_cast<Word>(path.instance) * 256u +
           static_cast<Word>(path.attribute);
}

void EncodeBlock1(ConfigImage& image, const std::array<ConnectionPath, 3>& inputPaths,
                  const std::array<ConnectionPath, 3>& outputPaths) {
    image.Block1Words = {};
    for (int i = 0; i < 3; ++i) {
        image.Block1Words[1 + i] = PackConnectionPath(inputPaths[i]);
        image.Block1Words[4 + i] = PackConnectionPath(outputPaths[i]);
    }
}

}  // namespace tavrin
