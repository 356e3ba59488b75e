// An optional record of a console session: every line sent and every chunk received.
#pragma once

#include <string_view>

namespace tavrin {

class ConsoleTranscript {
public:
    virtual ~ConsoleTranscript() = default;
    virtual void LineSent(std::string_view line) = 0;
    virtual void ChunkReceived(std::string_view chunk) = 0;
};

}  // namespace tavrin
