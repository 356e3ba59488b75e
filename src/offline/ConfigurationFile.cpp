#include "offline/ConfigurationFile.h"

#include <QString>

#include "config/Block0Codec.h"
#include "console/ConsoleMessages.h"
#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin {
namespace {

ConfigurationOpening OpenParameterFile(IniKeyAccess& ini, const std::string& path) {
    ConfigurationOpening result;
    WordImages loaded;
    if (const auto refusal = LoadParameterFile(ini, path, loaded)) {
        result.faults.push_back(*refusal);
        return result;
    }
    OpenedConfiguration opened;
    opened.kind = ConfigurationKind::ParameterFile;
    opened.notices = DecodeAsConnect(opened.image, loaded.FromFile());
    result.opened = std::move(opened);
    return result;
}

ConfigurationOpening OpenJsonFile(const std::string& path, const LocalDateTime& stamp) {
    ConfigurationOpening result;
    const ApplyFileCheck check = CheckApplyFile(path);
    result.faults = check.faults;
    std::optional<FirmwareRevision> revision;
    if (check.settings.revisionGiven) {
        revision = ParseFirmwareRevision(check.settings.revision);
        if (!revision) {
            result.faults.push_back("firmware.revision: " +
                                    FirmwareRevisionRefusal(check.settings.revision));
        }
    }
    if (!result.faults.empty()) {
        return result;
    }
    // What apply would store, put where a Connect would find it.
    ConfigImage applied;
    ConfigWords words;
    std::string refusal;
    if (!FinishWordsOf(check.settings, applied, words, refusal, stamp)) {
        result.faults.push_back(refusal);
        return result;
    }
    OpenedConfiguration opened;
    opened.kind = ConfigurationKind::Json;
    opened.revision = revision;
    if (revision) {
        SetRevision(opened.image.settings, *revision);
    }
    opened.description = check.settings.description;
    opened.author = check.settings.author;
    opened.notices = DecodeAsConnect(opened.image, words);
    result.opened = std::move(opened);
    return result;
}

}  // namespace

ConfigurationKind KindOfConfigurationFile(const std::string& path) {
    return QString::fromStdString(path).endsWith(QLatin1String(".json"), Qt::CaseInsensitive)
               ? ConfigurationKind::Json
               : ConfigurationKind::ParameterFile;
}

ConfigurationOpening OpenConfigurationFile(IniKeyAccess& ini, const std::string& path,
                                 const LocalDateTime& stamp) {
    return KindOfConfigurationFile(path) == ConfigurationKind::Json ? OpenJsonFile(path, stamp)
                                                                    : OpenParameterFile(ini, path);
}

std::vector<Notice> DecodeAsConnect(ConfigImage& image, const ConfigWords& words) {
    image.words = {};
    // The thirtieth word of block 0 lies outside the configuration area: a Connect reads it but
    // keeps nothing of it.
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        image.words.Block0Words[k] = image.words.ReadBlock0Words[k] = words.block0[k];
    }
    image.words.Block1Words = image.words.ReadBlock1Words = words.block1;
    image.words.FileBlock0Words = words.block0;
    image.words.FileBlock1Words = words.block1;

    GatewaySettings& settings = image.settings;
    settings.ConfigWrong = false;
    settings.StoredDOLen = settings.StoredAOLen = settings.StoredDILen = settings.StoredAILen = 0;
    settings.StoredIOTotals = {};
    settings.ReadAppCount = 0;
    settings.ConnInfoValid = true;
    DecodeBlock0(settings, image.words.Block0Words);
    if (settings.ConfigWrong) {
        return {{msg::kConfigWrong, msg::kConfigWarningTitle}};
    }
    return {};
}

}  // namespace tavrin
