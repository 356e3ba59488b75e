#include "rules/ParameterFile.h"

#include <array>
#include <charconv>
#include <limits>

namespace tavrin {
namespace {

std::string DecimalText(Word word) {
    return std::to_string(word);
}

// The texts a save writes, in the order it writes them.
template <typename Visit>
void ForEachSavedKey(const WordImages& words, Visit visit) {
    for (int k = 0; k < kBlock0FileKeys; ++k) {
        const Word word = k < kBlock0ConfigWords ? words.ReadBlock0Words[k] : 0;
        visit(kBlock0Section, WordKeyName(k), DecimalText(word));
    }
    for (int k = 0; k < kBlock1FileKeys; ++k) {
        visit(kBlock1Section, WordKeyName(k), DecimalText(words.ReadBlock1Words[k]));
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

template <std::size_t N>
bool LoadSection(IniKeyAccess& ini, const char* section, int count, std::array<Word, N>& words,
                 BadParameterKey* bad) {
    for (int k = 0; k < count; ++k) {
        const std::string key = WordKeyName(k);
        const std::optional<std::string> text = ini.GetKey(section, key);
        const std::optional<Word> word = text ? WordFromKeyText(*text) : std::nullopt;
        if (!word) {
            if (bad != nullptr) {
                *bad = {section, key, text.value_or("")};
            }
            return false;
        }
        words[k] = *word;
    }
    return true;
}

}  // namespace

std::string WordKeyName(int index) {
    return "Add" + std::to_string(index);
}

void SaveINIFile(IniKeyAccess& ini, const std::string& DstFileLoc, const WordImages& words) {
    ini.SetFileName(DstFileLoc);
    ForEachSavedKey(words, [&](const char* section, const std::string& key,
                               const std::string& value) { ini.WriteKey(section, key, value); });
}

bool SavedFileMatches(IniKeyAccess& ini, const WordImages& words) {
    bool matches = true;
    ForEachSavedKey(words,
                    [&](const char* section, const std::string& key, const std::string& value) {
                        if (matches) {
                            matches = ini.GetKey(section, key) == value;
                        }
                    });
    return matches;
}

std::optional<Word> WordFromKeyText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() ||
        value > std::numeric_limits<Word>::max()) {
        return std::nullopt;
    }
    return static_cast<Word>(value);
}

bool Get_INIFILE_PARA(IniKeyAccess& ini, const std::string& path, WordImages& words,
                      BadParameterKey* bad) {
    ini.SetFileName(path);
    Block0Array block0 = words.FileBlock0Words;
    Block1Array block1 = words.FileBlock1Words;
    if (!LoadSection(ini, kBlock0Section, kBlock0FileKeys, block0, bad) ||
        !LoadSection(ini, kBlock1Section, kBlock1FileKeys, block1, bad)) {
        return false;
    }
    words.FileBlock0Words = block0;
    words.FileBlock1Words = block1;
    return true;
}

std::string BadParameterKeyText(const BadParameterKey& bad) {
    const std::string name = "[" + bad.section + "] " + bad.key;
    // The INI read cannot tell a missing file, section or key from an empty value.
    if (bad.text.empty()) {
        return name + " is missing or empty";
    }
    return name + " = \"" + bad.text + "\" is not a number 0.." +
           std::to_string(std::numeric_limits<Word>::max());
}

}  // namespace tavrin
