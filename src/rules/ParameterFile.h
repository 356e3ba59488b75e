// The parameter file: a raw copy of the gateway's configuration words in an INI file, for backing
// a gateway up and cloning its configuration into another. Section "EEPB_0" holds block 0's words
// under keys "Add0".."Add29", section "EEPB_1" block 1's under "Add0".."Add6", each as unsigned
// decimal text. The words are not named settings and are not decoded here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/ConfigWords.h"

namespace tavrin {

inline constexpr const char* kBlock0Section = "EEPB_0";
inline constexpr const char* kBlock1Section = "EEPB_1";
// Block 0 gets one key more than the 29 configuration words: the key of index 29 stands in the
// files for the word after the configuration area and is always saved as 0.
inline constexpr int kBlock0FileKeys = kBlock0ConfigWords + 1;
inline constexpr int kBlock1FileKeys = kBlock1Words;

inline constexpr const char* kDefaultParameterFileName = "5310G_EEP.ini";
inline constexpr const char* kParameterFileFilter = "INI Files (*.ini)|*.ini";
inline constexpr const char* kSaveParameterFileTitle = "Save k-5310G's EEP Para to ini file";
inline constexpr const char* kLoadParameterFileTitle = "Write ini file to k-5310G's EEP";

// The INI control as the parameter file uses it: name the file, then one key per call. Any call
// may throw when the control refuses it.
class IniKeyAccess {
public:
    virtual ~IniKeyAccess() = default;
    virtual void SetFileName(const std::string& path) = 0;
    // The key's text, or nothing when the control has no file name.
    virtual std::optional<std::string> GetKey(const std::string& section,
                                              const std::string& key) = 0;
    virtual void WriteKey(const std::string& section, const std::string& key,
                          const std::string& value) = 0;
};

// "Add" followed by the index in decimal: "Add0", "Add29".
std::string WordKeyName(int index);

// Writes the words read at the last connect (ReadBlock0Words, ReadBlock1Words): the 30 keys of
// "EEPB_0" in order, then the 7 of "EEPB_1". Other lines of an existing file are kept.
void SaveINIFile(IniKeyAccess& ini, const std::string& DstFileLoc, const WordImages& words);

// True when every one of the 37 keys reads back as the text SaveINIFile wrote. The control says
// nothing about failed writes, so this is how a save learns whether the backup really exists.
bool SavedFileMatches(IniKeyAccess& ini, const WordImages& words);

// A word from a key's text: decimal digits with blanks allowed around, 0 to 4294967295. Empty,
// signed, fractional, non-numeric and larger values are refused.
std::optional<Word> WordFromKeyText(std::string_view text);

// The first key of a parameter file that could not be loaded.
struct BadParameterKey {
    std::string section;  // "EEPB_0" or "EEPB_1"
    std::string key;      // "Add0" .. "Add29"
    std::string text;     // what the key holds; empty when it is missing or empty
};

// Loads the 37 keys of the file into FileBlock0Words and FileBlock1Words. False at the first
// missing or bad key; the tables are then left as they were, so a bad file never reaches the
// gateway. When `bad` is given it then names that key.
bool Get_INIFILE_PARA(IniKeyAccess& ini, const std::string& path, WordImages& words,
                      BadParameterKey* bad = nullptr);

// What is wrong with the key, for a user who has to mend the file, such as
//   [EEPB_0] Add29 is missing or empty
//   [EEPB_1] Add3 = "x" is not a number 0..4294967295
std::string BadParameterKeyText(const BadParameterKey& bad);

}  // namespace tavrin
