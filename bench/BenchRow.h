// One row of the benchmark table, as a Markdown table line: what was measured, the figure, the
// target beside it, whether the target is met, and what the figure is made of.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace tavrin::bench {

inline void PrintRow(const std::string& what, const std::string& figure, const std::string& target,
                     bool met, const std::string& detail) {
    std::printf("| %s | %s | %s | %s | %s |\n", what.c_str(), figure.c_str(), target.c_str(),
                met ? "yes" : "**no**", detail.c_str());
    std::fflush(stdout);
}

// printf-style text for a table cell.
__attribute__((format(printf, 1, 2))) inline std::string Cell(const char* format, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

}  // namespace tavrin::bench
