// The serial port as the console link needs it. The real one wraps QSerialPort; tests use a
// scripted fake. Semantics follow a plain RS-232 port: bytes received wait in an input buffer
// until read, bytes written may wait in an output buffer until the line takes them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

enum class OpenStatus {
    Opened,
    CannotOpen,  // missing, or not a port we can use
    Occupied,    // held by another program
    Failed,      // some other error; the description says what
};

struct OpenResult {
    OpenStatus status = OpenStatus::CannotOpen;
    std::string description;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens `device` at the console's fixed settings, 115200 baud, 8 data bits, no parity,
    // 1 stop bit.
    virtual OpenResult Open(const std::string& device) = 0;
    virtual bool IsOpen() const = 0;
    virtual void Close() = 0;

    // Bytes received and not yet read.
    virtual std::size_t BytesWaiting() = 0;
    // Bytes written and not yet handed to the line.
    virtual std::size_t BytesToWrite() = 0;
    // Reads and removes everything received so far.
    virtual std::string ReadAll() = 0;
    // Discards everything received so far.
    virtual void DiscardInput() = 0;
    // Queues bytes for sending; false when the port did not take them.
    virtual bool Write(std::string_view bytes) = 0;

    // A fault raised while the port was in use (for example the other end hung up), reported
    // once; the port is closed by then. Empty when nothing went wrong.
    virtual std::optional<std::string> TakeFault() = 0;
};

}  // namespace tavrin
