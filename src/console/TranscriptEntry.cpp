#include "console/TranscriptEntry.h"

#include <cstdio>
#include <ctime>

namespace tavrin {

std::string EscapedForLog(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\\':
                escaped += "\\\\";
                break;
            case '"':
                escaped += "\\\"";
                break;
            default:
                // Noise on the line can be any byte; none of them may act on the terminal that
                // later shows the log, or end an entry early.
                if (byte < 0x20 || byte == 0x7F) {
                    escaped += "\\x";
                    escaped += kHex[byte >> 4];
                    escaped += kHex[byte & 0xF];
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

std::string TranscriptEntries::Entry(const char* direction, std::string_view text) const {
    using namespace std::chrono;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d +%.3f", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  duration<double>(steady_clock::now() - m_start).count());
    return std::string(stamp) + ' ' + direction + " \"" + EscapedForLog(text) + '"';
}

}  // namespace tavrin
