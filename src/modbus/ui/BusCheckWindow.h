// "Check on bus": the bus check of the editor's working table in a window. The user picks the
// RS-485 port from the same list the main window offers (COM 1..16, the adapters, "Other
// port..."), presses Start, and the rows fill in as each object is answered; Stop ends the run
// after the object on the line. Reads only, as the window says.
//
// libmodbus waits for each answer with a blocking call of up to the reply timeout (as long as
// 32767 ms), so the run goes on a thread of its own and hands each row to the window's thread;
// the window stays responsive and Stop is heard between objects.
#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/MessageBoxes.h"
#include "console/PortPicker.h"
#include "modbus/BusCheck.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tavrin {

// What the window needs of the program around it, handed in so tests can swap each part.
struct BusCheckServices {
    PortLister* ports = nullptr;  // the system's serial ports, listed after COM 16
    EnvLookup env = ProcessEnv;
    // The device path for "Other port..."; nothing when the user cancelled. Without it a plain
    // input dialog asks.
    std::function<std::optional<std::string>()> askDevicePath = nullptr;
    // Whether a console job runs, and the device the console is on; the check refuses both.
    std::function<bool()> consoleBusy = nullptr;
    std::function<std::string()> consoleDevice = nullptr;
    // The bus a run opens; the real RS-485 line through libmodbus without it.
    std::function<std::unique_ptr<ModbusBus>()> makeBus = nullptr;
};

class BusCheckWindow final : public QWidget {
    Q_OBJECT
public:
    // `line` holds the gateway's COM settings; its device is the port chosen at Start.
    BusCheckWindow(std::vector<AppObject> objects, BusSerialSettings line,
                   BusCheckServices services, MessageBoxes& boxes, QWidget* parent = nullptr);
    ~BusCheckWindow() override;

    void StartClick();
    void StopClick();
    bool Running() const { return m_worker.joinable(); }
    QComboBox* PortList() const { return m_port; }
    QComboBox* ObjectChoice() const { return m_objectChoice; }
    QTableWidget* Rows() const { return m_rows; }
    QLabel* StatusLine() const { return m_status; }

signals:
    // A run ended: all objects done, stopped, or the port would not open.
    void RunEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowPortList();
    void PortActivated(int entry);
    PortChoice ChosenPort() const;
    void AddRow(const BusCheckRow& row);
    void Ended(const std::string& openFailure, const std::string& portLabel);
    void SetRunning(bool running);

    std::vector<AppObject> m_table;
    BusSerialSettings m_line;
    BusCheckServices m_services;
    MessageBoxes& m_boxes;
    PortPicker m_ports;
    QComboBox* m_port = nullptr;
    QComboBox* m_objectChoice = nullptr;
    QTableWidget* m_rows = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    std::thread m_worker;
    std::atomic<bool> m_stopWanted{false};
    bool m_closeWhenEnded = false;
    int m_answered = 0;
};

}  // namespace tavrin
