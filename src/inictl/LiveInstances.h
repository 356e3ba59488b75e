// How many objects of this library are alive, so a host knows when it may unload it.
#pragma once

namespace quillon {

class InstanceCount {
public:
    InstanceCount();
    ~InstanceCount();
    InstanceCount(const InstanceCount&);
    InstanceCount& operator=(const InstanceCount&) = default;

    static int Live();
};

}  // namespace quillon
