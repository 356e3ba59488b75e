#include "cli/ApplyVerb.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/ApplyConfig.h"
#include "cli/ApplyWorking.h"
#include "cli/CliReporter.h"
#include "cli/ExitCodes.h"
#include "cli/FileTranscript.h"
#include "common/Clock.h"
#include "console/ReadSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"
#include "eds/EdsFile.h"
#include "eds/FinishJob.h"

namespace tavrin::cli {
namespace {

// The write's status line: its failures are already told as messages, and success is printed
// once at the end.
class SilentStatus final : public WriteView {
public:
    void SetStatus(const std::string&) override {}
};

int ExitCodeForRead(ReadOutcome outcome) {
    switch (outcome) {
        case ReadOutcome::Completed:
            return kExitOk;
        case ReadOutcome::CannotOpen:
        case ReadOutcome::Occupied:
        case ReadOutcome::PortError:
            return kExitPort;
        case ReadOutcome::Timeout:
            return kExitTimeout;
        case ReadOutcome::ForeignModule:
            return kExitForeignModule;
        case ReadOutcome::Refused:
            break;
    }
    return kExitFailure;
}

int ExitCodeForWrite(WriteOutcome outcome) {
    switch (outcome) {
        case WriteOutcome::CannotOpen:
        case WriteOutcome::Occupied:
        case WriteOutcome::PortError:
            return kExitPort;
        case WriteOutcome::Timeout:
            return kExitTimeout;
        case WriteOutcome::Completed:
            break;
    }
    return kExitFailure;
}

}  // namespace

int RunApply(const CliArgs& args) {
    const auto port = ParsePortArgument(args.port);
    if (!port) {
        std::fprintf(stderr, "tavrin-cli: --port takes a COM number 1..16 or a device path\n");
        return kExitUsage;
    }

    // Every fault of the file is told before anything is sent to the gateway.
    const ApplyFileCheck file = CheckApplyFile(args.configPath);
    if (!file.Valid()) {
        for (const std::string& fault : file.faults) {
            std::fprintf(stderr, "%s: %s\n", args.configPath.c_str(), fault.c_str());
        }
        return kExitInvalidInput;
    }
    const std::string edsFolder = args.outDir.empty() ? std::string(".") : args.outDir;
    if (!QFileInfo(QString::fromStdString(edsFolder)).isDir()) {
        std::fprintf(stderr, "tavrin-cli: the EDS folder %s does not exist\n", edsFolder.c_str());
        return kExitInvalidInput;
    }
    std::unique_ptr<FileTranscript> transcript;
    if (!args.logPath.empty()) {
        transcript = std::make_unique<FileTranscript>(args.logPath);
        if (!transcript->IsOpen()) {
            std::fprintf(stderr, "tavrin-cli: cannot write the log file %s\n",
                         args.logPath.c_str());
            return kExitInvalidInput;
        }
    }

    ConfigImage image;
    QtConsolePort serial;
    SystemClock clock;
    QtEventPump pump;
    CliReporter reporter;
    ConsoleSession session{image, serial, clock, pump, reporter, transcript.get()};

    // The read leaves the gateway's own words in the image (block 2 length, firmware, prompt).
    const ReadOutcome read = ReadConfiguration(session, *port, reporter);
    if (read != ReadOutcome::Completed) {
        return ExitCodeForRead(read);
    }

    WizardLists lists;
    ConnectionSelections selections;
    FinishChoices choices;
    std::string refusal;
    if (!ApplyOntoImage(file.settings, image, lists, selections, choices, refusal)) {
        std::fprintf(stderr, "%s: %s\n", args.configPath.c_str(), refusal.c_str());
        return kExitInvalidInput;
    }

    SilentStatus status;
    FinishContext context{session, *port, lists.assemblies, selections, edsFolder, status};
    switch (StoreAndProduceEds(context, choices)) {
        case FinishOutcome::Completed:
            break;
        case FinishOutcome::WriteFailed:
            return ExitCodeForWrite(context.writeOutcome);
        case FinishOutcome::EdsFailed:
        case FinishOutcome::Refused:
            return kExitFailure;
    }
    const std::string edsPath = edsFolder + "/" + EdsFileName(image.NodeId);
    std::printf("%s: %s\n", kEdsProduced, edsPath.c_str());
    return kExitOk;
}

}  // namespace tavrin::cli
