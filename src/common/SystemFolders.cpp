#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/FolderAccess.h"

namespace tavrin {
namespace {

// Enough to need a block of the disk, so a full disk says so here rather than in the real write.
constexpr std::size_t kProbeBytes = 4096;

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

}  // namespace

int SystemFolders::CreateCheck(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return errno;
    }
    if (!S_ISDIR(info.st_mode)) {
        return ENOTDIR;
    }
    int fd = -1;
    std::string probe;
    for (int attempt = 0; fd < 0; ++attempt) {
        probe =
            folder + "/.tavrin-check." + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && (errno != EEXIST || attempt >= 100)) {
            return errno;
        }
    }
    const std::string bytes(kProbeBytes, '\0');
    int error = 0;
    for (std::size_t written = 0; written < bytes.size() && error == 0;) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n >= 0) {
            written += static_cast<std::size_t>(n);
        } else if (errno != EINTR) {
            error = errno;
        }
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    ::unlink(probe.c_str());
    return error;
}

int SystemFolders::MakeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return error.value();
    }
    return std::filesystem::is_directory(folder, error) ? 0 : ENOTDIR;
}

std::string ErrorText(int error) {
    return std::generic_category().message(error);
}

int FileWriteCheck(FolderAccess& folders, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return EISDIR;
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return errno;
        }
        ::close(fd);
    }
    return folders.CreateCheck(FolderOf(path));
}

}  // namespace tavrin
