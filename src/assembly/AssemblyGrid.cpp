#include "assembly/AssemblyGrid.h"

#include "config/WordArithmetic.h"

namespace tavrin {

namespace {

constexpr int kOneTabTwips = 8465;
constexpr int kTwoTabsTwips = 4199;

}  // namespace

AssemblyTabPlan PlanAssemblyTabs(const IOTotalArray& totals) {
    const long long out = static_cast<long long>(totals[0]) + totals[1];
    const long long in = static_cast<long long>(totals[2]) + totals[3];
    AssemblyTabPlan plan;
    if (out < 1 && in < 1)
        return plan;
    if (out < 1) {
        plan.tabs = {kInputTab};
        plan.tabWidthTwips = kOneTabTwips;
        return plan;
    }
    plan.tabs = {kOutputTab};
    if (in >= 1)
        plan.tabs.push_back(kInputTab);
    plan.tabWidthTwips = in >= 1 ? kTwoTabsTwips : kOneTabTwips;
    return plan;
}

AssemblyGrid BuildAssemblyGrid(const AssemblyTables& tables, AssemblyDirection direction) {
    const bool output = direction == AssemblyDirection::Output;
    const auto& instances = output ? tables.OutputAssemblies : tables.InputAssemblies;
    const int last = output ? tables.LastOutputAssembly : tables.LastInputAssembly;
    const int firstId = kFirstAssemblyId + (output ? 0 : OutputInstanceCount(tables));

    // Wide enough for the longer instance; the digital one comes first and may be the shorter.
    const int l0 = instances[0].Length;
    const int l1 = instances[1].Length;
    AssemblyGrid grid;
    grid.columnCount = kAssemblyFixedColumns + ((l0 > 0 && l1 > 0 && l0 < l1) ? l1 : l0);
    grid.cells.assign(kAssemblyGridRows, std::vector<std::string>(grid.columnCount));

    auto& headings = grid.cells[0];
    headings[0] = "IO Type";
    headings[1] = "Ins. ID (Hex)";
    headings[2] = "Ins. Length";
    for (int k = 0; k + kAssemblyFixedColumns < grid.columnCount; ++k) {
        headings[k + kAssemblyFixedColumns] = "Mapping " + SignPosText(k);
    }

    for (int i = 0; i <= last && i < static_cast<int>(instances.size()); ++i) {
        const AssemblyInstance& instance = instances[i];
        if (instance.Length <= 0)
            continue;
        auto& row = grid.cells[i + 1];
        row[0] = instance.Kind == kDigitalKind ? "Digital" : "Analog";
        row[1] = HexId(firstId + i);
        row[2] = std::to_string(instance.Length);
        for (int k = 0; k < instance.Length && k + kAssemblyFixedColumns < grid.columnCount; ++k) {
            row[k + kAssemblyFixedColumns] = instance.Mapping[k];
        }
    }
    return grid;
}

}  // namespace tavrin
