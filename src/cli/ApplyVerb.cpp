#include "cli/ApplyVerb.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "cli/ApplyConfig.h"
#include "cli/ApplyWorking.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "eds/EdsFile.h"
#include "eds/FinishJob.h"

namespace tavrin::cli {

int RunApply(const CliArgs& args) {
    if (!ParsePortArgument(args.port)) {
        std::fprintf(stderr, "tavrin-cli: --port takes a COM number 1..16 or a device path\n");
        return kExitUsage;
    }

    // Every fault of the file is told before anything is sent to the gateway.
    const ApplyFileCheck file = CheckApplyFile(args.file);
    if (!file.Valid()) {
        for (const std::string& fault : file.faults) {
            std::fprintf(stderr, "%s: %s\n", args.file.c_str(), fault.c_str());
        }
        return kExitInvalidInput;
    }
    std::optional<LocalDateTime> stamp;
    if (!args.stamp.empty()) {
        stamp = ParseTimeStamp(args.stamp);
        if (!stamp) {
            std::fprintf(stderr,
                         "tavrin-cli: --stamp %s is not a time stamp \"YYYY-MM-DD hh:mm:ss\"\n",
                         args.stamp.c_str());
            return kExitUsage;
        }
    }
    const std::string edsFolder = args.outDir.empty() ? std::string(".") : args.outDir;
    if (!QFileInfo(QString::fromStdString(edsFolder)).isDir()) {
        std::fprintf(stderr, "tavrin-cli: the EDS folder %s does not exist\n", edsFolder.c_str());
        return kExitInvalidInput;
    }

    GatewayJob job(args, StderrIsTerminal());
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    if (stamp) {
        job.FixTimeStamp(*stamp);
    }
    // The read leaves the gateway's own words in the image (block 2 length, firmware, prompt).
    if (const int status = job.Connect(); status != kExitOk) {
        return status;
    }

    ConfigImage& image = job.Image();
    WizardLists lists;
    ConnectionSelections selections;
    FinishChoices choices;
    std::string refusal;
    if (!ApplyOntoImage(file.settings, image, lists, selections, choices, refusal)) {
        std::fprintf(stderr, "%s: %s\n", args.file.c_str(), refusal.c_str());
        return kExitInvalidInput;
    }

    FinishContext context{job.Session(), job.Port(), lists.assemblies,
                          selections,    edsFolder,  job.Progress()};
    job.Progress().Begin("writing " + args.file + " into " + job.PortLabel(), kWriteLines);
    const FinishOutcome outcome = StoreAndProduceEds(context, choices);
    job.Progress().End(outcome == FinishOutcome::Completed);
    switch (outcome) {
        case FinishOutcome::Completed:
            break;
        case FinishOutcome::WriteFailed:
            return ExitCodeFor(context.writeOutcome);
        case FinishOutcome::EdsFailed:
        case FinishOutcome::Refused:
            return kExitFailure;
    }
    const std::string edsPath = edsFolder + "/" + EdsFileName(image.NodeId);
    std::printf("%s: %s\n", kEdsProduced, edsPath.c_str());
    return kExitOk;
}

}  // namespace tavrin::cli
