// A gateway console for in-process tests: the simulator's console state machine answering through
// the scripted port, on the fake clock. Echo comes back after a character time, answers after a
// short think.
#pragma once

#include <memory>
#include <string>

#include "FakeConsoleHardware.h"
#include "SimConsole.h"

namespace tavrin::testing {

struct SimTiming {
    std::int64_t echoUs = 90;
    std::int64_t answerUs = 400;
};

class SimulatedGateway {
public:
    SimulatedGateway(ScriptedPort& port, gatewaysim::Eeprom eeprom, std::string module = "6420RT",
                     gatewaysim::ConsoleFaults faults = {}, SimTiming timing = {});

    const gatewaysim::Eeprom& Image() const { return m_console.Image(); }
    // Answers later than normal from this input line on (for answer-window tests).
    void SlowFromLine(int line, std::int64_t answerUs) {
        m_slowFrom = line;
        m_slowUs = answerUs;
    }

private:
    gatewaysim::SimConsole m_console;
    SimTiming m_timing;
    int m_slowFrom = 0;
    std::int64_t m_slowUs = 0;
};

}  // namespace tavrin::testing
