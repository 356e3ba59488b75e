#include "modbus/ui/BusCheckWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "modbus/BusCheckGuard.h"
#include "modbus/rtu/LibModbusBus.h"
#include "widgets/DevicePathDialog.h"

namespace tavrin {
namespace {

const QStringList kColumns{QStringLiteral("Object"),   QStringLiteral("Device"),
                           QStringLiteral("Function"), QStringLiteral("Start"),
                           QStringLiteral("Length"),   QStringLiteral("Outcome")};

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

BusCheckWindow::BusCheckWindow(std::vector<AppObject> objects, BusSerialSettings line,
                               BusCheckServices services, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_table(std::move(objects)),
      m_line(std::move(line)),
      m_services(std::move(services)),
      m_boxes(boxes),
      m_ports(m_services.ports, m_services.env) {
    setObjectName(QStringLiteral("BusCheck"));
    setWindowTitle(QStringLiteral("Check on bus"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("BusPort"));
    m_objectChoice = new QComboBox(this);
    m_objectChoice->setObjectName(QStringLiteral("BusObjects"));
    m_objectChoice->addItem(QStringLiteral("All objects"));
    for (std::size_t i = 1; i <= m_table.size(); ++i) {
        m_objectChoice->addItem(QStringLiteral("Object %1").arg(i));
    }
    auto* settings = new QLabel(Q("Gateway COM settings: " + SerialSettingsText(m_line)), this);
    settings->setObjectName(QStringLiteral("BusSettings"));
    auto* note = new QLabel(QString::fromLatin1(kReadsOnlyNote), this);
    note->setObjectName(QStringLiteral("ReadsOnly"));
    note->setWordWrap(true);

    m_rows = new QTableWidget(0, static_cast<int>(kColumns.size()), this);
    m_rows->setObjectName(QStringLiteral("BusRows"));
    m_rows->setHorizontalHeaderLabels(kColumns);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_rows->verticalHeader()->hide();
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setMinimumSize(720, 240);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("BusStatus"));
    m_start = new QPushButton(QStringLiteral("Start"), this);
    m_start->setObjectName(QStringLiteral("BusStart"));
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("BusStop"));
    auto* closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("BusClose"));

    auto* choices = new QGridLayout;
    choices->addWidget(new QLabel(QStringLiteral("RS-485 port:"), this), 0, 0);
    choices->addWidget(m_port, 0, 1);
    choices->addWidget(new QLabel(QStringLiteral("Objects:"), this), 1, 0);
    choices->addWidget(m_objectChoice, 1, 1);
    choices->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_start);
    buttons->addWidget(m_stop);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(settings);
    layout->addWidget(note);
    layout->addWidget(m_rows, 1);
    layout->addLayout(buttons);

    m_ports.Start({});
    ShowPortList();
    connect(m_port, &QComboBox::activated, this, &BusCheckWindow::PortActivated);
    connect(m_start, &QPushButton::clicked, this, &BusCheckWindow::StartClick);
    connect(m_stop, &QPushButton::clicked, this, &BusCheckWindow::StopClick);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    SetRunning(false);
}

