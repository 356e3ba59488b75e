#include "SimOptions.h"

#include <stdexcept>

namespace modbussim {
namespace {

int Number(const std::string& option, const std::string& text, int min, int max) {
    std::size_t used = 0;
    long long value = 0;
    try {
        value = std::stoll(text, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (text.empty() || used != text.size() || value < min || value > max) {
        throw std::invalid_argument(option + " needs a whole number from " + std::to_string(min) +
                                    " to " + std::to_string(max) + ", got '" + text + "'");
    }
    return static_cast<int>(value);
}

// "A:B:C" split at the colons.
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t colon; (colon = text.find(':', from)) != std::string::npos; from = colon + 1) {
        fields.push_back(text.substr(from, colon - from));
    }
    fields.push_back(text.substr(from));
    return fields;
}

}  // namespace

SimOptions ParseSimOptions(const std::vector<std::string>& args) {
    SimOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                throw std::invalid_argument(name + " needs a value");
            }
            return args[++i];
        };
        auto slaveId = [&](const std::string& text) { return Number(name, text, 1, 247); };
        if (name == "--map") {
            o.mapPath = value();
        } else if (name == "--baud") {
            o.line.baud = Number(name, value(), 50, 4000000);
        } else if (name == "--data-bits") {
            o.line.dataBits = Number(name, value(), 7, 8);
        } else if (name == "--parity") {
            const std::string p = value();
            if (p != "N" && p != "E" && p != "O") {
                throw std::invalid_argument("--parity needs N, E or O, got '" + p + "'");
            }
            o.line.parity = p[0];
        } else if (name == "--stop-bits") {
            o.line.stopBits = Number(name, value(), 1, 2);
        } else if (name == "--link") {
            o.linkPath = value();
        } else if (name == "--status") {
            o.statusPath = value();
        } else if (name == "--silent") {
            o.silent.push_back(slaveId(value()));
        } else if (name == "--bad-crc") {
            o.badCrc.push_back(slaveId(value()));
        } else if (name == "--late") {
            const auto f = Fields(value());
            if (f.size() != 2) {
                throw std::invalid_argument("--late needs SLAVE:MS");
            }
            o.late.push_back({slaveId(f[0]), Number(name, f[1], 0, 3'600'000)});
        } else if (name == "--exception") {
            const auto f = Fields(value());
            if (f.size() != 4) {
                throw std::invalid_argument("--exception needs SLAVE:START:COUNT:CODE");
            }
            o.exceptions.push_back({slaveId(f[0]), Number(name, f[1], 0, 65535),
                                    Number(name, f[2], 1, 65536), Number(name, f[3], 1, 255)});
        } else if (name == "--print-map") {
            o.printMap = true;
        } else if (name == "--help" || name == "-h") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else {
            throw std::invalid_argument("unknown option " + name);
        }
    }
    return o;
}

std::string SimUsage() {
    return "usage: tavrin-modbussim [options]\n"
           "Serves Modbus RTU slaves on a pseudo-terminal and prints its path.\n"
           "  --map FILE          the slaves and their data (default: the built-in map of the\n"
           "                      gateway simulator's four objects; see --print-map)\n"
           "  --baud N            line speed the slaves listen at (default 9600)\n"
           "  --data-bits N       7 or 8 (default 8)\n"
           "  --parity P          N, E or O (default N)\n"
           "  --stop-bits N       1 or 2 (default 1)\n"
           "                      a master at another speed, parity or stop bits is heard as\n"
           "                      noise and gets no answer (a pty cannot show data bits)\n"
           "  --link PATH         also make PATH a symlink to the pty (removed at exit)\n"
           "  --status FILE       keep FILE at one line: requests, answers, write requests,\n"
           "                      noise chunks\n"
           "  --print-map         print the built-in map and exit\n"
           "faults (each may be given more than once):\n"
           "  --silent SLAVE      the slave never answers\n"
           "  --exception SLAVE:START:COUNT:CODE\n"
           "                      requests touching that range get exception CODE\n"
           "  --late SLAVE:MS     the slave answers MS milliseconds late\n"
           "  --bad-crc SLAVE     the slave's answers carry a corrupted CRC\n"
           "  -h, --help          this text\n"
           "  --version           the version\n";
}

}  // namespace modbussim
