#include "cli/PortsReport.h"

#include "offline/JsonWriter.h"

namespace tavrin::cli {
namespace {

void TextOrNull(JsonWriter& json, std::string_view key, const std::string& text) {
    if (text.empty()) {
        json.Null(key);
    } else {
        json.String(key, text);
    }
}

void NumberOrNull(JsonWriter& json, std::string_view key, std::optional<int> number) {
    if (number) {
        json.Number(key, *number);
    } else {
        json.Null(key);
    }
}

}  // namespace

std::vector<ListedPort> ListPorts(const std::vector<SystemPort>& reported, PortSystem& os,
                                  const EnvLookup& env) {
    std::vector<ListedPort> listed;
    for (const PortEntry& entry : BuildPortCatalogue(reported, env)) {
        if (entry.kind == PortEntry::Kind::Other) {
            continue;
        }
        ListedPort port{entry, entry.port, WhyNotOpenable(entry.device, os)};
        if (entry.kind == PortEntry::Kind::Com) {
            // A COM entry's device may be one the system reports (ttyS0, or an adapter bound
            // through TAVRIN_COM<n>).
            for (const SystemPort& r : reported) {
                if (r.device == entry.device ||
                    (!r.byIdPath.empty() && r.byIdPath == entry.device)) {
                    port.info = r;
                }
            }
            if (port.info.device.empty()) {
                port.info.device = entry.device;
            }
        }
        listed.push_back(std::move(port));
    }
    return listed;
}

std::string PortsToJson(const std::vector<ListedPort>& ports) {
    JsonWriter json;
    json.BeginArray();
    for (const ListedPort& p : ports) {
        json.BeginObject();
        json.String("label", p.entry.label);
        json.String("device", p.info.device);
        TextOrNull(json, "byId", p.info.byIdPath);
        json.String("description", p.info.description);
        json.String("manufacturer", p.info.manufacturer);
        json.String("serialNumber", p.info.serialNumber);
        NumberOrNull(json, "vendorId", p.info.vendorId);
        NumberOrNull(json, "productId", p.info.productId);
        NumberOrNull(json, "com",
                     p.entry.comNumber > 0 ? std::optional<int>(p.entry.comNumber) : std::nullopt);
        json.Bool("openable", !p.notOpenable);
        if (p.notOpenable) {
            json.String("reason", ReasonName(*p.notOpenable));
        }
        json.EndObject();
    }
    json.EndArray();
    return json.Text();
}

std::string PortsToTable(const std::vector<ListedPort>& ports) {
    std::string text;
    for (const ListedPort& p : ports) {
        text += p.entry.label + "\t" + p.entry.device + "\t" +
                (p.notOpenable ? std::string("not openable (") + ReasonName(*p.notOpenable) + ")"
                               : std::string("openable")) +
                "\n";
    }
    return text;
}

}  // namespace tavrin::cli
