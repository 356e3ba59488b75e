// The serial ports the system reports, behind an interface so the port list can be built and
// tested without the machine's devices. The real lister asks QSerialPortInfo.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrin {

struct SystemPort {
    std::string name;          // short name, "ttyUSB0"
    std::string device;        // "/dev/ttyUSB0"
    std::string byIdPath;      // "/dev/serial/by-id/usb-FTDI_..."; empty when the port has none
    std::string description;   // what the adapter says of itself, "FT232R USB UART"
    std::string manufacturer;  // "FTDI"
    std::string serialNumber;  // "A9XK1"
    std::optional<int> vendorId;
    std::optional<int> productId;

    friend bool operator==(const SystemPort&, const SystemPort&) = default;
};

class PortLister {
public:
    virtual ~PortLister() = default;
    virtual std::vector<SystemPort> List() = 0;
};

}  // namespace tavrin
