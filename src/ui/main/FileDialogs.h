// How the window asks the user for a file: a platform dialog on screen, a scripted answer in
// tests.
#pragma once

#include <optional>
#include <string>

namespace tavrin {

struct FileDialogRequest {
    std::string title;
    // Pairs of description and pattern separated by "|": "INI Files (*.ini)|*.ini".
    std::string filter;
    std::string folder;
    std::string fileName;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing when the user cancelled. Saving asks no overwrite question.
    virtual std::optional<std::string> AskSaveName(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskOpenName(const FileDialogRequest& request) = 0;
};

}  // namespace tavrin
