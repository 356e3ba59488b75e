// What the gateway verbs of tavrin-cli show on stderr while they run: a progress bar redrawn in
// place when stderr is a terminal, one plain line per step otherwise (a log file or a pipe), and
// the system's messages word for word in between. The progress of a console sequence is the count
// of lines typed at the console against the count a complete sequence types, so it moves evenly
// through the word walks where the time goes.
#pragma once

#include <cstdio>
#include <string>

#include "common/Notice.h"
#include "console/ConsoleTranscript.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"

namespace tavrin::cli {

// Lines a complete read types: the preamble and "exit" (6), "use eeprom" and "block 0" (2), the
// firmware words (4), the 30 words of the configuration area and "." (31), block 1 (9), "exit".
inline constexpr int kReadLines = 53;
// Lines a write of the whole configuration area types: the preamble (4), "use eeprom", "block 0",
// "el 40", 29 words, ".", "block 1", "el 0", 7 words, "." and "exit".
inline constexpr int kWriteLines = 48;

// The read and write report through the counted lines and their messages; the window's looks and
// status line have nothing to show here.
class CliProgress final : public QuietReadView, public WriteView, public ConsoleTranscript {
public:
    // `bar`: draw a bar (stderr is a terminal) instead of plain lines. Every line sent and chunk
    // received is passed on to `log` when there is one.
    CliProgress(std::FILE* out, bool bar, ConsoleTranscript* log);

    // A step begins: "reading COM 1". `expectedLines` is what the step types when it completes.
    void Begin(const std::string& step, int expectedLines);
    // The step ended; a failure has been told by a message already.
    void End(bool done);
    // A line of the verb's own: what it did ("saved 5310G_EEP.ini").
    void Note(const std::string& text);

    // The system's messages, word for word on a line of their own; the title is the window's.
    void Tell(const Notice& notice) override;
    void SetStatus(const std::string&) override {}

    void LineSent(std::string_view line) override;
    void ChunkReceived(std::string_view chunk) override;

private:
    void DrawBar();
    void ClearBar();

    std::FILE* m_out;
    bool m_bar;
    ConsoleTranscript* m_log;
    std::string m_step;
    int m_expected = 0;
    int m_sent = 0;
    bool m_barShown = false;
};

// "[##########----------]  50%": the bar of `done` out of `total`, held to 0..100 %.
std::string ProgressBarText(int done, int total, int width = 30);

// True when stderr is a terminal, where the bar can be redrawn in place.
bool StderrIsTerminal();

}  // namespace tavrin::cli
