#include "SimulatorTranscripts.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <vector>

namespace tavrin::testing {
namespace {

constexpr const char* kVariable = "TAVRIN_TEST_TRANSCRIPTS";

struct Listed {
    std::string device;
    std::string transcript;
};

std::vector<Listed> ReadList() {
    std::vector<Listed> list;
    const char* value = std::getenv(kVariable);
    std::istringstream in(value ? value : "");
    for (std::string line; std::getline(in, line);) {
        if (const auto tab = line.find('\t'); tab != std::string::npos) {
            list.push_back({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    return list;
}

void WriteList(const std::vector<Listed>& list) {
    std::string value;
    for (const Listed& entry : list) {
        value += entry.device + '\t' + entry.transcript + '\n';
    }
    ::setenv(kVariable, value.c_str(), 1);
}

std::string SameFile(const std::string& path) {
    std::error_code error;
    const auto canonical = std::filesystem::canonical(path, error);
    return error ? path : canonical.string();
}

}  // namespace

// Pseudo-terminal numbers are used again once free, so a device is only ever listed once.
void ListSimulatorTranscript(const std::string& device, const std::string& transcript) {
    UnlistSimulatorTranscript(device);
    auto list = ReadList();
    list.push_back({SameFile(device), std::filesystem::absolute(transcript).string()});
    WriteList(list);
}

void UnlistSimulatorTranscript(const std::string& device) {
    auto list = ReadList();
    std::erase_if(list, [&](const Listed& entry) { return entry.device == SameFile(device); });
    WriteList(list);
}

std::string SimulatorTranscriptOf(const std::string& device) {
    const std::string wanted = SameFile(device);
    for (const Listed& entry : ReadList()) {
        if (entry.device == wanted) {
            return entry.transcript;
        }
    }
    return {};
}

}  // namespace tavrin::testing
