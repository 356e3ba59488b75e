#include "modbus/BusRequest.h"

#include "config/CheckByte.h"

namespace tavrin {

int ConfiguredFunctionCode(const AppObject& object) {
    switch (object.IOType) {
        case 2:
            return object.FCSel == 1 ? 1 : 2;
        case 3:
            return object.FCSel == 1 ? 3 : 4;
        case 0:
            return 15;
        default:
            return 16;
    }
}

BusRequest RequestFor(const AppObject& object) {
    BusRequest request;
    request.deviceId = object.MBID;
    request.configuredCode = ConfiguredFunctionCode(object);
    switch (request.configuredCode) {
        case 15:
            request.read = BusRead::Coils;
            break;
        case 16:
            request.read = BusRead::HoldingRegisters;
            break;
        default:
            request.read = static_cast<BusRead>(request.configuredCode);
    }
    request.startAddress = object.MBSA;
    request.length = object.MBCL;
    return request;
}

std::optional<std::string> RequestRefusal(const BusRequest& request) {
    const int most = request.Registers() ? 125 : 2000;
    if (request.length < 1 || request.length > most) {
        return "length " + std::to_string(request.length) + " is outside 1-" + std::to_string(most);
    }
    if (request.startAddress < 0 || request.startAddress + request.length > 65536) {
        return "addresses " + std::to_string(request.startAddress) + " to " +
               std::to_string(request.startAddress + request.length - 1) + " are outside 0-65535";
    }
    if (request.deviceId < 1 || request.deviceId > 247) {
        return "device id " + std::to_string(request.deviceId) + " is outside 1-247";
    }
    return std::nullopt;
}

BusSerialSettings SerialSettingsOf(const GatewaySettings& settings, const std::string& device) {
    BusSerialSettings serial;
    serial.device = device;
    const std::size_t baudIndex =
        settings.ComBaudIndex < BaudText.size() ? settings.ComBaudIndex : 3;
    serial.baud = std::stoi(std::string(BaudText[baudIndex]));
    serial.dataBits = settings.ComDataBits == 7 ? 7 : 8;
    serial.parity = settings.ComParity == 1 ? 'E' : settings.ComParity == 2 ? 'O' : 'N';
    serial.stopBits = settings.ComStopBits == 2 ? 2 : 1;
    serial.replyTimeoutMs = settings.ComTimeout > 0 ? settings.ComTimeout : 200;
    return serial;
}

std::string SerialSettingsText(const BusSerialSettings& settings) {
    return std::to_string(settings.baud) + " " + std::to_string(settings.dataBits) +
           settings.parity + std::to_string(settings.stopBits) + ", reply timeout " +
           std::to_string(settings.replyTimeoutMs) + " ms";
}

std::string ExceptionName(int code) {
    switch (code) {
        case 1:
            return "illegal function";
        case 2:
            return "illegal data address";
        case 3:
            return "illegal data value";
        case 4:
            return "slave device failure";
        case 5:
            return "acknowledge";
        case 6:
            return "slave device busy";
        case 7:
            return "negative acknowledge";
        case 8:
            return "memory parity error";
        case 10:
            return "gateway path unavailable";
        case 11:
            return "gateway target device failed to respond";
        default:
            return "unknown exception";
    }
}

}  // namespace tavrin
