#include "ui/main/ParameterPanels.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "console/ConsoleMessages.h"
#include "rules/PanelMessages.h"
#include "ui/main/ChannelToggle.h"

namespace tavrin {
namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Trimmed(const QString& entry) {
    return Text(TrimBlanks(entry.toStdString()));
}

}  // namespace

ParameterPanels::ParameterPanels(const MainControls& controls, GatewaySettings& settings,
                                 MessageBoxes& boxes, QObject* parent)
    : QObject(parent), m_c(controls), m_settings(settings), m_boxes(boxes) {
    for (int index = 0; index < 2; ++index) {
        connect(m_c.ComButton[index], &QPushButton::clicked, this,
                [this, index] { ToggleClick(index); });
        connect(m_c.ApplicationSelect[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on) {
                ApplicationSelectClick(index);
            }
        });
    }
    connect(m_c.SettingCANParameter, &QPushButton::clicked, this,
            &ParameterPanels::SettingCanClick);
    connect(m_c.SettingCOMParameter, &QPushButton::clicked, this,
            &ParameterPanels::SettingComClick);
    // Return in a panel's text field commits that panel, as its button would.
    connect(m_c.CANNodeId, &QLineEdit::returnPressed, this, &ParameterPanels::SettingCanClick);
    connect(m_c.ComTimeout, &QLineEdit::returnPressed, this, &ParameterPanels::SettingComClick);
}

void ParameterPanels::SetToggle(int index, bool pressed) {
    m_c.ComButton[index]->SetValue(pressed);
    m_c.ComButton[index]->SetBackColour(pressed ? kTogglePressedColour : kToggleReleasedColour);
}

void ParameterPanels::ReleaseToggles() {
    SetToggle(0, false);
    SetToggle(1, false);
}

void ParameterPanels::ToggleClick(int index) {
    const bool pressed = m_c.ComButton[index]->Value();
    const ToggleDecision decision = DecideToggleClick(index, pressed, m_shownPanel);
    if (decision.reshowSettingFrame) {
        (index == kCanSide ? m_c.ParaSetting : m_c.ComParaSetting)->show();
        SetToggle(index, true);
    }
    if (decision.releaseToggle >= 0) {
        SetToggle(decision.releaseToggle, false);
    }
    if (decision.openSide) {
        SetToggle(index, true);
        if (index == kComSide) {
            OpenComSide();
        } else {
            OpenCanSide();
        }
    }
    if (decision.hideSettingFrames) {
        m_c.ComButton[index]->SetBackColour(kToggleReleasedColour);
        m_c.ParaSetting->hide();
        m_c.ComParaSetting->hide();
    }
    m_shownPanel = decision.newShownPanel;
}

void ParameterPanels::FillList(QComboBox* list, const std::vector<std::string>& entries,
                               int selected) {
    list->clear();
    for (const std::string& entry : entries) {
        list->addItem(Text(entry));
    }
    list->setCurrentIndex(selected < list->count() ? selected : -1);
}

void ParameterPanels::OpenComSide() {
    m_c.ComButton[kCanSide]->SetValue(false);
    m_c.ParaSetting->hide();
    m_c.ParaView->hide();
    m_c.ComParaSetting->show();
    m_c.COMParaView->show();
    m_c.SettingCOMParameter->show();

    FillList(m_c.ComBr, ComBaudEntries(), ListPosition(m_settings.ComBaudIndex, 0, 8));
    FillList(m_c.ComDb, ComDataBitsEntries(), ListPosition(m_settings.ComDataBits, 7, 2));
    FillList(m_c.ComPb, ComParityEntries(), ListPosition(m_settings.ComParity, 0, 3));
    FillList(m_c.ComSb, ComStopBitsEntries(), ListPosition(m_settings.ComStopBits, 1, 2));
    m_c.ComTimeout->setText(QString::number(m_settings.ComTimeout));
    ShowComViewer();
}

void ParameterPanels::ShowComViewer() {
    QComboBox* lists[4] = {m_c.ComBr, m_c.ComDb, m_c.ComPb, m_c.ComSb};
    for (int i = 0; i < 4; ++i) {
        m_c.COMViewerText[i]->setText(Trimmed(lists[i]->currentText()));
    }
    m_c.COMViewerText[4]->setText(m_c.ComTimeout->text().trimmed() + QStringLiteral(" ms"));
}

