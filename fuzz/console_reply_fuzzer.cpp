// The console link's two primitives fed random answers in random chunks at random times, through
// a fake port, clock and event pump. Properties: no crash and no hang (the fake clock moves with
// every wait, so every call ends); a found marker or value really stands in what arrived; a failed
// value read leaves the value as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "console/ConsoleLink.h"
#include "console/PortFault.h"

namespace {

using namespace std::chrono;

class FuzzClock final : public tavrin::Clock {
public:
    std::int64_t TickMs() override { return nowUs / 1000; }
    tavrin::LocalDateTime Now() override { return {}; }
    std::int64_t nowUs = 5'000'000;
};

// A port whose far end answers the carriage return that ends a command with scripted chunks,
// each due some microseconds after the previous one.
class FuzzPort final : public tavrin::SerialPort {
public:
    explicit FuzzPort(FuzzClock& clock) : m_clock(clock) {}

    std::deque<std::pair<std::int64_t, std::string>> answer;  // delay after previous, bytes
    std::string noise;           // already waiting before the command is typed
    std::size_t stuckBytes = 0;  // BytesToWrite() reports this forever
    int refuseWriteAt = -1;      // the n-th Write() fails
    std::int64_t faultAtUs = -1;
    std::vector<std::string> reads;  // what each ReadAll() gave, in order

    void Deliver() {
        while (m_started && !m_scheduled.empty() && m_scheduled.front().first <= m_clock.nowUs) {
            m_input += m_scheduled.front().second;
            m_scheduled.pop_front();
        }
    }
    std::int64_t NextDueUs() const {
        return m_started && !m_scheduled.empty() ? m_scheduled.front().first : -1;
    }

    tavrin::OpenResult Open(const std::string&) override {
        return {tavrin::OpenStatus::Opened, {}};
    }
    bool IsOpen() const override { return true; }
    void Close() override {}
    std::size_t BytesWaiting() override {
        Deliver();
        return m_input.size();
    }
    std::size_t BytesToWrite() override { return stuckBytes; }
    std::string ReadAll() override {
        Deliver();
        std::string bytes;
        bytes.swap(m_input);
        reads.push_back(bytes);
        return bytes;
    }
    void DiscardInput() override { m_input.clear(); }
    bool Write(std::string_view bytes) override {
        if (m_writes++ == refuseWriteAt)
            return false;
        if (bytes == "\r" && !m_started) {
            m_started = true;
            std::int64_t due = m_clock.nowUs;
            for (const auto& [delay, chunk] : answer) {
                due += delay;
                m_scheduled.emplace_back(due, chunk);
            }
        }
        return true;
    }
    std::optional<std::string> TakeFault() override {
        if (faultAtUs >= 0 && m_clock.nowUs >= faultAtUs) {
            faultAtUs = -1;
            return "The device was removed";
        }
        return std::nullopt;
    }

