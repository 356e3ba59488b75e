#include "console/qt/QtConsolePort.h"

#include <unistd.h>

namespace tavrin {
namespace {

// QSerialPort answers PermissionError both for a port another program holds (its lock file, or
// an exclusive open) and for a device we may not open at all. Only the first is "occupied": if
// the device itself is open to us, the refusal came from whoever holds it.
bool HeldByAnother(const std::string& device) {
#ifdef _WIN32
    (void)device;
    return true;
#else
    return ::access(device.c_str(), R_OK | W_OK) == 0;
#endif
}

// What went wrong while the port was in use, in words that hold whatever the cause. QSerialPort's
// own text comes from errno, and after a dropped line its read sees an end of file with errno
// still holding an earlier call's failure (a modem-line request refused: "Inappropriate ioctl
// for device"), which would send the user looking in the wrong place.
std::string FaultDescription(QSerialPort::SerialPortError error, const QString& qtText) {
    switch (error) {
        case QSerialPort::ReadError:
            return "Cannot read from the serial port";
        case QSerialPort::WriteError:
            return "Cannot write to the serial port";
        case QSerialPort::ResourceError:
            return "The serial port is no longer available";
        default:
            return qtText.toStdString();
    }
}

}  // namespace

QtConsolePort::QtConsolePort(QObject* parent) : QObject(parent) {
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtConsolePort::OnError);
}

OpenResult QtConsolePort::Open(const std::string& device) {
    m_fault.reset();
    m_port.setPortName(QString::fromStdString(device));
    // 115200 baud, no parity, 8 data bits, 1 stop bit: the 6420RT console's fixed line settings.
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (m_port.open(QIODevice::ReadWrite)) {
        m_fault.reset();
        return {OpenStatus::Opened, {}};
    }
    const QSerialPort::SerialPortError error = m_port.error();
    const std::string description = m_port.errorString().toStdString();
    m_port.clearError();
    m_fault.reset();
    if (error == QSerialPort::PermissionError && HeldByAnother(device)) {
        return {OpenStatus::Occupied, description};
    }
    return {OpenStatus::CannotOpen, description};
}

bool QtConsolePort::IsOpen() const {
    return m_port.isOpen();
}

void QtConsolePort::Close() {
    if (m_port.isOpen()) {
        m_port.close();
    }
}

std::size_t QtConsolePort::BytesWaiting() {
    return m_port.isOpen() ? static_cast<std::size_t>(m_port.bytesAvailable()) : 0;
}

std::size_t QtConsolePort::BytesToWrite() {
    return m_port.isOpen() ? static_cast<std::size_t>(m_port.bytesToWrite()) : 0;
}

std::string QtConsolePort::ReadAll() {
    return m_port.readAll().toStdString();
}

void QtConsolePort::DiscardInput() {
    if (m_port.isOpen()) {
        m_port.readAll();
        m_port.clear(QSerialPort::Input);
    }
}

bool QtConsolePort::Write(std::string_view bytes) {
    if (!m_port.isOpen()) {
        return false;
    }
    const qint64 taken = m_port.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (taken != static_cast<qint64>(bytes.size())) {
        return false;
    }
    // Hand the bytes to the driver now rather than on the next event pass.
    m_port.flush();
    return true;
}

std::optional<std::string> QtConsolePort::TakeFault() {
    auto fault = std::move(m_fault);
    m_fault.reset();
    return fault;
}

void QtConsolePort::OnError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || !m_port.isOpen()) {
        return;
    }
    // Parity and modem-line requests fail on a pseudo-terminal; nothing here uses them, and a
    // timeout is not a fault of the port.
    if (error == QSerialPort::UnsupportedOperationError || error == QSerialPort::TimeoutError) {
        m_port.clearError();
        return;
    }
    if (!m_fault) {
        m_fault = FaultDescription(error, m_port.errorString());
    }
    m_port.clearError();
    // After a hang-up QSerialPort reports a read or resource error and still calls itself open;
    // the port is useless by then, so close it.
    m_port.close();
}

}  // namespace tavrin
