// Holding the port the way another serial program would, so that Tavrin's open is refused.
//
// QSerialPort (Qt 6.4) takes a QLockFile before opening a device. Its name comes from the path
// being opened: a leading "/dev/" is dropped, every other "/" becomes "_", and "LCK.." is put in
// front, in the first usable directory of Qt's list (/var/lock here). So /dev/pts/3 and a symlink
// /tmp/gw to it have different lock files, and both must be held. QLockFile treats an existing
// lock as held when it reads "pid\napp\nhost\n" with a live pid whose executable's file name is
// app, on this host; it also treats any lock older than 30 s as stale, but deletes one only after
// taking flock() on it, so the simulator keeps its lock files flock()ed.
//
// Checked with a small Qt 6.4.2 program calling QSerialPort::open on the simulator's pty:
// - with --hold: PermissionError ("Permission error while locking the device"), through the pty
//   path and through the --link symlink alike;
// - without --hold: opens, and closes and reopens (three times by the pty path, twice by the
//   symlink) with the console answering each time;
// - a hand-made lock for the pty path only: the pty path is refused, the symlink path opens;
// - a hand-made lock dated two minutes back, not flock()ed: Qt deletes it and opens; the same
//   age with the simulator's flock() held: still PermissionError (so too after 35 s of real
//   time);
// - a lock naming another executable or a dead pid: Qt deletes it and opens.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace gatewaysim {

// Where Qt looks for the lock of `devicePath`, trying `lockDirs` in order.
std::string QtLockFilePath(std::string_view devicePath, const std::vector<std::string>& lockDirs);

// Qt's own directory list.
std::vector<std::string> QtLockDirectories();

// The lock file content that makes QLockFile see this process as a live owner.
std::string LockFileContent();

// Creates the lock file and keeps it until destroyed.
class PortLock {
public:
    explicit PortLock(std::string path);
    ~PortLock();
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    int m_fd = -1;
};

}  // namespace gatewaysim
