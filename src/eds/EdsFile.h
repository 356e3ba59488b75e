// The DeviceNet Electronic Data Sheet that describes the gateway as it has just been configured:
// identity, application objects (class 0x64), the assembly instances derived from them (class
// 0x04), the default connections chosen in the connection wizard and one connection entry per
// assembly instance and per application object. A DeviceNet master's configuration tool reads it,
// so its layout is fixed to the blank; "$" lines are comments that repeat the configuration as
// tables for the engineer reading the file.
#pragma once

#include <stdexcept>
#include <string>

#include "assembly/AssemblyDerivation.h"
#include "common/Clock.h"
#include "config/AppObjectList.h"
#include "config/GatewaySettings.h"
#include "eds/ConnectionSelections.h"

namespace tavrin {

// KELDOR's DeviceNet vendor code, as the [Device] section states it.
inline constexpr int kKeldorVendorCode = 912;

// Everything the file is written from, read when Finish is pressed.
struct EdsContent {
    std::string description;          // the wizard's "Description:" text
    std::string author;               // the wizard's "Created By:" text
    const GatewaySettings& settings;  // NodeId, the Cfg* time stamp, FwMajor/FwMinor
    const AppObjectList& working;     // the objects the connection entries describe
    const AssemblyTables& assemblies;
    const ConnectionSelections& selections;
    LocalDateTime modified;  // the PC's clock while the file is written: ModDate, ModTime
};

// The whole file, every line ended by CR LF. Control characters in the description and author
// become blanks so that each stays on its comment line.
std::string EdsFileText(const EdsContent& content);

// "RODAR_ 5.eds": the node id with its sign position.
std::string EdsFileName(int nodeId);

// Writes EdsFileText into folder + "/" + EdsFileName(NodeId) and returns that path. The text goes
// to a temporary file in the same folder that then replaces the target, so a failure leaves any
// previous file as it was. Throws EdsWriteError, whose what() is a description fit for the user
// ("Can't write <path>: Permission denied"), when the file cannot be written.
std::string WriteEdsFile(const std::string& folder, const EdsContent& content);

class EdsWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavrin
