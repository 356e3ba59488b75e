#include "console/PortChoice.h"

#include <cstdlib>

#include "config/WordArithmetic.h"

namespace tavrin {

std::string PortChoice::Label() const {
    return number > 0 ? "COM" + SignPosText(number) : device;
}

std::optional<std::string> ProcessEnv(const std::string& name) {
    if (const char* value = std::getenv(name.c_str()); value != nullptr && *value != '\0') {
        return std::string(value);
    }
    return std::nullopt;
}

PortChoice ResolvePort(int number, const EnvLookup& env) {
    PortChoice choice;
    choice.number = number;
    if (auto bound = env("TAVRIN_COM" + std::to_string(number))) {
        choice.device = *bound;
        return choice;
    }
#ifdef _WIN32
    choice.device = "COM" + std::to_string(number);
#else
    choice.device = "/dev/ttyS" + std::to_string(number - 1);
#endif
    return choice;
}

std::optional<PortChoice> ParsePortArgument(const std::string& text, const EnvLookup& env) {
    if (text.empty()) {
        return std::nullopt;
    }
    const bool allDigits = text.find_first_not_of("0123456789") == std::string::npos;
    if (allDigits) {
        if (text.size() > 2) {
            return std::nullopt;
        }
        const int number = std::stoi(text);
        if (number < 1 || number > kPortCount) {
            return std::nullopt;
        }
        return ResolvePort(number, env);
    }
    PortChoice choice;
    choice.device = text;
    return choice;
}

}  // namespace tavrin
