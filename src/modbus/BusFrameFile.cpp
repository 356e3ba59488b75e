#include "modbus/BusFrameFile.h"

#include <cstdio>

namespace tavrin {

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char hex[4];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(byte));
        if (!text.empty()) {
            text += ' ';
        }
        text += hex;
    }
    return text;
}

std::string FrameLine(bool sent, const std::vector<std::uint8_t>& bytes,
                      std::int64_t msSinceStart) {
    char head[48];
    std::snprintf(head, sizeof head, "%8lld.%03lld s  %-8s  ",
                  static_cast<long long>(msSinceStart / 1000),
                  static_cast<long long>(msSinceStart % 1000), sent ? "sent" : "received");
    return head + HexBytes(bytes);
}

BusFrameFile::BusFrameFile(const std::string& path) : m_out(path, std::ios::app) {}

void BusFrameFile::Note(const std::string& text) {
    m_out << "# " << text << '\n';
    m_out.flush();
}

void BusFrameFile::Frame(bool sent, const std::vector<std::uint8_t>& bytes, std::int64_t tickMs) {
    if (!m_start) {
        m_start = tickMs;
    }
    m_out << FrameLine(sent, bytes, tickMs - *m_start) << '\n';
    m_out.flush();
}

}  // namespace tavrin
