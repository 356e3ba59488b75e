// The configuration a bus check reads its objects and COM settings from. Every kind of source
// ends as block 0 words decoded the way a read decodes a gateway's, so the check sees exactly
// what the gateway would use.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "cli/ModbusCheckVerb.h"
#include "cli/QuillonFileKeys.h"
#include "config/Block0Codec.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin::cli {
namespace {

bool IsComNumber(const std::string& text) {
    return !text.empty() && text.size() <= 2 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

int ReadGateway(const CliArgs& args, const std::string& port, ConsoleWiring& wiring,
                GatewaySettings& settings, std::string& name) {
    CliArgs reading = args;
    reading.port = port;
    reading.logPath.clear();  // --log is the bus check's frame log, not the console's
    GatewayJob job(reading, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    name = job.PortLabel();
    const int status = job.Connect();
    settings = job.Image().settings;
    return status;
}

int LoadParameterFileSource(const std::string& path, GatewaySettings& settings) {
    WordImages loaded;
    std::optional<std::string> refusal;
    try {
        QuillonFileKeys ini;
        refusal = LoadParameterFile(ini, path, loaded);
    } catch (const std::exception& error) {
        refusal = error.what();
    }
    if (refusal) {
        std::fprintf(stderr, "tavrin-cli: %s: %s\n", path.c_str(), refusal->c_str());
        return kExitInvalidInput;
    }
    DecodeBlock0(settings, loaded.FromFile().block0);
    return kExitOk;
}

int LoadConfigurationSource(const std::string& path, GatewaySettings& settings) {
    const ApplyFileCheck check = CheckApplyFile(path);
    for (const std::string& fault : check.faults) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), fault.c_str());
    }
    if (!check.Valid()) {
        return kExitInvalidInput;
    }
    ConfigImage image;
    DecodeBlock0(image.settings, image.words.Block0Words);
    ConfigWords words;
    std::string refusal;
    if (!FinishWordsOf(check.settings, image, words, refusal)) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), refusal.c_str());
        return kExitInvalidInput;
    }
    DecodeBlock0(settings, words.block0);
    return kExitOk;
}

}  // namespace

int LoadCheckSource(const CliArgs& args, ConsoleWiring& wiring, GatewaySettings& settings,
                    std::string& name) {
    if (!args.port.empty()) {
        return ReadGateway(args, args.port, wiring, settings, name);
    }
    const std::string& source = args.file;
    name = source;
    std::error_code error;
    if (IsComNumber(source) || !std::filesystem::is_regular_file(source, error)) {
        if (!ParsePortArgument(source)) {
            std::fprintf(stderr,
                         "tavrin-cli: %s is neither a file nor a port (a COM number 1..16 or a "
                         "device path)\n",
                         source.c_str());
            return kExitUsage;
        }
        return ReadGateway(args, source, wiring, settings, name);
    }
    if (std::filesystem::path(source).extension() == ".json") {
        return LoadConfigurationSource(source, settings);
    }
    return LoadParameterFileSource(source, settings);
}

}  // namespace tavrin::cli
