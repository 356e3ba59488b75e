#include "eds/WizardStart.h"

#include "console/ConsoleMessages.h"

namespace tavrin {

WizardStart StartWizard(const ConfigImage& image, ConnectionSelections& selections) {
    WizardStart start;
    start.assemblies = DeriveAssemblies(image.working);
    start.outputs = OutputEntries(image, start.assemblies);
    start.inputs = InputEntries(image, start.assemblies);
    start.restored = RestoreSelections(image, static_cast<int>(start.inputs.size()) - 1,
                                       static_cast<int>(start.outputs.size()) - 1, selections);

    // A restored choice is checked like a user's. Nothing was accepted in the Bit-Strobe list
    // before, so a stored choice that is too long for it falls back to "None".
    const int strobe = selections.InputSel[kStrobeConnection];
    if (!FitsStrobeResponse(strobe, start.inputs.at(strobe), image, start.assemblies)) {
        selections.InputSel[kStrobeConnection] = 0;
        start.strobeRefused = true;
    }
    return start;
}

std::vector<Notice> StartMessages(const WizardStart& start) {
    std::vector<Notice> notices;
    switch (start.restored) {
        case RestoreResult::Restored:
            break;
        case RestoreResult::NewSetting:
            notices.push_back({kNewSetting, ""});
            break;
        case RestoreResult::EepromError:
            notices.push_back({kEepromError, ""});
            break;
    }
    if (start.strobeRefused) {
        notices.push_back({kStrobeTooLong, msg::kError});
    }
    return notices;
}

}  // namespace tavrin
