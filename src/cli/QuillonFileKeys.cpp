#include "cli/QuillonFileKeys.h"

#include <stdexcept>

#include "inictl/Identity.h"

namespace tavrin::cli {

QuillonFileKeys::QuillonFileKeys() : m_ini(quillon_create(quillon::kProgId)) {
    if (m_ini == nullptr) {
        throw std::runtime_error("the INI control is not available");
    }
}

QuillonFileKeys::~QuillonFileKeys() {
    quillon_destroy(m_ini);
}

void QuillonFileKeys::SetFileName(const std::string& path) {
    if (quillon_set_file_name(m_ini, path.c_str()) != 0) {
        throw std::runtime_error("the INI control refused the file name " + path);
    }
}

std::optional<std::string> QuillonFileKeys::GetKey(const std::string& section,
                                                   const std::string& key) {
    // The control never returns more than 1023 characters of a value.
    char value[1024];
    const long length = quillon_get_key(m_ini, section.c_str(), key.c_str(), value, sizeof value);
    if (length == QUILLON_EMPTY) {
        return std::nullopt;
    }
    if (length < 0) {
        throw std::runtime_error("the INI control refused to read " + key);
    }
    return std::string(value, static_cast<std::size_t>(length));
}

void QuillonFileKeys::WriteKey(const std::string& section, const std::string& key,
                               const std::string& value) {
    if (quillon_write_key(m_ini, section.c_str(), key.c_str(), value.c_str()) != 0) {
        throw std::runtime_error("the INI control could not write " + key);
    }
}

}  // namespace tavrin::cli
