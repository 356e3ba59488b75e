// tavrin-cli: the gateway jobs of Tavrin from a shell, for scripts and checks without a window.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "cli/ApplyVerb.h"
#include "cli/BackupVerb.h"
#include "cli/CliArgs.h"
#include "cli/CliReporter.h"
#include "cli/ConfigReport.h"
#include "cli/EdsVerb.h"
#include "cli/ExitCodes.h"
#include "cli/FileTranscript.h"
#include "cli/GatewayJob.h"
#include "cli/RestoreVerb.h"
#include "common/Clock.h"
#include "console/ReadSequence.h"
#include "console/qt/QtConsolePort.h"
#include "console/qt/QtEventPump.h"

namespace {

using namespace tavrin;

int RunRead(const cli::CliArgs& args) {
    const auto port = ParsePortArgument(args.port);
    if (!port) {
        std::fprintf(stderr, "tavrin-cli: --port takes a COM number 1..16 or a device path\n");
        return cli::kExitUsage;
    }
    std::unique_ptr<cli::FileTranscript> transcript;
    if (!args.logPath.empty()) {
        transcript = std::make_unique<cli::FileTranscript>(args.logPath);
        if (!transcript->IsOpen()) {
            std::fprintf(stderr, "tavrin-cli: cannot write the log file %s\n",
                         args.logPath.c_str());
            return cli::kExitInvalidInput;
        }
    }

    ConfigImage image;
    QtConsolePort serial;
    SystemClock clock;
    QtEventPump pump;
    cli::CliReporter reporter;
    ConsoleSession session{image, serial, clock, pump, reporter, transcript.get()};

    const ReadOutcome outcome = ReadConfiguration(session, *port, reporter);
    if (outcome == ReadOutcome::Completed) {
        const std::string text = args.json ? cli::ConfigToJson(image) : cli::ConfigToTable(image);
        std::fputs(text.c_str(), stdout);
    }
    return cli::ExitCodeFor(outcome);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string error;
    const auto args = cli::ParseCliArgs(words, error);
    if (!args) {
        std::fprintf(stderr, "tavrin-cli: %s\n\n%s", error.c_str(), cli::UsageText().c_str());
        return cli::kExitUsage;
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
    return RunRead(*args);
}
