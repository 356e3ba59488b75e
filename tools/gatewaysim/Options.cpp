#include "Options.h"

#include <stdexcept>

namespace gatewaysim {
namespace {

long long ParseNumber(const std::string& option, const std::string& text, long long min,
                      long long max) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used, 10);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || value < min || value > max) {
        throw std::invalid_argument(option + " needs a whole number from " + std::to_string(min) +
                                    " to " + std::to_string(max) + ", got '" + text + "'");
    }
    return value;
}

// "BLOCK:ADDR" with the byte address of a word as the console takes it after "el".
StuckWord ParseStuck(const std::string& text) {
    const auto colon = text.find(':');
    const std::string why =
        "--stuck needs BLOCK:ADDR with BLOCK 0 or 1 and ADDR a multiple of 4 "
        "from 0 to 252, got '" +
        text + "'";
    if (colon == std::string::npos) {
        throw std::invalid_argument(why);
    }
    StuckWord w;
    try {
        w.block =
            static_cast<int>(ParseNumber("--stuck", text.substr(0, colon), 0, Eeprom::kBlocks - 1));
        w.address = static_cast<int>(
            ParseNumber("--stuck", text.substr(colon + 1), 0, Eeprom::kBlockBytes - 4));
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument(why);
    }
    if (w.address % 4 != 0) {
        throw std::invalid_argument(why);
    }
    return w;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name.resize(eq);
        }
        auto value = [&]() -> std::string {
            if (inlineValue) {
                return *inlineValue;
            }
            if (i + 1 >= args.size()) {
                throw std::invalid_argument(name + " needs a value");
            }
            return args[++i];
        };
        auto lineNumber = [&] {
            return static_cast<int>(ParseNumber(name, value(), 1, 1'000'000'000));
        };
        auto flag = [&](bool& target) {
            if (inlineValue) {
                throw std::invalid_argument(name + " takes no value");
            }
            target = true;
        };

        if (name == "--eeprom") {
            o.eepromPath = value();
        } else if (name == "--blank") {
            flag(o.blank);
        } else if (name == "--module") {
            o.module = value();
        } else if (name == "--link") {
            o.linkPath = value();
        } else if (name == "--transcript") {
            o.transcriptPath = value();
        } else if (name == "--silent-from") {
            o.faults.silentFromLine = lineNumber();
        } else if (name == "--garbage-at") {
            o.faults.garbageAtLine = lineNumber();
        } else if (name == "--hangup-after") {
            o.hangupAfterLine = lineNumber();
        } else if (name == "--hangup-at") {
            o.hangupAtLine = lineNumber();
        } else if (name == "--slow-at") {
            o.slowAtLine = lineNumber();
        } else if (name == "--late-at") {
            o.lateAtLine = lineNumber();
        } else if (name == "--late") {
            flag(o.lateAll);
        } else if (name == "--split-marker-at") {
            o.splitMarkerAt = static_cast<int>(ParseNumber(name, value(), 0, 63));
        } else if (name == "--slow-ms") {
            o.slowMs = static_cast<int>(ParseNumber(name, value(), 0, 3'600'000));
        } else if (name == "--answer-delay") {
            o.answerDelayMs = static_cast<int>(ParseNumber(name, value(), 0, 3'600'000));
        } else if (name == "--min-char-gap") {
            o.minCharGapMs = static_cast<int>(ParseNumber(name, value(), 0, 10'000));
        } else if (name == "--stuck") {
            o.faults.stuck.push_back(ParseStuck(value()));
        } else if (name == "--seed") {
            o.seed = static_cast<std::uint32_t>(ParseNumber(name, value(), 0, UINT32_MAX));
        } else if (name == "--split") {
            flag(o.timing.split);
        } else if (name == "--pace") {
            flag(o.timing.pace);
        } else if (name == "--hold") {
            flag(o.hold);
        } else if (name == "--help" || name == "-h") {
            flag(o.help);
        } else if (name == "--version") {
            flag(o.version);
        } else {
            throw std::invalid_argument("unknown option " + name);
        }
    }
    if (o.eepromPath.empty() || o.module.empty()) {
        throw std::invalid_argument("--eeprom and --module need a non-empty value");
    }
    return o;
}

std::string Usage() {
    return "usage: tavrin-gatewaysim [options]\n"
           "Serves the gateway's 6420RT console on a pseudo-terminal and prints its path.\n"
           "  --eeprom FILE       EEPROM image (default ./gatewaysim-eeprom.bin; created if "
           "absent)\n"
           "  --blank             create a missing EEPROM file all zero instead of configured\n"
           "  --module NAME       module name in the main prompt (default 6420RT)\n"
           "  --link PATH         also make PATH a symlink to the pty (removed at exit)\n"
           "  --transcript FILE   append the dialogue with millisecond stamps\n"
           "faults (lines count from 1 over the whole run):\n"
           "  --silent-from N     from line N on send nothing, not even the echo\n"
           "  --slow-ms MS        send every answer MS ms after its carriage return\n"
           "  --slow-at N         with --slow-ms: delay only the answer to line N\n"
           "  --late-at N         hold the answer to line N back until the next input\n"
           "                      arrives: it comes only once the reader has given up\n"
           "  --late              hold back every answer, each until the next input arrives\n"
           "  --answer-delay MS   start every answer MS ms late (a slow console)\n"
           "  --min-char-gap MS   lose a typed character that follows the previous one\n"
           "                      sooner than MS ms (a console without a receive buffer)\n"
           "  --stuck BLOCK:ADDR  the word at ADDR of BLOCK keeps its value whatever is\n"
           "                      typed into it (a worn cell); may be repeated\n"
           "  --split             send output in random chunks of 1..8 bytes, 0..2 ms apart\n"
           "  --seed S            seed for --split\n"
           "  --split-marker-at K cut every answer K bytes into the prompt or arrow that\n"
           "                      ends it and send the rest 5 ms later\n"
           "  --hangup-after N    hang up the line after answering line N\n"
           "  --hangup-at N       hang up when line N arrives, without taking or answering it\n"
           "  --garbage-at N      show the first word at or after line N without digits\n"
           "  --hold              lock the port as another program would (Qt lock file)\n"
           "  --pace              send at the real 115200 baud rate\n"
           "  --help, -h          print these options and exit\n"
           "  --version           print the version and exit\n";
}

}  // namespace gatewaysim
