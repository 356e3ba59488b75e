// The parameter file's key access from the command line: Quillon's C interface, the same INI
// control the main window places as INI1, without a window.
#pragma once

#include "inictl/quillon.h"
#include "rules/ParameterFile.h"

namespace tavrin::cli {

class QuillonFileKeys final : public IniKeyAccess {
public:
    // Throws std::runtime_error when the library makes no control.
    QuillonFileKeys();
    ~QuillonFileKeys() override;
    QuillonFileKeys(const QuillonFileKeys&) = delete;
    QuillonFileKeys& operator=(const QuillonFileKeys&) = delete;

    // Each throws std::runtime_error when the control refuses the call; WriteKey also when the
    // file could not be written, so a save stops at the first key that did not reach the disk.
    void SetFileName(const std::string& path) override;
    std::optional<std::string> GetKey(const std::string& section, const std::string& key) override;
    void WriteKey(const std::string& section, const std::string& key,
                  const std::string& value) override;

private:
    quillon_ini* m_ini;
};

}  // namespace tavrin::cli
