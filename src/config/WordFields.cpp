#include "config/WordFields.h"

#include <vector>

namespace tavrin {
namespace {

// One named field of a word: the bits it occupies.
struct FieldBits {
    std::string name;
    Word mask;
};

constexpr Word kHigh = 0xFFFF0000u;
constexpr Word kLow = 0x0000FFFFu;
constexpr Word Byte(int index) {
    return Word{0xFFu} << (8 * index);
}

std::string RawName(int block, int index) {
    return std::string(block == 0 ? "ReadBlock0Words[" : "ReadBlock1Words[") +
           std::to_string(index) + "]";
}

// Block 0's fields by word index (word k at byte 40 + 4k), as the decoding reads them.
std::vector<FieldBits> Block0Fields(int index) {
    switch (index) {
        case 2:
            return {{"NodeId", kHigh}, {"AppLayer", Byte(1)}, {"CanBaudIndex", Byte(0)}};
        case 3:
            return {{"CfgYear", kHigh}, {"CfgMonth", Byte(1)}, {"CfgDay", Byte(0)}};
        case 4:
            return {{"CfgHour", Byte(3)},
                    {"CfgMinute", Byte(2)},
                    {"CfgSecond", Byte(1)},
                    {"ReadAppCount", Byte(0)}};
        case 5:
            return {{"ComBaudIndex", Byte(3)},
                    {"ComDataBits", Byte(2)},
                    {"ComParity", Byte(1)},
                    {"ComStopBits", Byte(0)}};
        case 6:
            return {{"ComTimeout", kHigh}, {"ComCheckByte", Byte(1)}};
        case 27:
            return {{"StoredDOLen", kHigh}, {"StoredAOLen", kLow}};
        case 28:
            return {{"StoredDILen", kHigh}, {"StoredAILen", kLow}};
        default:
            break;
    }
    if (index >= 7 && index < 7 + 2 * kMaxAppObjects) {
        const std::string object = "ReadAppObjects[" + std::to_string((index - 7) / 2) + "].";
        if ((index - 7) % 2 == 0) {
            return {{object + "MBID", Byte(3)},
                    {object + "IOType", Byte(2)},
                    {object + "FCSel", Byte(1)}};
        }
        return {{object + "MBSA", kHigh}, {object + "MBCL", kLow}};
    }
    return {};
}

}  // namespace

std::string WordFieldNames(int block, int address, Word a, Word b) {
    const int index = block == 0 ? (address - kBlock0FirstAddress) / 4 : address / 4;
    const std::vector<FieldBits> fields =
        block == 0 ? Block0Fields(index) : std::vector<FieldBits>{};
    const Word differing = a == b ? ~Word{0} : a ^ b;
    std::string names;
    Word named = 0;
    for (const FieldBits& field : fields) {
        named |= field.mask;
        if ((differing & field.mask) != 0) {
            names += (names.empty() ? "" : ", ") + field.name;
        }
    }
    // Bits no field owns: the word itself is what differs.
    if ((differing & ~named) != 0 && (a != b || fields.empty())) {
        names += (names.empty() ? "" : ", ") + RawName(block, index);
    }
    return names;
}

}  // namespace tavrin
