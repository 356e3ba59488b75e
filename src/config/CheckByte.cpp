#include "config/CheckByte.h"

#include <charconv>

namespace tavrin {

std::uint8_t ComputeCheckByte(int comBaudIndex, int dataBits, int parity, int stopBits) {
    long rate = 0;
    if (comBaudIndex >= 0 && comBaudIndex < static_cast<int>(BaudText.size())) {
        const auto text = BaudText[static_cast<std::size_t>(comBaudIndex)];
        std::from_chars(text.data(), text.data() + text.size(), rate);
    }
    const long sum =
        (rate / 65536) % 256 + (rate / 256) % 256 + rate % 256 + dataBits + parity + stopBits;
    return static_cast<std::uint8_t>(sum & 0xFF);
}

}  // namespace tavrin
