// Profile reads and writes on files. Every call goes to the file afresh: no handle is kept and
// nothing is cached, so a file edited by hand or by another tool in between is seen as it is now.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

// The profile read's buffer holds 1024 characters including the terminating NUL.
inline constexpr std::size_t kProfileBufferSize = 1024;
inline constexpr std::size_t kProfileValueLimit = kProfileBufferSize - 1;

// The value of `key` in `section` of the file at `path` (a local 8-bit file name), cut to its
// first 1023 characters. A missing or unreadable file, section or key gives the empty text.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key);

// Sets `key` of `section` in the file at `path` to `value`, creating the file when it is missing.
// The new content is written beside the old file and renamed over it (keeping the old file's
// permissions and writing through a symbolic link to its target), so a crash or a full disk never
// leaves half a file. Returns false when the file could not be read or written (a missing
// folder, no permission, a full disk); the old file is then unchanged and nothing is left behind.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace quillon