BusCheckWindow::~BusCheckWindow() {
    m_stopWanted = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void BusCheckWindow::ShowPortList() {
    const QSignalBlocker quiet(m_port);
    m_port->clear();
    for (const PortEntry& entry : m_ports.Entries()) {
        m_port->addItem(Q(entry.label));
    }
    const auto selected = m_ports.Selected();
    m_port->setCurrentIndex(selected ? static_cast<int>(*selected) : -1);
}

// As in the main window: a typed path joins the list just before "Other port..." and is chosen.
void BusCheckWindow::PortActivated(int entry) {
    m_ports.Select(entry < 0 ? std::nullopt : std::optional<std::size_t>(entry));
    const PortEntry* chosen = m_ports.Chosen();
    if (chosen == nullptr || chosen->kind != PortEntry::Kind::Other) {
        return;
    }
    std::optional<std::string> device;
    if (m_services.askDevicePath) {
        device = m_services.askDevicePath();
    } else {
        device = AskDevicePath(this);
    }
    if (device && !device->empty()) {
        m_ports.AddTyped(*device);
        ShowPortList();
    }
}

PortChoice BusCheckWindow::ChosenPort() const {
    const PortEntry* chosen = m_ports.Chosen();
    if (chosen == nullptr || chosen->kind == PortEntry::Kind::Other) {
        return {};
    }
    // "COM n" is bound when it is opened, as in the main window.
    if (chosen->kind == PortEntry::Kind::Com) {
        return ResolvePort(chosen->comNumber, m_services.env);
    }
    return chosen->Choice();
}

void BusCheckWindow::StartClick() {
    if (Running()) {
        return;
    }
    const PortChoice port = ChosenPort();
    if (port.device.empty()) {
        m_boxes.Show("Choose the RS-485 port first.", "Error");
        return;
    }
    const bool busy = m_services.consoleBusy && m_services.consoleBusy();
    const std::string console = m_services.consoleDevice ? m_services.consoleDevice() : "";
    if (const auto refusal = BusCheckRefusal(busy, port.device, port.Label(), console)) {
        m_boxes.Show(*refusal, "Error");
        return;
    }
    const int choice = m_objectChoice->currentIndex();
    const std::vector<int> numbers = ObjectNumbers(
        static_cast<int>(m_table.size()), choice > 0 ? std::optional(choice) : std::nullopt);
    std::unique_ptr<ModbusBus> bus =
        m_services.makeBus ? m_services.makeBus() : std::make_unique<LibModbusBus>();
    BusSerialSettings line = m_line;
    line.device = port.device;

    m_rows->setRowCount(0);
    m_answered = 0;
    m_stopWanted = false;
    SetRunning(true);
    m_status->setText(Q("Checking on " + port.Label() + "..."));
    m_worker = std::thread([this, numbers, line, label = port.Label(), bus = std::move(bus)] {
        const std::string why = bus->Open(line);
        if (why.empty()) {
            RunBusCheck(
                *bus, m_table, numbers,
                [this](const BusCheckRow& row) {
                    QMetaObject::invokeMethod(
                        this, [this, row] { AddRow(row); }, Qt::QueuedConnection);
                },
                [this] { return m_stopWanted.load(); });
            bus->Close();
        }
        QMetaObject::invokeMethod(
            this, [this, why, label] { Ended(why, label); }, Qt::QueuedConnection);
    });
}

void BusCheckWindow::StopClick() {
    if (Running()) {
        m_stopWanted = true;
        m_status->setText(QStringLiteral("Stopping after the object on the line..."));
    }
}

void BusCheckWindow::AddRow(const BusCheckRow& row) {
    const int at = m_rows->rowCount();
    m_rows->insertRow(at);
    const std::string cells[] = {
        std::to_string(row.number),         std::to_string(row.request.deviceId),
        FunctionCodeText(row.request),      std::to_string(row.request.startAddress),
        std::to_string(row.request.length), OutcomeText(row)};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
        m_rows->setItem(at, c, new QTableWidgetItem(Q(cells[c])));
    }
    for (int c = 0; c + 1 < m_rows->columnCount(); ++c) {
        m_rows->resizeColumnToContents(c);
    }
    m_answered += row.Answered() ? 1 : 0;
}

void BusCheckWindow::Ended(const std::string& openFailure, const std::string& portLabel) {
    if (m_worker.joinable()) {
        m_worker.join();
    }
    SetRunning(false);
    if (!openFailure.empty()) {
        m_status->setText(Q("Can't open " + portLabel));
        m_boxes.Show("Can't open " + portLabel + "!\n" + openFailure, "Error");
    } else {
        m_status->setText(Q(std::to_string(m_answered) + " of " +
                            std::to_string(m_rows->rowCount()) + " objects answered OK" +
                            (m_stopWanted ? " (stopped)" : "")));
    }
    emit RunEnded();
    if (m_closeWhenEnded) {
        close();
    }
}

void BusCheckWindow::SetRunning(bool running) {
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_port->setEnabled(!running);
    m_objectChoice->setEnabled(!running);
}

// A run is stopped first; the window goes when the object on the line has been answered.
void BusCheckWindow::closeEvent(QCloseEvent* event) {
    if (Running()) {
        m_closeWhenEnded = true;
        StopClick();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

}  // namespace tavrin
