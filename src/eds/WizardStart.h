// The connection wizard as it opens, without its window: the assembly instances derived from the
// working table, the entries of its lists, and the choices stored in the gateway restored with the
// same checks a user's choice gets. The wizard window shows this; tavrin-cli writes the EDS file
// of the stored configuration from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "assembly/AssemblyDerivation.h"
#include "common/Notice.h"
#include "config/ConfigImage.h"
#include "eds/ConnectionChoices.h"
#include "eds/ConnectionSelections.h"
#include "eds/WizardMessages.h"

namespace tavrin {

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

// The messages the opening shows, in order: why the choices start from "None", then the Bit-Strobe
// refusal.
std::vector<Notice> StartMessages(const WizardStart& start);

}  // namespace tavrin
