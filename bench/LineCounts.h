// What a console sequence put on the line, counted for the benchmarks: lines and characters typed,
// bytes received, and the time those bytes take at the console's 115200 baud, 8N1.
#pragma once

#include <cstddef>
#include <string_view>

#include "DialogueTiming.h"
#include "console/ConsoleTranscript.h"

namespace tavrin::bench {

class CountingTranscript final : public ConsoleTranscript {
public:
    void LineSent(std::string_view line) override {
        ++lines;
        charsTyped += line.size();
    }
    void ChunkReceived(std::string_view chunk) override { bytesReceived += chunk.size(); }

    std::size_t lines = 0;
    std::size_t charsTyped = 0;
    std::size_t bytesReceived = 0;
};

}  // namespace tavrin::bench
