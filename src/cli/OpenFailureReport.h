// The command line's account of a port that would not open: the diagnosis lines after the
// system's own message on stderr, and the same facts as JSON fields for `read --json`.
#pragma once

#include <cstdio>
#include <string>

#include "console/PortDiagnosis.h"

namespace tavrin::cli {

// Diagnoses `device` on this machine and prints the lines to `err`.
OpenDiagnosis ExplainOpenFailure(OpenStatus status, const std::string& device, std::FILE* err);

// {"error": message, "reason": ..., "device": ..., "group": ... or null, "holders": [...],
//  "ports": [...], "advice": [the lines]}
std::string OpenFailureJson(const std::string& message, const std::string& device,
                            const OpenDiagnosis& diagnosis);

}  // namespace tavrin::cli
