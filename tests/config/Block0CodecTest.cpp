#include <gtest/gtest.h>

#include "config/Block0Codec.h"
#include "config/CheckByte.h"
#include "config/WordArithmetic.h"

namespace tavrin {
namespace {

// A valid block 0 with the four objects of the gateway's factory example: two coil blocks, one
// holding-register write and one holding-register read.
Block0Array ValidBlock0() {
    Block0Array w{};
    w[0] = 28573804;                      // 436 / 108
    w[1] = 28u * 65536u + 12u;            // block lengths
    w[2] = 5u * 65536u + 1u * 256u + 2u;  // node 5, DeviceNet, 500 kbit/s
    w[3] = 2026u * 65536u + 12u * 256u + 8u;
    w[4] = 9u << 24 | 5u << 16 | 3u << 8 | 4u;  // 09:05:03, four objects
    w[5] = 3u << 24 | 8u << 16 | 0u << 8 | 1u;  // 9600 8N1
    w[6] = 200u << 16 | 174u << 8;
    const Word objects[4][2] = {{1u << 24 | 0u << 16, 0u << 16 | 10u},
                                {2u << 24 | 1u << 16, 100u << 16 | 2u},
                                {1u << 24 | 0u << 16, 20u << 16 | 3u},
                                {3u << 24 | 3u << 16 | 1u << 8, 10u << 16 | 1u}};
    for (int i = 0; i < 4; ++i) {
        w[7 + 2 * i] = objects[i][0];
        w[8 + 2 * i] = objects[i][1];
    }
    w[27] = 13u << 16 | 4u;  // DO 13 bits, AO 2 registers
    w[28] = 0u << 16 | 2u;   // DI none, AI 1 register
    return w;
}

GatewaySettings Decoded(const Block0Array& words) {
    GatewaySettings settings;
    settings.AppLayer = 7;  // a decode that fails must keep the layer as it was
    settings.ConnInfoValid = true;
    DecodeBlock0(settings, words);
    return settings;
}

void ExpectDefaults(const GatewaySettings& c) {
    EXPECT_TRUE(c.ConfigWrong);
    EXPECT_FALSE(c.ConnInfoValid);
    EXPECT_EQ(c.NodeId, 1);
    EXPECT_EQ(c.CanBaudIndex, 0);
    EXPECT_EQ(c.ComBaudIndex, 3);
    EXPECT_EQ(c.ComDataBits, 8);
    EXPECT_EQ(c.ComParity, 0);
    EXPECT_EQ(c.ComStopBits, 1);
    EXPECT_EQ(c.ComTimeout, 200);
    EXPECT_EQ(c.ComCheckByte, 174);
    EXPECT_EQ(c.ReadAppCount, 0);
    EXPECT_EQ(c.CfgYear, 0);
    EXPECT_EQ(c.CfgMonth, 0);
    EXPECT_EQ(c.CfgDay, 0);
    EXPECT_EQ(c.CfgHour, 0);
    EXPECT_EQ(c.CfgMinute, 0);
    EXPECT_EQ(c.CfgSecond, 0);
}

TEST(Block0Decode, ValidImageDecodesEveryField) {
    const GatewaySettings c = Decoded(ValidBlock0());
    EXPECT_FALSE(c.ConfigWrong);
    EXPECT_TRUE(c.ConnInfoValid);
    EXPECT_EQ(c.NodeId, 5);
    EXPECT_EQ(c.AppLayer, 1);
    EXPECT_EQ(c.CanBaudIndex, 2);
    EXPECT_EQ(c.CfgYear, 2026);
    EXPECT_EQ(c.CfgMonth, 12);
    EXPECT_EQ(c.CfgDay, 8);
    EXPECT_EQ(c.CfgHour, 9);
    EXPECT_EQ(c.CfgMinute, 5);
    EXPECT_EQ(c.CfgSecond, 3);
    EXPECT_EQ(c.ComBaudIndex, 3);
    EXPECT_EQ(c.ComDataBits, 8);
    EXPECT_EQ(c.ComParity, 0);
    EXPECT_EQ(c.ComStopBits, 1);
    EXPECT_EQ(c.ComTimeout, 200);
    EXPECT_EQ(c.ComCheckByte, 174);
    ASSERT_EQ(c.ReadAppCount, 4);
    EXPECT_EQ(c.ReadAppObjects[1], (AppObject{2, 1, 0, 100, 2}));
    EXPECT_EQ(c.ReadAppObjects[3], (AppObject{3, 3, 1, 10, 1}));
    EXPECT_EQ(c.StoredIOTotals, (IOTotalArray{13, 2, 0, 1}));
    EXPECT_EQ(c.StoredDOLen, 13);
    EXPECT_EQ(c.StoredAOLen, 4);
    EXPECT_EQ(c.StoredDILen, 0);
    EXPECT_EQ(c.StoredAILen, 2);
}

struct Violation {
    const char* name;
    int word;
    Word value;
    bool wrong;
};

class Block0Violation : public ::testing::TestWithParam<Violation> {};

TEST_P(Block0Violation, SetsConfigWrongAndDefaultsOrPasses) {
    Block0Array words = ValidBlock0();
    words[GetParam().word] = GetParam().value;
    const GatewaySettings c = Decoded(words);
    if (GetParam().wrong) {
        ExpectDefaults(c);
    } else {
        EXPECT_FALSE(c.ConfigWrong);
    }
}

constexpr Word kStamp = 9u << 24 | 5u << 16 | 3u << 8 | 4u;

INSTANTIATE_TEST_SUITE_P(
    Table, Block0Violation,
    ::testing::Values(Violation{"BlankHeader", 0, 0, true},
                      Violation{"HeaderAtFloor", 0, 28573696, true},
                      Violation{"HeaderLength107", 0, 28573803, true},
                      Violation{"HeaderWrongMark", 0, 437u * 65536u + 108u, true},
                      Violation{"Block1LenWrong", 1, 27u * 65536u + 12u, true},
                      Violation{"Block2LenShort", 1, 28u * 65536u + 11u, true},
                      Violation{"Block2LenLongOk", 1, 28u * 65536u + 40u, false},
                      Violation{"NodeIdZero", 2, 0u * 65536u + 256u, true},
                      Violation{"NodeId127", 2, 127u * 65536u + 256u, false},
                      Violation{"NodeId128", 2, 128u * 65536u + 256u, true},
                      Violation{"LayerTwoAccepted", 2, 5u * 65536u + 2u * 256u, false},
                      Violation{"LayerThree", 2, 5u * 65536u + 3u * 256u, true},
                      Violation{"CanBaud8", 2, 5u * 65536u + 256u + 8u, false},
                      Violation{"CanBaud9", 2, 5u * 65536u + 256u + 9u, true},
                      Violation{"Year40000", 3, 40000u * 65536u + 12u * 256u + 8u, true},
                      Violation{"Month13", 3, 2026u * 65536u + 13u * 256u + 8u, true},
                      Violation{"Day32", 3, 2026u * 65536u + 12u * 256u + 32u, true},
                      Violation{"Hour24MinSec60", 4, 24u << 24 | 60u << 16 | 60u << 8 | 4u, false},
                      Violation{"Hour25", 4, 25u << 24 | 4u, true},
                      Violation{"Minute61", 4, 61u << 16 | 4u, true},
                      Violation{"Second61", 4, 61u << 8 | 4u, true},
                      Violation{"CountZero", 4, kStamp & ~0xFFu, true},
                      Violation{"CountEleven", 4, (kStamp & ~0xFFu) | 11u, true},
                      Violation{"ComBaud8", 5, 8u << 24 | 8u << 16 | 1u, true},
                      Violation{"DataBits6", 5, 3u << 24 | 6u << 16 | 1u, true},
                      Violation{"DataBits7", 5, 3u << 24 | 7u << 16 | 1u, false},
                      Violation{"Parity3", 5, 3u << 24 | 8u << 16 | 3u << 8 | 1u, true},
                      Violation{"StopBits0", 5, 3u << 24 | 8u << 16, true},
                      Violation{"StopBits2", 5, 3u << 24 | 8u << 16 | 2u, false},
                      Violation{"Timeout40000", 6, 40000u << 16 | 174u << 8, true},
                      Violation{"Timeout32767", 6, 32767u << 16 | 174u << 8, false},
                      Violation{"DigitalOutTotalOff", 27, 12u << 16 | 4u, true},
                      Violation{"AnalogOutNotDoubled", 27, 13u << 16 | 2u, true},
                      Violation{"DigitalInTotalOff", 28, 1u << 16 | 2u, true},
                      Violation{"AnalogInNotDoubled", 28, 0u << 16 | 1u, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Block0Decode, DefaultsKeepTheLayerAsItStands) {
    EXPECT_EQ(Decoded(Block0Array{}).AppLayer, 7) << "word 0 fails before the layer is read";
    Block0Array w = ValidBlock0();
    w[0] = 28573803;
    EXPECT_EQ(Decoded(w).AppLayer, 1) << "the layer read from word 2 stays";
}

TEST(Block0Decode, ReportsWhetherSettingsWereReached) {
    GatewaySettings blank;
    EXPECT_FALSE(DecodeBlock0(blank, Block0Array{})) << "a blank EEPROM fails on word 0";
    ExpectDefaults(blank);

    GatewaySettings valid;
    EXPECT_TRUE(DecodeBlock0(valid, ValidBlock0()));
}

TEST(Block0Decode, ObjectTypesOutsideTheFourAddToNoTotal) {
    Block0Array w = ValidBlock0();
    w[7] = 1u << 24 | 9u << 16;  // first object of an unknown type, 10 bits
    w[27] = 3u << 16 | 4u;       // DO total without it
    const GatewaySettings c = Decoded(w);
    EXPECT_FALSE(c.ConfigWrong);
    EXPECT_EQ(c.ReadAppObjects[0].IOType, 9);
    EXPECT_EQ(c.StoredIOTotals, (IOTotalArray{3, 2, 0, 1}));
}

TEST(Block0Decode, LengthsAboveSixteenBitsSignedAreKeptExactly) {
    Block0Array w = ValidBlock0();
    w[4] = (w[4] & ~0xFFu) | 1u;
    w[7] = 1u << 24 | 3u << 16;
    w[8] = 65535u << 16 | 40000u;  // start 65535, 40000 registers
    w[27] = 0;
    w[28] = 0u << 16 | 80000u % 65536u;
    const GatewaySettings c = Decoded(w);
    EXPECT_EQ(c.ReadAppObjects[0].MBSA, 65535);
    EXPECT_EQ(c.ReadAppObjects[0].MBCL, 40000);
    EXPECT_TRUE(c.ConfigWrong) << "80000 does not fit the low half, so the totals disagree";
}

TEST(FirmwareDecode, VersionAndDateAndTheirLimits) {
    GatewaySettings c;
    DecodeFirmware(c, 0x0105, 2004u * 65536u + 3u * 256u + 9u);
    EXPECT_EQ(c.FwMajor, 1);
    EXPECT_EQ(c.FwMinor, 5);
    EXPECT_EQ(c.FwYear, 2004);
    EXPECT_EQ(c.FwMonth, 3);
    EXPECT_EQ(c.FwDay, 9);
    EXPECT_FALSE(c.ConfigWrong);

    GatewaySettings month13;
    DecodeFirmware(month13, 0x0105, 2004u * 65536u + 13u * 256u + 32u);
    EXPECT_EQ(month13.FwMonth, 0);
    EXPECT_EQ(month13.FwDay, 0);
    EXPECT_TRUE(month13.ConfigWrong);
}

TEST(Block0Encode, FullImageRoundTripsThroughDecode) {
    GatewaySettings source = Decoded(ValidBlock0());
    const AppObjectList working{source.ReadAppObjects, source.ReadAppCount, source.StoredIOTotals};
    source.ConnInfoValid = false;
    const Block0Array words = EncodeBlock0(source, working, {2026, 12, 8, 9, 5, 3});
    EXPECT_EQ(words, ValidBlock0());

    GatewaySettings back;
    DecodeBlock0(back, words);
    EXPECT_FALSE(back.ConfigWrong);
    EXPECT_EQ(back.ReadAppObjects, working.AppObjects);
}

TEST(Block0Encode, StampsTimeAndLeavesObjectsOutWhileConnectionInfoIsValid) {
    GatewaySettings c = Decoded(ValidBlock0());
    AppObjectList working;
    working.AppCount = 4;
    c.ConnInfoValid = true;
    const Block0Array words = EncodeBlock0(c, working, {2031, 1, 2, 23, 59, 58});
    EXPECT_EQ(c.CfgYear, 2031);
    EXPECT_EQ(c.CfgSecond, 58);
    EXPECT_EQ(words[3], 2031u * 65536u + 1u * 256u + 2u);
    EXPECT_EQ(words[4], 23u << 24 | 59u << 16 | 58u << 8 | 4u);
    for (int k = 7; k < 29; ++k) {
        EXPECT_EQ(words[k], 0u) << "word " << k;
    }
}

TEST(Block1Encode, PathsPackIntoTheirWords) {
    const ConnectionPath none{0, 4, 0, 3};
    const ConnectionPath cos{0, 43, 1, 0};
    const Block1Array words =
        EncodeBlock1({ConnectionPath{2, 100, 1, 22}, none, none}, {none, none, cos});
    EXPECT_EQ(words[0], 0u);
    EXPECT_EQ(words[1], 40108310u);
    EXPECT_EQ(words[2], 262147u);
    EXPECT_EQ(words[6], 2818304u);
}

TEST(CheckByte, SumsTheRateBytesAndSettings) {
    EXPECT_EQ(ComputeCheckByte(3, 8, 0, 1), 174);              // 9600 8N1
    EXPECT_EQ(ComputeCheckByte(6, 8, 2, 2), 237);              // the largest: 57600 8O2
    EXPECT_EQ(ComputeCheckByte(7, 8, 0, 1), 1 + 194 + 0 + 9);  // 115200 = 0x01C200
    EXPECT_EQ(ComputeCheckByte(0, 7, 1, 1), 4 + 176 + 9);      // 1200 = 0x04B0
}

TEST(WordArithmetic, ConsoleBoundaryConversions) {
    EXPECT_EQ(ToUnsigned(-1), 4294967295u);
    EXPECT_EQ(ToUnsigned(-2147483647 - 1), 2147483648u);
    EXPECT_EQ(SignedText(5), " 5");
    EXPECT_EQ(SignedText(4294967295u), "-1");
    EXPECT_EQ(SignedText(2147483648u), "-2147483648");
    EXPECT_EQ(SignedText(2147483647u), " 2147483647");
    EXPECT_EQ(SignPosText(0), " 0");
    EXPECT_EQ(SignPosText(-12), "-12");
}

}  // namespace
}  // namespace tavrin
