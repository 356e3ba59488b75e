// The difference in the user's terms: what counts as a setting, and how a value reads.
#include <gtest/gtest.h>

#include <functional>

#include "EepromFile.h"
#include "rules/ConfigDifference.h"

namespace tavrin {

void PrintTo(const FieldDifference& d, std::ostream* out) {
    *out << d.field << ": " << d.a << " | " << d.b;
}

namespace {

constexpr int kBlock0FirstWord = 10;  // byte 40

ConfigWords SimulatorWords() {
    const gatewaysim::Eeprom e = gatewaysim::DefaultEeprom();
    ConfigWords words;
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        words.block0[k] = e.Word(0, kBlock0FirstWord + k);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        words.block1[k] = e.Word(1, k);
    }
    return words;
}

struct DifferenceCase {
    const char* name;
    std::function<void(ConfigWords&)> change;  // applied to side B
    std::vector<FieldDifference> expected;
};

class DifferenceTable : public ::testing::TestWithParam<DifferenceCase> {};

TEST_P(DifferenceTable, NamesTheFieldWithReadableValues) {
    const ConfigWords a = SimulatorWords();
    ConfigWords b = a;
    GetParam().change(b);
    EXPECT_EQ(DifferenceOf(a, b), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DifferenceTable,
    ::testing::Values(
        DifferenceCase{"Equal", [](ConfigWords&) {}, {}},
        // When a configuration was stored is not one of its settings.
        DifferenceCase{"TimeStampIsNotASetting",
                       [](ConfigWords& w) {
                           w.block0[3] += 65536u;
                           w.block0[4] += 16777216u;
                       },
                       {}},
        DifferenceCase{"ParityByName",
                       [](ConfigWords& w) { w.block0[5] = (w.block0[5] & ~0xFF00u) | 0x0100u; },
                       {{"ComParity", "NONE", "EVEN"}}},
        // The fourth object reads holding registers; without its selector it reads input ones.
        DifferenceCase{"FunctionCodeOfAReadingObject",
                       [](ConfigWords& w) { w.block0[13] &= ~0xFF00u; },
                       {{"ReadAppObjects[3].FunctionCode", "FC03", "FC04"}}},
        DifferenceCase{
            "ConnectionChoice",
            [](ConfigWords& w) { w.block1[1] = 3u * 16777216u + 100u * 65536u + 5u * 256u + 22u; },
            {{"ReadBlock1Words[1]", "Poll produced: list 1, class 4 instance 3 attribute 3",
              "Poll produced: list 3, class 100 instance 5 attribute 22"}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavrin
