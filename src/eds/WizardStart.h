// The connection wizard as it opens, without its window: the assembly instances derived from the
// working table, the entries of its lists, and the choices stored in the gateway restored with the
// same checks a user's choice gets. The wizard window shows this; tavrin-cli writes the EDS file
// of the stored configuration from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assembly/AssemblyDerivation.h"
#include "common/MessageBoxes.h"
#include "config/ConfigImage.h"
#include "eds/ConnectionChoices.h"
#include "eds/ConnectionSelections.h"

namespace tavrin {

inline constexpr const char* kNewSetting = "This is a new Setting for XQV gateway";
inline constexpr const char* kEepromError = "EEPROM ERROR,We show the default value.";
inline constexpr const char* kStrobeTooLong = "Error! The selected data length > 8 bytes";

// True when a Bit-Strobe response can carry the entry at `position` of a produced-path list
// ("None" always fits).
bool FitsStrobeResponse(int position, std::string_view text, const ConfigImage& image,
                        const AssemblyTables& tables);

struct WizardStart {
    AssemblyTables assemblies;
    std::vector<std::string> outputs;  // the entries of every OutPut list, "None" first
    std::vector<std::string> inputs;   // the entries of every IntPut list, "None" first
    RestoreResult restored = RestoreResult::Restored;
    // The stored Bit-Strobe choice was longer than the response carries and fell back to "None".
    bool strobeRefused = false;
};

// Derives the assemblies from the working table (AppObjects, AppCount, IOTotals), lists the
// entries and restores the stored choices into `selections`: the produced paths of all three
// connections and the Poll consumed path. The Bit-Strobe and COS/Cyclic consumed paths are not
// the user's to choose and keep their values.
WizardStart StartWizard(const ConfigImage& image, ConnectionSelections& selections);

// The boxes the opening shows, in order: why the choices start from "None", then the Bit-Strobe
// refusal.
void ShowStartMessages(const WizardStart& start, MessageBoxes& boxes);

}  // namespace tavrin
