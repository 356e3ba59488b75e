// tavrin-cli's own wiring: the machine's serial port and clock.
#pragma once

#include "cli/ConsoleWiring.h"
#include "console/qt/QtConsolePort.h"

namespace tavrin::cli {

// The machine's serial port and clock. Needs a QCoreApplication.
class SystemWiring final : public ConsoleWiring {
public:
    SerialPort& Port() override { return m_port; }
    Clock& Ticks() override { return m_clock; }

private:
    QtConsolePort m_port;
    SystemClock m_clock;
};

}  // namespace tavrin::cli
