// The whole of tavrin-cli but its process: the command line read and the verb run.
#include "cli/CliMain.h"

#include <cstdio>

#include "TavrinVersion.h"
#include "cli/ApplyVerb.h"
#include "cli/BackupVerb.h"
#include "cli/CliArgs.h"
#include "cli/ConfigReport.h"
#include "cli/ConfigVerb.h"
#include "cli/DiffVerb.h"
#include "cli/EdsVerb.h"
#include "cli/ExitCodes.h"
#include "cli/FleetVerb.h"
#include "cli/GatewayJob.h"
#include "cli/ModbusCheckVerb.h"
#include "cli/OfflineVerbs.h"
#include "cli/OpenFailureReport.h"
#include "cli/PortsVerb.h"
#include "cli/RestoreVerb.h"
#include "console/ConsoleMessages.h"
#include "console/ReadSequence.h"

namespace tavrin::cli {

namespace {

// read keeps stderr to the system's messages: the sequence runs without progress lines.
int RunRead(const CliArgs& args, ConsoleWiring& wiring) {
    GatewayJob job(args, false, wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    const ReadOutcome outcome = ReadConfiguration(job.Session(), job.Port(), job.Progress());
    const bool occupied = outcome == ReadOutcome::Occupied;
    if (const auto why = job.ExplainIfUnopened(outcome == ReadOutcome::CannotOpen, occupied);
        why && args.json) {
        const std::string label = job.Port().Label();
        const std::string message = occupied ? msg::Occupied(label) : msg::CannotOpen(label);
        std::fputs(OpenFailureJson(message, job.Port().device, *why).c_str(), stdout);
    }
    if (outcome == ReadOutcome::Completed) {
        const ConfigImage& image = job.Image();
        const std::string text =
            args.json ? ConfigToJson(image, job.Session().Busy) : ConfigToTable(image);
        std::fputs(text.c_str(), stdout);
    }
    return ExitCodeFor(outcome);
}

}  // namespace

int RunCli(const std::vector<std::string>& words, ConsoleWiring& wiring) {
    std::string error;
    const auto args = ParseCliArgs(words, error);
    if (!args) {
        const std::string usage = error == kDiffNeedsTwoOperands ? VerbHelp("diff") : UsageText();
        std::fprintf(stderr, "tavrin-cli: %s\n\n%s", error.c_str(), usage.c_str());
        return kExitUsage;
    }
    if (args->version) {
        std::fputs("tavrin-cli " TAVRIN_VERSION "\n", stdout);
        return kExitOk;
    }
    if (args->help) {
        std::fputs(VerbHelp(args->verb).c_str(), stdout);
        return kExitOk;
    }
    if (args->verb == "backup") {
        return RunBackup(*args, wiring);
    }
    if (args->verb == "restore") {
        return RunRestore(*args, wiring);
    }
    if (args->verb == "eds") {
        return args->from.empty() ? RunEds(*args, wiring) : RunEdsFrom(*args, wiring);
    }
    if (args->verb == "apply") {
        return args->saveFile.empty() ? RunApply(*args, wiring) : RunApplySave(*args, wiring);
    }
    if (args->verb == "config") {
        return RunConfig(*args, wiring);
    }
    if (args->verb == "diff") {
        return RunDiff(*args, wiring);
    }
    if (args->verb == "ports") {
        return RunPorts(*args);
    }
    if (args->verb == "fleet") {
        return RunFleet(*args);
    }
    if (args->verb == "modbus-check") {
        return RunModbusCheck(*args, wiring);
    }
    return RunRead(*args, wiring);
}

}  // namespace tavrin::cli
