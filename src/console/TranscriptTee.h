// One transcript fed to two: the window's "Console transcript" and the --log file.
#pragma once

#include "console/ConsoleTranscript.h"

namespace tavrin {

class TranscriptTee final : public ConsoleTranscript {
public:
    TranscriptTee(ConsoleTranscript* first, ConsoleTranscript* second)
        : m_first(first), m_second(second) {}

    void LineSent(std::string_view line) override {
        for (ConsoleTranscript* t : {m_first, m_second}) {
            if (t != nullptr) {
                t->LineSent(line);
            }
        }
    }
    void ChunkReceived(std::string_view chunk) override {
        for (ConsoleTranscript* t : {m_first, m_second}) {
            if (t != nullptr) {
                t->ChunkReceived(chunk);
            }
        }
    }

private:
    ConsoleTranscript* m_first;
    ConsoleTranscript* m_second;
};

}  // namespace tavrin
