#include "offline/OfflineFinish.h"

#include <QSaveFile>
#include <QString>

#include "config/Block0Codec.h"
#include "eds/ConnectionChoices.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin {

ConfigWords OfflineFinishWords(ConfigImage& image, const AssemblyTables& assemblies,
                               const ConnectionSelections& selections, const FinishChoices& choices,
                               const LocalDateTime& now) {
    GatewaySettings& settings = image.settings;
    settings.AppLayer = 1;  // Finish always stores a DeviceNet configuration
    const bool objectsWritten = !settings.ConnInfoValid;
    Block0Array block0 = EncodeBlock0(settings, image.working, now);
    if (!objectsWritten) {
        for (int k = kBlock0SettingsWords; k < kBlock0ConfigWords; ++k) {
            block0[k] = image.words.ReadBlock0Words[k];
        }
    }
    const ConnectionPaths paths =
        BuildConnectionPaths(selections, choices.inputTexts, choices.outputTexts, assemblies);
    const Block1Array block1 = EncodeBlock1(paths.inputs, paths.outputs);

    image.words.Block0Words = image.words.ReadBlock0Words = image.words.FileBlock0Words = block0;
    image.words.Block1Words = image.words.ReadBlock1Words = image.words.FileBlock1Words = block1;
    if (objectsWritten) {
        settings.ReadAppObjects = image.working.AppObjects;
        settings.ReadAppCount = image.working.AppCount;
        settings.StoredIOTotals = image.working.IOTotals;
    }
    settings.ConfigWrong = false;
    settings.ConnInfoValid = true;
    return {block0, block1};
}

bool SaveParameterFileWords(IniKeyAccess& ini, const std::string& path, const ConfigWords& words) {
    WordImages saved;
    saved.ReadBlock0Words = words.block0;
    saved.ReadBlock1Words = words.block1;
    return BackUpParameterFile(ini, path, saved);
}

std::optional<std::string> SaveTextFile(const std::string& path, const std::string& text) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit()) {
        return "Can't write " + path + ": " + file.errorString().toStdString();
    }
    return std::nullopt;
}

}  // namespace tavrin
