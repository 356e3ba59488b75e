#include "SimConsole.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

namespace gatewaysim {
namespace {

const std::string kEepromPrompt = "[EEPROM:]";

// The module's line buffer; typing beyond it is echoed but not kept.
constexpr std::size_t kMaxLine = 128;

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    while (!(s = trim(s)).empty()) {
        const auto end = s.find_first_of(" \t");
        out.push_back(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view{} : s.substr(end);
    }
    return out;
}

// Decimal digits with an optional minus sign, whose value lies in [min, max].
std::optional<std::int64_t> parseDecimal(std::string_view s, std::int64_t min, std::int64_t max) {
    const bool negative = !s.empty() && s.front() == '-';
    if (negative) {
        s.remove_prefix(1);
    }
    if (s.empty()) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > max - min) {  // already out of range; also keeps the sum from overflowing
            return std::nullopt;
        }
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

SimConsole::SimConsole(Eeprom eeprom, std::string module, ConsoleFaults faults, StoreHook onStore)
    : eeprom_(eeprom), module_(std::move(module)), faults_(faults), onStore_(std::move(onStore)) {}

std::vector<ConsoleEvent> SimConsole::feed(std::string_view bytes) {
    std::vector<ConsoleEvent> events;
    auto echo = [&](std::string_view text, int line) {
        if (!events.empty() && events.back().kind == ConsoleEvent::Kind::Echo) {
            events.back().text += text;
        } else {
            events.push_back({ConsoleEvent::Kind::Echo, std::string(text), line});
        }
    };
    for (char c : bytes) {
        const int line = linesDone_ + 1;
        const bool silent = faults_.silentFromLine > 0 && line >= faults_.silentFromLine;
        if (c == '\n') {
            continue;  // lines end with a carriage return; a line feed after it is noise
        }
        if (c != '\r') {
            if (!silent) {
                echo(std::string_view(&c, 1), line);
            }
            if (pending_.size() < kMaxLine) {
                pending_ += c;
            }
            continue;
        }
        ++linesDone_;
        const std::string text = std::exchange(pending_, {});
        if (!silent) {
            echo("\r\n", line);
        }
        events.push_back({ConsoleEvent::Kind::Line, text, line});
        if (!silent) {
            events.push_back({ConsoleEvent::Kind::Answer, answer(trim(text), line), line});
        }
    }
    return events;
}

std::string SimConsole::answer(std::string_view line, int lineNumber) {
    switch (mode_) {
        case Mode::Main:
            return answerMain(line);
        case Mode::Eeprom:
            return answerEeprom(line, lineNumber);
        case Mode::Edit:
            return answerEdit(line, lineNumber);
    }
    return {};
}

std::string SimConsole::answerMain(std::string_view line) {
    const auto w = words(line);
    if (w.size() == 2 && w[0] == "use" && w[1] == "eeprom") {
        mode_ = Mode::Eeprom;
        return kEepromPrompt;
    }
    // An empty line, "exit" and "/q" all just show the prompt: there is nothing to leave here.
    if (w.empty() || (w.size() == 1 && (w[0] == "exit" || w[0] == "/q"))) {
        return mainPrompt();
    }
    return "Unknown command\r\n" + mainPrompt();
}

std::string SimConsole::answerEeprom(std::string_view line, int lineNumber) {
    const auto w = words(line);
    if (w.empty() || (w.size() == 1 && (w[0] == "/q" || w[0] == "."))) {
        return kEepromPrompt;
    }
    if (w.size() == 1 && w[0] == "exit") {
        mode_ = Mode::Main;
        return mainPrompt();
    }
    if (w[0] == "block") {
        const auto block =
            w.size() == 2 ? parseDecimal(w[1], 0, Eeprom::kBlocks - 1) : std::nullopt;
        if (!block || w[1].front() == '-') {
            return "No such block\r\n" + kEepromPrompt;
        }
        block_ = static_cast<int>(*block);
        return kEepromPrompt;
    }
    if (w[0] == "el") {
        const auto address =
            w.size() == 2 ? parseDecimal(w[1], 0, Eeprom::kBlockBytes - 1) : std::nullopt;
        if (!address || *address % 4 != 0 || w[1].front() == '-') {
            return "Bad address\r\n" + kEepromPrompt;
        }
        editAddress_ = static_cast<int>(*address);
        mode_ = Mode::Edit;
        return showWord(lineNumber);
    }
    return "Unknown command\r\n" + kEepromPrompt;
}

std::string SimConsole::answerEdit(std::string_view line, int lineNumber) {
    if (line == "." || line == "/q") {
        mode_ = Mode::Eeprom;
        return kEepromPrompt;
    }
    if (line.empty()) {
        return showWord(lineNumber);
    }
    const auto value = parseDecimal(line, INT32_MIN, INT32_MAX);
    if (!value) {
        return "Invalid value\r\n" + showWord(lineNumber);
    }
    const StuckWord here{block_, editAddress_};
    if (std::find(faults_.stuck.begin(), faults_.stuck.end(), here) == faults_.stuck.end()) {
        eeprom_.setWord(block_, editAddress_ / 4, static_cast<std::uint32_t>(*value));
    }
    if (onStore_) {
        onStore_(eeprom_);
    }
    editAddress_ += 4;
    if (editAddress_ >= Eeprom::kBlockBytes) {
        mode_ = Mode::Eeprom;
        return kEepromPrompt;
    }
    return showWord(lineNumber);
}

std::string SimConsole::showWord(int lineNumber) {
    std::string shown = "Long(" + std::to_string(editAddress_) + ")=";
    const bool garble =
        faults_.garbageAtLine > 0 && lineNumber >= faults_.garbageAtLine && !garbageShown_;
    if (garble) {
        garbageShown_ = true;
        shown += "?x#";
    } else {
        shown += std::to_string(static_cast<std::int32_t>(eeprom_.word(block_, editAddress_ / 4)));
    }
    return shown + "-->";
}

}  // namespace gatewaysim
