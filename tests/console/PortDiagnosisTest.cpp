#include "console/PortDiagnosis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tavrin {
namespace {

constexpr unsigned kRoot = 0;
constexpr unsigned kUucp = 10;
constexpr unsigned kDialout = 20;
constexpr unsigned kUser = 1000;  // the user, and the user's own group

// A machine staged by the case: one device node (or none), the user and its groups, holders.
struct StagedSystem final : PortSystem {
    std::optional<Node> node;
    unsigned uid = kUser;
    std::vector<unsigned> groups = {kUser};
    std::vector<std::string> holders;

    std::optional<Node> Stat(const std::string&) override { return node; }
    std::string GroupName(unsigned gid) override { return Name(gid); }
    std::string UserName(unsigned uid) override { return Name(uid); }
    static std::string Name(unsigned id) {
        switch (id) {
            case kRoot:
                return "root";
            case kUucp:
                return "uucp";
            case kDialout:
                return "dialout";
            case kUser:
                return "tech";
        }
        return std::to_string(id);
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

std::vector<std::string> OwnerOnly(const std::string& owner) {
    return {"You may not use /dev/ttyUSB0: only its owner, " + owner + ", may use it.",
            "An administrator must grant you access to it, with a udev rule (a file in "
            "/etc/udev/rules.d/)."};
}

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
        // Group bits decide for a member even where others may read and write; the group may
        // not write, so joining it is no advice.
        DiagnosisCase{"MemberOfAGroupWithoutWrite",
                      OpenStatus::CannotOpen,
                      With(Node(0, kDialout, 0646), kUser, {kUser, kDialout}),
                      {},
                      R::NoAccess,
                      OwnerOnly("root")},
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

// Which group, if any, the user is told to join, by the node's mode, owner and group: only one
// whose members may read and write it, never the superuser's; otherwise that only the owner may
// use it and an administrator must grant access. The same lines reach the window's box, stderr
// and the JSON `advice`, and `group` is the group named.
struct AdviceCase {
    std::string name;
    unsigned owner;
    unsigned group;
    unsigned mode;
    std::vector<unsigned> userGroups;
    OpenDiagnosis::Reason reason;
    std::string joinGroup;
    std::vector<std::string> lines;
};

void PrintTo(const AdviceCase& c, std::ostream* os) {
    *os << c.name;
}

class PortAdviceTest : public testing::TestWithParam<AdviceCase> {};

TEST_P(PortAdviceTest, NamesOnlyAGroupThatMayUseTheDevice) {
    const AdviceCase& c = GetParam();
    StagedSystem os = With(Node(c.owner, c.group, c.mode), kUser, c.userGroups);
    const OpenDiagnosis d = DiagnoseOpenFailure(OpenStatus::CannotOpen, "/dev/ttyUSB0", os, {});
    EXPECT_EQ(d.reason, c.reason);
    EXPECT_EQ(d.group, c.joinGroup);
    EXPECT_EQ(d.lines, c.lines);
    for (const std::string& line : d.lines) {
        EXPECT_EQ(line.find("-aG root"), std::string::npos) << line;
    }
}

std::vector<std::string> Join(const std::string& group) {
    return {"You may not use /dev/ttyUSB0: it is open to the group " + group +
                ", and you are not in it.",
            "To join it: sudo usermod -aG " + group + " $USER, then log out and in again."};
}

INSTANTIATE_TEST_SUITE_P(
    ModesAndOwners, PortAdviceTest,
    testing::Values(
        AdviceCase{"Root600", kRoot, kRoot, 0600, {kUser}, R::NoAccess, "", OwnerOnly("root")},
        AdviceCase{"RootGroup660", kRoot, kRoot, 0660, {kUser}, R::NoAccess, "", OwnerOnly("root")},
        AdviceCase{
            "Dialout600", kRoot, kDialout, 0600, {kUser}, R::NoAccess, "", OwnerOnly("root")},
        AdviceCase{
            "Dialout660", kRoot, kDialout, 0660, {kUser}, R::NoAccess, "dialout", Join("dialout")},
        AdviceCase{"Uucp660", kRoot, kUucp, 0660, {kUser}, R::NoAccess, "uucp", Join("uucp")},
        AdviceCase{"UucpOwned600", kUucp, kUucp, 0600, {kUser}, R::NoAccess, "", OwnerOnly("uucp")},
        // Write without read (a terminal's 620) is no use to a console program.
        AdviceCase{
            "Dialout620", kRoot, kDialout, 0620, {kUser}, R::NoAccess, "", OwnerOnly("root")},
        AdviceCase{"MemberOf620",
                   kRoot,
                   kDialout,
                   0620,
                   {kUser, kDialout},
                   R::NoAccess,
                   "",
                   OwnerOnly("root")},
        AdviceCase{"Open666", kRoot, kRoot, 0666, {kUser}, R::Unknown, "", {}},
        AdviceCase{
            "UsersOwnGroup600", kRoot, kUser, 0600, {kUser}, R::NoAccess, "", OwnerOnly("root")},
        AdviceCase{"UsersOwnGroup660", kRoot, kUser, 0660, {kUser}, R::Unknown, "", {}},
        AdviceCase{
            "MemberOfDialout660", kUucp, kDialout, 0660, {kUser, kDialout}, R::Unknown, "", {}},
        AdviceCase{"UsersOwn600", kUser, kDialout, 0600, {kUser}, R::Unknown, "", {}},
        // The owner's bits decide for the owner: joining the group would not help.
        AdviceCase{"UsersOwnWithoutWrite",
                   kUser,
                   kDialout,
                   0460,
                   {kUser},
                   R::NoAccess,
                   "",
                   {"You may not use /dev/ttyUSB0: its mode 460 does not let even its owner "
                    "read and write it.",
                    "An administrator must grant you access to it, with a udev rule (a file in "
                    "/etc/udev/rules.d/)."}}),
    [](const testing::TestParamInfo<AdviceCase>& info) { return info.param.name; });

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
