// How tavrin-cli shows a difference (diff, and --dry-run of restore and apply) and the end of a
// write (restore and apply --json): one line per differing field, or one JSON object.
#pragma once

#include <string>
#include <vector>

#include "console/ReadBack.h"
#include "rules/ConfigDifference.h"

namespace tavrin::cli {

// "NodeId: 12 | 5" under a heading naming the two sides, or "no differences".
std::string DifferenceLines(const std::vector<FieldDifference>& differences,
                            const std::string& nameA, const std::string& nameB);

// {"a": NAME, "b": NAME, "equal": BOOL, "differences": [{"field", "a", "b"}...]}; a dry run adds
// "dryRun": true and "written": false.
std::string DifferenceJson(const std::vector<FieldDifference>& differences,
                           const std::string& nameA, const std::string& nameB, bool dryRun);

// How a write and its read-back ended, for restore and apply --json.
struct WriteReport {
    std::string file;
    std::string port;
    bool written = false;
    bool verifyWanted = true;
    bool verified = false;
    std::vector<WordMismatch> mismatches;
    int status = 0;
    std::string edsFile;  // apply: the EDS file written, else empty
    std::string error;    // apply: why the EDS file was not written, else empty
};

// {"file", "port", "written", "verified", "verify": "verified"|"mismatch"|"not checked"|
// "skipped", "mismatches": [{"block", "address", "field", "written", "read"}...], "status"} and,
// for apply, "edsFile", or "error" when the EDS file was not written.
std::string WriteReportJson(const WriteReport& report);

// A write that was not reached (the connect failed): with --json (and no --dry-run) its report,
// "written": false. Returns `status`.
int ReportUnwritten(const std::string& file, const std::string& port, bool json, bool dryRun,
                    int status);

// Prints the difference to stdout and gives 0 when equal, kExitDiffer otherwise.
int PrintDifference(const std::vector<FieldDifference>& differences, const std::string& nameA,
                    const std::string& nameB, bool json, bool dryRun);

}  // namespace tavrin::cli
