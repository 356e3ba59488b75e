// The --log file of a bus check: a line per frame, its time since the log began, which way it
// went and its bytes in hex, appended to a file.
//
//     0.000 s  sent      01 03 00 0A 00 01 A4 08
//     0.012 s  received  01 03 02 00 2A 39 9B
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "modbus/ModbusBus.h"

namespace tavrin {

// "01 03 00 0A"
std::string HexBytes(const std::vector<std::uint8_t>& bytes);
// One line of the log, without its line feed.
std::string FrameLine(bool sent, const std::vector<std::uint8_t>& bytes, std::int64_t msSinceStart);

class BusFrameFile final : public BusFrameLog {
public:
    explicit BusFrameFile(const std::string& path);
    bool IsOpen() const { return m_out.is_open(); }
    // A line of its own, "# ..." (what was checked, with which settings).
    void Note(const std::string& text);
    void Frame(bool sent, const std::vector<std::uint8_t>& bytes, std::int64_t tickMs) override;

private:
    std::ofstream m_out;
    std::optional<std::int64_t> m_start;
};

}  // namespace tavrin
