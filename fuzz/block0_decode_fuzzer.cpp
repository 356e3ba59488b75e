// The block 0 decoder on any 29 words (and any firmware words before them). Properties: the
// result is either ConfigWrong with the defaults, or every decoded field inside its range with
// totals that agree with the objects; and a decoded configuration encodes back to the words read,
// apart from the bits the layout leaves unused.
#include <cstdint>

#include "FuzzCheck.h"
#include "config/Block0Codec.h"
#include "config/CheckByte.h"
#include "config/GatewaySettings.h"
#include "config/WordArithmetic.h"

namespace {

using tavrin::GatewaySettings;
using tavrin::Word;

// Input layout, little-endian, missing bytes read as 0: one byte AppLayer, the firmware version
// and date words, then block 0 words 0..28.
class WordReader {
public:
    WordReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    Word Next() {
        Word w = 0;
        for (int i = 0; i < 4; ++i)
            w |= Word{Byte()} << (8 * i);
        return w;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void CheckDefaults(const GatewaySettings& image) {
    FUZZ_CHECK(image.NodeId == 1);
    FUZZ_CHECK(image.CfgYear == 0 && image.CfgMonth == 0 && image.CfgDay == 0);
    FUZZ_CHECK(image.CfgHour == 0 && image.CfgMinute == 0 && image.CfgSecond == 0);
    FUZZ_CHECK(image.CanBaudIndex == 0);
    FUZZ_CHECK(image.ReadAppCount == 0);
    FUZZ_CHECK(image.ComBaudIndex == 3 && image.ComDataBits == 8 && image.ComParity == 0 &&
               image.ComStopBits == 1);
    FUZZ_CHECK(image.ComTimeout == 200);
    FUZZ_CHECK(image.ComCheckByte == 174);
    FUZZ_CHECK(!image.ConnInfoValid);
}

void CheckInRange(const GatewaySettings& image) {
    FUZZ_CHECK(image.NodeId >= 1 && image.NodeId <= 127);
    FUZZ_CHECK(image.CanBaudIndex <= 8);
    FUZZ_CHECK(image.AppLayer <= 2);
    FUZZ_CHECK(image.CfgYear >= 0);
    FUZZ_CHECK(image.CfgMonth <= 12 && image.CfgDay <= 31);
    FUZZ_CHECK(image.CfgHour <= 24 && image.CfgMinute <= 60 && image.CfgSecond <= 60);
    FUZZ_CHECK(image.ReadAppCount >= 1 && image.ReadAppCount <= tavrin::kMaxAppObjects);
    FUZZ_CHECK(image.ComBaudIndex <= 7);
    FUZZ_CHECK(image.ComDataBits == 7 || image.ComDataBits == 8);
    FUZZ_CHECK(image.ComParity <= 2);
    FUZZ_CHECK(image.ComStopBits == 1 || image.ComStopBits == 2);
    FUZZ_CHECK(image.ComTimeout >= 0);
    FUZZ_CHECK(image.Block2Len == tavrin::kBlock2Len);
    FUZZ_CHECK(image.ConnInfoValid);

    tavrin::IOTotalArray totals{};
    for (int i = 0; i < image.ReadAppCount; ++i) {
        const tavrin::AppObject& o = image.ReadAppObjects[i];
        FUZZ_CHECK(o.MBSA >= 0 && o.MBSA <= 65535);
        FUZZ_CHECK(o.MBCL >= 0 && o.MBCL <= 65535);
        if (o.IOType < tavrin::kIOTypeCount)
            totals[o.IOType] += o.MBCL;
    }
    FUZZ_CHECK(totals == image.StoredIOTotals);
    FUZZ_CHECK(image.StoredDOLen == totals[0] && image.StoredAOLen == 2 * totals[1]);
    FUZZ_CHECK(image.StoredDILen == totals[2] && image.StoredAILen == 2 * totals[3]);
}

// Encodes the decoded configuration as a write would, stamped with the time stamp it was read
// with, and compares with the words read. Unused bits: word 1's low half (the block 2 length is
// always written as 12), the low bytes of words 6 and 7+2i, and the slots past the object count.
void CheckRoundTrip(const GatewaySettings& decoded, const tavrin::Block0Array& in) {
    GatewaySettings image = decoded;
    const tavrin::AppObjectList working{image.ReadAppObjects, image.ReadAppCount,
                                        image.StoredIOTotals};
    image.ConnInfoValid = false;
    const tavrin::LocalDateTime stamp{image.CfgYear, image.CfgMonth,  image.CfgDay,
                                      image.CfgHour, image.CfgMinute, image.CfgSecond};
    const tavrin::Block0Array out = tavrin::EncodeBlock0(image, working, stamp);
    FUZZ_CHECK(out[0] == in[0]);
    FUZZ_CHECK(tavrin::HighHalf(out[1]) == tavrin::HighHalf(in[1]));
    FUZZ_CHECK(tavrin::LowHalf(out[1]) == tavrin::kBlock2Len);
    for (int k = 2; k <= 5; ++k)
        FUZZ_CHECK(out[k] == in[k]);
    FUZZ_CHECK((out[6] & ~Word{0xFF}) == (in[6] & ~Word{0xFF}));
    for (int i = 0; i < decoded.ReadAppCount; ++i) {
        FUZZ_CHECK((out[7 + 2 * i] & ~Word{0xFF}) == (in[7 + 2 * i] & ~Word{0xFF}));
        FUZZ_CHECK(out[8 + 2 * i] == in[8 + 2 * i]);
    }
    for (int i = decoded.ReadAppCount; i < tavrin::kMaxAppObjects; ++i)
        FUZZ_CHECK(out[7 + 2 * i] == 0 && out[8 + 2 * i] == 0);
    FUZZ_CHECK(out[27] == in[27] && out[28] == in[28]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WordReader input(data, size);
    GatewaySettings image;
    tavrin::Block0Array words{};
    // What a read does before decoding; the firmware words may already mark the image wrong.
    image.AppLayer = input.Byte();
    image.ConfigWrong = false;
    image.ConnInfoValid = true;
    const Word version = input.Next();
    const Word date = input.Next();
    tavrin::DecodeFirmware(image, version, date);
    FUZZ_CHECK(image.FwMonth <= 12 && image.FwDay <= 31);
    for (int k = 0; k < tavrin::kBlock0ConfigWords; ++k) {
        words[k] = input.Next();
    }
    tavrin::DecodeBlock0(image, words);

    if (image.ConfigWrong) {
        CheckDefaults(image);
        return 0;
    }
    CheckInRange(image);
    CheckRoundTrip(image, words);
    // The check byte is stored as found, never recomputed on a read.
    FUZZ_CHECK(image.ComCheckByte == tavrin::ByteOf(words[6], 1));
    return 0;
}
