#include "PortLock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"

namespace gatewaysim {
namespace {

struct LockNameCase {
    std::string device;
    std::string lockName;
};

void PrintTo(const LockNameCase& c, std::ostream* os) {
    *os << c.device;
}

class LockNameTest : public testing::TestWithParam<LockNameCase> {};

TEST_P(LockNameTest, FollowsQtsNaming) {
    TempDir dir;
    EXPECT_EQ(QtLockFilePath(GetParam().device, {dir.Path().string()}),
              dir.File(GetParam().lockName));
}

INSTANTIATE_TEST_SUITE_P(PortLock, LockNameTest,
                         testing::Values(LockNameCase{"/dev/pts/3", "LCK..pts_3"},
                                         LockNameCase{"/dev/ttyUSB0", "LCK..ttyUSB0"},
                                         LockNameCase{"/tmp/gw/link", "LCK.._tmp_gw_link"}));

TEST(PortLockTest, SkipsLockDirectoriesThatDoNotExist) {
    TempDir dir;
    EXPECT_EQ(QtLockFilePath("/dev/pts/7", {dir.File("missing"), dir.Path().string()}),
              dir.File("LCK..pts_7"));
}

TEST(PortLockTest, NamesThisLiveProcessAndKeepsTheFileFlockedUntilReleased) {
    TempDir dir;
    const std::string path = dir.File("LCK..pts_9");
    {
        PortLock lock(path);
        std::ifstream in(path);
        std::string pid, app, host;
        std::getline(in, pid);
        std::getline(in, app);
        std::getline(in, host);
        char HostName[256] = {};
        ::gethostname(HostName, sizeof HostName - 1);
        EXPECT_EQ(pid, std::to_string(::getpid()));
        EXPECT_EQ(app, "gatewaysim_tests");
        EXPECT_EQ(host, HostName);

        // What Qt does before deleting a lock it thinks stale.
        const int other = ::open(path.c_str(), O_WRONLY);
        ASSERT_GE(other, 0);
        EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
        ::close(other);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace gatewaysim
