// Records what a console sequence shows: its messages (as the window's boxes), status texts,
// progress and look changes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/MessageBoxes.h"
#include "console/ReadSequence.h"
#include "console/WriteSequence.h"

namespace tavrin::testing {

struct ShownBox {
    std::string text;
    std::string title;
    BoxButtons buttons = BoxButtons::Ok;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

class RecordingBoxes final : public MessageBoxes {
public:
    BoxAnswer Show(const std::string& text, const std::string& title, BoxButtons buttons,
                   BoxIcon) override {
        shown.push_back({text, title, buttons});
        if (buttons == BoxButtons::Ok) {
            return BoxAnswer::Ok;
        }
        const auto own = answers.find(title);
        return own != answers.end() ? own->second : answer;
    }
    // The boxes shown, leaving out the questions titled `title`.
    std::vector<ShownBox> Without(const std::string& title) const {
        std::vector<ShownBox> rest;
        for (const ShownBox& box : shown) {
            if (box.title != title || box.buttons == BoxButtons::Ok) {
                rest.push_back(box);
            }
        }
        return rest;
    }
    std::vector<ShownBox> shown;
    // The answer to every question, unless its title has one of its own.
    BoxAnswer answer = BoxAnswer::Yes;
    std::map<std::string, BoxAnswer> answers;
};

// What a sequence tells its view lands in `boxes`, as the window shows it, so that a rig's read and
// write views keep one record of the messages in the order they came.
class RecordingReadView final : public ReadView {
public:
    explicit RecordingReadView(RecordingBoxes& told) : boxes(told) {}
    void Tell(const Notice& n) override {
        boxes.Show(n.text, n.title, BoxButtons::Ok, BoxIcon::None);
    }
    void ConnectPressed() override { events.push_back("pressed"); }
    void ShowReadingLook() override { events.push_back("reading look"); }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    void SetProgress(int value) override { progress.push_back(value); }
    void ConsoleReleased() override { events.push_back("released"); }
    void ShowConnectedLook(ModuleKind kind, const std::string& firmware) override {
        events.push_back("connected look");
        moduleKind = kind;
        firmwareText = firmware;
    }
    void EnableFileCommands() override { events.push_back("file commands"); }
    void OpenCanPanel() override { events.push_back("can panel"); }

    RecordingBoxes& boxes;
    std::vector<std::string> events;
    std::vector<std::string> statuses;
    std::vector<int> progress;
    ModuleKind moduleKind = ModuleKind::K6420e;
    std::string firmwareText;
};

// The status line as a write sequence (or Finish) sets it.
class RecordingWriteView final : public WriteView {
public:
    explicit RecordingWriteView(RecordingBoxes& told) : boxes(told) {}
    void Tell(const Notice& n) override {
        boxes.Show(n.text, n.title, BoxButtons::Ok, BoxIcon::None);
    }
    void SetStatus(const std::string& text) override { statuses.push_back(text); }
    RecordingBoxes& boxes;
    std::vector<std::string> statuses;
};

}  // namespace tavrin::testing
