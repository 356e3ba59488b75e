// The system's serial ports from QSerialPortInfo, with their stable /dev/serial/by-id names.
#pragma once

#include <map>
#include <string>

#include "console/PortLister.h"

namespace tavrin {

class QtPortLister final : public PortLister {
public:
    // `byIdFolder` is where udev keeps one link per adapter, named after its make and serial.
    explicit QtPortLister(std::string byIdFolder = "/dev/serial/by-id");

    std::vector<SystemPort> List() override;

private:
    std::string m_byIdFolder;
};

// The links in `folder`, keyed by the device each resolves to ("/dev/ttyUSB0"); empty when the
// folder is missing (no USB adapter plugged in since boot).
std::map<std::string, std::string> ReadByIdLinks(const std::string& folder);

}  // namespace tavrin
