// "Compare with file": the difference between the gateway as read at Connect and a parameter
// file, one row per differing field (field, gateway, file). A window to look at; it writes
// nothing.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "rules/ConfigDifference.h"
#include "rules/ExportQuestion.h"

namespace tavrin {

inline constexpr const char* kCompareTitle = "Compare with file";
inline constexpr const char* kCompareFileTitle = "Compare k-5310G's EEP with ini file";
inline constexpr const char* kNoDifferences = kSameConfiguration;

// The window "CompareForm" with the table "CompareTable" (columns "field", "gateway", "file") and,
// above it, the label "CompareSummary" naming the file or saying there is no difference. Deletes
// itself when closed.
QWidget* NewCompareWindow(const std::vector<FieldDifference>& differences,
                          const std::string& fileName, QWidget* parent);

}  // namespace tavrin
