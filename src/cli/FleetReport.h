// What `tavrin-cli fleet` tells at the end: one row per job (port, verb, outcome, time), as a
// table or as a JSON array, and the fleet's own exit status, the most serious of its jobs'.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/ExitCodes.h"
#include "cli/FleetManifest.h"

namespace tavrin::cli {

struct FleetOutcome {
    int status = kExitFailure;      // the job's exit status
    std::optional<bool> verified;   // the verb's "verified" when its JSON has one
    std::int64_t milliseconds = 0;  // from the start of the job's process to its end
    std::string note;               // trouble with the process itself: it did not start, crashed
};

// The exit statuses from the most serious down: a gateway that does not hold what was written,
// then the failures that may have stopped a write part way (console timeout, port failure, other
// failure), then a bus check with a slave that did not answer OK (it wrote nothing, but found a
// fault), then those that sent nothing (a module of another kind, invalid input, usage).
// A status not listed ranks with 1.
inline constexpr int kFleetRanking[] = {7, 4, 3, 1, 9, 5, 6, 2};

// 0 when every job succeeded, else the status of the highest-ranking failure (the first job's
// among equals).
int FleetExitStatus(const std::vector<FleetOutcome>& outcomes);

// "done", "done, verified", "3 port failure", ...
std::string OutcomeText(const FleetOutcome& outcome);

// `outcomes` in the order of `jobs`.
std::string FleetTable(const std::vector<FleetJob>& jobs,
                       const std::vector<FleetOutcome>& outcomes);
std::string FleetJson(const std::vector<FleetJob>& jobs, const std::vector<FleetOutcome>& outcomes);

}  // namespace tavrin::cli
