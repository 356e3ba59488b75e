#include "PseudoTerminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace gatewaysim {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        Fail("posix_openpt");
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        ::close(m_master);
        Fail("cannot unlock pty");
    }
    const char* name = ::ptsname(m_master);
    if (name == nullptr) {
        ::close(m_master);
        Fail("ptsname");
    }
    m_slavePath = name;
    m_heldSlave = ::open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (m_heldSlave < 0 || ::tcgetattr(m_heldSlave, &settings) != 0) {
        HangUp();
        Fail("cannot open " + m_slavePath);
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    if (::tcsetattr(m_heldSlave, TCSANOW, &settings) != 0) {
        HangUp();
        Fail("cannot make " + m_slavePath + " raw");
    }
    // Writes to the master must never block the loop when nobody drains the slave.
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    HangUp();
}

int PseudoTerminal::UnreadOnSlave() const {
    int count = 0;
    if (m_heldSlave < 0 || ::ioctl(m_heldSlave, FIONREAD, &count) != 0) {
        return 0;
    }
    return count;
}

void PseudoTerminal::HangUp() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    if (m_heldSlave >= 0) {
        ::close(m_heldSlave);
        m_heldSlave = -1;
    }
}

ScopedSymlink::ScopedSymlink(std::string linkPath, std::string target)
    : m_linkPath(std::move(linkPath)), m_target(std::move(target)) {
    struct stat existing {};
    if (::lstat(m_linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            errno = EEXIST;
            Fail("refusing to replace " + m_linkPath + ", which is not a symlink");
        }
        ::unlink(m_linkPath.c_str());
    }
    if (::symlink(m_target.c_str(), m_linkPath.c_str()) != 0) {
        Fail("cannot create symlink " + m_linkPath);
    }
}

ScopedSymlink::~ScopedSymlink() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(m_linkPath.c_str(), buffer, sizeof buffer);
    if (n >= 0 && std::string(buffer, static_cast<std::size_t>(n)) == m_target) {
        ::unlink(m_linkPath.c_str());
    }
}

}  // namespace gatewaysim
