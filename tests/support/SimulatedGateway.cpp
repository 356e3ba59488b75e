#include "SimulatedGateway.h"

namespace tavrin::testing {

SimulatedGateway::SimulatedGateway(ScriptedPort& port, gatewaysim::Eeprom eeprom,
                                   std::string module, gatewaysim::ConsoleFaults faults,
                                   SimTiming timing)
    : m_console(std::move(eeprom), std::move(module), faults), m_timing(timing) {
    port.farEnd = [this](std::string_view bytes) {
        std::vector<Chunk> out;
        for (auto& event : m_console.Feed(bytes)) {
            using Kind = gatewaysim::ConsoleEvent::Kind;
            if (event.kind == Kind::Echo) {
                out.push_back({m_timing.echoUs, std::move(event.text)});
            } else if (event.kind == Kind::Answer) {
                const bool slow = m_slowFrom > 0 && event.line >= m_slowFrom;
                out.push_back({slow ? m_slowUs : m_timing.answerUs, std::move(event.text)});
            }
        }
        return out;
    };
}

}  // namespace tavrin::testing