    void Begin() {
        m_input = noise;
        m_started = false;
        m_writes = 0;
        m_scheduled.clear();
        reads.clear();
    }

private:
    FuzzClock& m_clock;
    std::string m_input;
    bool m_started = false;
    int m_writes = 0;
    std::deque<std::pair<std::int64_t, std::string>> m_scheduled;
};

// Time passes only here: a wait ends early when the next chunk is due.
class FuzzPump final : public tavrin::EventPump {
public:
    FuzzPump(FuzzClock& clock, FuzzPort& port) : m_clock(clock), m_port(port) {}
    void Service(microseconds maxWait) override {
        ++services;
        std::int64_t until = m_clock.nowUs + maxWait.count();
        const std::int64_t due = m_port.NextDueUs();
        if (due >= 0 && due > m_clock.nowUs && due < until)
            until = due;
        // A wait always takes some time, as the real event loop's does.
        m_clock.nowUs = std::max(until, m_clock.nowUs + 1);
        m_port.Deliver();
    }
    void Pause(microseconds duration) override {
        m_clock.nowUs += std::max<std::int64_t>(duration.count(), 1);
        m_port.Deliver();
    }
    long services = 0;

private:
    FuzzClock& m_clock;
    FuzzPort& m_port;
};

std::string_view StripSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The answer as the link sees it: each chunk it read, with the blanks at the chunk's ends dropped.
std::string Received(const std::vector<std::string>& reads) {
    std::string text;
    for (const std::string& chunk : reads)
        text += StripSpaces(chunk);
    return text;
}

// The number a person reads between key and arrow: blanks, tabs and line feeds ignored, one sign
// before the digits, the digits up to the first other character; it must fit 32 bits.
std::optional<std::int32_t> NumberIn(std::string_view text) {
    std::string compact;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            compact += c;
    std::size_t at = 0;
    bool negative = false;
    if (at < compact.size() && (compact[at] == '-' || compact[at] == '+'))
        negative = compact[at++] == '-';
    std::string digits;
    while (at < compact.size() && compact[at] >= '0' && compact[at] <= '9')
        digits += compact[at++];
    if (digits.empty())
        return std::nullopt;
    const std::size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : digits.substr(first);
    if (digits.size() > 10)
        return std::nullopt;
    const long long magnitude = std::stoll(digits);
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The console's word display: pieces of it, or anything at all.
std::string Piece(FuzzedDataProvider& input) {
    static const char* const kPieces[] = {
        "Long(40)=",  "-->",         " ", "\r\n",    "-",  "+", "2147483647",
        "2147483648", "-2147483648", "0", "6420RT>", "12", "\t"};
    if (input.ConsumeBool())
        return kPieces[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1)];
    return input.ConsumeRandomLengthString(24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    FuzzClock clock;
    FuzzPort port(clock);
    FuzzPump pump(clock, port);
    tavrin::ConsoleLink link(port, clock, pump);

    for (int call = 0; call < 4 && input.remaining_bytes() > 0; ++call) {
        const bool readValue = input.ConsumeBool();
        const std::string command = input.ConsumeRandomLengthString(12);
        const std::string key =
            input.ConsumeBool() ? "Long(40)=" : input.ConsumeRandomLengthString(12);
        const int timeoutMs = input.ConsumeIntegralInRange(-5, 400);
        link.SetConsoleTimeout(timeoutMs);
        port.noise = input.ConsumeBool() ? input.ConsumeRandomLengthString(8) : "";
        port.stuckBytes = input.ConsumeIntegralInRange(0, 7) == 0 ? 1 : 0;
        port.refuseWriteAt =
            input.ConsumeIntegralInRange(0, 15) == 0 ? input.ConsumeIntegralInRange(0, 12) : -1;
        port.faultAtUs = input.ConsumeIntegralInRange(0, 15) == 0
                             ? clock.nowUs + input.ConsumeIntegralInRange(0, 300'000)
                             : -1;
        port.answer.clear();
        const int chunks = input.ConsumeIntegralInRange(0, 24);
        for (int c = 0; c < chunks; ++c) {
            std::string chunk;
            const int pieces = input.ConsumeIntegralInRange(1, 4);
            for (int p = 0; p < pieces; ++p)
                chunk += Piece(input);
            port.answer.emplace_back(input.ConsumeIntegralInRange<std::int64_t>(0, 120'000), chunk);
        }
        port.Begin();

        const std::int64_t startUs = clock.nowUs;
        const long servicesBefore = pump.services;
        try {
            if (readValue) {
                const std::int32_t sentinel = input.ConsumeIntegral<std::int32_t>();
                std::int32_t value = sentinel;
                if (link.SendAndReadValue(command, key, value)) {
                    const std::string text(StripSpaces(Received(port.reads)));
                    const std::string_view wanted = StripSpaces(key);
                    FUZZ_CHECK(!wanted.empty());
                    const std::size_t keyAt = text.find(wanted);
                    FUZZ_CHECK(keyAt != std::string::npos);
                    const std::size_t arrowAt = text.find("-->", keyAt + wanted.size());
                    FUZZ_CHECK(arrowAt != std::string::npos);
                    const auto number = NumberIn(std::string_view(text).substr(
                        keyAt + wanted.size(), arrowAt - keyAt - wanted.size()));
                    FUZZ_CHECK(number.has_value());
                    FUZZ_CHECK(*number == value);
                } else {
                    FUZZ_CHECK(value == sentinel);
                }
            } else {
                const std::string marker =
                    input.ConsumeBool() ? "6420RT>" : input.ConsumeRandomLengthString(8);
                if (link.SendAndWait(command, marker)) {
                    const std::string text = Received(port.reads);
                    const std::string& reply = link.ConsoleReply();
                    FUZZ_CHECK(!marker.empty());
                    FUZZ_CHECK(text.compare(0, reply.size(), reply) == 0);
                    FUZZ_CHECK(text.compare(reply.size(), marker.size(), marker) == 0);
                    FUZZ_CHECK(reply.find(marker) == std::string::npos);
                }
            }
        } catch (const tavrin::PortFault&) {
            // A port that vanished ends the call; the next call starts over.
        }
        // Every call ends within its answer window plus the typing and draining around it.
        const std::int64_t bound =
            std::max(timeoutMs, 0) * 1000LL +
            static_cast<std::int64_t>(command.size() + 2) * tavrin::kCharacterPacing.count() +
            (tavrin::kOutputDrainPolls + 2) * tavrin::kIdleWait.count() + 2000;
        FUZZ_CHECK(clock.nowUs - startUs <= bound);
        FUZZ_CHECK(pump.services - servicesBefore <= bound);
    }
    return 0;
}
