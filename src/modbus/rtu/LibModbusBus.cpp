// libmodbus writes its debug trace (every byte it sends and receives) to stdout and its error
// notes to stderr, and offers no other hook on the bytes. With a frame log, each request runs
// with the library's debug switched on and both streams pointed at a scratch file for the length
// of the call; the frames are taken from that trace and stamped with the tick before the call
// (sent) and after it (received). Without a log nothing is redirected.
#include "modbus/rtu/LibModbusBus.h"

#include <modbus.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tavrin {
namespace {

// Both standard streams into a scratch file while it lives; the text it caught comes back from
// Text().
class CapturedOutput {
public:
    CapturedOutput() {
        std::fflush(stdout);
        std::fflush(stderr);
        m_file = std::tmpfile();
        if (m_file == nullptr) {
            return;
        }
        m_savedOut = ::dup(STDOUT_FILENO);
        m_savedErr = ::dup(STDERR_FILENO);
        ::dup2(::fileno(m_file), STDOUT_FILENO);
        ::dup2(::fileno(m_file), STDERR_FILENO);
    }
    ~CapturedOutput() {
        Restore();
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    std::string Text() {
        Restore();
        std::string text;
        if (m_file == nullptr) {
            return text;
        }
        std::rewind(m_file);
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, m_file)) > 0) {
            text.append(buffer, n);
        }
        return text;
    }

private:
    void Restore() {
        if (m_savedOut < 0) {
            return;
        }
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_savedOut, STDOUT_FILENO);
        ::dup2(m_savedErr, STDERR_FILENO);
        ::close(m_savedOut);
        ::close(m_savedErr);
        m_savedOut = m_savedErr = -1;
    }

    std::FILE* m_file = nullptr;
    int m_savedOut = -1;
    int m_savedErr = -1;
};

}  // namespace

BusReply ReplyForError(int error) {
    BusReply reply;
    if (error > MODBUS_ENOBASE && error <= EMBXGTAR) {
        reply.kind = BusReply::Kind::Exception;
        reply.exceptionCode = error - MODBUS_ENOBASE;
    } else if (error == ETIMEDOUT) {
        reply.kind = BusReply::Kind::NoAnswer;
    } else {
        // A bad CRC, a reply of the wrong length, slave or function, an unknown exception.
        reply.kind = BusReply::Kind::BadReply;
    }
    return reply;
}

DebugFrames FramesInDebugText(const std::string& text) {
    DebugFrames frames;
    for (std::size_t i = 0; i + 3 < text.size(); ++i) {
        const char open = text[i];
        const char close = open == '[' ? ']' : open == '<' ? '>' : '\0';
        if (close == '\0' || text[i + 3] != close) {
            continue;
        }
        char* end = nullptr;
        const std::string digits = text.substr(i + 1, 2);
        const long value = std::strtol(digits.c_str(), &end, 16);
        if (end != digits.c_str() + 2) {
            continue;
        }
        (open == '[' ? frames.sent : frames.received).push_back(static_cast<std::uint8_t>(value));
        i += 3;
    }
    return frames;
}

LibModbusBus::LibModbusBus(BusFrameLog* log, Clock* clock) : m_log(log), m_clock(clock) {}

LibModbusBus::~LibModbusBus() {
    Close();
}

std::string LibModbusBus::Open(const BusSerialSettings& settings) {
    Close();
    m_ctx = modbus_new_rtu(settings.device.c_str(), settings.baud, settings.parity,
                           settings.dataBits, settings.stopBits);
    if (m_ctx == nullptr) {
        return modbus_strerror(errno);
    }
    const int timeout = settings.replyTimeoutMs > 0 ? settings.replyTimeoutMs : 1;
    modbus_set_response_timeout(m_ctx, static_cast<std::uint32_t>(timeout / 1000),
                                static_cast<std::uint32_t>(timeout % 1000) * 1000);
    if (modbus_connect(m_ctx) != 0) {
        const std::string why = modbus_strerror(errno);
        modbus_free(m_ctx);
        m_ctx = nullptr;
        return why;
    }
    return {};
}

void LibModbusBus::Close() {
    if (m_ctx != nullptr) {
        modbus_close(m_ctx);
        modbus_free(m_ctx);
        m_ctx = nullptr;
    }
}

BusReply LibModbusBus::Read(int deviceId, BusRead read, int startAddress, int count) {
    if (m_ctx == nullptr) {
        return {};
    }
    if (m_log == nullptr) {
        return Request(deviceId, read, startAddress, count);
    }
    const std::int64_t before = m_clock != nullptr ? m_clock->TickMs() : 0;
    std::string trace;
    BusReply reply;
    {
        modbus_set_debug(m_ctx, 1);
        CapturedOutput captured;
        reply = Request(deviceId, read, startAddress, count);
        modbus_set_debug(m_ctx, 0);
        trace = captured.Text();
    }
    const std::int64_t after = m_clock != nullptr ? m_clock->TickMs() : 0;
    const DebugFrames frames = FramesInDebugText(trace);
    if (!frames.sent.empty()) {
        m_log->Frame(true, frames.sent, before);
    }
    if (!frames.received.empty()) {
        m_log->Frame(false, frames.received, after);
    }
    return reply;
}

BusReply LibModbusBus::Request(int deviceId, BusRead read, int startAddress, int count) {
    modbus_set_slave(m_ctx, deviceId);
    // Whatever a late answer to an earlier request left on the line is not this one's.
    modbus_flush(m_ctx);
    std::vector<std::uint8_t> bits;
    std::vector<std::uint16_t> registers;
    int rc = -1;
    switch (read) {
        case BusRead::Coils:
            bits.resize(static_cast<std::size_t>(count));
            rc = modbus_read_bits(m_ctx, startAddress, count, bits.data());
            break;
        case BusRead::DiscreteInputs:
            bits.resize(static_cast<std::size_t>(count));
            rc = modbus_read_input_bits(m_ctx, startAddress, count, bits.data());
            break;
        case BusRead::HoldingRegisters:
            registers.resize(static_cast<std::size_t>(count));
            rc = modbus_read_registers(m_ctx, startAddress, count, registers.data());
            break;
        case BusRead::InputRegisters:
            registers.resize(static_cast<std::size_t>(count));
            rc = modbus_read_input_registers(m_ctx, startAddress, count, registers.data());
            break;
    }
    if (rc < 0) {
        return ReplyForError(errno);
    }
    BusReply reply;
    reply.kind = BusReply::Kind::Ok;
    if (!bits.empty()) {
        reply.values.assign(bits.begin(), bits.begin() + rc);
    } else {
        reply.values.assign(registers.begin(), registers.begin() + rc);
    }
    return reply;
}

}  // namespace tavrin
