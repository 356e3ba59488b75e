// A log of the console dialogue: one line per received line ("<") and per answer (">"), each
// stamped with monotonic milliseconds since the simulator started. A line whose answer is
// deliberately kept back gets a "!" entry when it arrives (silent: never; held: until the next
// input), and a held answer that goes out after all a "+" entry before its ">". So a reader can
// tell, without timing anything, that the console has said all it is going to say for now.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "OutputPlanner.h"

namespace gatewaysim {

// Control characters become escapes (\r, \n, \t, \xNN) so every entry stays on one line.
std::string EscapeText(std::string_view text);

class Transcript {
public:
    // Appends to `path`; an empty path gives a transcript that records nothing.
    Transcript(const std::string& path, Clock::time_point start);
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    void Received(std::string_view line, Clock::time_point at) { Write('<', line, at); }
    void Answered(std::string_view text, Clock::time_point at) { Write('>', text, at); }
    void Withheld(std::string_view why, Clock::time_point at) { Write('!', why, at); }
    void Released(std::string_view why, Clock::time_point at) { Write('+', why, at); }

private:
    void Write(char direction, std::string_view text, Clock::time_point at);

    std::FILE* m_file = nullptr;
    Clock::time_point m_start;
};

}  // namespace gatewaysim
