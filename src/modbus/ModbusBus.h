// The RS-485 line as the bus check sees it: opened with the gateway's serial settings, then asked
// for one read at a time. Reads only: the interface has no way to write to a slave. The real line
// is LibModbusBus (rtu/); tests hand in a fake.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavrin {

struct BusSerialSettings {
    std::string device;  // "/dev/ttyUSB0", a pseudo-terminal
    int baud = 9600;
    int dataBits = 8;
    char parity = 'N';  // 'N', 'E' or 'O'
    int stopBits = 1;
    int replyTimeoutMs = 200;  // how long a slave has to start its answer

    friend bool operator==(const BusSerialSettings&, const BusSerialSettings&) = default;
};

// The four reads of the Modbus function codes 01 to 04.
enum class BusRead : std::uint8_t {
    Coils = 1,
    DiscreteInputs = 2,
    HoldingRegisters = 3,
    InputRegisters = 4,
};

struct BusReply {
    enum class Kind {
        Ok,         // the values came back
        Exception,  // the slave refused with an exception code
        NoAnswer,   // nothing within the reply timeout
        BadReply,   // something came back, but not a well-formed answer (CRC, framing, length)
    };
    Kind kind = Kind::NoAnswer;
    int exceptionCode = 0;              // Exception only
    std::vector<std::uint16_t> values;  // Ok only: one per bit (0 or 1) or per register
};

// Every frame that went over the line, for `tavrin-cli modbus-check --log`. `tickMs` is on the
// monotonic clock the bus was given.
class BusFrameLog {
public:
    virtual ~BusFrameLog() = default;
    virtual void Frame(bool sent, const std::vector<std::uint8_t>& bytes, std::int64_t tickMs) = 0;
};

class ModbusBus {
public:
    virtual ~ModbusBus() = default;
    // Opens the line; empty on success, else why it could not be opened.
    virtual std::string Open(const BusSerialSettings& settings) = 0;
    virtual BusReply Read(int deviceId, BusRead read, int startAddress, int count) = 0;
    virtual void Close() = 0;
};

}  // namespace tavrin
