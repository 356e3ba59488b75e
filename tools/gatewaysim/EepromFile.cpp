#include "EepromFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace gatewaysim {
namespace {

constexpr int kWords = Eeprom::kBlocks * Eeprom::kWordsPerBlock;

std::runtime_error FileError(const std::string& what, const std::string& path) {
    return std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

Eeprom LoadEeprom(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw FileError("cannot open EEPROM file", path);
    }
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    if (bytes.size() != static_cast<std::size_t>(Eeprom::kImageBytes)) {
        throw std::runtime_error("EEPROM file " + path + " holds " + std::to_string(bytes.size()) +
                                 " bytes, expected " + std::to_string(Eeprom::kImageBytes));
    }
    Eeprom image;
    for (int i = 0; i < kWords; ++i) {
        const unsigned char* b = &bytes[static_cast<std::size_t>(i) * 4];
        const std::uint32_t value =
            b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
        image.SetWord(i / Eeprom::kWordsPerBlock, i % Eeprom::kWordsPerBlock, value);
    }
    return image;
}

void SaveEeprom(const std::string& path, const Eeprom& image) {
    std::array<char, Eeprom::kImageBytes> bytes{};
    for (int i = 0; i < kWords; ++i) {
        const std::uint32_t value =
            image.Word(i / Eeprom::kWordsPerBlock, i % Eeprom::kWordsPerBlock);
        for (int b = 0; b < 4; ++b) {
            bytes[static_cast<std::size_t>(i) * 4 + b] =
                static_cast<char>((value >> (8 * b)) & 0xFF);
        }
    }
    // No fsync: the rename already keeps readers from seeing a torn file, and the simulator
    // persists after every stored word, so a sync per word would only slow the console down.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out || !out.write(bytes.data(), bytes.size()) || !out.flush()) {
            std::remove(temp.c_str());
            throw FileError("cannot write EEPROM file", temp);
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const auto error = FileError("cannot replace EEPROM file", path);
        std::remove(temp.c_str());
        throw error;
    }
}

}  // namespace gatewaysim
