#include "console/PosixPortSystem.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace tavrin {
namespace {

namespace fs = std::filesystem;

// The program's own file name from its command line (the kernel's short name stops at 15
// characters), else that short name.
std::string ProcessName(long pid) {
    const std::string proc = "/proc/" + std::to_string(pid);
    std::ifstream cmdline(proc + "/cmdline");
    std::string name;
    std::getline(cmdline, name, '\0');
    name = fs::path(name).filename().string();
    if (name.empty()) {
        std::ifstream comm(proc + "/comm");
        std::getline(comm, name);
    }
    return (name.empty() ? "a program" : name) + " (pid " + std::to_string(pid) + ")";
}

bool Alive(long pid) {
    return pid > 0 && fs::exists("/proc/" + std::to_string(pid));
}

// Lock files hold the holder's pid first, as text (QLockFile puts its name and host after it).
std::optional<long> LockPid(const std::string& file) {
    std::ifstream in(file);
    long pid = 0;
    if (in >> pid && pid > 0) {
        return pid;
    }
    return std::nullopt;
}

std::vector<std::string> LockFolders() {
    std::vector<std::string> folders = {"/var/lock", "/run/lock", "/var/lock/lockdev", "/tmp",
                                        "/var/tmp"};
    if (const char* tmp = std::getenv("TMPDIR"); tmp != nullptr && *tmp != '\0') {
        folders.emplace_back(tmp);
    }
    return folders;
}

}  // namespace

std::string LockFileName(const std::string& device) {
    std::string name = device.rfind("/dev/", 0) == 0 ? device.substr(5) : device;
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return "LCK.." + name;
}

std::optional<PortSystem::Node> PosixPortSystem::Stat(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return Node{st.st_uid, st.st_gid, static_cast<unsigned>(st.st_mode & 0777)};
}

std::string PosixPortSystem::GroupName(unsigned gid) {
    if (const group* g = ::getgrgid(gid); g != nullptr && g->gr_name != nullptr) {
        return g->gr_name;
    }
    return std::to_string(gid);
}

std::string PosixPortSystem::UserName(unsigned uid) {
    if (const passwd* p = ::getpwuid(uid); p != nullptr && p->pw_name != nullptr) {
        return p->pw_name;
    }
    return std::to_string(uid);
}

unsigned PosixPortSystem::UserId() {
    return ::geteuid();
}

std::vector<unsigned> PosixPortSystem::UserGroups() {
    std::vector<unsigned> groups = {::getegid()};
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        std::vector<gid_t> supplementary(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, supplementary.data());
        for (int i = 0; i < got; ++i) {
            groups.push_back(supplementary[static_cast<std::size_t>(i)]);
        }
    }
    return groups;
}

std::vector<std::string> PosixPortSystem::Holders(const std::string& path, bool openersToo) {
    std::error_code error;
    const fs::path target = fs::canonical(path, error);
    std::set<long> pids;
    const long self = ::getpid();
    for (const std::string& folder : LockFolders()) {
        for (const std::string& device : {path, error ? path : target.string()}) {
            if (const auto pid = LockPid(folder + "/" + LockFileName(device));
                pid && *pid != self && Alive(*pid)) {
                pids.insert(*pid);
            }
        }
    }
    if (openersToo && !error) {
        // Only our own processes' descriptors are readable unless we are root; others are
        // skipped quietly.
        for (const auto& process : fs::directory_iterator("/proc", error)) {
            const std::string name = process.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos) {
                continue;
            }
            const long pid = std::strtol(name.c_str(), nullptr, 10);
            if (pid == self) {
                continue;
            }
            std::error_code fdError;
            for (const auto& fd : fs::directory_iterator(process.path() / "fd", fdError)) {
                std::error_code linkError;
                if (fs::read_symlink(fd.path(), linkError) == target && !linkError) {
                    pids.insert(pid);
                    break;
                }
            }
        }
    }
    std::vector<std::string> holders;
    for (long pid : pids) {
        holders.push_back(ProcessName(pid));
    }
    return holders;
}

}  // namespace tavrin
