// Command line of tavrin-gatewaysim.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "OutputPlanner.h"
#include "SimConsole.h"

namespace gatewaysim {

struct Options {
    std::string eepromPath = "gatewaysim-eeprom.bin";
    bool blank = false;  // a newly created EEPROM file starts all zero instead of configured
    std::string module = "6420RT";
    std::string linkPath;  // empty: no symlink to the pty
    std::string transcriptPath;
    ConsoleFaults faults;
    LineTiming timing;
    std::optional<std::uint32_t> seed;  // unset: a fresh seed for --split
    int slowMs = 0;
    int slowAtLine = 0;  // the only line answered late; 0: every line
    // Answers held back until the next input arrives: that line's, or with lateAll every one.
    int lateAtLine = 0;
    bool lateAll = false;
    int answerDelayMs = 0;    // every answer, on top of --slow-ms
    int minCharGapMs = 0;     // typed characters closer together than this are lost; 0: none
    int splitMarkerAt = -1;   // byte of the ending marker at which answers are cut; -1: none
    int hangupAfterLine = 0;  // 0: never
    int hangupAtLine = 0;     // 0: never
    bool hold = false;
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument naming the offending argument.
Options ParseOptions(const std::vector<std::string>& args);

std::string Usage();

}  // namespace gatewaysim
