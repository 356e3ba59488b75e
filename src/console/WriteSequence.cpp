#include "console/WriteSequence.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "config/WordArithmetic.h"
#include "console/ConsoleMessages.h"
#include "console/ConsoleText.h"
#include "console/PortSequence.h"

namespace tavrin {
namespace {

// The word editor takes a plain signed decimal: no blank where the sign would stand.
std::string TypedValue(Word word) {
    std::string text = SignedText(word);
    if (!text.empty() && text.front() == ' ') {
        text.erase(0, 1);
    }
    return text;
}

class Writer final : public PortSequence {
public:
    Writer(ConsoleSession& session, const PortChoice& port, WriteView& view)
        : PortSequence(session, port, view, {msg::kWarning, "", "", true}) {}

    WriteOutcome Run(const ConfigWords& words, int block0Count) {
        return OnOpenPort<WriteOutcome>(
            [&] { return WriteWithOpenPort(words.block0, block0Count, words.block1); });
    }

private:
    WriteOutcome WriteWithOpenPort(const Block0Array& block0, int block0Count,
                                   const Block1Array& block1) {
        // Leave the word editor or the EEPROM prompt, wherever an earlier sequence stopped, and
        // come back to the main prompt. Only the last "exit" has to be answered; the module is
        // the one the last read identified.
        m_link.SendAndWait("/q", "]");
        m_link.SendAndWait("exit", ">");
        m_link.SendAndWait(".", "[EEPROM:]");
        if (!m_link.SendAndWait("exit", ">")) {
            return TimedOut<WriteOutcome>();
        }
        if (!m_link.SendAndWait("use eeprom", "[EEPROM:]")) {
            return TimedOut<WriteOutcome>();
        }
        m_session.pump.Service(std::chrono::microseconds::zero());

        if (!m_link.SendAndWait("block 0", "[EEPROM:]") ||
            !WriteWords("el 40", kBlock0FirstAddress, block0.data(), block0Count) ||
            !m_link.SendAndWait(".", "[EEPROM:]")) {
            return TimedOut<WriteOutcome>();
        }
        if (!m_link.SendAndWait("block 1", "[EEPROM:]") ||
            !WriteWords("el 0", 0, block1.data(), kBlock1Words) ||
            !m_link.SendAndWait(".", "[EEPROM:]")) {
            return TimedOut<WriteOutcome>();
        }
        if (!m_link.SendAndWait("exit", m_image.settings.ModulePrompt)) {
            return TimedOut<WriteOutcome>();
        }
        m_session.port.Close();
        return WriteOutcome::Completed;
    }

    // Opens the word editor at `firstAddress` and types `count` values. The console stores each
    // value and shows the next word; that word's key arriving is the only acknowledgement.
    bool WriteWords(std::string_view startCommand, int firstAddress, const Word* words, int count) {
        std::int32_t shown = 0;  // the old value on display; not needed
        if (!m_link.SendAndReadValue(startCommand, WordKey(firstAddress), shown)) {
            return false;
        }
        for (int k = 1; k <= count; ++k) {
            if (!m_link.SendAndReadValue(TypedValue(words[k - 1]), WordKey(firstAddress + 4 * k),
                                         shown)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

WriteOutcome WriteConfiguration(ConsoleSession& session, const PortChoice& port, ConfigWords words,
                                int block0Count, WriteView& view) {
    // Only the whole area (29) and the settings (7) are ever asked for. Anything else is held to
    // 1..29 rather than refused: past 29 the walk would type into the word at byte 156, which is
    // not part of the configuration, and below 1 there would be no block 0 write at all.
    const int count = std::clamp(block0Count, 1, kBlock0ConfigWords);
    return Writer(session, port, view).Run(words, count);
}

}  // namespace tavrin
