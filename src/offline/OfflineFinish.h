// Finish without a gateway: the wizard's choices become the words an online Finish would store,
// and the whole configuration goes into a file instead of an EEPROM. The EDS file is written as an
// online Finish writes it, from the same image, so the two differ only where the clock does.
#pragma once

#include <optional>
#include <string>

#include "assembly/AssemblyDerivation.h"
#include "common/Clock.h"
#include "config/ConfigImage.h"
#include "eds/ConnectionSelections.h"
#include "eds/FinishJob.h"
#include "rules/ParameterFile.h"

namespace tavrin {

// The configuration area and the connection words an online Finish of the same choices at `now`
// would leave in the gateway. Where Finish writes only the settings words (the stored objects
// still apply), the object words are the ones the image holds as read, as they stay in the
// gateway. Afterwards the image describes the saved words as a Connect would: the working table
// is its stored objects and the words are its words as read.
ConfigWords OfflineFinishWords(ConfigImage& image, const AssemblyTables& assemblies,
                               const ConnectionSelections& selections, const FinishChoices& choices,
                               const LocalDateTime& now);

// Saves the 37 words into the parameter file at `path` as a backup saves a gateway's, keeping the
// file's other lines, and reads them back. False when the file does not hold them afterwards.
bool SaveParameterFileWords(IniKeyAccess& ini, const std::string& path, const ConfigWords& words);

// Writes `text` into the file at `path` through a temporary file beside it, so a failure leaves a
// file that was there as it was. Nothing when written; otherwise why not ("Can't write <path>:
// Permission denied").
std::optional<std::string> SaveTextFile(const std::string& path, const std::string& text);

}  // namespace tavrin
