// The port diagnosis's view of this machine: stat(), the group database, the user's groups, lock
// files and /proc.
#pragma once

#include "console/PortDiagnosis.h"

namespace tavrin {

class PosixPortSystem final : public PortSystem {
public:
    std::optional<Node> Stat(const std::string& path) override;
    std::string GroupName(unsigned gid) override;
    std::string UserName(unsigned uid) override;
    unsigned UserId() override;
    std::vector<unsigned> UserGroups() override;
    std::vector<std::string> Holders(const std::string& path, bool openersToo) override;
};

// The lock file name serial programs agree on: "LCK.." and the device without "/dev/", slashes
// made underscores ("/dev/ttyUSB0" gives "LCK..ttyUSB0").
std::string LockFileName(const std::string& device);

}  // namespace tavrin
