#include "cli/OfflineVerbs.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "appobj/WorkingTable.h"
#include "cli/ExitCodes.h"
#include "cli/QuillonFileKeys.h"
#include "cli/TimeStamp.h"
#include "console/ConsoleMessages.h"
#include "eds/EdsFile.h"
#include "eds/WizardStart.h"
#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "offline/ConfigurationFile.h"
#include "offline/OfflineFinish.h"
#include "rules/PanelMessages.h"

namespace tavrin::cli {
namespace {

// --stamp, or the moment; false after telling why not.
bool StampOf(const CliArgs& args, ConsoleWiring& wiring, LocalDateTime& stamp) {
    if (args.stamp.empty()) {
        stamp = wiring.Ticks().Now();
        return true;
    }
    const auto parsed = ParseTimeStamp(args.stamp);
    if (!parsed) {
        std::fprintf(stderr, "tavrin-cli: --stamp %s is not a time stamp \"YYYY-MM-DD hh:mm:ss\"\n",
                     args.stamp.c_str());
        return false;
    }
    stamp = *parsed;
    return true;
}

// The wizard keeps its texts to the single-byte code page the EDS file is written in; a command
// line argument arrives in the locale's encoding.
std::string FileText(const std::string& argument) {
    return QString::fromLocal8Bit(QByteArray::fromStdString(argument)).toLatin1().toStdString();
}

}  // namespace

int RunEdsFrom(const CliArgs& args, ConsoleWiring& wiring) {
    std::optional<FirmwareRevision> revision;
    if (!args.revision.empty()) {
        revision = ParseFirmwareRevision(args.revision);
        if (!revision) {
            std::fprintf(stderr, "tavrin-cli: --revision %s\n",
                         FirmwareRevisionRefusal(args.revision).c_str());
            return kExitUsage;
        }
    }
    LocalDateTime stamp;
    if (!StampOf(args, wiring, stamp)) {
        return kExitUsage;
    }
    const std::string folder = args.outDir.empty() ? "." : args.outDir;
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "tavrin-cli: --out %s is not a folder\n", folder.c_str());
        return kExitInvalidInput;
    }

    ConfigurationOpening result;
    try {
        QuillonFileKeys ini;
        result = OpenConfigurationFile(ini, args.from, stamp);
    } catch (const std::exception& failure) {
        result.faults.push_back(failure.what());
    }
    if (!result.opened) {
        for (const std::string& fault : result.faults) {
            std::fprintf(stderr, "%s: %s\n", args.from.c_str(), fault.c_str());
        }
        return kExitInvalidInput;
    }
    OpenedConfiguration& opened = *result.opened;
    if (!revision) {
        revision = opened.revision;
    }
    if (!revision) {
        std::fprintf(stderr,
                     "tavrin-cli: %s holds no firmware revision; give it with --revision M.mm "
                     "(such as 1.05)\n",
                     args.from.c_str());
        return kExitUsage;
    }
    for (const Notice& notice : opened.notices) {
        std::fprintf(stderr, "%s: %s\n", args.from.c_str(), notice.text.c_str());
    }

    ConfigImage& image = opened.image;
    SetRevision(image.settings, *revision);
    // As after a Connect: the editor loads the stored objects, the wizard restores the choices.
    WorkingTable(image).Load();
    ConnectionSelections selections;
    const WizardStart start = StartWizard(image, selections);
    for (const Notice& notice : StartMessages(start)) {
        std::fprintf(stderr, "%s\n", notice.text.c_str());
    }
    const EdsContent content{
        args.description.empty() ? opened.description : FileText(args.description),
        args.author.empty() ? opened.author : FileText(args.author),
        image.settings,
        image.working,
        start.assemblies,
        selections,
        wiring.Ticks().Now()};
    try {
        std::printf("%s\n", WriteEdsFile(folder, content).c_str());
    } catch (const EdsWriteError& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return kExitFailure;
    }
    return kExitOk;
}

int RunApplySave(const CliArgs& args, ConsoleWiring& wiring) {
    const ApplyFileCheck file = CheckApplyFile(args.file);
    if (!file.Valid()) {
        for (const std::string& fault : file.faults) {
            std::fprintf(stderr, "%s: %s\n", args.file.c_str(), fault.c_str());
        }
        return kExitInvalidInput;
    }
    LocalDateTime stamp;
    if (!StampOf(args, wiring, stamp)) {
        return kExitUsage;
    }
    // The words apply would store into a gateway: the file replaces everything, so nothing of a
    // gateway's own words reaches them.
    ConfigImage image;
    ConfigWords words;
    std::string refusal;
    if (!FinishWordsOf(file.settings, image, words, refusal, stamp)) {
        std::fprintf(stderr, "%s: %s\n", args.file.c_str(), refusal.c_str());
        return kExitInvalidInput;
    }
    bool saved = false;
    try {
        QuillonFileKeys ini;
        saved = SaveParameterFileWords(ini, args.saveFile, words);
    } catch (const std::exception&) {
        saved = false;
    }
    if (!saved) {
        std::fprintf(stderr, "%s: %s\n", args.saveFile.c_str(), msg::kCantWriteParameterFile);
        return kExitInvalidInput;
    }
    std::fprintf(stderr, "tavrin-cli: saved %s\n", args.saveFile.c_str());
    return kExitOk;
}

}  // namespace tavrin::cli