bool ParameterPanels::SelectLayer(int layer) {
    const bool wasOff = !m_c.ApplicationSelect[layer]->isChecked();
    m_c.ApplicationSelect[1 - layer]->setChecked(false);
    m_c.ApplicationSelect[layer]->setChecked(true);  // runs ApplicationSelectClick when it was off
    return wasOff;
}

void ParameterPanels::OpenCanSide() {
    m_c.ComButton[kComSide]->SetValue(false);
    m_c.ComParaSetting->hide();
    m_c.COMParaView->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(m_c.ParaSetting), static_cast<QWidget*>(m_c.ParaView),
          static_cast<QWidget*>(m_c.SettingCANParameter), static_cast<QWidget*>(m_c.CANBaudrate),
          static_cast<QWidget*>(m_c.CANNodeId)}) {
        w->show();
    }
    for (QLabel* label : m_c.ParaSettingC0) {
        label->show();
    }
    for (int row = 0; row < 3; ++row) {
        m_c.ViewerC0[row]->show();
        m_c.ViewerText[row]->show();
    }

    m_c.CANBaudrate->clear();
    const int layer = m_settings.AppLayer != 0 ? 1 : 0;
    const bool filledByOption = SelectLayer(layer);
    const CanSideShown shown = tavrin::OpenCanSide(m_settings, filledByOption);
    if (!filledByOption) {
        FillList(m_c.CANBaudrate, CanRateEntries(shown.layer), -1);
    }
    m_c.ViewerText[0]->setText(Text(LayerName(shown.layer)));
    m_c.CANNodeId->setText(QString::number(m_settings.NodeId));
    m_c.ViewerText[2]->setText(QString::number(m_settings.NodeId));
    m_c.CANBaudrate->setCurrentIndex(shown.selectedRate);
    m_c.ViewerText[1]->setText(m_c.CANBaudrate->currentIndex() >= 0 ? m_c.CANBaudrate->currentText()
                                                                    : QString());
}

void ParameterPanels::ApplicationSelectClick(int layer) {
    m_c.CANBaudrate->clear();
    m_c.ApplicationSelect[1 - layer]->setChecked(false);
    m_c.ApplicationSelect[layer]->setChecked(true);
    FillList(m_c.CANBaudrate, CanRateEntries(layer), 0);
}

void ParameterPanels::SettingCanClick() {
    const int layer = m_c.ApplicationSelect[0]->isChecked() ? 0 : 1;
    const std::optional<int> nodeId = NodeIdFromText(m_c.CANNodeId->text().toStdString(), layer);
    if (!nodeId) {
        m_boxes.Show(layer == 0 ? msg::kNodeIdCanOpen : msg::kNodeIdDeviceNet, msg::kError);
        return;
    }
    const int rate = m_c.CANBaudrate->currentIndex();
    if (rate < 0) {
        m_boxes.Show(msg::kSelectFromEveryList, msg::kError);
        return;
    }
    StoreCanSettings(m_settings, layer, rate, *nodeId);
    m_c.ViewerText[0]->setText(Text(LayerName(layer)));
    m_c.ViewerText[1]->setText(m_c.CANBaudrate->currentText());
    m_c.ViewerText[2]->setText(QString::number(*nodeId));
    m_c.CommunicationState->setText(QString::fromLatin1(msg::kCanSettingOk));
}

void ParameterPanels::SettingComClick() {
    const std::optional<int> timeout = TimeoutFromText(m_c.ComTimeout->text().toStdString());
    if (!timeout) {
        m_boxes.Show(msg::kTimeoutRange, msg::kError);
        return;
    }
    const int baud = m_c.ComBr->currentIndex();
    const int dataBits = m_c.ComDb->currentIndex();
    const int parity = m_c.ComPb->currentIndex();
    const int stopBits = m_c.ComSb->currentIndex();
    if (baud < 0 || dataBits < 0 || parity < 0 || stopBits < 0) {
        m_boxes.Show(msg::kSelectFromEveryList, msg::kError);
        return;
    }
    StoreComSettings(m_settings, {baud, dataBits, parity, stopBits, *timeout});
    QComboBox* lists[4] = {m_c.ComBr, m_c.ComDb, m_c.ComPb, m_c.ComSb};
    for (int i = 0; i < 4; ++i) {
        m_c.COMViewerText[i]->setText(Trimmed(lists[i]->currentText()));
    }
    m_c.COMViewerText[4]->setText(QString::number(*timeout) + QStringLiteral(" ms"));
    m_c.CommunicationState->setText(QString::fromLatin1(msg::kComSettingOk));
}

}  // namespace tavrin
