#include "cli/ApplyVerb.h"

#include <QFileInfo>
#include <cstdio>
#include <optional>

#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "cli/DifferenceReport.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "common/FolderAccess.h"
#include "eds/EdsFile.h"
#include "eds/FinishJob.h"

namespace tavrin::cli {

int RunApply(const CliArgs& args, ConsoleWiring& wiring) {
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

    GatewayJob job(args, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    if (stamp) {
        job.FixTimeStamp(*stamp);
    }
    // The read leaves the gateway's own words in the image (block 2 length, firmware, prompt).
    if (const int status = job.Connect(); status != kExitOk) {
        return ReportUnwritten(args.file, job.PortLabel(), args.json, args.dryRun, status);
    }

    ConfigImage& image = job.Image();
    if (args.dryRun) {
        // What Finish would type, against the gateway as read; nothing is sent after the read.
        ConfigImage planned = image;
        ConfigWords words;
        std::string why;
        if (!FinishWordsOf(file.settings, planned, words, why)) {
            std::fprintf(stderr, "%s: %s\n", args.file.c_str(), why.c_str());
            return kExitInvalidInput;
        }
        return PrintDifference(DifferenceOf(image.words.AsRead(), words), job.PortLabel(),
                               args.file, args.json, true);
    }
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
    SystemFolders folders;
    context.edsCheck = &folders;
    job.Progress().Begin("writing " + args.file + " into " + job.PortLabel(), kWriteLines);
    // The file replaces the objects, so the whole configuration area is typed.
    const int block0Count = kWholeBlock0Words;
    const FinishOutcome outcome = StoreAndProduceEds(context, choices);
    job.Progress().End(outcome == FinishOutcome::Completed);
    WriteReport report;
    report.file = args.file;
    report.port = job.PortLabel();
    report.verifyWanted = job.VerifyWanted();
    report.written = outcome == FinishOutcome::Completed || outcome == FinishOutcome::EdsFailed;
    report.error = context.edsFailure;
    switch (outcome) {
        case FinishOutcome::Completed:
            break;
        case FinishOutcome::WriteFailed:
            report.status = ExitCodeFor(context.writeOutcome);
            break;
        case FinishOutcome::EdsFailed:
        case FinishOutcome::Refused:
            report.status = kExitFailure;
            break;
        case FinishOutcome::FolderRefused:
            report.status = kExitInvalidInput;
            break;
    }
    if (report.written) {
        // The read-back follows the store, once its dialogue has ended; the image holds the
        // words that were typed.
        const int verified =
            job.Verify(WrittenWords{image.words.Block0Words, block0Count, image.words.Block1Words});
        report.verified = job.Verified();
        report.mismatches = job.Mismatches();
        if (verified != kExitOk) {
            report.status = verified;
        }
    }
    if (outcome == FinishOutcome::Completed) {
        report.edsFile = edsFolder + "/" + EdsFileName(image.settings.NodeId);
        if (!args.json) {
            std::printf("%s: %s\n", kEdsProduced, report.edsFile.c_str());
        }
    }
    if (args.json) {
        std::fputs(WriteReportJson(report).c_str(), stdout);
    }
    return report.status;
}

}  // namespace tavrin::cli
