#include "cli/PortsVerb.h"

#include <cstdio>

#include "cli/ExitCodes.h"
#include "cli/PortsReport.h"
#include "console/PosixPortSystem.h"
#include "console/qt/QtPortLister.h"

namespace tavrin::cli {

int RunPorts(const CliArgs& args) {
    PosixPortSystem os;
    const auto ports = ListPorts(QtPortLister().List(), os);
    const std::string text = args.json ? PortsToJson(ports) : PortsToTable(ports);
    std::fputs(text.c_str(), stdout);
    return kExitOk;
}

std::string PortsHelp() {
    return "Usage: tavrin-cli ports [--json]\n"
           "\n"
           "Lists the ports the window offers: COM 1 to COM 16 (with their TAVRIN_COMn\n"
           "bindings), then every further serial port the system reports, opened through\n"
           "its /dev/serial/by-id name where it has one. Each line gives the label, the\n"
           "device and whether you can open it now (else why: missing, no access, busy).\n"
           "\n"
           "  --json  print a JSON array: label, device, byId, description, manufacturer,\n"
           "          serialNumber, vendorId, productId, com (null when none), openable,\n"
           "          and reason when not openable\n"
           "\n"
           "Exit status: 0 (also when there are no ports), 2 usage error.\n";
}

}  // namespace tavrin::cli
