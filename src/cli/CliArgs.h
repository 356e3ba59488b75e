// The command line of tavrin-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/ConsoleTiming.h"

namespace tavrin::cli {

struct CliArgs {
    std::string verb;
    std::string port;     // --port: COM number 1..16 or a device path
    std::string logPath;  // --log: transcript of the console session
    bool json = false;    // --json
    bool help = false;    // --help / -h

    std::string file;         // backup, restore: the parameter file; apply: the configuration
    std::string outDir;       // eds, apply --out: the folder for the EDS file; config: the file
    std::string description;  // eds --description
    std::string author;       // eds --author
    std::string stamp;        // apply, eds --from --stamp: the time stamp to store
    std::string logDir;       // fleet --log-dir: the folder of the jobs' transcripts
    std::string from;         // eds --from: a parameter file or configuration file, no gateway
    std::string revision;     // eds --from --revision: the firmware revision M.mm
    std::string saveFile;     // apply --save: the parameter file to save, no gateway

    std::string file2;      // diff: the second operand B (`file` is A)
    std::string bus;        // modbus-check --bus: the RS-485 port the check runs on
    int objectNumber = 0;   // modbus-check --object: the only object checked, from 1; 0 all
    bool noVerify = false;  // restore, apply --no-verify: no read-back after the write
    bool dryRun = false;    // restore, apply --dry-run: read, print the difference, write nothing

    bool version = false;  // --version: print the program's version, whatever else is given

    ConsoleTiming timing;  // --pace, --answer-window: how the console is typed at and waited for
    bool timingGiven = false;  // either was given
};

// Parses argv (without the program name). On a usage error, `error` says what is wrong.
std::optional<CliArgs> ParseCliArgs(const std::vector<std::string>& args, std::string& error);
// The error of a diff given one operand; the usage that follows it is diff's own help.
inline constexpr const char* kDiffNeedsTwoOperands = "diff needs two operands A and B";

std::string UsageText();
std::string VerbHelp(const std::string& verb);
// The lines of --pace and --answer-window in the help of every command that talks to a gateway.
std::string TimingOptionsHelp();

}  // namespace tavrin::cli
