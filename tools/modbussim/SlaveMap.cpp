#include "SlaveMap.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace modbussim {
namespace {

long ParseValue(const std::string& word, long max, const std::string& where) {
    std::size_t used = 0;
    long value = -1;
    try {
        value = std::stol(word, &used, 0);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != word.size() || value < 0 || value > max) {
        throw std::invalid_argument(where + ": '" + word + "' is not a number from 0 to " +
                                    std::to_string(max));
    }
    return value;
}

bool TableOf(const std::string& word, Table& table) {
    static const char* const names[kTableCount] = {"coils", "discretes", "holding", "inputs"};
    for (int i = 0; i < kTableCount; ++i) {
        if (word == names[i]) {
            table = static_cast<Table>(i);
            return true;
        }
    }
    return false;
}

}  // namespace

bool Slave::Covers(Table table, int start, int count) const {
    for (const Range& range : Ranges(table)) {
        if (start >= range.start && start + count <= range.End()) {
            return true;
        }
    }
    return false;
}

std::vector<Slave> ParseSlaveMap(const std::string& text) {
    std::vector<Slave> slaves;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::string where = "map line " + std::to_string(lineNumber);
        if (const auto hash = line.find('#'); hash != std::string::npos) {
            line.resize(hash);
        }
        std::istringstream words(line);
        std::string keyword;
        if (!(words >> keyword)) {
            continue;
        }
        if (keyword == "slave") {
            std::string id;
            words >> id;
            Slave slave;
            slave.id = static_cast<int>(ParseValue(id, 247, where));
            if (slave.id == 0) {
                throw std::invalid_argument(where + ": a slave id is 1 to 247");
            }
            for (const Slave& known : slaves) {
                if (known.id == slave.id) {
                    throw std::invalid_argument(where + ": slave " + id + " is already there");
                }
            }
            slaves.push_back(slave);
            continue;
        }
        Table table{};
        if (!TableOf(keyword, table)) {
            throw std::invalid_argument(where + ": unknown word '" + keyword +
                                        "' (slave, coils, discretes, holding or inputs)");
        }
        if (slaves.empty()) {
            throw std::invalid_argument(where + ": '" + keyword + "' before any 'slave' line");
        }
        std::string start;
        words >> start;
        if (start.empty() || start.back() != ':') {
            throw std::invalid_argument(where + ": the start address ends with ':' ('" + keyword +
                                        " 0: 1 0')");
        }
        start.pop_back();
        Range range;
        range.start = static_cast<int>(ParseValue(start, 65535, where));
        const long max = table == Table::Coils || table == Table::Discretes ? 1 : 65535;
        for (std::string word; words >> word;) {
            range.values.push_back(static_cast<std::uint16_t>(ParseValue(word, max, where)));
        }
        if (range.values.empty() || range.End() > 65536) {
            throw std::invalid_argument(where +
                                        ": a range holds 1 or more values up to address 65535");
        }
        slaves.back().tables[static_cast<int>(table)].push_back(range);
    }
    if (slaves.empty()) {
        throw std::invalid_argument("the map names no slave");
    }
    return slaves;
}

std::vector<Slave> LoadSlaveMap(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        throw std::invalid_argument("cannot read the map " + path);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseSlaveMap(text.str());
}

const std::string& DefaultSlaveMap() {
    static const std::string text =
        "# The data behind the gateway simulator's four factory objects.\n"
        "slave 1\n"
        "coils 0: 1 0 1 1 0 0 1 0 1 1    # object 1, FC15, 10 coils from 0\n"
        "coils 20: 0 1 1                 # object 3, FC15, 3 coils from 20\n"
        "slave 2\n"
        "holding 100: 1234 0xBEEF        # object 2, FC16, 2 registers from 100\n"
        "slave 3\n"
        "holding 10: 42                  # object 4, FC03, 1 register from 10\n";
    return text;
}

}  // namespace modbussim
