#include "offline/ApplyConfig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

#include "appobj/AppObjectMessages.h"
#include "appobj/FunctionCodes.h"
#include "assembly/AssemblyDerivation.h"
#include "config/CheckByte.h"
#include "eds/ConnectionChoices.h"
#include "eds/WizardMessages.h"
#include "offline/ApplyWorking.h"
#include "offline/JsonChecker.h"
#include "rules/PanelMessages.h"

namespace tavrin {
namespace {

const char* const kIOTypeNames[kIOTypeCount] = {"digital output", "analog output", "digital input",
                                                "analog input"};

// The position of `wanted` among the panel's list entries with their padding removed.
std::optional<int> PositionIn(const std::vector<std::string>& entries, const std::string& wanted) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (QString::fromStdString(TrimBlanks(entries[i]))
                .compare(QString::fromStdString(wanted), Qt::CaseInsensitive) == 0) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

std::vector<std::string> Trimmed(const std::vector<std::string>& entries) {
    std::vector<std::string> trimmed;
    for (const std::string& entry : entries) {
        trimmed.push_back(TrimBlanks(entry));
    }
    return trimmed;
}

void CheckCan(JsonChecker& check, const QJsonObject& root, ApplySettings& settings) {
    const auto can = check.Object(root, "", "can");
    if (!can) {
        return;
    }
    check.OnlyKnownKeys(*can, "can", {"nodeId", "bitRate"});
    if (const auto value = check.Number(*can, "can", "nodeId")) {
        if (const auto nodeId = NodeIdFromValue(*value, kApplyLayer)) {
            settings.nodeId = *nodeId;
        } else {
            check.Fault("can.nodeId", msg::kNodeIdDeviceNet);
        }
    }
    if (const auto position = check.Whole(*can, "can", "bitRate")) {
        const std::vector<std::string> rates = Trimmed(CanRateEntries(kApplyLayer));
        if (*position >= 0 && *position < static_cast<long long>(rates.size())) {
            settings.canRatePosition = static_cast<int>(*position);
        } else {
            std::vector<std::string> offered;
            for (std::size_t i = 0; i < rates.size(); ++i) {
                offered.push_back(std::to_string(i) + " = " + rates[i]);
            }
            check.Fault("can.bitRate", std::to_string(*position) +
                                           " is not a position of the DeviceNet bit-rate list (" +
                                           Join(offered, ", ") + ")");
        }
    }
}

// A COM list value: a number (baud rate, data bits, stop bits) or a word (parity), as the list
// shows it.
void CheckComList(JsonChecker& check, const QJsonObject& com, const char* key,
                  const std::vector<std::string>& entries, bool word, int& position) {
    const std::string where = JsonChecker::Path("com", key);
    std::optional<std::string> value;
    if (word) {
        value = check.Text(com, "com", key);
    } else if (const auto number = check.Whole(com, "com", key)) {
        value = std::to_string(*number);
    }
    if (!value) {
        return;
    }
    if (const auto found = PositionIn(entries, *value)) {
        position = *found;
    } else {
        check.Fault(where, (word ? Quoted(*value) : *value) + " is not offered (" +
                               Join(entries, ", ") + ")");
    }
}

void CheckCom(JsonChecker& check, const QJsonObject& root, ApplySettings& settings) {
    const auto com = check.Object(root, "", "com");
    if (!com) {
        return;
    }
    check.OnlyKnownKeys(*com, "com", {"baudRate", "dataBits", "parity", "stopBits", "timeout"});
    const std::vector<std::string> rates(BaudText.begin(), BaudText.end());
    CheckComList(check, *com, "baudRate", rates, false, settings.com.baudPosition);
    CheckComList(check, *com, "dataBits", Trimmed(ComDataBitsEntries()), false,
                 settings.com.dataBitsPosition);
    CheckComList(check, *com, "parity", Trimmed(ComParityEntries()), true,
                 settings.com.parityPosition);
    CheckComList(check, *com, "stopBits", Trimmed(ComStopBitsEntries()), false,
                 settings.com.stopBitsPosition);
    if (const auto value = check.Number(*com, "com", "timeout")) {
        if (const auto timeout = TimeoutFromValue(*value)) {
            settings.com.timeoutMs = *timeout;
        } else {
            check.Fault("com.timeout", msg::kTimeoutRange);
        }
    }
}

// "FC03", or the whole entry of the editor's function-code list.
std::optional<int> FunctionCodeNamed(const std::string& name) {
    for (int i = 0; i < kFunctionCodeCount; ++i) {
        const QString entry = QString::fromLatin1(kFunctionCodes[i].text);
        const QString wanted = QString::fromStdString(name).trimmed();
        if (wanted.compare(entry.left(4), Qt::CaseInsensitive) == 0 ||
            wanted.compare(entry, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return std::nullopt;
}

std::string ObjectPath(int index) {
    return "applicationObjects[" + std::to_string(index) + "]";
}

const char* FieldKey(ObjectField field) {
    switch (field) {
        case ObjectField::DeviceId:
            return "deviceId";
        case ObjectField::StartAddress:
            return "startAddress";
        case ObjectField::Length:
            break;
    }
    return "length";
}

// One application object; true when every check of the editor passes.
bool CheckObject(JsonChecker& check, const QJsonValue& value, int index, ObjectValues& values) {
    const std::string where = ObjectPath(index);
    if (!value.isObject()) {
        check.Fault(where, "must be an object");
        return false;
    }
    const QJsonObject object = value.toObject();
    const std::size_t before = check.faults.size();
    check.OnlyKnownKeys(object, where, {"deviceId", "functionCode", "startAddress", "length"});
    const auto deviceId = check.Whole(object, where, "deviceId");
    const auto codeName = check.Text(object, where, "functionCode");
    const auto start = check.Whole(object, where, "startAddress");
    const auto length = check.Whole(object, where, "length");
    std::optional<int> code;
    if (codeName) {
        code = FunctionCodeNamed(*codeName);
        if (!code) {
            std::vector<std::string> names;
            for (const FunctionCode& fc : kFunctionCodes) {
                names.push_back(std::string(fc.text).substr(0, 4));
            }
            check.Fault(JsonChecker::Path(where, "functionCode"),
                        Quoted(*codeName) + " is not one of " + Join(names, ", "));
        }
    }
    values = {deviceId.value_or(1), code.value_or(0), start.value_or(0), length.value_or(1)};
    // A check counts only when its field could be read; the address and length limits also
    // depend on the function code.
    const auto wasRead = [&](ObjectField field) {
        switch (field) {
            case ObjectField::DeviceId:
                return deviceId.has_value();
            case ObjectField::StartAddress:
                return code.has_value() && start.has_value();
            case ObjectField::Length:
                break;
        }
        return code.has_value() && length.has_value();
    };
    for (const ObjectFault& fault : ObjectFaults(values)) {
        if (wasRead(fault.field)) {
            check.Fault(JsonChecker::Path(where, FieldKey(fault.field)), fault.message);
        }
    }
    return check.faults.size() == before;
}

// The editor refuses an object that would make an assembly instance longer than the gateway
// holds; the file is checked as a whole, naming the objects of each overfull instance.
void CheckAssemblySizes(JsonChecker& check, const std::vector<ObjectValues>& objects) {
    AppObjectTable table{};
    const int count = std::min<int>(static_cast<int>(objects.size()), kMaxAppObjects);
    for (int i = 0; i < count; ++i) {
        table[i] = MakeAppObject(objects[i]);
    }
    const auto bytes = BytesPerIOType(table, count);
    for (int t = 0; t < kIOTypeCount; ++t) {
        if (bytes[t] <= kMaxMappingEntries) {
            continue;
        }
        std::vector<std::string> members;
        for (int i = 0; i < count; ++i) {
            if (table[i].IOType == t) {
                members.push_back(std::to_string(i));
            }
        }
        check.Fault("applicationObjects[" + Join(members, ",") + "]",
                    std::string(msg::kAssemblyInstanceMax) + " (the " + kIOTypeNames[t] +
                        " objects need " + std::to_string(bytes[t]) + " bytes)");
    }
}

bool CheckObjects(JsonChecker& check, const QJsonObject& root, ApplySettings& settings) {
    if (!root.contains(QLatin1String("applicationObjects"))) {
        check.Fault("applicationObjects", "missing");
        return false;
    }
    const QJsonValue list = root.value(QLatin1String("applicationObjects"));
    if (!list.isArray()) {
        check.Fault("applicationObjects", "must be a list");
        return false;
    }
    const QJsonArray array = list.toArray();
    bool valid = true;
    if (array.size() > kMaxAppObjects) {
        check.Fault("applicationObjects", msg::kAppObjectMax);
        valid = false;
    }
    for (int i = 0; i < array.size(); ++i) {
        ObjectValues values;
        valid = CheckObject(check, array.at(i), i, values) && valid;
        settings.objects.push_back(values);
    }
    if (valid) {
        const std::size_t before = check.faults.size();
        CheckAssemblySizes(check, settings.objects);
        valid = check.faults.size() == before;
    }
    return valid;
}

std::string ListText(const std::vector<std::string>& entries) {
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        shown.push_back(std::to_string(i) + " " + Quoted(entries[i]));
    }
    return Join(shown, ", ");
}

// A list position of the wizard: within its list, and for the Bit-Strobe produced path no
// longer than a Bit-Strobe response carries.
void CheckPosition(JsonChecker& check, const QJsonObject& connection, const std::string& where,
                   const char* key, const std::vector<std::string>& entries,
                   std::int16_t& selection, const ConfigImage* strobeImage,
                   const AssemblyTables& tables) {
    const auto position = check.Whole(connection, where, key);
    if (!position) {
        return;
    }
    const std::string path = JsonChecker::Path(where, key);
    if (*position < 0 || *position >= static_cast<long long>(entries.size())) {
        check.Fault(path, std::to_string(*position) + " is not a position of the list (" +
                              ListText(entries) + ")");
        return;
    }
    const int p = static_cast<int>(*position);
    if (strobeImage && !FitsStrobeResponse(p, entries[p], *strobeImage, tables)) {
        check.Fault(path, kStrobeTooLong);
        return;
    }
    selection = static_cast<std::int16_t>(p);
}

void CheckConnections(JsonChecker& check, const QJsonObject& root, ApplySettings& settings,
                      bool objectsValid) {
    const auto connections = check.Object(root, "", "connections");
    if (!connections) {
        return;
    }
    if (!objectsValid) {
        check.Fault("connections",
                    "not checked, since the lists follow from the application "
                    "objects, which have faults");
        return;
    }
    ConfigImage scratch;
    WizardLists lists;
    std::string refusal;
    if (!FillWorkingTable(settings.objects, scratch, lists, refusal)) {
        check.Fault("applicationObjects", refusal);
        return;
    }
    check.OnlyKnownKeys(*connections, "connections", {"poll", "bitStrobe", "cosCyclic"});
    const char* names[kConnectionTypes] = {"poll", "bitStrobe", "cosCyclic"};
    for (int i = 0; i < kConnectionTypes; ++i) {
        const std::string where = JsonChecker::Path("connections", names[i]);
        const auto connection = check.Object(*connections, "connections", names[i]);
        if (!connection) {
            continue;
        }
        // Only the Poll connection consumes data the user chooses.
        if (i == kPollConnection) {
            check.OnlyKnownKeys(*connection, where, {"produced", "consumed"});
            CheckPosition(check, *connection, where, "consumed", lists.outputEntries,
                          settings.selections.OutputSel[i], nullptr, lists.assemblies);
        } else {
            check.OnlyKnownKeys(*connection, where, {"produced"});
        }
        CheckPosition(check, *connection, where, "produced", lists.inputEntries,
                      settings.selections.InputSel[i], i == kStrobeConnection ? &scratch : nullptr,
                      lists.assemblies);
    }
}

// The EDS file is written in a single-byte code page, as the wizard's text boxes give it.
void CheckEds(JsonChecker& check, const QJsonObject& root, ApplySettings& settings) {
    if (!root.contains(QLatin1String("eds"))) {
        return;
    }
    const auto eds = check.Object(root, "", "eds");
    if (!eds) {
        return;
    }
    check.OnlyKnownKeys(*eds, "eds", {"description", "author"});
    const auto latin1 = [](const std::string& text) {
        return QString::fromStdString(text).toLatin1().toStdString();
    };
    if (const auto text = check.Text(*eds, "eds", "description", false)) {
        settings.description = latin1(*text);
    }
    if (const auto text = check.Text(*eds, "eds", "author", false)) {
        settings.author = latin1(*text);
    }
}

// Read as it is, never a fault here: the revision matters only to whoever writes an EDS file.
void ReadFirmware(const QJsonObject& root, ApplySettings& settings) {
    if (!root.contains(QLatin1String("firmware"))) {
        return;
    }
    settings.revisionGiven = true;
    const QJsonValue revision = root.value(QLatin1String("firmware")).toObject().value("revision");
    if (revision.isString()) {
        settings.revision = revision.toString().toStdString();
    }
}

std::string ParseErrorText(const std::string& text, const QJsonParseError& error) {
    int line = 1;
    int column = 1;
    for (int i = 0; i < error.offset && i < static_cast<int>(text.size()); ++i) {
        if (text[static_cast<std::size_t>(i)] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column) +
           ": not valid JSON (" + error.errorString().toStdString() + ")";
}

}  // namespace

ApplyFileCheck CheckApplyText(const std::string& text) {
    ApplyFileCheck result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError) {
        result.faults.push_back(ParseErrorText(text, error));
        return result;
    }
    if (!document.isObject()) {
        result.faults.push_back("the file must hold one JSON object");
        return result;
    }
    const QJsonObject root = document.object();
    JsonChecker check;
    check.OnlyKnownKeys(root, "",
                        {"can", "com", "applicationObjects", "connections", "eds", "firmware"});
    CheckCan(check, root, result.settings);
    CheckCom(check, root, result.settings);
    const bool objectsValid = CheckObjects(check, root, result.settings);
    CheckConnections(check, root, result.settings, objectsValid);
    CheckEds(check, root, result.settings);
    ReadFirmware(root, result.settings);
    result.faults = std::move(check.faults);
    return result;
}

ApplyFileCheck CheckApplyFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        ApplyFileCheck result;
        result.faults.push_back("cannot read the file (" + file.errorString().toStdString() + ")");
        return result;
    }
    return CheckApplyText(file.readAll().toStdString());
}

}  // namespace tavrin
