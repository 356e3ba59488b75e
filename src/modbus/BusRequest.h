// What the bus check puts on the line for an application object, and with which serial settings.
//
// The gateway issues each object's command as master. The check must never change a plant
// device, so an object that writes is checked by the read of the same range: coils written with
// FC15 are read with FC01, holding registers written with FC16 are read with FC03. That proves
// the slave answers at those addresses without touching a value.
#pragma once

#include <optional>
#include <string>

#include "config/AppObjectList.h"
#include "config/GatewaySettings.h"
#include "modbus/ModbusBus.h"

namespace tavrin {

struct BusRequest {
    int deviceId = 0;
    int configuredCode = 0;         // the function code the gateway issues: 1, 2, 3, 4, 15 or 16
    BusRead read = BusRead::Coils;  // what is sent instead: 1, 2, 3 or 4
    int startAddress = 0;
    int length = 0;

    int SentCode() const { return static_cast<int>(read); }
    bool Registers() const {
        return read == BusRead::HoldingRegisters || read == BusRead::InputRegisters;
    }
};

// The gateway's function code of an object: IOType and FCSel as the editor stores them (digital
// input FCSel 1 is FC01, 0 FC02; analog input FCSel 1 FC03, 0 FC04; digital output FC15; anything
// else FC16).
int ConfiguredFunctionCode(const AppObject& object);
BusRequest RequestFor(const AppObject& object);

// Modbus limits of one read: 2000 bits or 125 registers. A longer object cannot be read in one
// request; the reason, or nothing when the request can go out.
std::optional<std::string> RequestRefusal(const BusRequest& request);

// The gateway's COM settings as the line is opened with them: the baud rate of ComBaudIndex,
// data bits, parity 0 none / 1 even / 2 odd, stop bits and the reply timeout in ms.
BusSerialSettings SerialSettingsOf(const GatewaySettings& settings, const std::string& device);
// "9600 8N1, reply timeout 200 ms"
std::string SerialSettingsText(const BusSerialSettings& settings);

// "illegal data address" for 2; "unknown exception" for a code Modbus does not define.
std::string ExceptionName(int code);

}  // namespace tavrin
