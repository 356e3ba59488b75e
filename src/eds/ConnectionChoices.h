// What the connection wizard offers and how a choice turns into a connection word.
//
// Every list of the wizard starts with "None", then the assembly instances of its direction, then
// the application objects of the direction that carry data (digital before analog). The entry
// texts have a fixed layout that the rest of the program reads back: characters 1-3 "O :" or
// "I :", characters 8-9 the kind ("As" of Assembly, "DO", "AO", "DI", "AI") and characters 15-16
// the application object's number. The entry's list position k is the EDS connection entry
// Output k or Input k.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assembly/AssemblyDerivation.h"
#include "config/Block0Codec.h"
#include "config/ConfigImage.h"
#include "eds/ConnectionSelections.h"

namespace tavrin {

inline constexpr const char* kNoneEntry = "None";

// All entries of an output (consumed) or input (produced) list, "None" first.
std::vector<std::string> OutputEntries(const ConfigImage& image, const AssemblyTables& tables);
std::vector<std::string> InputEntries(const ConfigImage& image, const AssemblyTables& tables);

// DeviceNet class 0x04 (Assembly) and the vendor class 0x64 of the application objects.
inline constexpr int kAssemblyClass = 4;
inline constexpr int kAssemblyDataAttribute = 3;
inline constexpr int kAppObjectClass = 100;
inline constexpr int kDigitalOutputAttribute = 20;
inline constexpr int kAnalogOutputAttribute = 21;
inline constexpr int kDigitalInputAttribute = 22;
inline constexpr int kAnalogInputAttribute = 23;

// The class, instance and attribute a list entry names; "None" or an empty text give the
// assembly class with instance 0.
struct AttributePath {
    int classId = kAssemblyClass;
    int instance = 0;
    int attribute = kAssemblyDataAttribute;
};
AttributePath GetXQVInfo(int position, std::string_view text, const AssemblyTables& tables);

// A Bit-Strobe response carries at most this many bytes.
inline constexpr int kStrobeMaxBytes = 8;

// Bytes of data an input list entry produces; empty for "None".
std::optional<long long> ProducedBytes(int position, std::string_view text,
                                       const ConfigImage& image, const AssemblyTables& tables);

// True when a Bit-Strobe response can carry the entry at `position` of a produced-path list
// ("None" always fits).
bool FitsStrobeResponse(int position, std::string_view text, const ConfigImage& image,
                        const AssemblyTables& tables);

enum class RestoreResult {
    Restored,     // the stored positions fit the lists
    NewSetting,   // the configuration was defaulted or its objects edited: start from "None"
    EepromError,  // a stored position lies beyond its list: start from "None"
};

// The positions stored in the top bytes of the connection words, checked against the number of
// entries after "None" of the input and output lists. Anything but Restored leaves the inputs and
// the Poll output at 0; the Bit-Strobe and COS/Cyclic outputs are never touched.
RestoreResult RestoreSelections(const ConfigImage& image, int inputEntries, int outputEntries,
                                ConnectionSelections& selections);

// The connection words' contents from the chosen positions and the entry texts shown for them
// (empty where a list shows nothing). The COS/Cyclic output always names the Acknowledge Handler
// (class 0x2B, instance 1), since that connection consumes no data.
struct ConnectionPaths {
    std::array<ConnectionPath, 3> inputs;
    std::array<ConnectionPath, 3> outputs;
};
ConnectionPaths BuildConnectionPaths(const ConnectionSelections& selections,
                                     const std::array<std::string, 3>& inputTexts,
                                     const std::array<std::string, 3>& outputTexts,
                                     const AssemblyTables& tables);

}  // namespace tavrin
