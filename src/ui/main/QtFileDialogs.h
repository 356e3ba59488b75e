// File dialogs on screen.
#pragma once

#include <QString>

#include "ui/main/FileDialogs.h"

class QWidget;

namespace tavrin {

// "Desc (*.a)|*.a|Other|*.b" as Qt name filters: "Desc (*.a);;Other (*.b)".
QString QtNameFilters(const std::string& pipeFilter);

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    std::optional<std::string> AskSaveName(const FileDialogRequest& request) override;
    std::optional<std::string> AskOpenName(const FileDialogRequest& request) override;

private:
    QWidget* m_parent;
};

}  // namespace tavrin
