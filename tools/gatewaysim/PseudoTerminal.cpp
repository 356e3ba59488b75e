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

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) {
        fail("posix_openpt");
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        ::close(master_);
        fail("cannot unlock pty");
    }
    const char* name = ::ptsname(master_);
    if (name == nullptr) {
        ::close(master_);
        fail("ptsname");
    }
    slavePath_ = name;
    heldSlave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings{};
    if (heldSlave_ < 0 || ::tcgetattr(heldSlave_, &settings) != 0) {
        hangUp();
        fail("cannot open " + slavePath_);
    }
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    if (::tcsetattr(heldSlave_, TCSANOW, &settings) != 0) {
        hangUp();
        fail("cannot make " + slavePath_ + " raw");
    }
    // Writes to the master must never block the loop when nobody drains the slave.
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() {
    hangUp();
}

int PseudoTerminal::unreadOnSlave() const {
    int count = 0;
    if (heldSlave_ < 0 || ::ioctl(heldSlave_, FIONREAD, &count) != 0) {
        return 0;
    }
    return count;
}

void PseudoTerminal::hangUp() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (heldSlave_ >= 0) {
        ::close(heldSlave_);
        heldSlave_ = -1;
    }
}

ScopedSymlink::ScopedSymlink(std::string linkPath, std::string target)
    : linkPath_(std::move(linkPath)), target_(std::move(target)) {
    struct stat existing {};
    if (::lstat(linkPath_.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            errno = EEXIST;
            fail("refusing to replace " + linkPath_ + ", which is not a symlink");
        }
        ::unlink(linkPath_.c_str());
    }
    if (::symlink(target_.c_str(), linkPath_.c_str()) != 0) {
        fail("cannot create symlink " + linkPath_);
    }
}

ScopedSymlink::~ScopedSymlink() {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(linkPath_.c_str(), buffer, sizeof buffer);
    if (n >= 0 && std::string(buffer, static_cast<std::size_t>(n)) == target_) {
        ::unlink(linkPath_.c_str());
    }
}

}  // namespace gatewaysim
