// tavrin-modbussim: Modbus RTU slaves on a pseudo-terminal, standing in for the devices on the
// gateway's RS-485 line, so that Tavrin's bus check can be tried and tested without them.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "BusServer.h"
#include "PseudoTerminal.h"
#include "SimOptions.h"
#include "SlaveMap.h"
#include "StopSignals.h"
#include "TavrinVersion.h"

namespace {

using namespace modbussim;

int Simulate(const SimOptions& o) {
    std::vector<Slave> slaves =
        o.mapPath.empty() ? ParseSlaveMap(DefaultSlaveMap()) : LoadSlaveMap(o.mapPath);
    const int stopPipe = gatewaysim::InstallStopHandlers();
    gatewaysim::PseudoTerminal pty;
    std::unique_ptr<gatewaysim::ScopedSymlink> link;
    if (!o.linkPath.empty()) {
        link = std::make_unique<gatewaysim::ScopedSymlink>(o.linkPath, pty.SlavePath());
    }
    std::cout << pty.SlavePath() << std::endl;  // tests wait for this line
    BusServer(pty.Master(), stopPipe, std::move(slaves), o).Run();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    try {
        options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& e) {
        std::cerr << "tavrin-modbussim: " << e.what() << "\n" << SimUsage();
        return 2;
    }
    if (options.help) {
        std::cout << SimUsage();
        return 0;
    }
    if (options.version) {
        std::cout << "tavrin-modbussim " TAVRIN_VERSION "\n";
        return 0;
    }
    if (options.printMap) {
        std::cout << DefaultSlaveMap();
        return 0;
    }
    try {
        return Simulate(options);
    } catch (const std::invalid_argument& e) {
        std::cerr << "tavrin-modbussim: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tavrin-modbussim: " << e.what() << "\n";
        return 1;
    }
}
