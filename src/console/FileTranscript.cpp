#include "console/FileTranscript.h"

#include <cerrno>

namespace tavrin {

FileTranscript::FileTranscript(const std::string& path) {
    errno = 0;
    m_out.open(path, std::ios::app);
    if (!m_out.is_open()) {
        m_openError = errno;
    }
}

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
