// The start-up probe of the real program, as the start-up benchmark uses it: with the switch set
// the program reports when its main window was shown, after the splash's second, and ends by
// itself instead of waiting for the user.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

TEST(StartupProbeTest, ReportsTheMainWindowShownAfterTheSplashAndEnds) {
    std::FILE* program =
        popen("QT_QPA_PLATFORM=offscreen TAVRIN_STARTUP_PROBE=1 '" TAVRIN_EXE "' 2>/dev/null", "r");
    ASSERT_NE(program, nullptr);
    std::string out;
    char buffer[256];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, program)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pclose(program);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    long long ms = -1;
    char rest = 0;
    ASSERT_EQ(std::sscanf(out.c_str(), "Main_F shown %lld ms after process start%c", &ms, &rest), 2)
        << out;
    EXPECT_EQ(rest, '\n');
    EXPECT_GE(ms, 1000);   // the splash shows for a second first
    EXPECT_LT(ms, 60000);  // a sane time, not a misread clock
}

struct ProgramRun {
    int status = -1;
    std::string out;  // stdout and stderr together
};

// The program with no display of any kind, its two streams together.
ProgramRun WithoutDisplay(const std::string& args) {
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" TAVRIN_EXE "' " + args + " 2>&1";
    std::FILE* program = popen(command.c_str(), "r");
    ProgramRun run;
    if (program == nullptr) {
        return run;
    }
    char buffer[256];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, program)) > 0;) {
        run.out.append(buffer, n);
    }
    const int status = pclose(program);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Help and version need no display; an unknown option is a usage error; a start without any
// display says so in one line instead of aborting.
TEST(CommandLineTest, AnswersWithoutADisplay) {
    const ProgramRun help = WithoutDisplay("--help");
    EXPECT_EQ(help.status, 0) << help.out;
    EXPECT_NE(help.out.find("--log <file>"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos) << help.out;
    const ProgramRun version = WithoutDisplay("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("tavrin ", 0), 0u) << version.out;
    const ProgramRun unknown = WithoutDisplay("--bogus");
    EXPECT_EQ(unknown.status, 2) << unknown.out;
    EXPECT_EQ(unknown.out.rfind("tavrin: Unknown option 'bogus'.", 0), 0u) << unknown.out;
    const ProgramRun plain = WithoutDisplay("");
    EXPECT_EQ(plain.status, 1) << plain.out;
    EXPECT_EQ(plain.out.find('\n'), plain.out.size() - 1) << plain.out;
    EXPECT_EQ(plain.out.rfind("tavrin: no display", 0), 0u) << plain.out;
}

}  // namespace
