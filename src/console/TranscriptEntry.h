// One entry of a console transcript as the command line's --log file and the window's "Console
// transcript" both write it: the local date and time, the seconds since the transcript began,
// "sent" or "recv", and the text quoted and escaped so it stays on one line:
//   2026-12-08 03:45:13 +0.004 sent "use eeprom"
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tavrin {

class TranscriptEntries {
public:
    std::string Sent(std::string_view line) const { return Entry("sent", line); }
    std::string Received(std::string_view chunk) const { return Entry("recv", chunk); }

private:
    std::string Entry(const char* direction, std::string_view text) const;

    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// A text as one quoted log entry shows it: CR, LF, tab, backslash and the quote escaped with a
// backslash, other control bytes as \xNN, everything else as it is.
std::string EscapedForLog(std::string_view text);

}  // namespace tavrin
