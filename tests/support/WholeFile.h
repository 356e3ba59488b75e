// A whole file as bytes, read or written in one go.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace tavrin::testing {

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteWholeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tavrin::testing
