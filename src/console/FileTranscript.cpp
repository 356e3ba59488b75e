#include "console/FileTranscript.h"

namespace tavrin {

FileTranscript::FileTranscript(const std::string& path) : m_out(path, std::ios::app) {}

void FileTranscript::LineSent(std::string_view line) {
    Write(m_entries.Sent(line));
}

void FileTranscript::ChunkReceived(std::string_view chunk) {
    Write(m_entries.Received(chunk));
}

void FileTranscript::Write(const std::string& entry) {
    m_out << entry << '\n';
    m_out.flush();
}

}  // namespace tavrin
