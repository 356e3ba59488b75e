#include "PortLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace gatewaysim {
namespace {

std::string ExecutableName() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        return "tavrin-gatewaysim";
    }
    std::string path(buffer, static_cast<std::size_t>(n));
    // Qt drops this suffix too when the binary was replaced while running.
    const std::string deleted = " (deleted)";
    if (path.size() > deleted.size() && path.ends_with(deleted)) {
        path.resize(path.size() - deleted.size());
    }
    return path.substr(path.rfind('/') + 1);
}

std::string HostName() {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0) {
        return {};
    }
    return buffer;
}

}  // namespace

std::vector<std::string> QtLockDirectories() {
    std::vector<std::string> dirs = {"/var/lock",         "/etc/locks", "/var/spool/locks",
                                     "/var/spool/uucp",   "/tmp",       "/var/tmp",
                                     "/var/lock/lockdev", "/run/lock"};
    const char* tmp = std::getenv("TMPDIR");
    dirs.push_back(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp");
    return dirs;
}

std::string QtLockFilePath(std::string_view devicePath, const std::vector<std::string>& lockDirs) {
    std::string name(devicePath);
    if (name.starts_with("/dev/")) {
        name.erase(0, 5);
    }
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    name = "/LCK.." + name;
    for (const std::string& dir : lockDirs) {
        const std::string file = dir + name;
        if (::access(dir.c_str(), R_OK) == 0 &&
            (::access(file.c_str(), F_OK) == 0 || ::access(dir.c_str(), W_OK) == 0)) {
            return file;
        }
    }
    throw std::runtime_error("no usable lock directory for " + std::string(devicePath));
}

std::string LockFileContent() {
    return std::to_string(::getpid()) + "\n" + ExecutableName() + "\n" + HostName() + "\n";
}

PortLock::PortLock(std::string path) : m_path(std::move(path)) {
    // Any earlier lock for this name is stale: the pty (or link) was just created by us.
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        throw std::runtime_error("cannot create lock file " + m_path + ": " + std::strerror(errno));
    }
    const std::string content = LockFileContent();
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0 ||
        ::write(m_fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
        const std::string error = std::strerror(errno);
        ::close(m_fd);
        ::unlink(m_path.c_str());
        throw std::runtime_error("cannot take lock file " + m_path + ": " + error);
    }
}

PortLock::~PortLock() {
    ::unlink(m_path.c_str());
    ::close(m_fd);
}

}  // namespace gatewaysim
