// INI1: the Quillon INI control on the main window, created by its ProgID and called by dispatch
// number, as the parameter file's key access.
#pragma once

#include <memory>

#include "inictl/Control.h"
#include "rules/ParameterFile.h"

class QWidget;

namespace tavrin {

class QuillonKeys final : public IniKeyAccess {
public:
    // Places the control on `host` under the name INI1.
    explicit QuillonKeys(QWidget* host);
    ~QuillonKeys() override;

    // The control's window; nullptr when the library could not make one.
    QWidget* Widget() const;

    // Each throws quillon::Error when the control refuses the call, and std::runtime_error when
    // there is no control.
    void SetFileName(const std::string& path) override;
    std::optional<std::string> GetKey(const std::string& section, const std::string& key) override;
    void WriteKey(const std::string& section, const std::string& key,
                  const std::string& value) override;

private:
    QVariant Call(quillon::DispId id, quillon::InvokeKind kind, QVariantList args);

    std::unique_ptr<quillon::Control> m_control;
};

}  // namespace tavrin
