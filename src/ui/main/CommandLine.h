// tavrin's own command line, read before any window system is touched: --help and --version
// answer without a display, an unknown option is a usage error, and a start without any display
// says so instead of letting the window system abort the program.
#pragma once

#include <optional>
#include <string>

namespace tavrin {

struct ProgramOptions {
    std::string logPath;  // --log FILE, empty without it
};

// The options to start with, or the exit status when the program ends here (help or version
// printed: 0; usage error: 2; no display: 1), with what it printed on stdout or stderr. Qt's own
// options (-platform, -style, ...) are let through for the application object.
struct CommandLineResult {
    std::optional<ProgramOptions> options;
    int exitStatus = 0;
};
CommandLineResult ReadCommandLine(int argc, char** argv);

}  // namespace tavrin
