// config SOURCE: the configuration of a gateway (read as `read` reads it) or of a parameter file,
// written in the JSON format apply takes, so that it can be edited in a text editor and applied
// again. What apply would refuse is written all the same, as the words say, and told on stderr.
#include "cli/ConfigVerb.h"

#include <cstdio>
#include <exception>
#include <filesystem>

#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "cli/QuillonFileKeys.h"
#include "offline/ConfigurationFile.h"
#include "offline/ConfigurationJson.h"
#include "offline/OfflineFinish.h"

namespace tavrin::cli {
namespace {

bool IsComNumber(const std::string& text) {
    return !text.empty() && text.size() <= 2 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

bool NamesGateway(const std::string& source) {
    std::error_code error;
    return IsComNumber(source) || !std::filesystem::is_regular_file(source, error);
}

// Prints or saves the text; the exit status.
int Deliver(const CliArgs& args, const std::string& name, const ConfigurationJson& json,
            bool configWrong) {
    for (const std::string& refusal : json.refusals) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), refusal.c_str());
    }
    if (args.outDir.empty()) {
        std::fputs(json.text.c_str(), stdout);
    } else if (const auto failure = SaveTextFile(args.outDir, json.text)) {
        std::fprintf(stderr, "tavrin-cli: %s\n", failure->c_str());
        return kExitInvalidInput;
    }
    return json.refusals.empty() && !configWrong ? kExitOk : kExitInvalidInput;
}

int ConfigOfGateway(const CliArgs& args, ConsoleWiring& wiring) {
    if (!ParsePortArgument(args.file)) {
        std::fprintf(stderr,
                     "tavrin-cli: %s is neither a file nor a port (a COM number 1..16 or a device "
                     "path)\n",
                     args.file.c_str());
        return kExitUsage;
    }
    CliArgs reading = args;
    reading.port = args.file;
    GatewayJob job(reading, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    // The read tells the configuration warning itself.
    if (const int status = job.Connect(); status != kExitOk) {
        return status;
    }
    const ConfigImage& image = job.Image();
    return Deliver(args, job.PortLabel(), ConfigurationToJson(image, RevisionOf(image.settings)),
                   image.settings.ConfigWrong);
}

int ConfigOfFile(const CliArgs& args, ConsoleWiring& wiring) {
    ConfigurationOpening result;
    try {
        QuillonFileKeys ini;
        result = OpenConfigurationFile(ini, args.file, wiring.Ticks().Now());
    } catch (const std::exception& error) {
        result.faults.push_back(error.what());
    }
    if (!result.opened) {
        for (const std::string& fault : result.faults) {
            std::fprintf(stderr, "%s: %s\n", args.file.c_str(), fault.c_str());
        }
        return kExitInvalidInput;
    }
    const OpenedConfiguration& opened = *result.opened;
    for (const Notice& notice : opened.notices) {
        std::fprintf(stderr, "%s: %s\n", args.file.c_str(), notice.text.c_str());
    }
    return Deliver(
        args, args.file,
        ConfigurationToJson(opened.image, opened.revision, opened.description, opened.author),
        opened.image.settings.ConfigWrong);
}

}  // namespace

int RunConfig(const CliArgs& args, ConsoleWiring& wiring) {
    return NamesGateway(args.file) ? ConfigOfGateway(args, wiring) : ConfigOfFile(args, wiring);
}

std::string ConfigHelp() {
    return "Usage: tavrin-cli config SOURCE [--out FILE.json]\n"
           "\n"
           "Writes the configuration of SOURCE in the JSON format that 'apply' takes, so\n"
           "that it can be edited in a text editor and applied again. SOURCE is a gateway\n"
           "(a COM number 1..16 or a device path, read as 'read' reads it: nothing changes\n"
           "in it), a parameter file (as 'backup' saves it) or a configuration file. The\n"
           "CAN and COM settings, the stored application objects and the stored connection\n"
           "choices (positions in the wizard's lists) are written; a gateway's firmware\n"
           "revision goes into \"firmware\": {\"revision\": \"1.05\"}, which 'apply' ignores\n"
           "and 'eds --from' reads.\n"
           "\n"
           "A stored configuration that 'apply' would refuse is written all the same, as\n"
           "the words say, with apply's refusals on stderr (exit status 6). Words that fail\n"
           "validation (\"The configuration stored in EEPROM is wrong!\") give the\n"
           "defaults, as the window shows them (exit status 6).\n"
           "\n"
           "  --out FILE.json  write the configuration into FILE.json (default: stdout)\n" +
           TimingOptionsHelp() +
           "\n"
           "Exit status: 0 written, 2 usage error, 3 port cannot be opened or is held,\n"
           "4 console timeout, 5 not a 6420RT/6420e module, 6 SOURCE is not a\n"
           "configuration, holds one that apply would refuse, or FILE.json cannot be\n"
           "written.\n";
}

}  // namespace tavrin::cli
