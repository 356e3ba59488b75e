// What an INI control instance knows: the name of its file. Every key access goes to that file
// afresh through the profile rules; the instance keeps no handle and no copy of the content.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class IniKeys {
public:
    const std::string& FileName() const { return m_fileName; }
    // No check that the file exists or that the path is valid: that shows at the first access.
    void SetFileName(std::string fileName) { m_fileName = std::move(fileName); }

    // The key's value (cut to 1023 characters; the empty text for a missing file, section or key),
    // or nothing at all while the file name is empty.
    std::optional<std::string> GetKey(std::string_view section, std::string_view key) const;
    // Sets the key, creating the file and section when missing. Returns false only when a file
    // was named and could not be written; an empty file name writes nothing and is no failure.
    bool WriteKey(std::string_view section, std::string_view key, std::string_view value) const;
    // True when the file name names an ordinary file that exists and is not hidden, which is
    // what the desktop is asked to open.
    bool NamesOrdinaryFile() const;

private:
    std::string m_fileName;
};

}  // namespace quillon
