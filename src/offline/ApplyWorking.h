// The working configuration a checked configuration file describes, built the way the windows
// build it: the panels' "Setting" and "Set" store the CAN and COM values, the editor's Add fills
// an empty working table object by object, and the wizard derives the assembly instances and
// offers its lists, from which the file's positions are taken.
#pragma once

#include <string>
#include <vector>

#include "assembly/AssemblyDerivation.h"
#include "config/ConfigImage.h"
#include "eds/FinishJob.h"
#include "offline/ApplyConfig.h"
#include "rules/ConfigDifference.h"

namespace tavrin {

struct WizardLists {
    AssemblyTables assemblies;
    std::vector<std::string> inputEntries;   // produced-path list, "None" first
    std::vector<std::string> outputEntries;  // consumed-path list, "None" first
};

// Replaces the image's working table by `objects`, added one by one as the editor's Add does
// (which marks the stored objects and connection words as replaced), and derives the wizard's
// lists from it. Returns false, with the editor's message in `refusal`, when Add refuses an
// object; the checks of CheckApplyText have already refused such files.
bool FillWorkingTable(const std::vector<ObjectValues>& objects, ConfigImage& image,
                      WizardLists& lists, std::string& refusal);

// Puts the whole file onto an image that holds the gateway's own words: the CAN and COM
// settings, the working table and the wizard's choices. Returns the choices Finish takes, or
// false with a reason when the working table could not be filled.
bool ApplyOntoImage(const ApplySettings& settings, ConfigImage& image, WizardLists& lists,
                    ConnectionSelections& selections, FinishChoices& choices, std::string& refusal);

// The words Finish would type for the file put onto `image` (which holds a gateway's or a
// parameter file's own words), encoded as Finish encodes them but sent nowhere: for apply
// --dry-run and diff (which leave the time stamp at zero, so that a difference does not count it)
// and for the file saved without a gateway (stamped as apply would stamp it). False with a reason
// as ApplyOntoImage.
bool FinishWordsOf(const ApplySettings& settings, ConfigImage& image, ConfigWords& words,
                   std::string& refusal, const LocalDateTime& stamp = {});

}  // namespace tavrin
