// The main window's port list: the catalogue of ports shown in "PC COM Port", kept current while
// the window is idle and each time the list drops down, "Other port..." for a typed device path,
// and the last port that connected remembered for the next start.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSettings>
#include <QStyle>

#include "console/ConsoleMessages.h"
#include "ui/main/MainWindow.h"
#include "widgets/DevicePathDialog.h"

namespace tavrin {
namespace {

const QString kLastPortKey = QStringLiteral("ports/lastConnected");
// Device paths typed through "Other port..." that connected, offered again at the next start.
const QString kTypedPortsKey = QStringLiteral("ports/typed");

}  // namespace

void MainWindow::ShowPortList() {
    const std::vector<PortEntry>& entries = m_ports.Entries();
    QStringList labels;
    for (const PortEntry& entry : entries) {
        labels << QString::fromStdString(entry.label);
    }
    QStringList shown;
    for (int i = 0; i < m_c.ComPort->count(); ++i) {
        shown << m_c.ComPort->itemText(i);
    }
    const QSignalBlocker quiet(m_c.ComPort);
    // Rebuilt only when something changed, so an open list does not flicker every refresh.
    if (labels != shown) {
        m_c.ComPort->clear();
        m_c.ComPort->addItems(labels);
        for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
            if (!entries[i].device.empty()) {
                m_c.ComPort->setItemData(i, QString::fromStdString(entries[i].device),
                                         Qt::ToolTipRole);
            }
        }
    }
    const std::optional<std::size_t> selected = m_ports.Selected();
    m_c.ComPort->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
    ShowWholePortLabels();
}

// Adapter descriptions and typed paths run long: the open list is as wide as its longest entry,
// and the box's tooltip names the chosen entry whole, with the device it opens.
void MainWindow::ShowWholePortLabels() {
    QAbstractItemView* list = m_c.ComPort->view();
    list->setTextElideMode(Qt::ElideNone);
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                          list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const int entry = m_c.ComPort->currentIndex();
    QString tip = m_c.ComPort->currentText();
    if (const std::vector<PortEntry>& entries = m_ports.Entries();
        entry >= 0 && entry < static_cast<int>(entries.size()) && !entries[entry].device.empty() &&
        entries[entry].device != entries[entry].label) {
        tip += QStringLiteral("\n") + QString::fromStdString(entries[entry].device);
    }
    m_c.ComPort->setToolTip(tip);
}

void MainWindow::TakePortChoice() {
    const int entry = m_c.ComPort->currentIndex();
    m_ports.Select(entry < 0 ? std::nullopt : std::optional<std::size_t>(entry));
}

PortChoice MainWindow::ChosenPort() const {
    const int entry = m_c.ComPort->currentIndex();
    const std::vector<PortEntry>& entries = m_ports.Entries();
    if (entry < 0 || entry >= static_cast<int>(entries.size()) ||
        entries[entry].kind == PortEntry::Kind::Other) {
        return ResolvePort(1, m_env);
    }
    // "COM n" is bound when it is opened, as it always was: a TAVRIN_COM<n> set after the list
    // was built still counts.
    if (entries[entry].kind == PortEntry::Kind::Com) {
        return ResolvePort(entries[entry].comNumber, m_env);
    }
    return entries[entry].Choice();
}

void MainWindow::RefreshPorts() {
    // While a sequence runs its port must stay the one it opened; an open list is left alone
    // by the idle refresh (it was refreshed as it dropped down).
    if (m_session.Busy || (sender() == &m_portTimer && m_c.ComPort->view()->isVisible())) {
        return;
    }
    TakePortChoice();
    const PortRefresh refresh = m_ports.Refresh();
    ShowPortList();
    if (refresh.vanished) {
        SetStatus(msg::PortVanished(*refresh.vanished));
    }
}

void MainWindow::PortActivated(int entry) {
    TakePortChoice();
    if (entry >= 0 && m_ports.Chosen() != nullptr &&
        m_ports.Chosen()->kind == PortEntry::Kind::Other) {
        AskOtherPort();
    }
}

// The typed path joins the list just before "Other port..." and is chosen; a cancel leaves
// "Other port..." chosen and opens nothing.
bool MainWindow::AskOtherPort() {
    std::optional<std::string> device;
    if (m_askDevicePath) {
        device = m_askDevicePath();
    } else {
        device = AskDevicePath(this);
    }
    if (!device || device->empty()) {
        return false;
    }
    m_ports.AddTyped(*device);
    ShowPortList();
    return true;
}

std::string MainWindow::RememberedPort() const {
    return m_settings != nullptr ? m_settings->value(kLastPortKey).toString().toStdString()
                                 : std::string();
}

void MainWindow::RestoreTypedPorts() {
    if (m_settings == nullptr) {
        return;
    }
    std::vector<std::string> devices;
    for (const QString& device : m_settings->value(kTypedPortsKey).toStringList()) {
        devices.push_back(device.toStdString());
    }
    m_ports.RestoreTyped(devices);
}

void MainWindow::RememberConnectedPort() {
    if (m_ports.Chosen() == nullptr) {
        return;
    }
    const std::string device = ChosenPort().device;
    m_ports.Connected(device);
    if (m_settings != nullptr) {
        m_settings->setValue(kLastPortKey, QString::fromStdString(device));
        QStringList typed;
        for (const std::string& path : m_ports.ProvenTyped()) {
            typed << QString::fromStdString(path);
        }
        if (typed.isEmpty()) {
            m_settings->remove(kTypedPortsKey);
        } else {
            m_settings->setValue(kTypedPortsKey, typed);
        }
    }
}

void MainWindow::ForgetUnopenedPort() {
    if (m_ports.Chosen() == nullptr) {
        return;
    }
    m_ports.Unopened(ChosenPort().device);
    ShowPortList();
}

std::vector<std::string> MainWindow::OpenAdvice(PortSystem& os, OpenStatus status,
                                                const std::string& device) {
    std::vector<std::string> ports;
    if (m_lister != nullptr) {
        for (const SystemPort& port : m_lister->List()) {
            ports.push_back(port.device);
        }
    }
    return DiagnoseOpenFailure(status, device, os, ports).lines;
}

}  // namespace tavrin
