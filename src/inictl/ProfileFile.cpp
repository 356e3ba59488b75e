#include "inictl/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "inictl/ProfileText.h"

namespace quillon {

namespace {

namespace fs = std::filesystem;

// Closes the descriptor on every path out of a function.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closing reports the last deferred write errors (NFS, full disks), so it is checked.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// A file's whole content and permissions, or the errno of the failure: ENOENT when there is no
// such file, EINVAL when the path names a folder or a device.
struct FileBytes {
    std::string bytes;
    mode_t permissions = 0;
    int error = 0;
};

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes file;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0) {
        file.error = errno;
        return file;
    }
    // Folders and devices are never parameter files; reading one would fail or never end.
    if (!S_ISREG(status.st_mode)) {
        file.error = EINVAL;
        return file;
    }
    file.permissions = status.st_mode & 07777;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
        if (n > 0)
            file.bytes.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            return file;
        else if (errno != EINTR) {
            file.error = errno;
            return file;
        }
    }
}

// A link is followed to the file it names, so the rename replaces that file and the link stays.
// A dangling link names the file to create. Too long a chain (a loop) gives no file.
std::optional<std::string> FollowLinks(const std::string& path) {
    constexpr int kMaxLinks = 40;
    fs::path current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current.string();
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            return std::nullopt;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return std::nullopt;
}

bool WriteAll(int fd, const std::string& text) {
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n >= 0)
            written += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            return false;
    }
    return true;
}

// A hidden name beside the target that no other writer (thread or process) is using.
int CreateTemporary(const fs::path& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = (target.parent_path() /
                     ("." + target.filename().string() + "." + std::to_string(::getpid()) + "-" +
                      std::to_string(counter++) + ".tmp"))
                        .string();
        // 0666 lets the umask decide, as for any newly created file.
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The rename is only durable once the folder's entry is on disk too. A failure here cannot undo
// the rename, and the new content is in place, so it is not reported.
void SyncFolder(const fs::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

// Replaces `path` with `text` so that a reader (or a crash) sees the old file or the complete new
// one, never a half-written one. `permissions` are the old file's, if there was one.
bool ReplaceFile(const fs::path& path, const std::string& text, std::optional<mode_t> permissions) {
    std::string temporary;
    FileDescriptor fd(CreateTemporary(path, temporary));
    if (fd.Get() < 0)
        return false;
    const bool written = (!permissions || ::fchmod(fd.Get(), *permissions) == 0) &&
                         WriteAll(fd.Get(), text) && ::fsync(fd.Get()) == 0;
    const bool closed = fd.Close();
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(path.parent_path().empty() ? fs::path(".") : path.parent_path());
    return true;
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key) {
    const FileBytes file = ReadWholeFile(path);
    if (file.error != 0)
        return {};
    std::string value = FindProfileValue(file.bytes, section, key).value_or(std::string());
    if (value.size() > kProfileValueLimit)
        value.resize(kProfileValueLimit);
    return value;
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    const std::optional<std::string> target = FollowLinks(path);
    if (!target)
        return false;
    const FileBytes old = ReadWholeFile(*target);
    const bool missing = old.error == ENOENT;
    if (old.error != 0 && !missing)
        return false;
    return ReplaceFile(*target, SetProfileValue(old.bytes, section, key, value),
                       missing ? std::nullopt : std::optional<mode_t>(old.permissions));
}

}  // namespace quillon
