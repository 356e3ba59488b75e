// Which simulator transcript belongs to which pseudo-terminal, for the programs a test starts:
// SimProcess lists each simulator it runs in the environment variable TAVRIN_TEST_TRANSCRIPTS
// ("device<TAB>transcript" lines), which child processes inherit, and tavrin-cli-quiet looks the
// port it opens up there to watch the right simulator (QuietConsoleClock.h).
#pragma once

#include <string>

namespace tavrin::testing {

void ListSimulatorTranscript(const std::string& device, const std::string& transcript);
void UnlistSimulatorTranscript(const std::string& device);
// The transcript of the simulator serving `device` (the same file under any name); empty when
// no listed simulator serves it.
std::string SimulatorTranscriptOf(const std::string& device);

}  // namespace tavrin::testing
