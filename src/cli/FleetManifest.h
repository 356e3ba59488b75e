// The manifest of `tavrin-cli fleet`: a JSON document listing jobs, each a gateway verb on its own
// port with that verb's file and options. The whole manifest is checked before any job starts:
// every fault is collected with the index of the job it is about, so a manifest with one fault
// sends nothing to any gateway.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/PortChoice.h"

namespace tavrin::cli {

struct FleetJob {
    int index = 0;          // position in the manifest's "jobs" array
    std::string port;       // as the manifest gives it: "3" or "/dev/ttyUSB0"
    std::string portLabel;  // "COM 3" or the path
    std::string device;     // the device the port resolves to; two jobs never share one, nor
                            // one device through a link to it
    std::string verb;
    std::string file;
    std::string logPath;  // the job's transcript under --log-dir; empty without it
    bool json = false;    // the verb takes --json, so its result comes back as JSON
    // The child's command line after the program name: verb, file, options, --port, --log,
    // --json.
    std::vector<std::string> arguments;
};

struct FleetManifest {
    std::vector<FleetJob> jobs;
    // One line per fault: "jobs[2].port: ..."; the jobs are meaningful only when empty.
    std::vector<std::string> faults;
    bool Valid() const { return faults.empty(); }
};

// Why a job's file is unfit for its verb (cannot be read, refused by the verb's own checks, no
// folder to save into); nothing when it is fine.
using JobFileCheck =
    std::function<std::optional<std::string>(const std::string& verb, const std::string& path)>;
std::optional<std::string> CheckJobFile(const std::string& verb, const std::string& path);

// Checks the manifest's JSON text. `logDir`, when not empty, gives each job the transcript
// logDir/<index>-<port>.log.
FleetManifest ReadFleetManifest(const std::string& text, const std::string& logDir,
                                const JobFileCheck& checkFile = CheckJobFile,
                                const EnvLookup& env = ProcessEnv);

// The transcript's name for a job: "2-COM3.log", "0-dev-ttyUSB0.log".
std::string FleetLogName(int index, const std::string& portLabel);

}  // namespace tavrin::cli
