#include "cli/FleetManifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <filesystem>
#include <map>

#include "cli/CliArgs.h"
#include "offline/JsonChecker.h"

namespace tavrin::cli {
namespace {

const std::vector<std::string>& FleetVerbs() {
    static const std::vector<std::string> verbs{"read", "backup", "restore",
                                                "eds",  "apply",  "modbus-check"};
    return verbs;
}

// Options the fleet gives every job itself, so a job may not give them too.
bool SetByFleet(const std::string& option, bool logDirGiven) {
    return option == "--port" || option == "--json" || option == "--help" || option == "-h" ||
           option == "--version" || (logDirGiven && option == "--log");
}

// The device a path finally names, so that a /dev/serial/by-id/... link and the device it points
// to are one port; the path itself when it names nothing yet.
std::string SameDeviceKey(const std::string& device) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::canonical(device, error);
    return error ? device : canonical.string();
}

std::string Where(int index) {
    return "jobs[" + std::to_string(index) + "]";
}

// The port as text: the manifest may write a COM number as a number.
std::optional<std::string> PortText(JsonChecker& check, const QJsonObject& job,
                                    const std::string& where) {
    if (job.value(QLatin1String("port")).isDouble()) {
        const auto number = check.Whole(job, where, "port");
        return number ? std::optional(std::to_string(*number)) : std::nullopt;
    }
    return check.Text(job, where, "port");
}

std::optional<std::vector<std::string>> Options(JsonChecker& check, const QJsonObject& job,
                                                const std::string& where) {
    std::vector<std::string> options;
    const QJsonValue value = job.value(QLatin1String("options"));
    if (value.isUndefined()) {
        return options;
    }
    const std::string place = JsonChecker::Path(where, "options");
    if (!value.isArray()) {
        check.Fault(place, "must be an array of texts");
        return std::nullopt;
    }
    const QJsonArray items = value.toArray();
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!items[i].isString()) {
            check.Fault(place + "[" + std::to_string(i) + "]", "must be a text");
            return std::nullopt;
        }
        options.push_back(items[i].toString().toStdString());
    }
    return options;
}

class ManifestReader {
public:
    ManifestReader(const std::string& logDir, const JobFileCheck& checkFile, const EnvLookup& env)
        : m_logDir(logDir), m_checkFile(checkFile), m_env(env) {}

    std::optional<FleetJob> Job(const QJsonValue& value, int index) {
        const std::string where = Where(index);
        if (!value.isObject()) {
            check.Fault(where, "must be an object");
            return std::nullopt;
        }
        const QJsonObject object = value.toObject();
        check.OnlyKnownKeys(object, where, {"port", "verb", "file", "options"});
        FleetJob job;
        job.index = index;
        const auto port = PortText(check, object, where);
        const auto verb = check.Text(object, where, "verb");
        const auto file = check.Text(object, where, "file", false);
        const auto options = Options(check, object, where);
        const bool known = verb && std::find(FleetVerbs().begin(), FleetVerbs().end(), *verb) !=
                                       FleetVerbs().end();
        if (verb && !known) {
            check.Fault(
                JsonChecker::Path(where, "verb"),
                "unknown verb " + Quoted(*verb) + " (expected " + Join(FleetVerbs(), ", ") + ")");
        }
        const auto choice = port ? ParsePortArgument(*port, m_env) : std::nullopt;
        if (port && !choice) {
            check.Fault(JsonChecker::Path(where, "port"),
                        Quoted(*port) + " is neither a COM number 1..16 nor a device path");
        }
        if (!choice || !known || !file || !options) {
            return std::nullopt;
        }
        job.port = *port;
        job.portLabel = choice->Label();
        job.device = choice->device;
        job.verb = *verb;
        job.file = *file;
        if (!m_logDir.empty()) {
            job.logPath = m_logDir + "/" + FleetLogName(index, job.portLabel);
        }
        if (!Arguments(job, *options)) {
            return std::nullopt;
        }
        return job;
    }

    // The port of each job is one no other job has.
    void SharedPort(const FleetJob& job) {
        const auto [first, added] = m_devices.emplace(SameDeviceKey(job.device), job.index);
        if (!added) {
            check.Fault(JsonChecker::Path(Where(job.index), "port"),
                        job.portLabel + " is also the port of " + Where(first->second));
        }
    }

    JsonChecker check;

private:
    // The command line the job's process gets, checked as tavrin-cli itself checks it.
    bool Arguments(FleetJob& job, const std::vector<std::string>& options) {
        const std::string where = Where(job.index);
        for (const std::string& option : options) {
            if (SetByFleet(option, !m_logDir.empty())) {
                check.Fault(JsonChecker::Path(where, "options"),
                            option + " is set by fleet for every job");
                return false;
            }
        }
        // The fleet's own words come before the job's options, so an option left without its
        // value cannot take one of them as its value.
        auto commandLine = [&](bool json) {
            std::vector<std::string> words{job.verb};
            if (!job.file.empty()) {
                words.push_back(job.file);
            }
            words.insert(words.end(), {"--port", job.port});
            if (!job.logPath.empty()) {
                words.insert(words.end(), {"--log", job.logPath});
            }
            if (json) {
                words.push_back("--json");
            }
            words.insert(words.end(), options.begin(), options.end());
            return words;
        };
        // The verbs that can answer in JSON do; the others are judged by their exit status.
        std::string error;
        job.json = ParseCliArgs(commandLine(true), error).has_value();
        std::vector<std::string> words = commandLine(job.json);
        if (!job.json && !ParseCliArgs(words, error)) {
            check.Fault(where, error);
            return false;
        }
        if (!job.file.empty()) {
            if (const auto why = m_checkFile(job.verb, job.file)) {
                check.Fault(JsonChecker::Path(where, "file"), job.file + ": " + *why);
                return false;
            }
        }
        job.arguments = std::move(words);
        return true;
    }

    std::string m_logDir;
    const JobFileCheck& m_checkFile;
    const EnvLookup& m_env;
    std::map<std::string, int> m_devices;
};

}  // namespace

std::string FleetLogName(int index, const std::string& portLabel) {
    std::string name;
    for (const char c : portLabel) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_';
        if (plain) {
            name += c;
        } else if (c != ' ' && !name.empty() && name.back() != '-') {
            name += '-';
        }
    }
    return std::to_string(index) + "-" + name + ".log";
}

FleetManifest ReadFleetManifest(const std::string& text, const std::string& logDir,
                                const JobFileCheck& checkFile, const EnvLookup& env) {
    FleetManifest manifest;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError) {
        manifest.faults.push_back("not JSON: " + error.errorString().toStdString() + " at offset " +
                                  std::to_string(error.offset));
        return manifest;
    }
    ManifestReader reader(logDir, checkFile, env);
    const QJsonObject top = document.object();
    if (!document.isObject() || !top.value(QLatin1String("jobs")).isArray()) {
        manifest.faults.push_back("jobs: missing (an object with an array \"jobs\" is expected)");
        return manifest;
    }
    reader.check.OnlyKnownKeys(top, "", {"jobs"});
    const QJsonArray jobs = top.value(QLatin1String("jobs")).toArray();
    if (jobs.isEmpty()) {
        reader.check.Fault("jobs", "no job listed");
    }
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        if (auto job = reader.Job(jobs[i], static_cast<int>(i))) {
            reader.SharedPort(*job);
            manifest.jobs.push_back(std::move(*job));
        }
    }
    manifest.faults = reader.check.faults;
    return manifest;
}

}  // namespace tavrin::cli
