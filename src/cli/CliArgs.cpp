#include "cli/CliArgs.h"

#include <algorithm>

#include "cli/ApplyHelp.h"
#include "cli/BackupVerb.h"
#include "cli/ConfigVerb.h"
#include "cli/DiffVerb.h"
#include "cli/EdsVerb.h"
#include "cli/FleetVerb.h"
#include "cli/ModbusCheckVerb.h"
#include "cli/PortsVerb.h"
#include "cli/RestoreVerb.h"

namespace tavrin::cli {
namespace {

// What each command takes besides --port, --log and --help.
struct VerbShape {
    const char* verb;
    bool takesFile;
    std::vector<std::string> options;
    bool talksToGateway = true;            // needs --port, may take --log
    bool typesAtConsole = talksToGateway;  // takes --pace and --answer-window
};

const std::vector<VerbShape>& VerbShapes() {
    static const std::vector<VerbShape> shapes{
        {"read", false, {"--json"}},
        {"backup", true, {}},
        {"restore", true, {"--json", "--no-verify", "--dry-run"}},
        {"eds", false, {"--out", "--description", "--author", "--from", "--revision", "--stamp"}},
        {"apply", true, {"--out", "--stamp", "--json", "--no-verify", "--dry-run", "--save"}},
        {"ports", false, {"--json"}, false},
        {"diff", true, {"--json"}, false, true},  // its gateways come as operands
        {"fleet", true, {"--json", "--log-dir"}, false},
        // SOURCE or --port names the configuration; --log is its frame log.
        {"modbus-check", false, {"--json", "--bus", "--object"}},
        {"config", true, {"--out"}, false, true},  // its gateway comes as the operand
    };
    return shapes;
}

bool Given(const std::vector<std::string>& options, const char* option) {
    return std::find(options.begin(), options.end(), option) != options.end();
}

// eds --from and apply --save work on files alone: no port, and nothing of the gateway's.
bool FitsOffline(const CliArgs& parsed, const std::vector<std::string>& options,
                 std::string& error) {
    const bool eds = parsed.verb == "eds";
    const bool offline = eds ? Given(options, "--from") : Given(options, "--save");
    if (!offline) {
        for (const char* only : {"--revision", "--stamp"}) {
            if (eds && Given(options, only)) {
                error = std::string(only) + " goes with --from";
                return false;
            }
        }
        return true;
    }
    const char* name = eds ? "--from" : "--save";
    if (!parsed.port.empty()) {
        error = std::string(name) + " and --port exclude each other";
        return false;
    }
    if (!parsed.logPath.empty() || parsed.timingGiven) {
        error = std::string("--log, --pace and --answer-window need a gateway, not ") + name;
        return false;
    }
    for (const char* online : {"--out", "--json", "--no-verify", "--dry-run"}) {
        if (!eds && Given(options, online)) {
            error = std::string(online) + " is not an option of apply --save";
            return false;
        }
    }
    return true;
}

// The checks that depend on the command: its FILE and its own options.
bool FitsVerb(const CliArgs& parsed, const std::vector<std::string>& options, bool fileGiven,
              std::string& error) {
    const auto& shapes = VerbShapes();
    const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                    [&](const VerbShape& s) { return parsed.verb == s.verb; });
    if (shape == shapes.end()) {
        error = "unknown command " + parsed.verb;
        return false;
    }
    for (const std::string& option : options) {
        if (std::find(shape->options.begin(), shape->options.end(), option) ==
            shape->options.end()) {
            error = option + " is not an option of " + parsed.verb;
            return false;
        }
    }
    if (parsed.verb == "diff" && parsed.file2.empty()) {
        error = kDiffNeedsTwoOperands;
        return false;
    }
    if (!parsed.file2.empty() && parsed.verb != "diff") {
        error = "unexpected argument " + parsed.file2;
        return false;
    }
    if (shape->takesFile && parsed.file.empty()) {
        error = parsed.verb + " needs a FILE";
        return false;
    }
    if (!shape->talksToGateway && (!parsed.port.empty() || !parsed.logPath.empty())) {
        error = std::string(parsed.port.empty() ? "--log" : "--port") + " is not an option of " +
                parsed.verb;
        return false;
    }
    if (!shape->typesAtConsole && parsed.timingGiven) {
        error = "--pace and --answer-window are not options of " + parsed.verb;
        return false;
    }
    if (parsed.verb == "modbus-check") {
        if (parsed.bus.empty()) {
            error = "modbus-check needs --bus PORT";
            return false;
        }
        if (fileGiven == !parsed.port.empty()) {
            error = "modbus-check needs its configuration either as SOURCE or through --port";
            return false;
        }
        return true;
    }
    if (!shape->takesFile && fileGiven) {
        error = "unexpected argument " + parsed.file;
        return false;
    }
    return FitsOffline(parsed, options, error);
}

// Reads the milliseconds of --pace or --answer-window into `ms`; false with the reason otherwise.
bool TimingValue(const std::string& option, const std::string& text, int& ms, std::string& error) {
    const std::optional<int> value = ParseMilliseconds(text);
    if (!value) {
        error = option + " takes a whole number of milliseconds, not \"" + text + "\"";
        return false;
    }
    const std::string why = option == "--pace" ? PaceRefusal(*value) : AnswerWindowRefusal(*value);
    if (!why.empty()) {
        error = option + " " + text + ": " + why;
        return false;
    }
    ms = *value;
    return true;
}

}  // namespace

