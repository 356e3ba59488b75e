#include <gtest/gtest.h>

#include "config/WordArithmetic.h"
#include "eds/ConnectionChoices.h"

namespace tavrin {
namespace {

// A working table holding `objects`, with the totals the editor keeps and its assemblies.
struct Working {
    explicit Working(const std::vector<AppObject>& objects) {
        for (const AppObject& o : objects) {
            image.working.AppObjects[image.working.AppCount++] = o;
            image.working.IOTotals[o.IOType] += o.MBCL;
        }
        image.settings.ConnInfoValid = true;
        tables = DeriveAssemblies(image.working);
    }
    ConfigImage image;
    AssemblyTables tables;
};

AppObject Object(int ioType, int mbcl, int mbid = 1) {
    return {static_cast<std::uint8_t>(mbid), static_cast<std::uint8_t>(ioType), 0, 0, mbcl};
}

TEST(ConnectionEntries, AssembliesFirstThenDigitalThenAnalogObjectsNumberedOn) {
    // DO, AO, DI, AI, and an AI of length 0 that offers nothing.
    const Working w(
        {Object(0, 10), Object(1, 2), Object(2, 16), Object(3, 0), Object(3, 4), Object(0, 3)});
    EXPECT_EQ(
        OutputEntries(w.image, w.tables),
        (std::vector<std::string>{"None", "O : 01(Assembly 01)", "O : 02(Assembly 02)",
                                  "O : 03(DO,App.01)", "O : 04(DO,App.06)", "O : 05(AO,App.02)"}));
    EXPECT_EQ(InputEntries(w.image, w.tables),
              (std::vector<std::string>{"None", "I : 01(Assembly 03)", "I : 02(Assembly 04)",
                                        "I : 03(DI,App.03)", "I : 04(AI,App.05)"}));
}

TEST(ConnectionEntries, EmptyTableOffersOnlyNone) {
    const Working w({});
    EXPECT_EQ(OutputEntries(w.image, w.tables), std::vector<std::string>{"None"});
    EXPECT_EQ(InputEntries(w.image, w.tables), std::vector<std::string>{"None"});
}

TEST(GetXQVInfo, ReadsTheKindAndNumberAtTheirFixedPlaces) {
    // Two output instances (digital and analog) and one input instance.
    const Working w({Object(0, 8), Object(1, 1), Object(2, 8)});
    struct Case {
        int position;
        std::string text;
        AttributePath expected;
    };
    const Case cases[] = {
        {0, "None", {4, 0, 3}},
        {0, "", {4, 0, 3}},
        {3, "O : 0", {4, 0, 3}},  // too short to name a kind
        {2, "O : 02(Assembly 02)", {4, 2, 3}},
        {1, "I : 01(Assembly 03)", {4, 3, 3}},
        {2, "I : 02(DI,App.03)", {100, 3, 22}},
        {5, "I : 05(AI,App.10)", {100, 10, 23}},
        {3, "O : 03(DO,App.01)", {100, 1, 20}},
        {4, "O : 04(AO,App.02)", {100, 2, 21}},
    };
    for (const Case& c : cases) {
        const AttributePath info = GetXQVInfo(c.position, c.text, w.tables);
        EXPECT_EQ(info.classId, c.expected.classId) << c.text;
        EXPECT_EQ(info.instance, c.expected.instance) << c.text;
        EXPECT_EQ(info.attribute, c.expected.attribute) << c.text;
    }
}

TEST(ProducedBytes, BitStrobeLimitFallsBetweenTheseSizes) {
    struct Case {
        AppObject object;
        long long bytes;
    };
    const Case cases[] = {
        {Object(2, 64), 8}, {Object(2, 65), 9}, {Object(2, 9), 2},
        {Object(3, 4), 8},  {Object(3, 5), 10},
    };
    for (const Case& c : cases) {
        // A lone input object becomes input assembly 01 and object entry 02.
        const Working w({c.object});
        const auto entries = InputEntries(w.image, w.tables);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(ProducedBytes(2, entries[2], w.image, w.tables), c.bytes) << entries[2];
        EXPECT_EQ(ProducedBytes(1, entries[1], w.image, w.tables), c.bytes) << entries[1];
        EXPECT_EQ(ProducedBytes(0, entries[0], w.image, w.tables), std::nullopt);
    }
}

TEST(RestoreSelections, PositionsComeFromTheTopBytesWhenTheyFitTheLists) {
    struct Case {
        const char* name;
        bool configWrong;
        bool connInfoValid;
        std::array<int, 4> topBytes;  // words 1, 2, 3 (inputs) and 4 (Poll output)
        RestoreResult result;
        std::array<int, 3> inputs;
        int pollOutput;
    };
    // Three input entries and two output entries after "None".
    const Case cases[] = {
        {"restored", false, true, {3, 1, 2, 2}, RestoreResult::Restored, {3, 1, 2}, 2},
        {"all none", false, true, {0, 0, 0, 0}, RestoreResult::Restored, {0, 0, 0}, 0},
        {"input beyond", false, true, {4, 1, 1, 1}, RestoreResult::EepromError, {0, 0, 0}, 0},
        {"output beyond", false, true, {1, 1, 1, 3}, RestoreResult::EepromError, {0, 0, 0}, 0},
        {"defaulted", true, true, {1, 1, 1, 1}, RestoreResult::NewSetting, {0, 0, 0}, 0},
        {"edited", false, false, {1, 1, 1, 1}, RestoreResult::NewSetting, {0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        ConfigImage image;
        image.settings.ConfigWrong = c.configWrong;
        image.settings.ConnInfoValid = c.connInfoValid;
        for (int k = 0; k < 4; ++k) {
            image.words.Block1Words[k + 1] =
                static_cast<Word>(c.topBytes[k]) * 16777216u + 0x040003u;
        }
        ConnectionSelections selections;
        selections.InputSel = {9, 9, 9, 9};
        selections.OutputSel = {9, 7, 6, 5};
        EXPECT_EQ(RestoreSelections(image, 3, 2, selections), c.result) << c.name;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(selections.InputSel[i], c.inputs[i]) << c.name << " input " << i;
        }
        EXPECT_EQ(selections.OutputSel[0], c.pollOutput) << c.name;
        // The Bit-Strobe and COS/Cyclic outputs are not the user's to choose; nothing resets them.
        EXPECT_EQ(selections.OutputSel[1], 7) << c.name;
        EXPECT_EQ(selections.OutputSel[2], 6) << c.name;
    }
}

std::array<Word, 6> ConnectionWords(const ConnectionSelections& selections,
                                    const std::array<std::string, 3>& inputs,
                                    const std::array<std::string, 3>& outputs,
                                    const AssemblyTables& tables) {
    const ConnectionPaths paths = BuildConnectionPaths(selections, inputs, outputs, tables);
    const Block1Array words = EncodeBlock1(paths.inputs, paths.outputs);
    EXPECT_EQ(words[0], 0u);
    return {words[1], words[2], words[3], words[4], words[5], words[6]};
}

TEST(ConnectionWords, NothingChosenStoresNoneAndTheAcknowledgeHandler) {
    const Working w({});
    EXPECT_EQ(ConnectionWords({}, {"None", "None", "None"}, {"None", "", ""}, w.tables),
              (std::array<Word, 6>{262147, 262147, 262147, 262147, 262147, 2818304}));
}

TEST(ConnectionWords, ChosenPositionsPackWithTheirPaths) {
    // Input list: None, I : 01(Assembly 02), I : 02(DI,App.01); outputs: None, O : 01(Assembly 01).
    const Working w({Object(2, 8), Object(0, 4)});
    ConnectionSelections selections;
    selections.InputSel = {2, 1, 0, 0};
    selections.OutputSel = {1, 0, 3, 0};
    const auto words =
        ConnectionWords(selections, {"I : 02(DI,App.01)", "I : 01(Assembly 02)", "None"},
                        {"O : 01(Assembly 01)", "", ""}, w.tables);
    EXPECT_EQ(words[0], 40108310u);  // 2, class 100, instance 1, attribute 22
    EXPECT_EQ(words[1], 1u * 16777216 + 4 * 65536 + 2 * 256 + 3);
    EXPECT_EQ(words[2], 262147u);
    EXPECT_EQ(words[3], 1u * 16777216 + 4 * 65536 + 1 * 256 + 3);
    EXPECT_EQ(words[4], 262147u);
    // The COS/Cyclic output keeps its position and always names the Acknowledge Handler.
    EXPECT_EQ(words[5], 3u * 16777216 + 2818304);
}

}  // namespace
}  // namespace tavrin
