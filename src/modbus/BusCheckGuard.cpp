#include "modbus/BusCheckGuard.h"

#include <filesystem>

namespace tavrin {
namespace {

std::string DeviceKey(const std::string& device) {
    std::error_code error;
    const auto canonical = std::filesystem::canonical(device, error);
    return error ? device : canonical.string();
}

}  // namespace

std::string BusIsConsolePortText(const std::string& busLabel) {
    return busLabel + " is the port of the gateway's console. Choose the RS-485 adapter.";
}

bool SameDevice(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && DeviceKey(a) == DeviceKey(b);
}

std::optional<std::string> BusCheckRefusal(bool consoleBusy, const std::string& busDevice,
                                           const std::string& busLabel,
                                           const std::string& consoleDevice) {
    if (consoleBusy) {
        return std::string(kBusCheckConsoleBusy);
    }
    if (SameDevice(busDevice, consoleDevice)) {
        return BusIsConsolePortText(busLabel);
    }
    return std::nullopt;
}

}  // namespace tavrin
