// The --log transcript: every line sent and every chunk received, time-stamped.
#pragma once

#include <chrono>
#include <fstream>
#include <string>

#include "console/ConsoleTranscript.h"

namespace tavrin::cli {

class FileTranscript final : public ConsoleTranscript {
public:
    explicit FileTranscript(const std::string& path);
    bool IsOpen() const { return m_out.is_open(); }

    void LineSent(std::string_view line) override;
    void ChunkReceived(std::string_view chunk) override;

private:
    void Entry(const char* direction, std::string_view text);

    std::ofstream m_out;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// A text as one quoted log entry shows it: CR, LF, tab, backslash and the quote escaped with a
// backslash, other control bytes as \xNN, everything else as it is.
std::string EscapedForLog(std::string_view text);

}  // namespace tavrin::cli
