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

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> out;
    while (!(s = Trim(s)).empty()) {
        const auto end = s.find_first_of(" \t");
        out.push_back(s.substr(0, end));
        s = end == std::string_view::npos ? std::string_view{} : s.substr(end);
    }
    return out;
}

// Decimal digits with an optional minus sign, whose value lies in [min, max].
std::optional<std::int64_t> ParseDecimal(std::string_view s, std::int64_t min, std::int64_t max) {
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
    : m_eeprom(eeprom),
      m_module(std::move(module)),
      m_faults(faults),
      m_onStore(std::move(onStore)) {}

std::vector<ConsoleEvent> SimConsole::Feed(std::string_view bytes) {
    std::vector<ConsoleEvent> events;
    auto echo = [&](std::string_view text, int line) {
        if (!events.empty() && events.back().kind == ConsoleEvent::Kind::Echo) {
            events.back().text += text;
        } else {
            events.push_back({ConsoleEvent::Kind::Echo, std::string(text), line});
        }
    };
    for (char c : bytes) {
        const int line = m_linesDone + 1;
        const bool silent = m_faults.silentFromLine > 0 && line >= m_faults.silentFromLine;
        if (c == '\n') {
            continue;  // lines end with a carriage return; a line feed after it is noise
        }
        if (c != '\r') {
            if (!silent) {
                echo(std::string_view(&c, 1), line);
            }
            if (m_pending.size() < kMaxLine) {
                m_pending += c;
            }
            continue;
        }
        ++m_linesDone;
        const std::string text = std::exchange(m_pending, {});
        if (!silent) {
            echo("\r\n", line);
        }
        events.push_back({ConsoleEvent::Kind::Line, text, line});
        if (!silent) {
            events.push_back({ConsoleEvent::Kind::Answer, Answer(Trim(text), line), line});
        }
    }
    return events;
}

std::string SimConsole::Answer(std::string_view line, int lineNumber) {
    switch (m_mode) {
        case Mode::Main:
            return AnswerMain(line);
        case Mode::Eeprom:
            return AnswerEeprom(line, lineNumber);
        case Mode::Edit:
            return AnswerEdit(line, lineNumber);
    }
    return {};
}

std::string SimConsole::AnswerMain(std::string_view line) {
    const auto w = Words(line);
    if (w.size() == 2 && w[0] == "use" && w[1] == "eeprom") {
        m_mode = Mode::Eeprom;
        return kEepromPrompt;
    }
    // An empty line, "exit" and "/q" all just show the prompt: there is nothing to leave here.
    if (w.empty() || (w.size() == 1 && (w[0] == "exit" || w[0] == "/q"))) {
        return MainPrompt();
    }
    return "Unknown command\r\n" + MainPrompt();
}

std::string SimConsole::AnswerEeprom(std::string_view line, int lineNumber) {
    const auto w = Words(line);
    if (w.empty() || (w.size() == 1 && (w[0] == "/q" || w[0] == "."))) {
        return kEepromPrompt;
    }
    if (w.size() == 1 && w[0] == "exit") {
        m_mode = Mode::Main;
        return MainPrompt();
    }
    if (w[0] == "block") {
        const auto block =
            w.size() == 2 ? ParseDecimal(w[1], 0, Eeprom::kBlocks - 1) : std::nullopt;
        if (!block || w[1].front() == '-') {
            return "No such block\r\n" + kEepromPrompt;
        }
        m_block = static_cast<int>(*block);
        return kEepromPrompt;
    }
    if (w[0] == "el") {
        const auto address =
            w.size() == 2 ? ParseDecimal(w[1], 0, Eeprom::kBlockBytes - 1) : std::nullopt;
        if (!address || *address % 4 != 0 || w[1].front() == '-') {
            return "Bad address\r\n" + kEepromPrompt;
        }
        m_editAddress = static_cast<int>(*address);
        m_mode = Mode::Edit;
        return ShowWord(lineNumber);
    }
    return "Unknown command\r\n" + kEepromPrompt;
}

std::string SimConsole::AnswerEdit(std::string_view line, int lineNumber) {
    if (line == "." || line == "/q") {
        m_mode = Mode::Eeprom;
        return kEepromPrompt;
    }
    if (line.empty()) {
        return ShowWord(lineNumber);
    }
    const auto value = ParseDecimal(line, INT32_MIN, INT32_MAX);
    if (!value) {
        return "Invalid value\r\n" + ShowWord(lineNumber);
    }
    const StuckWord here{m_block, m_editAddress};
    if (std::find(m_faults.stuck.begin(), m_faults.stuck.end(), here) == m_faults.stuck.end()) {
        m_eeprom.SetWord(m_block, m_editAddress / 4, static_cast<std::uint32_t>(*value));
    }
    if (m_onStore) {
        m_onStore(m_eeprom);
    }
    m_editAddress += 4;
    if (m_editAddress >= Eeprom::kBlockBytes) {
        m_mode = Mode::Eeprom;
        return kEepromPrompt;
    }
    return ShowWord(lineNumber);
}

std::string SimConsole::ShowWord(int lineNumber) {
    std::string shown = "Long(" + std::to_string(m_editAddress) + ")=";
    const bool garble =
        m_faults.garbageAtLine > 0 && lineNumber >= m_faults.garbageAtLine && !m_garbageShown;
    if (garble) {
        m_garbageShown = true;
        shown += "?x#";
    } else {
        shown +=
            std::to_string(static_cast<std::int32_t>(m_eeprom.Word(m_block, m_editAddress / 4)));
    }
    return shown + "-->";
}

}  // namespace gatewaysim
