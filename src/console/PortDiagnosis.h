// Why a port would not open and what to do about it, in words a technician can act on: the
// line(s) shown after "Can't open ...!" or "... has been occupied".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/SerialPort.h"

namespace tavrin {

// The little of the operating system the diagnosis needs, so tests can stage any situation.
class PortSystem {
public:
    struct Node {
        unsigned owner = 0;
        unsigned group = 0;
        unsigned mode = 0;  // permission bits, as st_mode & 0777
    };
    virtual ~PortSystem() = default;
    // The device node behind `path`, symlinks followed; none when it does not exist.
    virtual std::optional<Node> Stat(const std::string& path) = 0;
    virtual std::string GroupName(unsigned gid) = 0;  // the number as text when it has no name
    // The user's name, the number as text when it has none (and where the system is not asked).
    virtual std::string UserName(unsigned uid) { return std::to_string(uid); }
    virtual unsigned UserId() = 0;
    virtual std::vector<unsigned> UserGroups() = 0;  // primary and supplementary
    // The programs that hold `path`, each as "name (pid N)", this program excluded: those named
    // by its lock file (LCK..name in the lock folders) and, with `openersToo`, the processes that
    // have it open. Having it open keeps nobody else out unless it was opened exclusively, so
    // openers only explain a refusal, they do not predict one.
    virtual std::vector<std::string> Holders(const std::string& path, bool openersToo) = 0;
};

struct OpenDiagnosis {
    enum class Reason { Unknown, NoAccess, Busy, Missing };
    Reason reason = Reason::Unknown;
    // NoAccess: the group to join, when joining it would let the user in (the device's group,
    // granted read and write by its mode, and not the superuser's); else empty.
    std::string group;
    std::vector<std::string> holders;  // Busy: who holds it, when that could be found
    std::vector<std::string> ports;    // Missing: the ports that are there
    std::vector<std::string> lines;    // what to tell the user, after the existing message
};

// `ports` are the devices the system reports, for the "missing" case.
OpenDiagnosis DiagnoseOpenFailure(OpenStatus status, const std::string& device, PortSystem& os,
                                  const std::vector<std::string>& ports);

// Why this user could not open `device` now (missing, no access, busy by a lock file); none when
// it could, as far as the node's permissions and the lock files tell.
std::optional<OpenDiagnosis::Reason> WhyNotOpenable(const std::string& device, PortSystem& os);

// "no access", "busy", "missing" or "unknown", as the command line's JSON names the reason.
const char* ReasonName(OpenDiagnosis::Reason reason);

}  // namespace tavrin