std::optional<CliArgs> ParseCliArgs(const std::vector<std::string>& args, std::string& error) {
    CliArgs parsed;
    std::vector<std::string> verbOptions;  // options only some commands take
    bool fileGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* option) -> std::optional<std::string> {
            if (i + 1 >= args.size()) {
                error = std::string(option) + " needs a value";
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == "--help" || a == "-h") {
            parsed.help = true;
        } else if (a == "--version") {
            parsed.version = true;
        } else if (a == "--json" || a == "--no-verify" || a == "--dry-run") {
            parsed.json = parsed.json || a == "--json";
            parsed.noVerify = parsed.noVerify || a == "--no-verify";
            parsed.dryRun = parsed.dryRun || a == "--dry-run";
            verbOptions.push_back(a);
        } else if (a == "--out" || a == "--description" || a == "--author" || a == "--stamp" ||
                   a == "--from" || a == "--revision" || a == "--save") {
            auto v = value(a.c_str());
            if (!v) {
                return std::nullopt;
            }
            if (a == "--out") {
                parsed.outDir = *v;
            } else if (a == "--stamp") {
                parsed.stamp = *v;
            } else if (a == "--from") {
                parsed.from = *v;
            } else if (a == "--revision") {
                parsed.revision = *v;
            } else if (a == "--save") {
                parsed.saveFile = *v;
            } else if (a == "--description") {
                parsed.description = *v;
            } else {
                parsed.author = *v;
            }
            verbOptions.push_back(a);
        } else if (a == "--pace" || a == "--answer-window") {
            auto v = value(a.c_str());
            int& ms = a == "--pace" ? parsed.timing.paceMs : parsed.timing.answerWindowMs;
            if (!v || !TimingValue(a, *v, ms, error)) {
                return std::nullopt;
            }
            parsed.timingGiven = true;
        } else if (a == "--bus") {
            auto v = value("--bus");
            if (!v) {
                return std::nullopt;
            }
            parsed.bus = *v;
            verbOptions.push_back(a);
        } else if (a == "--object") {
            auto v = value("--object");
            if (!v) {
                return std::nullopt;
            }
            const bool digits = !v->empty() && v->size() <= 2 &&
                                v->find_first_not_of("0123456789") == std::string::npos;
            parsed.objectNumber = digits ? std::stoi(*v) : 0;
            if (parsed.objectNumber < 1 || parsed.objectNumber > 10) {
                error = "--object takes an object number 1..10, not \"" + *v + "\"";
                return std::nullopt;
            }
            verbOptions.push_back(a);
        } else if (a == "--log-dir") {
            auto v = value("--log-dir");
            if (!v) {
                return std::nullopt;
            }
            parsed.logDir = *v;
            verbOptions.push_back(a);
        } else if (a == "--port") {
            auto v = value("--port");
            if (!v) {
                return std::nullopt;
            }
            parsed.port = *v;
        } else if (a == "--log") {
            auto v = value("--log");
            if (!v) {
                return std::nullopt;
            }
            parsed.logPath = *v;
        } else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return std::nullopt;
        } else if (parsed.verb.empty()) {
            parsed.verb = a;
        } else if (!fileGiven) {
            parsed.file = a;
            fileGiven = true;
        } else if (parsed.verb == "diff" && parsed.file2.empty()) {
            parsed.file2 = a;
        } else {
            error = "unexpected argument " + a;
            return std::nullopt;
        }
    }
    if (parsed.help || parsed.version) {
        return parsed;
    }
    if (parsed.verb.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (!FitsVerb(parsed, verbOptions, fileGiven, error)) {
        return std::nullopt;
    }
    const bool noGateway = (parsed.verb == "eds" && !parsed.from.empty()) ||
                           (parsed.verb == "apply" && !parsed.saveFile.empty());
    if (parsed.port.empty() && parsed.verb != "ports" && parsed.verb != "diff" &&
        parsed.verb != "fleet" && parsed.verb != "modbus-check" && parsed.verb != "config" &&
        !noGateway) {
        error = "--port is required";
        return std::nullopt;
    }
    return parsed;
}

