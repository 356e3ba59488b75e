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

}  // namespace
