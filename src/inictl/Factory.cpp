// The class factory. On the desktops Quillon was first made for, hosts found the control through
// a system registry of ProgIDs and class identifiers; here the library answers those lookups
// itself, for the one class it serves.
#include <QWidget>
#include <atomic>

#include "inictl/Control.h"
#include "inictl/INI.h"
#include "inictl/LiveInstances.h"

namespace quillon {
namespace {

std::atomic<int> g_liveInstances{0};

}  // namespace

InstanceCount::InstanceCount() {
    ++g_liveInstances;
}

InstanceCount::InstanceCount(const InstanceCount&) {
    ++g_liveInstances;
}

InstanceCount::~InstanceCount() {
    --g_liveInstances;
}

int InstanceCount::Live() {
    return g_liveInstances.load();
}

std::string ClassIdFromProgId(std::string_view progId) {
    return progId == kProgId ? std::string(kClassId) : std::string();
}

std::unique_ptr<Control> CreateInstance(std::string_view classId, QWidget* parent, HostMode mode) {
    if (classId != kClassId) {
        return nullptr;
    }
    return std::make_unique<INI>(parent, mode);
}

std::unique_ptr<Control> CreateControl(std::string_view progId, QWidget* parent, HostMode mode) {
    const std::string classId = ClassIdFromProgId(progId);
    return classId.empty() ? nullptr : CreateInstance(classId, parent, mode);
}

bool CanUnloadNow() {
    return InstanceCount::Live() == 0;
}

}  // namespace quillon
