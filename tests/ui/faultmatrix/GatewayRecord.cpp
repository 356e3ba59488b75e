#include "GatewayRecord.h"

#include <algorithm>
#include <sstream>

#include "EepromFile.h"
#include "WholeFile.h"
#include "config/WordArithmetic.h"

namespace tavrin::testing {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> SimArgs(const Row& row, const std::string& transcript) {
    const std::string n = std::to_string(row.step);
    std::vector<std::string> args = {"--transcript", transcript};
    auto add = [&args](std::initializer_list<std::string> more) { args.insert(args.end(), more); };
    switch (row.fault) {
        case Fault::Silent:
            add({"--silent-from", n});
            break;
        case Fault::SlowInside:
            add({"--slow-at", n, "--slow-ms", std::to_string(kSlowInsideMs)});
            break;
        case Fault::SlowOutside:
            add({"--late-at", n});
            break;
        case Fault::HangUp:
            add({"--hangup-at", n});
            break;
        case Fault::Garbage:
            add({"--garbage-at", n});
            break;
        case Fault::SplitMarker:
            add({"--split-marker-at", n});
            break;
    }
    return args;
}

std::vector<std::string> ReceivedLines(const std::string& transcriptPath) {
    std::istringstream in(ReadWholeFile(transcriptPath));
    std::vector<std::string> lines;
    for (std::string entry; std::getline(in, entry);) {
        const auto stampEnd = entry.find(' ');
        if (stampEnd != std::string::npos && entry.compare(stampEnd, 3, " < ") == 0) {
            lines.push_back(Trim(entry.substr(stampEnd + 3)));
        } else if (stampEnd != std::string::npos && entry.substr(stampEnd) == " <") {
            lines.emplace_back();
        }
    }
    return lines;
}

std::vector<std::string> FirstLines(std::vector<std::string> lines, int count) {
    lines.resize(std::min<std::size_t>(lines.size(), static_cast<std::size_t>(count)));
    for (auto& line : lines) {
        line = Trim(line);
    }
    return lines;
}

std::vector<TypedWord> TypedWords(const Block0Array& block0, int block0Count,
                                  const Block1Array& block1) {
    std::vector<TypedWord> words;
    for (int k = 0; k < block0Count; ++k) {
        words.push_back({0, kBlock0FirstWord + k, block0[k]});
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        words.push_back({1, k, block1[k]});
    }
    return words;
}

std::vector<std::string> WriteLines(const std::vector<TypedWord>& words, int block0Count) {
    std::vector<std::string> lines = {"/q", "exit", ".", "exit", "use eeprom", "block 0", "el 40"};
    for (int k = 0; k < block0Count; ++k) {
        lines.push_back(Trim(SignedText(words[k].value)));
    }
    lines.insert(lines.end(), {".", "block 1", "el 0"});
    for (int k = 0; k < kBlock1Words; ++k) {
        lines.push_back(Trim(SignedText(words[block0Count + k].value)));
    }
    lines.insert(lines.end(), {".", "exit"});
    return lines;
}

gatewaysim::Eeprom BeforeWrite(int block0Count) {
    gatewaysim::Eeprom e = gatewaysim::DefaultEeprom();
    Word marker = 0xA5A5A500u;
    for (int k = 0; k < block0Count; ++k) {
        e.SetWord(0, kBlock0FirstWord + k, marker++);
    }
    for (int k = 0; k < kBlock1Words; ++k) {
        e.SetWord(1, k, marker++);
    }
    return e;
}

gatewaysim::Eeprom AfterWrite(gatewaysim::Eeprom e, const std::vector<TypedWord>& words,
                              int stored) {
    for (int i = 0; i < stored; ++i) {
        e.SetWord(words[i].block, words[i].index, words[i].value);
    }
    return e;
}

}  // namespace tavrin::testing
