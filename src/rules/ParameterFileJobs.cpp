#include "rules/ParameterFileJobs.h"

#include <exception>

#include "console/WriteSequence.h"
#include "rules/FileFolders.h"
#include "rules/PanelMessages.h"

namespace tavrin {

bool BackUpParameterFile(IniKeyAccess& ini, const std::string& path, const WordImages& words) {
    try {
        SaveINIFile(ini, path, words);
        return SavedFileMatches(ini, words);
    } catch (const std::exception&) {
        return false;
    }
}

std::string CantWriteParameterFile(const std::string& path, int error) {
    return std::string(msg::kCantWriteParameterFile) + "\n" + CantWriteLine(path, error);
}

std::optional<std::string> LoadParameterFile(IniKeyAccess& ini, const std::string& path,
                                             WordImages& words) {
    BadParameterKey bad;
    try {
        if (!Get_INIFILE_PARA(ini, path, words, &bad)) {
            return BadParameterKeyText(bad);
        }
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

RestoreWords PrepareRestore(ConfigImage& image) {
    image.settings.AppLayer = 1;
    return {image.words.FromFile(), kWholeBlock0Words};
}

}  // namespace tavrin
