// The slaves the Modbus simulator serves and their data, from a small text file:
//
//     # a comment
//     slave 1
//     coils 0: 1 0 1 1          # coils 0..3
//     discretes 100: 0 1
//     holding 10: 42 0x002A     # holding registers 10 and 11
//     inputs 0: 7
//
// Each range starts at its address and holds one value per line entry (bits 0 or 1, registers
// 0..65535, decimal or 0x hex). A request that is not wholly inside one range of its kind gets
// exception 02 (illegal data address), as a device without those addresses answers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace modbussim {

enum class Table { Coils, Discretes, Holding, Inputs };
inline constexpr int kTableCount = 4;

struct Range {
    int start = 0;
    std::vector<std::uint16_t> values;
    int End() const { return start + static_cast<int>(values.size()); }  // one past the last
};

struct Slave {
    int id = 0;
    std::array<std::vector<Range>, kTableCount> tables;

    const std::vector<Range>& Ranges(Table table) const { return tables[static_cast<int>(table)]; }
    // True when [start, start + count) lies within one range of `table`.
    bool Covers(Table table, int start, int count) const;
};

// Throws std::invalid_argument naming the line at fault.
std::vector<Slave> ParseSlaveMap(const std::string& text);
std::vector<Slave> LoadSlaveMap(const std::string& path);

// The map served when none is given: the data of the four Modbus commands of the gateway
// simulator's factory configuration (coils 0..9 and 20..22 of slave 1, holding registers 100 and
// 101 of slave 2, holding register 10 of slave 3), 9600 baud 8N1.
const std::string& DefaultSlaveMap();

}  // namespace modbussim
