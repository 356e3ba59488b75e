#include "rules/ParameterFileJobs.h"

#include <exception>

#include "console/WriteSequence.h"

namespace tavrin {

bool BackUpParameterFile(IniKeyAccess& ini, const std::string& path, const ConfigImage& image) {
    try {
        SaveINIFile(ini, path, image);
        return SavedFileMatches(ini, image);
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::string> LoadParameterFile(IniKeyAccess& ini, const std::string& path,
                                             ConfigImage& image) {
    BadParameterKey bad;
    try {
        if (!Get_INIFILE_PARA(ini, path, image, &bad)) {
            return BadParameterKeyText(bad);
        }
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

RestoreWords PrepareRestore(ConfigImage& image) {
    image.AppLayer = 1;
    return {image.FileBlock0Words, kWholeBlock0Words, image.FileBlock1Words};
}

}  // namespace tavrin
