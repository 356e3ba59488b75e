#include "FaultSteps.h"

#include <algorithm>

#include "config/ConfigImage.h"
#include "console/WriteSequence.h"

namespace tavrin::testing {
namespace {

Step Command(int line, std::string what, bool checked = true) {
    return {line, std::move(what), checked, false, -1};
}

std::vector<Step> ReadSteps() {
    std::vector<Step> steps;
    auto add = [&](std::string what, bool checked, bool showsWord) {
        steps.push_back({static_cast<int>(steps.size()) + 1, std::move(what), checked, showsWord});
    };
    for (const char* line : {"", "", "", "/q", "."}) {
        add(line, false, false);
    }
    add("exit", true, false);
    add("use eeprom", true, false);
    add("block 0", true, false);
    add("el 0", true, true);
    add("firmware word 0", true, true);
    add("firmware word 1", true, true);
    add(".", true, false);
    add("el 40", true, true);
    for (int k = 0; k < 29; ++k) {
        add("word " + std::to_string(k), true, true);
    }
    add(".", true, false);
    add("block 1", true, false);
    add("el 0", true, true);
    for (int k = 0; k < 6; ++k) {
        add("block 1 word " + std::to_string(k), true, true);
    }
    add(".", true, false);
    add("exit", true, false);
    return steps;
}

std::vector<Step> WriteSteps(int block0Count) {
    std::vector<Step> steps = {Command(1, "/q", false),  Command(2, "exit", false),
                               Command(3, ".", false),   Command(4, "exit"),
                               Command(5, "use eeprom"), Command(6, "block 0")};
    int stored = 0;
    auto add = [&](std::string what, bool showsWord, bool stores) {
        steps.push_back({static_cast<int>(steps.size()) + 1, std::move(what), true, showsWord,
                         stores ? stored++ : -1});
    };
    add("el 40", true, false);
    for (int k = 0; k < block0Count; ++k) {
        add("word " + std::to_string(k), true, true);
    }
    add(".", false, false);
    add("block 1", false, false);
    add("el 0", true, false);
    for (int k = 0; k < kBlock1Words; ++k) {
        add("block 1 word " + std::to_string(k), true, true);
    }
    add(".", false, false);
    add("exit", false, false);
    return steps;
}

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::Silent:
            return "silent";
        case Fault::SlowInside:
            return "late_inside";
        case Fault::SlowOutside:
            return "late_outside";
        case Fault::HangUp:
            return "hangup";
        case Fault::Garbage:
            return "garbage";
        case Fault::SplitMarker:
            return "split_marker_at";
    }
    return "";
}

std::string NameOf(const Step& step, Fault fault) {
    std::string what;
    for (char c : step.what) {
        what += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    if (what.empty()) {
        what = "empty";
    } else if (what == "_") {
        what = "dot";
    } else if (what == "_q") {
        what = "q";
    }
    const std::string line = (step.line < 10 ? "0" : "") + std::to_string(step.line);
    return "line" + line + "_" + what + "_" + FaultName(fault);
}

// Lines up to and including `line` that store a word.
int StoredThrough(const std::vector<Step>& steps, int line) {
    return static_cast<int>(std::count_if(steps.begin(), steps.end(), [line](const Step& s) {
        return s.line <= line && s.stores >= 0;
    }));
}

Row Derive(Job job, const std::vector<Step>& steps, const Step& step, Fault fault) {
    Row row{job, fault, step.line};
    row.name = NameOf(step, fault);
    const int total = static_cast<int>(steps.size());
    const int allStored = StoredThrough(steps, total);
    const bool succeeds =
        fault == Fault::SlowInside || (fault == Fault::SlowOutside && !step.checked);
    if (succeeds) {
        row.outcome = Outcome::Success;
        row.linesSent = total;
        row.wordsStored = allStored;
        return row;
    }
    row.outcome = fault == Fault::HangUp ? Outcome::PortError : Outcome::Timeout;
    // A dead console is noticed at the first checked step from N on.
    int failing = step.line;
    if (fault == Fault::Silent) {
        while (!steps[failing - 1].checked) {
            ++failing;
        }
    }
    row.linesSent = failing;
    const bool lineTaken = fault == Fault::SlowOutside || fault == Fault::Garbage;
    row.wordsStored = StoredThrough(steps, lineTaken ? step.line : step.line - 1);
    return row;
}

}  // namespace

int Block0Count(Job job) {
    switch (job) {
        case Job::Read:
            return 0;
        case Job::Finish:
            return kBlock0SettingsWords;
        case Job::Export:
            return kWholeBlock0Words;
    }
    return 0;
}

std::vector<Step> StepsOf(Job job) {
    return job == Job::Read ? ReadSteps() : WriteSteps(Block0Count(job));
}

std::vector<Row> RowsOf(Job job) {
    const std::vector<Step> steps = StepsOf(job);
    std::vector<Row> rows;
    for (const Step& step : steps) {
        for (Fault fault : {Fault::Silent, Fault::SlowInside, Fault::SlowOutside, Fault::HangUp}) {
            rows.push_back(Derive(job, steps, step, fault));
        }
        if (step.showsWord) {
            rows.push_back(Derive(job, steps, step, Fault::Garbage));
        }
    }
    const int total = static_cast<int>(steps.size());
    for (int k = 0; k < kSplitOffsets; ++k) {
        rows.push_back({job, Fault::SplitMarker, k, Outcome::Success, total,
                        StoredThrough(steps, total),
                        std::string(FaultName(Fault::SplitMarker)) + std::to_string(k)});
    }
    return rows;
}

std::vector<Row> RowShare(Job job, int part, int parts) {
    std::vector<Row> all = RowsOf(job);
    std::vector<Row> share;
    for (std::size_t i = static_cast<std::size_t>(part); i < all.size();
         i += static_cast<std::size_t>(parts)) {
        share.push_back(all[i]);
    }
    return share;
}

}  // namespace tavrin::testing
