#include "cli/FileTranscript.h"

#include <cstdio>
#include <ctime>

namespace tavrin::cli {

FileTranscript::FileTranscript(const std::string& path) : m_out(path, std::ios::app) {}

void FileTranscript::LineSent(std::string_view line) {
    Entry("sent", line);
}

void FileTranscript::ChunkReceived(std::string_view chunk) {
    Entry("recv", chunk);
}

void FileTranscript::Entry(const char* direction, std::string_view text) {
    using namespace std::chrono;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d +%.3f", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  duration<double>(steady_clock::now() - m_start).count());
    std::string escaped;
    for (const char c : text) {
        if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\\') {
            escaped += "\\\\";
        } else {
            escaped += c;
        }
    }
    m_out << stamp << ' ' << direction << " \"" << escaped << "\"\n";
    m_out.flush();
}

}  // namespace tavrin::cli
