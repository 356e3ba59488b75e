#include "Transcript.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace gatewaysim {

std::string EscapeText(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    static const char kHex[] = "0123456789ABCDEF";
                    out += "\\x";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

Transcript::Transcript(const std::string& path, Clock::time_point start) : m_start(start) {
    if (path.empty()) {
        return;
    }
    m_file = std::fopen(path.c_str(), "a");
    if (m_file == nullptr) {
        throw std::runtime_error("cannot open transcript " + path + ": " + std::strerror(errno));
    }
}

Transcript::~Transcript() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

void Transcript::Write(char direction, std::string_view text, Clock::time_point at) {
    if (m_file == nullptr) {
        return;
    }
    const double ms = std::chrono::duration<double, std::milli>(at - m_start).count();
    std::fprintf(m_file, "%.3f %c %s\n", ms, direction, EscapeText(text).c_str());
    // Flushed per entry so a test can read the transcript while the simulator still runs.
    std::fflush(m_file);
}

}  // namespace gatewaysim
