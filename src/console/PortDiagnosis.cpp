#include "console/PortDiagnosis.h"

#include <algorithm>

namespace tavrin {
namespace {

// Whether the user may read and write the node by its permission bits. Root may always.
bool MayReadWrite(const PortSystem::Node& node, unsigned uid, const std::vector<unsigned>& groups) {
    if (uid == 0) {
        return true;
    }
    unsigned bits = node.mode & 07;
    if (node.owner == uid) {
        bits = (node.mode >> 6) & 07;
    } else if (std::find(groups.begin(), groups.end(), node.group) != groups.end()) {
        bits = (node.mode >> 3) & 07;
    }
    return (bits & 06) == 06;
}

// The group whose members may read and write the node, when joining it would let this user in.
// Never the superuser's group (joining it hands out far more than a port), never a group the mode
// does not grant both, and none for the node's owner, whom the owner's bits decide for whatever
// groups the owner is in.
std::optional<unsigned> GroupToJoin(const PortSystem::Node& node, unsigned uid) {
    if (node.owner == uid || node.group == 0 || ((node.mode >> 3) & 06) != 06) {
        return std::nullopt;
    }
    return node.group;
}

std::string OctalMode(unsigned mode) {
    std::string text;
    for (int shift = 6; shift >= 0; shift -= 3) {
        text += static_cast<char>('0' + ((mode >> shift) & 07));
    }
    return text;
}

void NoAccess(OpenDiagnosis& d, const std::string& device, const PortSystem::Node& node,
              PortSystem& os) {
    d.reason = OpenDiagnosis::Reason::NoAccess;
    const unsigned uid = os.UserId();
    if (const std::optional<unsigned> gid = GroupToJoin(node, uid)) {
        d.group = os.GroupName(*gid);
        d.lines.push_back("You may not use " + device + ": it is open to the group " + d.group +
                          ", and you are not in it.");
        d.lines.push_back("To join it: sudo usermod -aG " + d.group +
                          " $USER, then log out and in again.");
        return;
    }
    if (node.owner == uid) {
        d.lines.push_back("You may not use " + device + ": its mode " + OctalMode(node.mode) +
                          " does not let even its owner read and write it.");
    } else {
        d.lines.push_back("You may not use " + device + ": only its owner, " +
                          os.UserName(node.owner) + ", may use it.");
    }
    d.lines.push_back(
        "An administrator must grant you access to it, with a udev rule (a file in "
        "/etc/udev/rules.d/).");
}

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + item;
    }
    return text;
}

void Busy(OpenDiagnosis& d, std::vector<std::string> holders) {
    d.reason = OpenDiagnosis::Reason::Busy;
    d.holders = std::move(holders);
    d.lines.push_back(d.holders.empty() ? "Another program holds the port."
                                        : "The port is held by " + Joined(d.holders) + ".");
}

}  // namespace

OpenDiagnosis DiagnoseOpenFailure(OpenStatus status, const std::string& device, PortSystem& os,
                                  const std::vector<std::string>& ports) {
    OpenDiagnosis d;
    if (status == OpenStatus::Opened) {
        return d;
    }
    const auto node = os.Stat(device);
    if (!node) {
        d.reason = OpenDiagnosis::Reason::Missing;
        d.ports = ports;
        d.lines.push_back(ports.empty()
                              ? "There is no " + device + ", and no serial port at all."
                              : "There is no " + device + ". Ports there: " + Joined(ports) + ".");
        return d;
    }
    if (status == OpenStatus::Occupied) {
        Busy(d, os.Holders(device, true));
        return d;
    }
    if (!MayReadWrite(*node, os.UserId(), os.UserGroups())) {
        NoAccess(d, device, *node, os);
        return d;
    }
    // Allowed, there, yet refused: held open exclusively by another program, if anyone.
    if (auto holders = os.Holders(device, true); !holders.empty()) {
        Busy(d, std::move(holders));
    }
    return d;
}

std::optional<OpenDiagnosis::Reason> WhyNotOpenable(const std::string& device, PortSystem& os) {
    const auto node = os.Stat(device);
    if (!node) {
        return OpenDiagnosis::Reason::Missing;
    }
    if (!MayReadWrite(*node, os.UserId(), os.UserGroups())) {
        return OpenDiagnosis::Reason::NoAccess;
    }
    if (!os.Holders(device, false).empty()) {
        return OpenDiagnosis::Reason::Busy;
    }
    return std::nullopt;
}

const char* ReasonName(OpenDiagnosis::Reason reason) {
    switch (reason) {
        case OpenDiagnosis::Reason::NoAccess:
            return "no access";
        case OpenDiagnosis::Reason::Busy:
            return "busy";
        case OpenDiagnosis::Reason::Missing:
            return "missing";
        case OpenDiagnosis::Reason::Unknown:
            break;
    }
    return "unknown";
}

}  // namespace tavrin
