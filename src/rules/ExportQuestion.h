// Before Export To EEP writes a parameter file over a gateway whose words are known (read at
// Connect, or read back after a write): how the gateway differs from the file, and the question
// put to the user before anything is typed. Writing the same configuration again only wears the
// EEPROM and costs the technician a minute, so that answer is No unless asked for.
#pragma once

#include <string>
#include <vector>

#include "common/MessageBoxes.h"
#include "rules/ConfigDifference.h"

namespace tavrin {

inline constexpr const char* kExportTitle = "Export To EEP";
inline constexpr const char* kSameConfiguration =
    "The gateway and the file hold the same configuration.";

struct ExportQuestion {
    // The rows "Compare with file" shows (field, gateway, file); empty when the two are equal.
    std::vector<FieldDifference> differences;
    // Yes writes the file, No writes nothing. No is the default when nothing needs writing.
    std::string text;
    BoxButtons buttons = BoxButtons::YesNo;

    bool Equal() const { return differences.empty(); }
};

// `gateway`: the words the gateway holds; `file`: the words the write would type, from `path`.
ExportQuestion AskBeforeExport(const ConfigWords& gateway, const ConfigWords& file,
                               const std::string& path);

}  // namespace tavrin
