// Test doubles for the console link: a clock that only moves when told, an event pump that moves
// it, and a port whose answers are scripted against that clock. Together they run a whole console
// dialogue instantly and deterministically.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "console/EventPump.h"
#include "console/SerialPort.h"

namespace tavrin::testing {

class FakeClock final : public Clock {
public:
    std::int64_t TickMs() override { return nowUs / 1000; }
    LocalDateTime Now() override { return localTime; }

    std::int64_t nowUs = 1'000'000;
    LocalDateTime localTime{2026, 12, 8, 9, 5, 3};
};

// A chunk the far end sends `delayUs` after the moment it was scheduled.
struct Chunk {
    std::int64_t delayUs = 0;
    std::string bytes;
};

// The far end of the line: gets every byte written, returns what it sends back.
using FarEnd = std::function<std::vector<Chunk>(std::string_view written)>;

class ScriptedPort final : public SerialPort {
public:
    explicit ScriptedPort(FakeClock& clock) : m_clock(clock) {}

    FarEnd farEnd;
    OpenResult openResult{OpenStatus::Opened, {}};
    std::size_t stuckOutputBytes = 0;  // reported by BytesToWrite(), to fake a blocked line
    bool refuseWrites = false;
    // Raise this fault (as a hang-up would) once the clock reaches faultAtUs.
    std::string faultText;
    std::int64_t faultAtUs = -1;
    // Received bytes reach the input buffer only in an event pass, as with QSerialPort, which
    // takes them from the driver when its notifier fires.
    bool takenOnlyInEventPasses = false;

    // Moves due chunks into the input buffer; called by the pump as time passes.
    void Deliver();
    // The time the next scheduled chunk is due, or -1.
    std::int64_t NextDueUs() const;

    OpenResult Open(const std::string& device) override;
    bool IsOpen() const override { return m_open; }
    void Close() override { m_open = false; }
    std::size_t BytesWaiting() override;
    std::size_t BytesToWrite() override { return stuckOutputBytes; }
    std::string ReadAll() override;
    void DiscardInput() override { m_input.clear(); }
    bool Write(std::string_view bytes) override;
    std::optional<std::string> TakeFault() override;

    std::string written;  // everything written since the port was made
    int opens = 0;
    std::string openedDevice;

private:
    FakeClock& m_clock;
    bool m_open = false;
    std::string m_input;
    std::deque<std::pair<std::int64_t, std::string>> m_scheduled;  // due time, bytes
};

class FakePump final : public EventPump {
public:
    FakePump(FakeClock& clock, ScriptedPort& port) : m_clock(clock), m_port(port) {}

    void Service(std::chrono::microseconds maxWait) override;
    void Pause(std::chrono::microseconds duration) override;

    int services = 0;
    // The first pass at or after stallAtUs ends stallUs late, as when the process is stopped or
    // kept off the processor; with stallAfterDelivery the bytes due meanwhile stay in the driver.
    std::int64_t stallAtUs = -1;
    std::int64_t stallUs = 0;
    bool stallAfterDelivery = false;

private:
    FakeClock& m_clock;
    ScriptedPort& m_port;
};

// The lines a transcript of written bytes holds, split at each carriage return.
std::vector<std::string> SentLines(const std::string& written);

}  // namespace tavrin::testing
