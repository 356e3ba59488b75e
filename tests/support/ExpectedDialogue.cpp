#include "ExpectedDialogue.h"

#include "config/WordArithmetic.h"

namespace tavrin::testing {

std::vector<std::string> ExpectedReadLines(const gatewaysim::Eeprom& e) {
    // Preamble, module check, EEPROM mode and block 0.
    std::vector<std::string> lines = {"", "", "", "/q", ".", "exit", "use eeprom", "block 0"};
    // Firmware words at bytes 0 and 4 answered with their own values; the word at 8 is only shown.
    lines.insert(lines.end(), {"el 0", SignedText(e.Word(0, 0)), SignedText(e.Word(0, 1)), "."});
    // The configuration area: 29 answers walk bytes 40..152 and show the word at 156.
    lines.push_back("el 40");
    for (int k = 0; k < 29; ++k) {
        lines.push_back(SignedText(e.Word(0, 10 + k)));
    }
    lines.insert(lines.end(), {".", "block 1", "el 0"});
    for (int k = 0; k < 6; ++k) {
        lines.push_back(SignedText(e.Word(1, k)));
    }
    lines.insert(lines.end(), {".", "exit"});
    return lines;
}

}  // namespace tavrin::testing
