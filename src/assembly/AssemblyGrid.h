// What the assembly view shows, as texts: which tabs it has and the grid of one direction.
#pragma once

#include <string>
#include <vector>

#include "assembly/AssemblyDerivation.h"

namespace tavrin {

enum class AssemblyDirection { Output, Input };

struct AssemblyTab {
    AssemblyDirection direction;
    const char* key;      // "O" or "I"
    const char* caption;  // "Output Instance" or "Input Instance"
};

inline constexpr AssemblyTab kOutputTab{AssemblyDirection::Output, "O", "Output Instance"};
inline constexpr AssemblyTab kInputTab{AssemblyDirection::Input, "I", "Input Instance"};

// The tabs follow the totals: none without objects, one tab across the full width, or two.
struct AssemblyTabPlan {
    std::vector<AssemblyTab> tabs;
    int tabWidthTwips = 0;
};
AssemblyTabPlan PlanAssemblyTabs(const IOTotalArray& totals);

inline constexpr int kAssemblyGridRows = 5;  // headings, two instances, two spare rows
inline constexpr int kAssemblyFixedColumns = 3;
inline constexpr int kAssemblyFixedColumnTwips = 1000;
inline constexpr int kAssemblyMappingColumnTwips = 1400;

// cells[row][column]: row 0 the headings, rows 1 and 2 the instances; empty texts elsewhere.
struct AssemblyGrid {
    int columnCount = kAssemblyFixedColumns;
    std::vector<std::vector<std::string>> cells;
};
AssemblyGrid BuildAssemblyGrid(const AssemblyTables& tables, AssemblyDirection direction);

}  // namespace tavrin
