// The parameter-file jobs, one home for both faces: the main window's File menu (Import To ini
// file, Export To EEP) and tavrin-cli's backup and restore. The faces choose the file and present
// the result; what is saved, what is loaded and what is typed into the gateway is decided here.
#pragma once

#include <optional>
#include <string>

#include "config/ConfigImage.h"
#include "rules/ParameterFile.h"

namespace tavrin {

// Backup: saves the words read at the last connect into the file at `path` and reads them back.
// False when the control refused a call or the file does not hold the words; the face then shows
// "Can't write the parameter file!". The control says nothing about a failed write, and a backup
// that silently failed would look like a good one until the day it is needed.
bool BackUpParameterFile(IniKeyAccess& ini, const std::string& path, const WordImages& words);

// "Can't write the parameter file!" with the line naming `path` and the system's reason; error 0
// when the system gave none (the file did not read back as saved).
std::string CantWriteParameterFile(const std::string& path, int error);

// Restore, first step: loads the file's 37 words into the file tables, whole or not at
// all. Nothing when they were loaded; otherwise why not, for a user who has to mend the file
// ("[EEPB_0] Add29 is missing or empty", or the control's refusal).
std::optional<std::string> LoadParameterFile(IniKeyAccess& ini, const std::string& path,
                                             WordImages& words);

// The words a restore types into the gateway, unchanged: the whole configuration area and the
// connection words, from the file tables.
struct RestoreWords {
    ConfigWords words;
    int block0Count = 0;
};

// Restore, second step, just before the write: a parameter file always configures the DeviceNet
// product, so the image's layer becomes DeviceNet. Returns what to type.
RestoreWords PrepareRestore(ConfigImage& image);

}  // namespace tavrin
