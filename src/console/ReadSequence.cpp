#include "console/ReadSequence.h"

#include <array>
#include <cstdio>
#include <optional>

#include "config/Block0Codec.h"
#include "config/WordArithmetic.h"
#include "console/ConsoleMessages.h"
#include "console/ConsoleText.h"
#include "console/PortSequence.h"

namespace tavrin {
namespace {

constexpr int kBlock0ReadWords = 30;  // the configuration area and the word after it

// "##00": at least two digits.
std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

class Reader final : public PortSequence {
public:
    Reader(ConsoleSession& session, const PortChoice& port, ReadView& view)
        : PortSequence(session, port, view, {msg::kError, msg::kError, msg::kError, false}),
          m_view(view) {}

    ReadOutcome Run() {
        m_view.ConnectPressed();
        if (m_session.Busy) {
            return ReadOutcome::Refused;
        }
        return OnOpenPort<ReadOutcome>([this] { return ReadWithOpenPort(); });
    }

private:
    ReadOutcome ReadWithOpenPort() {
        m_view.ShowReadingLook();
        m_view.SetStatus(msg::kConnecting);
        StartRead();

        // Bring the console to its main prompt from wherever it was left; these answers are not
        // checked, only the final "exit" is.
        for (int i = 0; i < 3; ++i) {
            m_link.SendAndWait("", ">");
        }
        m_link.SendAndWait("/q", ">");
        m_link.SendAndWait(".", "[EEPROM:]");
        if (!m_link.SendAndWait("exit", ">")) {
            return TimedOut<ReadOutcome>();
        }
        ModuleKind kind;
        const std::string_view prompt = StripBlanks(m_link.ConsoleReply());
        // A prompt naming both counts as the 6420e.
        if (prompt.find("6420e") != std::string_view::npos) {
            m_image.settings.ModulePrompt = "6420e>";
            kind = ModuleKind::K6420e;
        } else if (prompt.find("6420RT") != std::string_view::npos) {
            m_image.settings.ModulePrompt = "6420RT>";
            kind = ModuleKind::K6420RT;
        } else {
            m_view.Tell({msg::kNotOurModule, msg::kError});
            m_view.SetStatus(msg::kTimeout);
            Release();
            return ReadOutcome::ForeignModule;
        }

        if (!m_link.SendAndWait("use eeprom", "[EEPROM:]") ||
            !m_link.SendAndWait("block 0", "[EEPROM:]")) {
            return TimedOut<ReadOutcome>();
        }
        std::array<std::int32_t, 3> firmware{};
        if (!ReadWords("el 0", 0, firmware.size(), firmware.data()) ||
            !m_link.SendAndWait(".", "[EEPROM:]")) {
            return TimedOut<ReadOutcome>();
        }
        DecodeFirmware(m_image.settings, ToUnsigned(firmware[0]), ToUnsigned(firmware[1]));
        m_view.SetProgress(2);

        m_image.words = {};
        std::array<std::int32_t, kBlock0ReadWords> block0{};
        if (!ReadWords("el 40", kBlock0FirstAddress, block0.size(), block0.data())) {
            return TimedOut<ReadOutcome>();
        }
        m_view.SetProgress(4);
        if (!m_link.SendAndWait(".", "[EEPROM:]")) {
            return TimedOut<ReadOutcome>();
        }
        // The thirtieth word (byte 156) lies outside the configuration area: read, not used.
        for (int k = 0; k < kBlock0ConfigWords; ++k) {
            m_image.words.Block0Words[k] = ToUnsigned(block0[k]);
            m_image.words.ReadBlock0Words[k] = m_image.words.Block0Words[k];
        }

        std::array<std::int32_t, kBlock1Words> block1{};
        if (!m_link.SendAndWait("block 1", "[EEPROM:]") ||
            !ReadWords("el 0", 0, block1.size(), block1.data()) ||
            !m_link.SendAndWait(".", "[EEPROM:]")) {
            return TimedOut<ReadOutcome>();
        }
        for (int k = 0; k < kBlock1Words; ++k) {
            m_image.words.Block1Words[k] = ToUnsigned(block1[k]);
            m_image.words.ReadBlock1Words[k] = m_image.words.Block1Words[k];
        }
        m_view.SetProgress(5);

        if (!m_link.SendAndWait("exit", m_image.settings.ModulePrompt)) {
            return TimedOut<ReadOutcome>();
        }

        if (DecodeBlock0(m_image.settings, m_image.words.Block0Words)) {
            m_view.SetProgress(6);
        }
        m_view.SetProgress(7);
        m_session.port.Close();
        m_view.SetProgress(9);

        m_view.ShowConnectedLook(kind, FirmwareText(m_image.settings));
        m_view.SetStatus(msg::kWaitingForConfiguration);
        m_busy.reset();
        if (m_image.settings.ConfigWrong) {
            m_view.Tell({msg::kConfigWrong, msg::kConfigWarningTitle});
        }
        m_view.EnableFileCommands();
        m_view.OpenCanPanel();
        return ReadOutcome::Completed;
    }

    void StartRead() {
        m_busy.emplace(m_session);
        m_image.settings.ConfigWrong = false;
        m_image.settings.StoredDOLen = m_image.settings.StoredAOLen = m_image.settings.StoredDILen =
            m_image.settings.StoredAILen = 0;
        m_image.settings.StoredIOTotals = {};
        m_image.settings.ReadAppCount = 0;
        m_image.settings.ConnInfoValid = true;
        m_view.SetProgress(0);
        m_view.SetProgress(1);
    }

    // Opens the word editor with `startCommand` at `firstAddress` and walks `count` words,
    // answering each shown word with its own value so that nothing changes.
    bool ReadWords(std::string_view startCommand, int firstAddress, std::size_t count,
                   std::int32_t* values) {
        if (!m_link.SendAndReadValue(startCommand, WordKey(firstAddress), values[0])) {
            return false;
        }
        for (std::size_t k = 1; k < count; ++k) {
            const int address = firstAddress + 4 * static_cast<int>(k);
            if (!m_link.SendAndReadValue(SignedText(ToUnsigned(values[k - 1])), WordKey(address),
                                         values[k])) {
                return false;
            }
        }
        return true;
    }

    void Release() override {
        PortSequence::Release();
        m_view.ConsoleReleased();
    }

    ReadView& m_view;
    // Held from the start of the dialogue until the read has ended, and over the message of a
    // port that failed under it.
    std::optional<ConsoleBusy> m_busy;
};

}  // namespace

std::string FirmwareText(const GatewaySettings& settings) {
    return std::to_string(settings.FwMajor) + "." + TwoDigits(settings.FwMinor) + "-" +
           std::to_string(settings.FwYear) + "/" + TwoDigits(settings.FwMonth) + "/" +
           TwoDigits(settings.FwDay);
}

ReadOutcome ReadConfiguration(ConsoleSession& session, const PortChoice& port, ReadView& view) {
    return Reader(session, port, view).Run();
}

}  // namespace tavrin
