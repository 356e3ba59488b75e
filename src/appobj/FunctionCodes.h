// The six Modbus function codes an application object can issue, and what the gateway stores for
// each. The gateway keeps only the data direction and width (IOType) and, for the two reading
// types that have two codes, which of them (FCSel): FC01 and FC03 set FCSel, FC02 and FC04 do not.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/ConfigImage.h"

namespace tavrin {

struct FunctionCode {
    const char* text;  // entry of the function-code list
    std::uint8_t ioType;
    std::uint8_t fcSel;
    bool registers;  // 16-bit registers; otherwise coils or inputs (bits)
};

inline constexpr int kFunctionCodeCount = 6;
inline constexpr std::array<FunctionCode, kFunctionCodeCount> kFunctionCodes{{
    {"FC01 Read Coil Status (0x0x)", 2, 1, false},
    {"FC02 Read Input Status (0x1x)", 2, 0, false},
    {"FC03 Read Holding Registers (0x4x)", 3, 1, true},
    {"FC04 Read Input Registers (0x3x)", 3, 0, true},
    {"FC15 Force Multiple Coils (0x0x)", 0, 0, false},
    {"FC16 Preset Multiple Registers (0x4x)", 1, 0, true},
}};

// The list entry that shows a stored object. Anything that is not a reading type or a digital
// output (an analog output, or an IOType no editor wrote) shows as FC16.
int FunctionCodeIndexOf(const AppObject& object);

bool IsRegisterCode(int index);

// The address and length captions that go with a function code.
struct FieldLabels {
    const char* address;       // Label1(2)
    const char* length;        // Label1(3)
    const char* addressRange;  // Label3(1)
    const char* lengthRange;   // Label3(2)
    int lengthMaxChars;        // MB_Comm_len maximum length
};
FieldLabels LabelsFor(int functionCodeIndex);

// Names of the four IO types as the views show them, all 14 characters wide.
inline constexpr std::array<const char*, kIOTypeCount> IOTypeName{
    "Digital Output", "Analog  Output", "Digital Input ", "Analog  Input "};

// The view text of an IOType; empty for a type no editor writes.
std::string IOTypeText(std::uint8_t ioType);

}  // namespace tavrin
