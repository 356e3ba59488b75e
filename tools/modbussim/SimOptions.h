// Command line of tavrin-modbussim.
#pragma once

#include <string>
#include <vector>

namespace modbussim {

struct LineSettings {
    int baud = 9600;
    int dataBits = 8;
    char parity = 'N';
    int stopBits = 1;
};

// A range of one slave that answers with an exception instead of its data.
struct ExceptionFault {
    int slave = 0;
    int start = 0;
    int count = 0;
    int code = 2;
};

struct DelayFault {
    int slave = 0;
    int delayMs = 0;
};

struct SimOptions {
    std::string mapPath;  // empty: the built-in map
    LineSettings line;
    std::string linkPath;
    std::string statusPath;
    std::vector<int> silent;  // slaves that never answer
    std::vector<ExceptionFault> exceptions;
    std::vector<DelayFault> late;  // slaves whose answers come late
    std::vector<int> badCrc;       // slaves whose answers carry a corrupted CRC
    bool printMap = false;
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument naming the offending argument.
SimOptions ParseSimOptions(const std::vector<std::string>& args);
std::string SimUsage();

}  // namespace modbussim
