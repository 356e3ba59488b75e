// What one console job put on the line, taken from the dialogue itself: every line typed with the
// moment it was typed, and every byte received. From it follow the three costs no implementation
// can avoid at the console's 115200 baud, 8N1: the bytes' wire time, the character pacing, and
// the answer windows waited out in full because the awaited marker never comes.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleLink.h"
#include "console/ConsoleTranscript.h"

namespace tavrin::bench {

inline constexpr double kByteSeconds = 10.0 / 115200.0;  // start, 8 data, stop

class TimedTranscript final : public ConsoleTranscript {
public:
    using Clock = std::chrono::steady_clock;

    void LineSent(std::string_view line) override {
        lines.push_back({std::string(line), Clock::now()});
    }
    void ChunkReceived(std::string_view chunk) override {
        bytesReceived += chunk.size();
        if (!lines.empty()) {
            lines.back().received += chunk.size();
        }
    }

    struct Line {
        std::string text;
        Clock::time_point sent;
        std::size_t received = 0;  // bytes that arrived until the next line was typed
    };
    std::vector<Line> lines;
    std::size_t bytesReceived = 0;
};

struct DialogueCosts {
    std::size_t lines = 0;
    std::size_t charsTyped = 0;
    std::size_t bytesSent = 0;  // the characters and one carriage return per line
    std::size_t bytesReceived = 0;
    double wire = 0;                     // seconds
    double pacing = 0;                   // seconds
    double windows = 0;                  // seconds
    std::vector<std::string> waitedOut;  // the lines whose answer window ran out
};

// `end` is when the job returned. A line whose step lasted a whole answer window (from its typing
// to the next line, or to the end) waited that window out: answered steps end within a few
// milliseconds of the echo.
inline DialogueCosts CostsOf(const TimedTranscript& t, TimedTranscript::Clock::time_point end) {
    DialogueCosts c;
    c.lines = t.lines.size();
    for (std::size_t i = 0; i < t.lines.size(); ++i) {
        c.charsTyped += t.lines[i].text.size();
        const auto stepEnd = i + 1 < t.lines.size() ? t.lines[i + 1].sent : end;
        if (stepEnd - t.lines[i].sent >= std::chrono::milliseconds(kConsoleTimeoutMs)) {
            c.waitedOut.push_back(t.lines[i].text);
        }
    }
    c.bytesSent = c.charsTyped + c.lines;
    c.bytesReceived = t.bytesReceived;
    c.wire = static_cast<double>(c.bytesSent + c.bytesReceived) * kByteSeconds;
    // One pacing step after every character and one after every carriage return.
    c.pacing = static_cast<double>(c.bytesSent) * kCharacterPacing.count() / 1e6;
    c.windows = static_cast<double>(c.waitedOut.size()) * kConsoleTimeoutMs / 1000.0;
    return c;
}

}  // namespace tavrin::bench
