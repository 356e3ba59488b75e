// The controller module's EEPROM as the console exposes it: two blocks of 64 words each.
//
// The console addresses a word by block and byte address (a multiple of 4), and shows and takes
// every word as a signed 32-bit number; here words are kept unsigned, as they are stored.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

namespace gatewaysim {

class Eeprom {
public:
    static constexpr int kBlocks = 2;
    static constexpr int kWordsPerBlock = 64;
    static constexpr int kBlockBytes = kWordsPerBlock * 4;
    static constexpr int kImageBytes = kBlocks * kBlockBytes;

    // A fresh module: every word zero.
    Eeprom() = default;

    std::uint32_t Word(int block, int index) const { return m_words[Slot(block, index)]; }
    void SetWord(int block, int index, std::uint32_t value) { m_words[Slot(block, index)] = value; }

    friend bool operator==(const Eeprom&, const Eeprom&) = default;

private:
    static int Slot(int block, int index) {
        if (block < 0 || block >= kBlocks || index < 0 || index >= kWordsPerBlock) {
            throw std::out_of_range("EEPROM word outside the blocks");
        }
        return block * kWordsPerBlock + index;
    }

    std::array<std::uint32_t, kBlocks * kWordsPerBlock> m_words{};
};

}  // namespace gatewaysim
