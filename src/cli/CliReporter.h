// How the command line shows a console sequence: the system's messages on stderr, word for word,
// and nothing else unless asked.
#pragma once

#include <cstdio>

#include "common/MessageBoxes.h"
#include "console/ReadSequence.h"

namespace tavrin::cli {

class CliReporter final : public MessageBoxes, public ReadView {
public:
    explicit CliReporter(std::FILE* out = stderr) : m_out(out) {}

    BoxAnswer Show(const std::string& text, const std::string& title, BoxButtons buttons,
                   BoxIcon icon) override;

    void ConnectPressed() override {}
    void ShowReadingLook() override {}
    void SetStatus(const std::string&) override {}
    void SetProgress(int) override {}
    void ConsoleReleased() override {}
    void ShowConnectedLook(ModuleKind, const std::string&) override {}
    void EnableFileCommands() override {}
    void OpenCanPanel() override {}

private:
    std::FILE* m_out;
};

}  // namespace tavrin::cli
