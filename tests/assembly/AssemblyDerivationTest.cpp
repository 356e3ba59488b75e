#include <gtest/gtest.h>

#include <vector>

#include "assembly/AssemblyDerivation.h"
#include "assembly/AssemblyGrid.h"

namespace tavrin {
namespace {

struct Table {
    AppObjectTable objects{};
    int count = 0;
    IOTotalArray totals{};

    Table(std::initializer_list<AppObject> list) {
        for (const AppObject& o : list) {
            objects[count++] = o;
            if (o.IOType < kIOTypeCount)
                totals[o.IOType] += o.MBCL;
        }
    }
    AssemblyTables Derive() const { return DeriveAssemblies(objects, count, totals); }
};

// MBID, IOType, FCSel, MBSA, MBCL
const AppObject kDO10{1, 0, 0, 0, 10};
const AppObject kAO2{2, 1, 0, 100, 2};
const AppObject kDO3{1, 0, 0, 20, 3};
const AppObject kAI1{3, 3, 1, 10, 1};

TEST(DeriveAssemblies, WorkedExampleOfTheFourStoredObjects) {
    const AssemblyTables t = Table{kDO10, kAO2, kDO3, kAI1}.Derive();
    EXPECT_EQ(t.LastOutputAssembly, 1);
    EXPECT_EQ(t.LastInputAssembly, 0);
    const auto& out0 = t.OutputAssemblies[0];
    EXPECT_EQ(out0.Kind, kDigitalKind);
    EXPECT_EQ(out0.Mapping,
              (std::vector<std::string>{" 1:00007~00000", " 1:00009~00008", " 1:00022~00020"}));
    EXPECT_EQ(out0.Length, 3);
    const auto& out1 = t.OutputAssemblies[1];
    EXPECT_EQ(out1.Kind, kAnalogKind);
    EXPECT_EQ(out1.Mapping,
              (std::vector<std::string>{" 2:00100", " 2:00100", " 2:00101", " 2:00101"}));
    EXPECT_EQ(t.InputAssemblies[0].Mapping, (std::vector<std::string>{" 3:00010", " 3:00010"}));
    EXPECT_EQ(t.InputAssemblies[0].Kind, kAnalogKind);
    EXPECT_EQ(t.InputAssemblies[1].Length, 0);
    EXPECT_EQ(OutputInstanceCount(t), 2);
    EXPECT_FALSE(t.Truncated);
}

struct DigitalCase {
    const char* name;
    std::vector<AppObject> objects;
    std::vector<std::string> mapping;
};

TEST(DeriveAssemblies, DigitalBytes) {
    const std::vector<DigitalCase> cases = {
        {"1 bit", {{7, 2, 1, 5, 1}}, {" 7:00005~00005"}},
        {"8 bits", {{7, 2, 1, 5, 8}}, {" 7:00012~00005"}},
        {"9 bits", {{7, 2, 0, 5, 9}}, {" 7:00012~00005", " 7:00013~00013"}},
        {"two 3-bit objects",
         {{1, 2, 1, 0, 3}, {2, 2, 0, 0, 3}},
         {" 1:00002~00000", " 2:00002~00000"}},
        {"address past five digits", {{247, 2, 1, 99999, 2}}, {" 247:100000~99999"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table table{};
        for (const auto& o : c.objects) {
            table.objects[table.count++] = o;
            table.totals[o.IOType] += o.MBCL;
        }
        const AssemblyTables t = table.Derive();
        EXPECT_EQ(t.InputAssemblies[0].Mapping, c.mapping);
        EXPECT_EQ(t.InputAssemblies[0].Length, static_cast<int>(c.mapping.size()));
        EXPECT_EQ(t.LastInputAssembly, 0);
    }
}

struct ShapeCase {
    const char* name;
    Table table;
    std::array<int, 2> outLengths;
    std::array<int, 2> inLengths;
    int lastOut;
    int lastIn;
    int outputInstances;
};

TEST(DeriveAssemblies, InstanceShapes) {
    const std::vector<ShapeCase> cases = {
        {"no objects", Table{}, {0, 0}, {0, 0}, 0, 0, 0},
        {"only analog outputs", Table{{1, 1, 0, 0, 3}}, {6, 0}, {0, 0}, 0, 0, 1},
        {"only inputs", Table{{1, 2, 1, 0, 16}, {2, 3, 0, 0, 2}}, {0, 0}, {2, 4}, 0, 1, 0},
        {"120 registers", Table{{1, 3, 0, 0, 120}}, {0, 0}, {240, 0}, 0, 0, 0},
        {"objects of length 0 add nothing", Table{{1, 0, 0, 0, 0}}, {0, 0}, {0, 0}, 0, 0, 0},
        {"unknown IOType adds nothing",
         Table{{1, 9, 0, 0, 50}, {2, 0, 0, 0, 1}},
         {1, 0},
         {0, 0},
         0,
         0,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AssemblyTables t = c.table.Derive();
        EXPECT_EQ(t.OutputAssemblies[0].Length, c.outLengths[0]);
        EXPECT_EQ(t.OutputAssemblies[1].Length, c.outLengths[1]);
        EXPECT_EQ(t.InputAssemblies[0].Length, c.inLengths[0]);
        EXPECT_EQ(t.InputAssemblies[1].Length, c.inLengths[1]);
        EXPECT_EQ(t.LastOutputAssembly, c.lastOut);
        EXPECT_EQ(t.LastInputAssembly, c.lastIn);
        EXPECT_EQ(OutputInstanceCount(t), c.outputInstances);
        for (const auto* side : {&t.OutputAssemblies, &t.InputAssemblies}) {
            for (const auto& instance : *side) {
                EXPECT_EQ(static_cast<int>(instance.Mapping.size()), instance.Length);
            }
        }
    }
}

TEST(DeriveAssemblies, AnalogRegistersFillPairsOfEqualTexts) {
    const AssemblyTables t = Table{{4, 3, 0, 65500, 120}}.Derive();
    const auto& mapping = t.InputAssemblies[0].Mapping;
    ASSERT_EQ(mapping.size(), 240u);
    for (size_t k = 0; k < mapping.size(); k += 2)
        EXPECT_EQ(mapping[k], mapping[k + 1]);
    EXPECT_EQ(mapping.back(), " 4:65619");
}

// A stored configuration can carry lengths no editor accepts: the derivation stops at the last
// byte an instance can hold and says so, instead of writing past it.
TEST(DeriveAssemblies, OverlongStoredObjectsStopAtTheInstanceLimit) {
    Table table{};
    for (int i = 0; i < kMaxAppObjects; ++i) {
        table.objects[table.count++] =
            AppObject{1, static_cast<std::uint8_t>(i % 2 ? 1 : 0), 0, 0, 65535};
    }
    table.totals = {5 * 65535, 5 * 65535, 0, 0};
    const AssemblyTables t = table.Derive();
    EXPECT_TRUE(t.Truncated);
    EXPECT_EQ(t.OutputAssemblies[0].Length, kMaxMappingEntries);
    EXPECT_EQ(t.OutputAssemblies[1].Length, kMaxMappingEntries);
    EXPECT_EQ(t.OutputAssemblies[0].Mapping.size(), static_cast<size_t>(kMaxMappingEntries));
    EXPECT_EQ(t.LastOutputAssembly, 1);
}

TEST(DeriveAssemblies, CountBeyondTheTableIsClamped) {
    Table table{kDO10};
    const AssemblyTables t = DeriveAssemblies(table.objects, 200, table.totals);
    EXPECT_EQ(t.OutputAssemblies[0].Length, 2);
}

TEST(BytesPerIOType, CountsStartedBytesAndRegisterPairs) {
    const Table table{kDO10, kAO2, kDO3, kAI1, {1, 2, 0, 0, 9}, {1, 7, 0, 0, 9}};
    const auto bytes = BytesPerIOType(table.objects, table.count);
    EXPECT_EQ(bytes, (std::array<long long, 4>{3, 4, 2, 2}));
}

struct TabCase {
    IOTotalArray totals;
    std::vector<std::string> keys;
    int width;
};

TEST(AssemblyView, TabsFollowTheTotals) {
    const std::vector<TabCase> cases = {
        {{0, 0, 0, 0}, {}, 0},
        {{0, 0, 3, 0}, {"I"}, 8465},
        {{1, 0, 0, 0}, {"O"}, 8465},
        {{0, 2, 0, 1}, {"O", "I"}, 4199},
    };
    for (const auto& c : cases) {
        const AssemblyTabPlan plan = PlanAssemblyTabs(c.totals);
        std::vector<std::string> keys;
        for (const auto& tab : plan.tabs)
            keys.emplace_back(tab.key);
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(plan.tabWidthTwips, c.width);
    }
}

TEST(AssemblyView, OutputGridOfTheWorkedExample) {
    const AssemblyTables t = Table{kDO10, kAO2, kDO3, kAI1}.Derive();
    const AssemblyGrid out = BuildAssemblyGrid(t, AssemblyDirection::Output);
    ASSERT_EQ(out.columnCount, 7);  // the analog instance (4 bytes) is the longer one
    EXPECT_EQ(out.cells[0],
              (std::vector<std::string>{"IO Type", "Ins. ID (Hex)", "Ins. Length", "Mapping  0",
                                        "Mapping  1", "Mapping  2", "Mapping  3"}));
    EXPECT_EQ(out.cells[1], (std::vector<std::string>{"Digital", "64", "3", " 1:00007~00000",
                                                      " 1:00009~00008", " 1:00022~00020", ""}));
    EXPECT_EQ(out.cells[2][0], "Analog");
    EXPECT_EQ(out.cells[2][1], "65");
    EXPECT_EQ(out.cells[2][6], " 2:00101");
    EXPECT_EQ(out.cells.size(), 5u);

    const AssemblyGrid in = BuildAssemblyGrid(t, AssemblyDirection::Input);
    EXPECT_EQ(in.columnCount, 5);
    EXPECT_EQ(in.cells[1][1], "66");
    EXPECT_TRUE(in.cells[2][0].empty());
}

TEST(AssemblyView, ColumnCountTakesTheLongerInstance) {
    // Digital 5 bytes before analog 2 bytes: the first instance decides.
    const AssemblyTables t = Table{{1, 2, 1, 0, 40}, {2, 3, 0, 0, 1}}.Derive();
    const AssemblyGrid in = BuildAssemblyGrid(t, AssemblyDirection::Input);
    EXPECT_EQ(in.columnCount, 8);
    EXPECT_EQ(in.cells[1][1], "64");  // inputs only: identifiers start at 100
    EXPECT_EQ(in.cells[2][1], "65");
    EXPECT_EQ(in.cells[2][4], " 2:00000");
    EXPECT_TRUE(in.cells[2][5].empty());
}

}  // namespace
}  // namespace tavrin
