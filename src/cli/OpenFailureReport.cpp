#include "cli/OpenFailureReport.h"

#include "offline/JsonWriter.h"
#include "console/PosixPortSystem.h"
#include "console/qt/QtPortLister.h"

namespace tavrin::cli {
namespace {

void StringArray(JsonWriter& json, std::string_view key, const std::vector<std::string>& items) {
    json.BeginArray(key);
    for (const std::string& item : items) {
        json.String({}, item);
    }
    json.EndArray();
}

}  // namespace

OpenDiagnosis ExplainOpenFailure(OpenStatus status, const std::string& device, std::FILE* err) {
    std::vector<std::string> ports;
    for (const SystemPort& port : QtPortLister().List()) {
        ports.push_back(port.device);
    }
    PosixPortSystem os;
    OpenDiagnosis diagnosis = DiagnoseOpenFailure(status, device, os, ports);
    for (const std::string& line : diagnosis.lines) {
        std::fprintf(err, "%s\n", line.c_str());
    }
    std::fflush(err);
    return diagnosis;
}

std::string OpenFailureJson(const std::string& message, const std::string& device,
                            const OpenDiagnosis& diagnosis) {
    JsonWriter json;
    json.BeginObject();
    json.String("error", message);
    json.String("reason", ReasonName(diagnosis.reason));
    json.String("device", device);
    if (diagnosis.group.empty()) {
        json.Null("group");
    } else {
        json.String("group", diagnosis.group);
    }
    StringArray(json, "holders", diagnosis.holders);
    StringArray(json, "ports", diagnosis.ports);
    StringArray(json, "advice", diagnosis.lines);
    json.EndObject();
    return json.Text();
}

}  // namespace tavrin::cli
