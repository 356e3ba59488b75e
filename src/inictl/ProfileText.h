// The private-profile rules of INI files, on a file's bytes in memory. Parameter files are shared
// with other tools that read and write them through the Windows private-profile functions, so the
// matching, trimming and insertion rules here are theirs, byte for byte; nothing is converted
// (texts are single-byte, ASCII letters match without regard to case).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The value of `key` in the first section named `section`, as a profile read gives it (blanks
// around it and one pair of enclosing quotes removed, no length limit here). Empty optional when
// the file has no such section or key. The arguments are trimmed of spaces only.
std::optional<std::string> FindProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key);

// The file's bytes after a profile write of `value` (taken exactly as given) to `key` of
// `section`: an existing key is replaced in place, a new key goes after the last key line of its
// section, a new section at the end of the file. Every other line is kept byte for byte.
std::string SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace quillon
