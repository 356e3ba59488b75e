// The --log transcript: every line sent and every chunk received, time-stamped, appended to a
// file (tavrin-cli --log FILE, tavrin --log FILE).
#pragma once

#include <fstream>
#include <string>

#include "console/ConsoleTranscript.h"
#include "console/TranscriptEntry.h"

namespace tavrin {

class FileTranscript final : public ConsoleTranscript {
public:
    explicit FileTranscript(const std::string& path);
    bool IsOpen() const { return m_out.is_open(); }
    // Why the file would not open: the system's error number, 0 when it is open or unknown.
    int OpenError() const { return m_openError; }

    void LineSent(std::string_view line) override;
    void ChunkReceived(std::string_view chunk) override;

private:
    void Write(const std::string& entry);

    std::ofstream m_out;
    TranscriptEntries m_entries;
    int m_openError = 0;
};

}  // namespace tavrin
