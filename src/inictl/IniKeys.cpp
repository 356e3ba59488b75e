#include "inictl/IniKeys.h"

#include <filesystem>

#include "inictl/ProfileFile.h"

namespace quillon {

std::optional<std::string> IniKeys::GetKey(std::string_view section, std::string_view key) const {
    if (m_fileName.empty()) {
        return std::nullopt;
    }
    return ReadProfileString(m_fileName, section, key);
}

bool IniKeys::WriteKey(std::string_view section, std::string_view key,
                       std::string_view value) const {
    if (m_fileName.empty()) {
        return true;
    }
    return WriteProfileString(m_fileName, section, key, value);
}

bool IniKeys::NamesOrdinaryFile() const {
    if (m_fileName.empty()) {
        return false;
    }
    const std::filesystem::path path(m_fileName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    // Dot files are this desktop's hidden files.
    const std::string name = path.filename().string();
    return !name.empty() && name.front() != '.';
}

}  // namespace quillon
