// The configuration file of `tavrin-cli apply`: a whole gateway configuration in one JSON
// document, read and checked with the rules of the windows that would otherwise take it in (the
// CAN and COM panels, the application object editor and the connection wizard).
//
// Every fault is collected, each as one line naming where in the file it is, so a user can mend
// the file in one go. Nothing here touches the gateway.
#pragma once

#include <string>
#include <vector>

#include "appobj/WorkingTable.h"
#include "eds/ConnectionSelections.h"
#include "rules/PanelRules.h"

namespace tavrin {

// Finish always stores a DeviceNet configuration, so the node id and the bit-rate position are
// checked against the DeviceNet rules and list.
inline constexpr int kApplyLayer = 1;

struct ApplySettings {
    int nodeId = 1;
    int canRatePosition = 0;  // position in the DeviceNet bit-rate list
    ComChoice com;            // positions in the COM panel's lists, and the timeout
    std::vector<ObjectValues> objects;
    // Produced paths of Poll, Bit-Strobe and COS/Cyclic and the consumed path of Poll, as
    // positions in the wizard's lists; the other consumed paths stay 0, as the wizard leaves them.
    ConnectionSelections selections;
    std::string description;  // in the EDS file's single-byte code page (Latin-1)
    std::string author;
    // "firmware": {"revision": "1.05"}: the firmware the configuration was read from or is meant
    // for, which only the EDS file names. Nothing of it is stored in a gateway, so apply does not
    // read it; `revisionGiven` says the file has the key, and `revision` holds its text when it is
    // one (empty otherwise).
    bool revisionGiven = false;
    std::string revision;
};

struct ApplyFileCheck {
    ApplySettings settings;  // meaningful only when `faults` is empty
    // One line per failing check: "where: message", e.g. "can.nodeId: Node ID is not
    // supported!(1~63)" or "applicationObjects[2].length: Communication Length Error. (1-120)".
    std::vector<std::string> faults;
    bool Valid() const { return faults.empty(); }
};

// Checks the JSON text of a configuration file.
ApplyFileCheck CheckApplyText(const std::string& text);
// Reads and checks a file; a file that cannot be read is one fault.
ApplyFileCheck CheckApplyFile(const std::string& path);

}  // namespace tavrin
