// The fleet's runner on stand-in processes: each job's exit status, the "verified" of its JSON
// answer, a crash and a program that does not start, and its stderr lines passed on under its
// port.
#include "cli/FleetRun.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdio>

namespace tavrin::cli {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "tavrin_cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

FleetJob ShellJob(const std::string& label, const std::string& script, bool json) {
    FleetJob job;
    job.portLabel = label;
    job.json = json;
    job.arguments = {"-c", script};
    return job;
}

std::string Printed(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    return text;
}

TEST(RunFleetJobs, TellsEachJobsOutcome) {
    App();
    const std::vector<FleetJob> jobs{
        ShellJob("COM 1", R"(echo '{"verified": true}'; echo one >&2; printf two >&2)", true),
        ShellJob("COM 2", R"(echo '{"verified": false}'; exit 7)", true),
        // A verb that does not answer in JSON has no verification to report.
        ShellJob("COM 3", R"(echo '{"verified": true}'; exit 0)", false),
        ShellJob("COM 4", "kill -9 $$", true),
    };
    SystemClock clock;
    std::FILE* progress = std::tmpfile();
    ASSERT_NE(progress, nullptr);
    const std::vector<FleetOutcome> outcomes = RunFleetJobs(jobs, "/bin/sh", clock, progress);
    ASSERT_EQ(outcomes.size(), jobs.size());
    EXPECT_EQ(outcomes[0].status, kExitOk);
    EXPECT_EQ(outcomes[0].verified, std::optional(true));
    EXPECT_EQ(outcomes[1].status, 7);
    EXPECT_EQ(outcomes[1].verified, std::optional(false));
    EXPECT_EQ(outcomes[2].status, kExitOk);
    EXPECT_EQ(outcomes[2].verified, std::nullopt);
    EXPECT_EQ(outcomes[3].status, kExitFailure);
    EXPECT_EQ(outcomes[3].note, "the job's process crashed");
    EXPECT_EQ(Printed(progress), "COM 1: one\nCOM 1: two\n");
    std::fclose(progress);

    const std::vector<FleetOutcome> unstarted =
        RunFleetJobs({jobs[0]}, "/nonexistent/tavrin-cli", clock, stderr);
    ASSERT_EQ(unstarted.size(), 1u);
    EXPECT_EQ(unstarted[0].status, kExitFailure);
    EXPECT_EQ(unstarted[0].note, "the job's process did not start");
}

}  // namespace
}  // namespace tavrin::cli
