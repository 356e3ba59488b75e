// tavrin-cli: the gateway jobs of Tavrin from a shell, for scripts and checks without a window.
#include <QCoreApplication>
#include <cstdio>

#include "TavrinVersion.h"
#include "cli/ApplyVerb.h"
#include "cli/BackupVerb.h"
#include "cli/CliArgs.h"
#include "cli/ConfigReport.h"
#include "cli/DiffVerb.h"
#include "cli/EdsVerb.h"
#include "cli/ExitCodes.h"
#include "cli/FleetVerb.h"
#include "cli/GatewayJob.h"
#include "cli/OpenFailureReport.h"
#include "cli/PortsVerb.h"
#include "cli/RestoreVerb.h"
#include "console/ConsoleMessages.h"
#include "console/ReadSequence.h"

namespace {

using namespace tavrin;

// read keeps stderr to the system's messages: the sequence runs without progress lines.
int RunRead(const cli::CliArgs& args) {
    cli::GatewayJob job(args, false);
    if (job.SetUpStatus() != cli::kExitOk) {
        return job.SetUpStatus();
    }
    const ReadOutcome outcome = ReadConfiguration(job.Session(), job.Port(), job.Progress());
    const bool occupied = outcome == ReadOutcome::Occupied;
    if (const auto why = job.ExplainIfUnopened(outcome == ReadOutcome::CannotOpen, occupied);
        why && args.json) {
        const std::string label = job.Port().Label();
        const std::string message = occupied ? msg::Occupied(label) : msg::CannotOpen(label);
        std::fputs(cli::OpenFailureJson(message, job.Port().device, *why).c_str(), stdout);
    }
    if (outcome == ReadOutcome::Completed) {
        const ConfigImage& image = job.Image();
        const std::string text = args.json ? cli::ConfigToJson(image) : cli::ConfigToTable(image);
        std::fputs(text.c_str(), stdout);
    }
    return cli::ExitCodeFor(outcome);
}

}  // namespace

int main(int argc, char** argv) {
    // No windows here: the event loop serves only the serial port and a fleet's processes. Qt's
    // own Unix event loop does that with far fewer system calls per pass than the glib one, which
    // wakes itself for every notifier switched on or off (the port's write notifier, twice per
    // typed character), and it lets the pause between characters sleep through the echo.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string error;
    const auto args = cli::ParseCliArgs(words, error);
    if (!args) {
        std::fprintf(stderr, "tavrin-cli: %s\n\n%s", error.c_str(), cli::UsageText().c_str());
        return cli::kExitUsage;
    }
    if (args->version) {
        std::fputs("tavrin-cli " TAVRIN_VERSION "\n", stdout);
        return cli::kExitOk;
    }
    if (args->help) {
        std::fputs(cli::VerbHelp(args->verb).c_str(), stdout);
        return cli::kExitOk;
    }
    if (args->verb == "backup") {
        return cli::RunBackup(*args);
    }
    if (args->verb == "restore") {
        return cli::RunRestore(*args);
    }
    if (args->verb == "eds") {
        return cli::RunEds(*args);
    }
    if (args->verb == "apply") {
        return cli::RunApply(*args);
    }
    if (args->verb == "diff") {
        return cli::RunDiff(*args);
    }
    if (args->verb == "ports") {
        return cli::RunPorts(*args);
    }
    if (args->verb == "fleet") {
        return cli::RunFleet(*args);
    }
    return RunRead(*args);
}
