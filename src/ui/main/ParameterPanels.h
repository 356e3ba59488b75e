// The CAN and COM parameter panels of the main window: the two channel toggles choose the side on
// show, each side's lists and viewer mirror the gateway's settings, and "Setting" / "Set" validate
// what the user chose and store it in the settings only. Nothing goes to the gateway from here; the
// values reach its EEPROM when the configuration is written.
#pragma once

#include <QObject>

#include "common/MessageBoxes.h"
#include "config/GatewaySettings.h"
#include "rules/PanelRules.h"
#include "ui/main/MainControls.h"

namespace tavrin {

class ParameterPanels final : public QObject {
    Q_OBJECT
public:
    ParameterPanels(const MainControls& controls, GatewaySettings& settings, MessageBoxes& boxes,
                    QObject* parent = nullptr);

    // The toggle `index` was clicked; its pressed state is already the new one.
    void ToggleClick(int index);
    // Option `layer` of ApplicationSelect was switched on (by the user or by code): the bit-rate
    // list is refilled for that layer with its first entry selected.
    void ApplicationSelectClick(int layer);
    // Switches option `layer` on, running the click behaviour when it was off.
    // Returns whether the click behaviour ran (and so filled the list).
    bool SelectLayer(int layer);
    void SettingCanClick();
    void SettingComClick();

    int ShownPanel() const { return m_shownPanel; }
    void SetShownPanel(int panel) { m_shownPanel = panel; }
    // Switches both toggles off and greys them (the start of a connect).
    void ReleaseToggles();

private:
    void SetToggle(int index, bool pressed);
    void OpenComSide();
    void OpenCanSide();
    void FillList(QComboBox* list, const std::vector<std::string>& entries, int selected);
    void ShowComViewer();

    const MainControls& m_c;
    GatewaySettings& m_settings;
    MessageBoxes& m_boxes;
    int m_shownPanel = kNoPanel;
};

}  // namespace tavrin
