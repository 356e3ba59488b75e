// What tavrin-cli's gateway jobs reach the console through: the serial port they type on and the
// clock their answer windows are counted on. The program wires the system's port and clock
// straight through; a harness can put its own in between, so that a run is watched without a
// line of the verbs changing. One wiring serves every job of the run, one after the other.
#pragma once

#include "common/Clock.h"
#include "console/SerialPort.h"

namespace tavrin::cli {

class ConsoleWiring {
public:
    virtual ~ConsoleWiring() = default;
    virtual SerialPort& Port() = 0;
    virtual Clock& Ticks() = 0;
};

}  // namespace tavrin::cli
