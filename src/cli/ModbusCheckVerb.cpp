// modbus-check: each application object's request put on the RS-485 bus through the laptop's
// adapter, reads only, one row per object. The configuration is loaded (and a gateway read)
// before the bus is opened, so a bad source costs no bus traffic.
#include "cli/ModbusCheckVerb.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/ExitCodes.h"
#include "common/Clock.h"
#include "console/PortChoice.h"
#include "modbus/BusCheckGuard.h"
#include "modbus/BusFrameFile.h"
#include "modbus/rtu/LibModbusBus.h"

namespace tavrin::cli {

int RunModbusCheck(const CliArgs& args, ConsoleWiring& wiring) {
    const std::optional<PortChoice> bus = ParsePortArgument(args.bus);
    if (!bus) {
        std::fprintf(stderr,
                     "tavrin-cli: --bus %s is neither a COM number 1..16 nor a device path\n",
                     args.bus.c_str());
        return kExitUsage;
    }
    const std::string gatewayPort = args.port.empty() ? args.file : args.port;
    if (const auto console = ParsePortArgument(gatewayPort);
        console && !std::filesystem::is_regular_file(gatewayPort) &&
        SameDevice(console->device, bus->device)) {
        std::fprintf(stderr,
                     "tavrin-cli: the bus port %s is the gateway's console port; the RS-485 "
                     "adapter is another port\n",
                     bus->Label().c_str());
        return kExitUsage;
    }

    GatewaySettings settings;
    std::string sourceName;
    if (const int status = LoadCheckSource(args, wiring, settings, sourceName); status != kExitOk) {
        return status;
    }
    if (settings.ConfigWrong || settings.ReadAppCount == 0) {
        std::fprintf(stderr, "tavrin-cli: %s holds no application objects to check\n",
                     sourceName.c_str());
        return kExitInvalidInput;
    }
    const std::vector<AppObject> objects =
        ObjectsOf(settings.ReadAppObjects, settings.ReadAppCount);
    if (args.objectNumber > static_cast<int>(objects.size())) {
        std::fprintf(stderr, "tavrin-cli: --object %d: %s holds objects 1 to %zu\n",
                     args.objectNumber, sourceName.c_str(), objects.size());
        return kExitInvalidInput;
    }

    std::unique_ptr<BusFrameFile> log;
    if (!args.logPath.empty()) {
        log = std::make_unique<BusFrameFile>(args.logPath);
        if (!log->IsOpen()) {
            std::fprintf(stderr, "tavrin-cli: cannot write the log %s\n", args.logPath.c_str());
            return kExitInvalidInput;
        }
    }
    const BusSerialSettings line = SerialSettingsOf(settings, bus->device);
    SystemClock clock;
    LibModbusBus modbus(log.get(), &clock);
    if (const std::string why = modbus.Open(line); !why.empty()) {
        std::fprintf(stderr, "tavrin-cli: cannot open the bus port %s: %s\n", bus->Label().c_str(),
                     why.c_str());
        return kExitPort;
    }
    const std::string lineText = bus->Label() + " at " + SerialSettingsText(line);
    if (log) {
        log->Note("modbus-check of " + sourceName + " on " + lineText + "; reads only");
    }
    const std::optional<int> only =
        args.objectNumber > 0 ? std::optional(args.objectNumber) : std::nullopt;
    const std::vector<BusCheckRow> rows = RunBusCheck(
        modbus, objects, ObjectNumbers(static_cast<int>(objects.size()), only), nullptr);
    modbus.Close();
    if (args.json) {
        std::fprintf(stderr, "%s\n", kReadsOnlyNote);
        std::fputs(BusCheckJson(rows).c_str(), stdout);
    } else {
        std::fputs(BusCheckTable(rows, lineText).c_str(), stdout);
    }
    return AllAnswered(rows) ? kExitOk : kExitBusFault;
}

}  // namespace tavrin::cli
