// For tests about what an ordinary user may not do: root may write every folder, so a test
// program started as root runs itself again as nobody (uid 65534), as an installed program runs
// for a technician. Without setpriv it stays root, and such tests skip.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tavrin::testing {

inline constexpr const char* kSetpriv = "/usr/bin/setpriv";

// Returns only when the process is not root or cannot become nobody.
inline void BecomeOrdinaryUser(int argc, char** argv) {
    if (::geteuid() != 0 || !std::filesystem::exists(kSetpriv)) {
        return;
    }
    std::vector<char*> args{const_cast<char*>(kSetpriv), const_cast<char*>("--reuid=65534"),
                            const_cast<char*>("--regid=65534"),
                            const_cast<char*>("--clear-groups")};
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    args.push_back(const_cast<char*>(self.c_str()));
    for (int i = 1; i < argc; ++i) {
        args.push_back(argv[i]);
    }
    args.push_back(nullptr);
    ::execv(kSetpriv, args.data());
}

// True when folder permissions bind this process (it is not root).
inline bool PermissionsBind() {
    return ::geteuid() != 0;
}

}  // namespace tavrin::testing
