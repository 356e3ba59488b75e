// The RS-485 line through libmodbus: RTU framing, CRC and the reply timeout are the library's.
#pragma once

#include "common/Clock.h"
#include "modbus/ModbusBus.h"

struct _modbus;

namespace tavrin {

class LibModbusBus final : public ModbusBus {
public:
    // With a log, every frame sent and received is handed to it (see Read for how they are
    // taken); `clock` stamps them.
    explicit LibModbusBus(BusFrameLog* log = nullptr, Clock* clock = nullptr);
    ~LibModbusBus() override;
    LibModbusBus(const LibModbusBus&) = delete;
    LibModbusBus& operator=(const LibModbusBus&) = delete;

    std::string Open(const BusSerialSettings& settings) override;
    BusReply Read(int deviceId, BusRead read, int startAddress, int count) override;
    void Close() override;

private:
    BusReply Request(int deviceId, BusRead read, int startAddress, int count);

    _modbus* m_ctx = nullptr;
    BusFrameLog* m_log;
    Clock* m_clock;
};

// The reply a failed libmodbus call stands for, from its errno.
BusReply ReplyForError(int error);

// The frames in libmodbus's debug output: "[01][03]..." is a frame it sent, "<01><03>..." bytes
// it received. Everything else (its notes and error lines) is left out.
struct DebugFrames {
    std::vector<std::uint8_t> sent;
    std::vector<std::uint8_t> received;
};
DebugFrames FramesInDebugText(const std::string& text);

}  // namespace tavrin