std::string UsageText() {
    return "Usage: tavrin-cli COMMAND --port PORT [options]\n"
           "\n"
           "Commissioning of the K-5310G gateway through its 6420RT controller console.\n"
           "\n"
           "Commands:\n"
           "  read      connect, read and validate the gateway's configuration\n"
           "  backup    save the configuration words into a parameter file\n"
           "  restore   write a parameter file into the gateway\n"
           "  eds       write the EDS file of the stored configuration\n"
           "  apply     check a configuration file, store it in the gateway, write its EDS\n"
           "  ports     list the ports the window offers and whether each can be opened\n"
           "  diff      show how two configurations differ (gateways or files)\n"
           "  config    print a configuration (gateway or parameter file) as apply takes it\n"
           "  fleet     run the jobs of a JSON manifest on many gateways at once\n"
           "  modbus-check  read each application object from its slave on the RS-485 bus\n"
           "\n"
           "PORT is a COM number 1..16 (COM n is the device in $TAVRIN_COMn, else\n"
           "/dev/ttyS<n-1>) or a device path such as /dev/ttyUSB0.\n"
           "\n"
           "Every command that talks to a gateway also takes --pace MS (0 to 100,\n"
           "default 1) and --answer-window MS (50 to 10000, default 200).\n"
           "\n"
           "Run 'tavrin-cli COMMAND --help' for a command's options.\n"
           "Run 'tavrin-cli --version' for the version.\n"
           "\n"
           "Exit status: 0 done, 1 other failure, 2 usage error, 3 port cannot be opened,\n"
           "is held by another program or failed, 4 console timeout, 5 not a 6420RT/6420e\n"
           "module, 6 invalid input.\n"
           "7 the gateway does not hold what was written (restore, apply),\n"
           "8 the configurations differ (diff, --dry-run),\n"
           "9 a slave gave an exception, no answer or a bad reply (modbus-check).\n"

           "fleet exits with its most serious job's status (see 'tavrin-cli fleet --help').\n";
}

std::string VerbHelp(const std::string& verb) {
    if (verb == "read") {
        return "Usage: tavrin-cli read --port PORT [--json] [--log FILE]\n"
               "\n"
               "Connects to the gateway, reads the firmware words and both EEPROM blocks\n"
               "(every word is answered with its own value, so nothing changes) and prints\n"
               "the decoded configuration.\n"
               "\n"
               "  --port PORT  COM number 1..16 or a device path\n"
               "  --json       print one JSON object keyed by the configuration field names\n"
               "  --log FILE   append a time-stamped transcript of the console session\n" +
               TimingOptionsHelp() +
               "\n"
               "A configuration that fails validation is reported on stderr and shown with\n"
               "the defaults; the read still counts as done (exit status 0).\n"
               "\n"
               "Exit status: 0 read, 2 usage error, 3 port cannot be opened or is held,\n"
               "4 console timeout, 5 not a 6420RT/6420e module, 6 the log cannot be written.\n";
    }
    if (verb == "backup") {
        return BackupHelp();
    }
    if (verb == "restore") {
        return RestoreHelp();
    }
    if (verb == "eds") {
        return EdsHelp();
    }
    if (verb == "apply") {
        return ApplyHelp();
    }
    if (verb == "ports") {
        return PortsHelp();
    }
    if (verb == "diff") {
        return DiffHelp();
    }
    if (verb == "fleet") {
        return FleetHelp();
    }
    if (verb == "modbus-check") {
        return ModbusCheckHelp();
    }
    if (verb == "config") {
        return ConfigHelp();
    }
    return UsageText();
}

std::string TimingOptionsHelp() {
    return "  --pace MS    pause MS milliseconds (0 to 100, default 1) after each\n"
           "               character typed at the console\n"
           "  --answer-window MS  wait at most MS milliseconds (50 to 10000, default 200)\n"
           "               for each answer of the console\n";
}

}  // namespace tavrin::cli
