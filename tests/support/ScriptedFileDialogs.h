// File dialogs that answer from a script and remember what they were asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/main/FileDialogs.h"

namespace tavrin::testing {

struct AskedDialog {
    bool save;
    FileDialogRequest request;
};

class ScriptedFileDialogs final : public FileDialogs {
public:
    // The next answer; nothing stands for Cancel. With no answer scripted the dialog is cancelled.
    void Answer(std::optional<std::string> path) { m_answers.push_back(std::move(path)); }

    std::optional<std::string> AskSaveName(const FileDialogRequest& request) override {
        return Next(true, request);
    }
    std::optional<std::string> AskOpenName(const FileDialogRequest& request) override {
        return Next(false, request);
    }

    std::vector<AskedDialog> asked;

private:
    std::optional<std::string> Next(bool save, const FileDialogRequest& request) {
        asked.push_back({save, request});
        if (m_answers.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::string>> m_answers;
};

}  // namespace tavrin::testing
