// The port list as tavrin-cli ports prints it, as a table or as JSON.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "console/PortCatalogue.h"
#include "console/PortDiagnosis.h"

namespace tavrin::cli {

struct ListedPort {
    PortEntry entry;
    SystemPort info;  // what the system reports of the device; empty fields when it reports none
    std::optional<OpenDiagnosis::Reason> notOpenable;
};

// Every entry of the catalogue but "Other port...", with what the system says of its device.
std::vector<ListedPort> ListPorts(const std::vector<SystemPort>& reported, PortSystem& os,
                                  const EnvLookup& env = ProcessEnv);

std::string PortsToJson(const std::vector<ListedPort>& ports);
std::string PortsToTable(const std::vector<ListedPort>& ports);

}  // namespace tavrin::cli
