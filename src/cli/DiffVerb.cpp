// diff A B: each side is read as the verb that takes it reads it (a gateway as `read`, a
// parameter file as `restore`, a configuration file as `apply`), and the two are compared in the
// user's terms. Files are loaded first, so a bad file costs no console dialogue.
#include "cli/DiffVerb.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"
#include "cli/DifferenceReport.h"
#include "cli/ExitCodes.h"
#include "cli/GatewayJob.h"
#include "cli/QuillonFileKeys.h"
#include "config/Block0Codec.h"
#include "rules/ParameterFileJobs.h"

namespace tavrin::cli {
namespace {

enum class SideKind { Gateway, ParameterFile, ApplyFile };

struct Side {
    std::string operand;
    SideKind kind = SideKind::Gateway;
    std::string name;  // how the output names it: "COM 1", the path
    ConfigWords words;
    ApplySettings settings;  // ApplyFile only
};

bool IsComNumber(const std::string& text) {
    return !text.empty() && text.size() <= 2 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// Nothing when the operand is neither a COM number, nor a device, nor a file there is: a typing
// slip in a file name must not end up opened as a serial port.
std::optional<SideKind> KindOf(const std::string& operand) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(operand, error);
    if (IsComNumber(operand) || std::filesystem::is_character_file(status)) {
        return SideKind::Gateway;
    }
    if (!std::filesystem::exists(status)) {
        return std::nullopt;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return SideKind::Gateway;
    }
    const std::filesystem::path path(operand);
    return path.extension() == ".json" ? SideKind::ApplyFile : SideKind::ParameterFile;
}

// Loads a file side; the exit status.
int LoadFile(Side& side) {
    if (side.kind == SideKind::ApplyFile) {
        const ApplyFileCheck check = CheckApplyFile(side.operand);
        for (const std::string& fault : check.faults) {
            std::fprintf(stderr, "%s: %s\n", side.operand.c_str(), fault.c_str());
        }
        side.settings = check.settings;
        return check.Valid() ? kExitOk : kExitInvalidInput;
    }
    WordImages loaded;
    std::optional<std::string> refusal;
    try {
        QuillonFileKeys ini;
        refusal = LoadParameterFile(ini, side.operand, loaded);
    } catch (const std::exception& error) {
        refusal = error.what();
    }
    if (refusal) {
        std::fprintf(stderr, "tavrin-cli: %s: %s\n", side.operand.c_str(), refusal->c_str());
        return kExitInvalidInput;
    }
    side.words = loaded.FromFile();
    return kExitOk;
}

int ReadGateway(const CliArgs& args, ConsoleWiring& wiring, Side& side) {
    CliArgs reading = args;
    reading.port = side.operand;
    GatewayJob job(reading, StderrIsTerminal(), wiring);
    if (job.SetUpStatus() != kExitOk) {
        return job.SetUpStatus();
    }
    side.name = job.PortLabel();
    const int status = job.Connect();
    side.words = job.Image().words.AsRead();
    return status;
}

// A configuration file is put onto the other side's words as apply puts it onto a gateway's; two
// configuration files each onto the defaults.
int PlaceApplyFile(Side& side, const Side* base) {
    ConfigImage image;
    if (base) {
        image.words.Block0Words = image.words.ReadBlock0Words = base->words.block0;
        image.words.Block1Words = image.words.ReadBlock1Words = base->words.block1;
    }
    DecodeBlock0(image.settings, image.words.Block0Words);
    std::string refusal;
    if (!FinishWordsOf(side.settings, image, side.words, refusal)) {
        std::fprintf(stderr, "%s: %s\n", side.operand.c_str(), refusal.c_str());
        return kExitInvalidInput;
    }
    return kExitOk;
}

}  // namespace

int RunDiff(const CliArgs& args, ConsoleWiring& wiring) {
    Side sides[2];
    sides[0].operand = args.file;
    sides[1].operand = args.file2;
    for (Side& side : sides) {
        const std::optional<SideKind> kind = KindOf(side.operand);
        if (!kind) {
            std::fprintf(stderr, "tavrin-cli: %s: no such file or port\n", side.operand.c_str());
            return kExitInvalidInput;
        }
        side.kind = *kind;
        side.name = side.operand;
        if (side.kind == SideKind::Gateway) {
            if (!ParsePortArgument(side.operand)) {
                std::fprintf(stderr,
                             "tavrin-cli: %s is neither a file nor a port (a COM number 1..16 or "
                             "a device path)\n",
                             side.operand.c_str());
                return kExitUsage;
            }
        } else if (const int status = LoadFile(side); status != kExitOk) {
            return status;
        }
    }
    for (Side& side : sides) {
        if (side.kind == SideKind::Gateway) {
            if (const int status = ReadGateway(args, wiring, side); status != kExitOk) {
                return status;
            }
        }
    }
    for (int k = 0; k < 2; ++k) {
        if (sides[k].kind == SideKind::ApplyFile) {
            const Side& other = sides[1 - k];
            const Side* base = other.kind == SideKind::ApplyFile ? nullptr : &other;
            if (const int status = PlaceApplyFile(sides[k], base); status != kExitOk) {
                return status;
            }
        }
    }
    return PrintDifference(DifferenceOf(sides[0].words, sides[1].words), sides[0].name,
                           sides[1].name, args.json, false);
}

}  // namespace tavrin::cli
