// tavrin-cli modbus-check SOURCE --bus PORT: see ModbusCheckHelp() for what it does.
#pragma once

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/ConsoleWiring.h"
#include "config/GatewaySettings.h"
#include "modbus/BusCheck.h"

namespace tavrin::cli {

// Needs a QCoreApplication. Returns the exit status.
int RunModbusCheck(const CliArgs& args, ConsoleWiring& wiring);
std::string ModbusCheckHelp();

// Where the objects and COM settings come from: SOURCE as diff takes it (a gateway's port, a
// parameter file or a configuration file), or the gateway on --port. Fills `settings` (its
// ReadAppObjects are the objects) and `name`; returns the exit status, the reason printed.
int LoadCheckSource(const CliArgs& args, ConsoleWiring& wiring, GatewaySettings& settings,
                    std::string& name);

// The rows as a table under the reads-only note and the line settings, or as a JSON array.
std::string BusCheckTable(const std::vector<BusCheckRow>& rows, const std::string& lineText);
std::string BusCheckJson(const std::vector<BusCheckRow>& rows);

}  // namespace tavrin::cli
