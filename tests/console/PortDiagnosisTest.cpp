#include "console/PortDiagnosis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tavrin {
namespace {

constexpr unsigned kDialout = 20;
constexpr unsigned kUser = 1000;

// A machine staged by the case: one device node (or none), the user and its groups, holders.
struct StagedSystem final : PortSystem {
    std::optional<Node> node;
    unsigned uid = kUser;
    std::vector<unsigned> groups = {kUser};
    std::vector<std::string> holders;

    std::optional<Node> Stat(const std::string&) override { return node; }
    std::string GroupName(unsigned gid) override {
        return gid == kDialout ? "dialout" : std::to_string(gid);
    }
    unsigned UserId() override { return uid; }
    std::vector<unsigned> UserGroups() override { return groups; }
    std::vector<std::string> lockHolders;
    std::vector<std::string> Holders(const std::string&, bool openersToo) override {
        return openersToo ? holders : lockHolders;
    }
};

struct DiagnosisCase {
    std::string name;
    OpenStatus status;
    StagedSystem os;
    std::vector<std::string> ports;
    OpenDiagnosis::Reason reason;
    std::vector<std::string> lines;
};

void PrintTo(const DiagnosisCase& c, std::ostream* os) {
    *os << c.name;
}

StagedSystem Node(unsigned owner, unsigned group, unsigned mode) {
    StagedSystem os;
    os.node = PortSystem::Node{owner, group, mode};
    return os;
}

StagedSystem With(StagedSystem os, unsigned uid, std::vector<unsigned> groups,
                  std::vector<std::string> holders = {}) {
    os.uid = uid;
    os.groups = std::move(groups);
    os.holders = std::move(holders);
    return os;
}

const std::vector<std::string> kNoAccess = {
    "You may not use /dev/ttyUSB0: it is open to the group dialout, and you are not in it.",
    "To join it: sudo usermod -aG dialout $USER, then log out and in again."};

class PortDiagnosisTest : public testing::TestWithParam<DiagnosisCase> {};

TEST_P(PortDiagnosisTest, SaysWhyAndWhatToDo) {
    DiagnosisCase c = GetParam();
    const OpenDiagnosis d = DiagnoseOpenFailure(c.status, "/dev/ttyUSB0", c.os, c.ports);
    EXPECT_EQ(d.reason, c.reason);
    EXPECT_EQ(d.lines, c.lines);
}

using R = OpenDiagnosis::Reason;

INSTANTIATE_TEST_SUITE_P(
    Ports, PortDiagnosisTest,
    testing::Values(
        DiagnosisCase{"MissingNamesThePortsThere",
                      OpenStatus::CannotOpen,
                      {},
                      {"/dev/ttyS0", "/dev/ttyACM0"},
                      R::Missing,
                      {"There is no /dev/ttyUSB0. Ports there: /dev/ttyS0, /dev/ttyACM0."}},
        DiagnosisCase{"MissingWithNoPortsAtAll",
                      OpenStatus::CannotOpen,
                      {},
                      {},
                      R::Missing,
                      {"There is no /dev/ttyUSB0, and no serial port at all."}},
        DiagnosisCase{"OutsideTheGroup",
                      OpenStatus::CannotOpen,
                      Node(0, kDialout, 0660),
                      {},
                      R::NoAccess,
                      kNoAccess},
        // Group bits decide for a member even where others may read and write.
        DiagnosisCase{"MemberOfAGroupWithoutWrite",
                      OpenStatus::CannotOpen,
                      With(Node(0, kDialout, 0646), kUser, {kUser, kDialout}),
                      {},
                      R::NoAccess,
                      kNoAccess},
        DiagnosisCase{"MemberButHeldExclusively",
                      OpenStatus::CannotOpen,
                      With(Node(0, kDialout, 0660), kUser, {kUser, kDialout}, {"minicom (pid 7)"}),
                      {},
                      R::Busy,
                      {"The port is held by minicom (pid 7)."}},
        DiagnosisCase{"OwnerRefusedForNoKnownReason",
                      OpenStatus::CannotOpen,
                      Node(kUser, kDialout, 0600),
                      {},
                      R::Unknown,
                      {}},
        DiagnosisCase{"RootIsNeverToldToJoinAGroup",
                      OpenStatus::CannotOpen,
                      With(Node(0, kDialout, 0600), 0, {0}),
                      {},
                      R::Unknown,
                      {}},
        DiagnosisCase{
            "OccupiedNamesEveryHolder",
            OpenStatus::Occupied,
            With(Node(0, kDialout, 0660), kUser, {kDialout}, {"screen (pid 9)", "cu (pid 12)"}),
            {},
            R::Busy,
            {"The port is held by screen (pid 9), cu (pid 12)."}},
        DiagnosisCase{"OccupiedByAnUnknownProgram",
                      OpenStatus::Occupied,
                      With(Node(0, kDialout, 0660), kUser, {kDialout}),
                      {},
                      R::Busy,
                      {"Another program holds the port."}}),
    [](const testing::TestParamInfo<DiagnosisCase>& info) { return info.param.name; });

// An open port of another program (a simulator keeps its pty open) does not make it unopenable;
// its lock file does.
TEST(WhyNotOpenable, CountsLockFilesNotOpeners) {
    StagedSystem os = With(Node(0, kDialout, 0660), kUser, {kDialout}, {"sim (pid 3)"});
    EXPECT_EQ(WhyNotOpenable("/dev/pts/3", os), std::nullopt);
    os.lockHolders = {"minicom (pid 4)"};
    EXPECT_EQ(WhyNotOpenable("/dev/pts/3", os), OpenDiagnosis::Reason::Busy);
    StagedSystem outsider = With(Node(0, kDialout, 0660), kUser, {kUser});
    EXPECT_EQ(WhyNotOpenable("/dev/pts/3", outsider), OpenDiagnosis::Reason::NoAccess);
    StagedSystem none = With({}, kUser, {kUser});
    EXPECT_EQ(WhyNotOpenable("/dev/pts/3", none), OpenDiagnosis::Reason::Missing);
}

}  // namespace
}  // namespace tavrin
