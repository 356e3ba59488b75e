// The console port on a real serial device (or a pseudo-terminal) through QSerialPort.
#pragma once

#include <QObject>
#include <QSerialPort>

#include "console/SerialPort.h"

namespace tavrin {

class QtConsolePort final : public QObject, public SerialPort {
    Q_OBJECT
public:
    explicit QtConsolePort(QObject* parent = nullptr);

    OpenResult Open(const std::string& device) override;
    bool IsOpen() const override;
    void Close() override;
    std::size_t BytesWaiting() override;
    std::size_t BytesToWrite() override;
    std::string ReadAll() override;
    void DiscardInput() override;
    bool Write(std::string_view bytes) override;
    std::optional<std::string> TakeFault() override;

private:
    void OnError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    std::optional<std::string> m_fault;
};

}  // namespace tavrin
