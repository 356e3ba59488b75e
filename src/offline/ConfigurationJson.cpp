#include "offline/ConfigurationJson.h"

#include <QString>
#include <algorithm>

#include "appobj/FunctionCodes.h"
#include "config/CheckByte.h"
#include "eds/ConnectionSelections.h"
#include "offline/ApplyConfig.h"
#include "offline/JsonWriter.h"
#include "rules/PanelRules.h"

namespace tavrin {
namespace {

// The list position a connection word stores in its top byte.
int StoredPosition(Word word) {
    return static_cast<int>(word >> 24);
}

std::string Utf8(const std::string& latin1) {
    return QString::fromLatin1(latin1.data(), static_cast<qsizetype>(latin1.size()))
        .toUtf8()
        .toStdString();
}

// The text an entry of a COM list shows, without its padding; the stored value itself when it
// lies outside the list, so that apply names it.
std::string EntryOr(const std::vector<std::string>& entries, int position, int stored) {
    if (position >= 0 && position < static_cast<int>(entries.size())) {
        return TrimBlanks(entries[static_cast<std::size_t>(position)]);
    }
    return std::to_string(stored);
}

void WriteCom(JsonWriter& json, const GatewaySettings& s) {
    json.BeginObject("com");
    if (s.ComBaudIndex < BaudText.size()) {
        json.Number("baudRate", std::stoll(std::string(BaudText[s.ComBaudIndex])));
    } else {
        json.Number("baudRate", s.ComBaudIndex);
    }
    json.Number("dataBits", s.ComDataBits);
    json.String("parity", EntryOr(ComParityEntries(), s.ComParity, s.ComParity));
    json.Number("stopBits", s.ComStopBits);
    json.Number("timeout", s.ComTimeout);
    json.EndObject();
}

void WriteObjects(JsonWriter& json, const GatewaySettings& s, std::vector<std::string>& refusals) {
    json.BeginArray("applicationObjects");
    const int count = std::min<int>(s.ReadAppCount, kMaxAppObjects);
    for (int i = 0; i < count; ++i) {
        const AppObject& o = s.ReadAppObjects[static_cast<std::size_t>(i)];
        if (o.IOType >= kIOTypeCount) {
            refusals.push_back("applicationObjects[" + std::to_string(i) +
                               "]: the stored I/O type " + std::to_string(o.IOType) +
                               " is not one a function code gives");
        }
        json.BeginObject();
        json.Number("deviceId", o.MBID);
        json.String("functionCode",
                    std::string(kFunctionCodes[FunctionCodeIndexOf(o)].text).substr(0, 4));
        json.Number("startAddress", o.MBSA);
        json.Number("length", o.MBCL);
        json.EndObject();
    }
    json.EndArray();
}

void WriteConnections(JsonWriter& json, const Block1Array& words) {
    json.BeginObject("connections");
    const char* names[kConnectionTypes] = {"poll", "bitStrobe", "cosCyclic"};
    for (int i = 0; i < kConnectionTypes; ++i) {
        json.BeginObject(names[i]);
        json.Number("produced", StoredPosition(words[static_cast<std::size_t>(1 + i)]));
        if (i == kPollConnection) {
            json.Number("consumed", StoredPosition(words[4]));
        }
        json.EndObject();
    }
    json.EndObject();
}

}  // namespace

ConfigurationJson ConfigurationToJson(const ConfigImage& image,
                                      const std::optional<FirmwareRevision>& revision,
                                      const std::string& description, const std::string& author) {
    ConfigurationJson result;
    const GatewaySettings& s = image.settings;
    if (!s.ConfigWrong && s.AppLayer == 0) {
        result.refusals.push_back(
            "can: the gateway is set to CANopen; apply stores a DeviceNet configuration");
    }
    JsonWriter json;
    json.BeginObject();
    json.BeginObject("can");
    json.Number("nodeId", s.NodeId);
    json.Number("bitRate", s.CanBaudIndex);
    json.EndObject();
    WriteCom(json, s);
    WriteObjects(json, s, result.refusals);
    // Defaults hold no connection choices: every list starts from None.
    WriteConnections(json, s.ConfigWrong ? Block1Array{} : image.words.ReadBlock1Words);
    if (!description.empty() || !author.empty()) {
        json.BeginObject("eds");
        json.String("description", Utf8(description));
        json.String("author", Utf8(author));
        json.EndObject();
    }
    if (revision) {
        json.BeginObject("firmware");
        json.String("revision", FirmwareRevisionText(*revision));
        json.EndObject();
    }
    json.EndObject();
    result.text = json.Text();
    for (const std::string& fault : CheckApplyText(result.text).faults) {
        result.refusals.push_back(fault);
    }
    return result;
}

}  // namespace tavrin
