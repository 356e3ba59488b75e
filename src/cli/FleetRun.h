// Runs the jobs of a fleet at the same time, each as its own tavrin-cli process on its own port,
// so a port that fails stops its job alone. Each job's stderr lines are passed on as they come,
// prefixed by the job's port.
#pragma once

#include <QString>
#include <cstdio>
#include <vector>

#include "cli/FleetManifest.h"
#include "cli/FleetReport.h"
#include "common/Clock.h"

namespace tavrin::cli {

// Needs a QCoreApplication. `program` is tavrin-cli itself. Returns when every job has ended,
// the outcomes in the order of `jobs`.
std::vector<FleetOutcome> RunFleetJobs(const std::vector<FleetJob>& jobs, const QString& program,
                                       Clock& clock, std::FILE* progress);

}  // namespace tavrin::cli
