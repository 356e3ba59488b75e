#include "EepromFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "TempDir.h"

namespace gatewaysim {
namespace {

struct FieldCase {
    const char* field;
    int block;
    int byteAddress;
    int shift;
    std::uint32_t mask;
    std::uint32_t expected;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.field;
}

class DefaultFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(DefaultFieldTest, HoldsTheFactorySetting) {
    const FieldCase& c = GetParam();
    const std::uint32_t word = DefaultEeprom().Word(c.block, c.byteAddress / 4);
    EXPECT_EQ((word >> c.shift) & c.mask, c.expected);
}

INSTANTIATE_TEST_SUITE_P(DefaultEeprom, DefaultFieldTest,
                         testing::Values(FieldCase{"FirmwareMajor", 0, 0, 8, 0xFF, 1},
                                         FieldCase{"FirmwareMinor", 0, 0, 0, 0xFF, 5},
                                         FieldCase{"FirmwareYear", 0, 4, 16, 0xFFFF, 2004},
                                         FieldCase{"FirmwareDay", 0, 4, 0, 0xFF, 9},
                                         FieldCase{"AreaMagic", 0, 40, 16, 0xFFFF, 436},
                                         FieldCase{"AreaLength", 0, 40, 0, 0xFFFF, 108},
                                         FieldCase{"NodeId", 0, 48, 16, 0xFFFF, 5},
                                         FieldCase{"AppLayerDeviceNet", 0, 48, 8, 0xFF, 1},
                                         FieldCase{"ObjectCount", 0, 56, 0, 0xFF, 4},
                                         FieldCase{"ConfigMinute", 0, 56, 16, 0xFF, 30},
                                         FieldCase{"ComBaud9600", 0, 60, 24, 0xFF, 3},
                                         FieldCase{"ComDataBits", 0, 60, 16, 0xFF, 8},
                                         FieldCase{"ComTimeout", 0, 64, 16, 0xFFFF, 200},
                                         FieldCase{"SecondObjectStart", 0, 80, 16, 0xFFFF, 100},
                                         FieldCase{"FourthObjectFunctionChoice", 0, 92, 8, 0xFF, 1},
                                         FieldCase{"CosOutputPathClass", 1, 24, 16, 0xFF, 0x2B}),
                         [](const auto& info) { return std::string(info.param.field); });

// The gateway rejects an image whose totals disagree with its objects, or whose check byte
// does not follow from the COM settings; the factory image must pass both.
TEST(DefaultEepromTest, TotalsAndCheckByteAgreeWithTheirSources) {
    const Eeprom e = DefaultEeprom();
    const int count = e.Word(0, 14) & 0xFF;
    std::uint32_t total[4] = {};
    for (int i = 0; i < count; ++i) {
        const std::uint32_t ioType = (e.Word(0, 17 + 2 * i) >> 16) & 0xFF;
        ASSERT_LT(ioType, 4u);
        total[ioType] += e.Word(0, 18 + 2 * i) & 0xFFFF;
    }
    EXPECT_EQ(e.Word(0, 37), total[0] << 16 | 2 * total[1]);
    EXPECT_EQ(e.Word(0, 38), total[2] << 16 | 2 * total[3]);

    const std::uint32_t baudTable[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    const std::uint32_t com = e.Word(0, 15);
    const std::uint32_t baud = baudTable[com >> 24];
    const std::uint32_t check = (baud >> 16) % 256 + (baud >> 8) % 256 + baud % 256 +
                                ((com >> 16) & 0xFF) + ((com >> 8) & 0xFF) + (com & 0xFF);
    EXPECT_EQ((e.Word(0, 16) >> 8) & 0xFF, check);
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(EepromFileTest, SavesLittleEndianBlocksInOrderAndLoadsThemBack) {
    TempDir dir;
    const std::string path = dir.File("eeprom.bin");
    Eeprom image = DefaultEeprom();
    image.SetWord(1, 63, 0xA1B2C3D4);
    SaveEeprom(path, image);

    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4),
              (std::vector<unsigned char>{0x05, 0x01, 0x00, 0x00}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 4, bytes.end()),
              (std::vector<unsigned char>{0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(LoadEeprom(path), image);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "the temporary file must be renamed over the target";
}

TEST(EepromFileTest, RejectsMissingAndWrongSizedFiles) {
    TempDir dir;
    EXPECT_THROW(LoadEeprom(dir.File("absent.bin")), std::runtime_error);
    const std::string shortFile = dir.File("short.bin");
    std::ofstream(shortFile, std::ios::binary) << std::string(511, '\0');
    EXPECT_THROW(LoadEeprom(shortFile), std::runtime_error);
    EXPECT_THROW(SaveEeprom(dir.File("no/such/dir.bin"), Eeprom{}), std::runtime_error);
}

}  // namespace
}  // namespace gatewaysim
