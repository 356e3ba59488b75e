#include "cli/FleetReport.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "cli/ExitCodes.h"
#include "offline/JsonWriter.h"

namespace tavrin::cli {
namespace {

int Rank(int status) {
    const auto* const place = std::find(std::begin(kFleetRanking), std::end(kFleetRanking), status);
    if (place == std::end(kFleetRanking)) {
        return Rank(kExitFailure);
    }
    return static_cast<int>(std::end(kFleetRanking) - place);
}

std::string StatusText(int status) {
    switch (status) {
        case kExitFailure:
            return "failed";
        case kExitUsage:
            return "usage error";
        case kExitPort:
            return "port failure";
        case kExitTimeout:
            return "console timeout";
        case kExitForeignModule:
            return "not a 6420RT/6420e module";
        case kExitInvalidInput:
            return "invalid input";
        case kExitNotVerified:
            return "does not hold what was written";
        case kExitBusFault:
            return "a slave did not answer OK";
        default:
            return "failed";
    }
}

std::string Seconds(std::int64_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(milliseconds) / 1000.0);
    return text;
}

}  // namespace

int FleetExitStatus(const std::vector<FleetOutcome>& outcomes) {
    int worst = kExitOk;
    for (const FleetOutcome& outcome : outcomes) {
        if (outcome.status != kExitOk && (worst == kExitOk || Rank(outcome.status) > Rank(worst))) {
            worst = outcome.status;
        }
    }
    return worst;
}

std::string OutcomeText(const FleetOutcome& outcome) {
    std::string text;
    if (outcome.status == kExitOk) {
        text = outcome.verified.value_or(false) ? "done, verified" : "done";
    } else {
        text = std::to_string(outcome.status) + " " + StatusText(outcome.status);
    }
    return outcome.note.empty() ? text : text + " (" + outcome.note + ")";
}

std::string FleetTable(const std::vector<FleetJob>& jobs,
                       const std::vector<FleetOutcome>& outcomes) {
    std::vector<std::vector<std::string>> rows{{"JOB", "PORT", "VERB", "OUTCOME", "TIME"}};
    for (std::size_t i = 0; i < jobs.size() && i < outcomes.size(); ++i) {
        rows.push_back({std::to_string(jobs[i].index), jobs[i].portLabel, jobs[i].verb,
                        OutcomeText(outcomes[i]), Seconds(outcomes[i].milliseconds)});
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            widths[c] = std::max(widths[c], row[c].size());
        }
    }
    std::string text;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c];
            if (c + 1 < row.size()) {
                line.append(widths[c] - row[c].size() + 2, ' ');
            }
        }
        text += line + "\n";
    }
    return text;
}

std::string FleetJson(const std::vector<FleetJob>& jobs,
                      const std::vector<FleetOutcome>& outcomes) {
    JsonWriter json;
    json.BeginArray();
    for (std::size_t i = 0; i < jobs.size() && i < outcomes.size(); ++i) {
        const FleetJob& job = jobs[i];
        const FleetOutcome& outcome = outcomes[i];
        json.BeginObject();
        json.Number("job", job.index);
        json.String("port", job.portLabel);
        json.String("device", job.device);
        json.String("verb", job.verb);
        job.file.empty() ? json.Null("file") : json.String("file", job.file);
        json.Number("status", outcome.status);
        json.String("outcome", OutcomeText(outcome));
        outcome.verified ? json.Bool("verified", *outcome.verified) : json.Null("verified");
        json.Number("milliseconds", outcome.milliseconds);
        job.logPath.empty() ? json.Null("log") : json.String("log", job.logPath);
        json.EndObject();
    }
    json.EndArray();
    return json.Text();
}

}  // namespace tavrin::cli
