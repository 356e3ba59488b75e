#include "cli/ConfigReport.h"

#include <cstdio>
#include <sstream>

#include "appobj/FunctionCodes.h"
#include "config/CanBitRate.h"
#include "config/CheckByte.h"
#include "console/ReadSequence.h"
#include "offline/JsonWriter.h"

namespace tavrin::cli {
namespace {

template <typename Array>
void WordArray(JsonWriter& json, std::string_view key, const Array& words, std::size_t count) {
    json.BeginArray(key);
    for (std::size_t k = 0; k < count && k < words.size(); ++k) {
        json.Number({}, words[k]);
    }
    json.EndArray();
}

void ObjectTable(JsonWriter& json, std::string_view key, const AppObjectTable& table, int count) {
    json.BeginArray(key);
    for (int i = 0; i < count && i < kMaxAppObjects; ++i) {
        const AppObject& o = table[i];
        json.BeginObject();
        json.Number("MBID", o.MBID);
        json.Number("IOType", o.IOType);
        json.Number("FCSel", o.FCSel);
        json.Number("MBSA", o.MBSA);
        json.Number("MBCL", o.MBCL);
        json.EndObject();
    }
    json.EndArray();
}

void Totals(JsonWriter& json, std::string_view key, const IOTotalArray& totals) {
    json.BeginArray(key);
    for (const auto total : totals) {
        json.Number({}, total);
    }
    json.EndArray();
}

// "FC03", as the editor's function-code list begins the object's entry. A type no editor writes
// keeps its stored selector.
std::string FunctionCodeName(const AppObject& object) {
    if (object.IOType >= kIOTypeCount) {
        return "FC variant " + std::to_string(int{object.FCSel});
    }
    return std::string(kFunctionCodes[FunctionCodeIndexOf(object)].text, 4);
}

constexpr const char* kIOTypeNames[] = {"Digital Output", "Analog Output", "Digital Input",
                                        "Analog Input"};
constexpr const char* kParityNames[] = {"NONE", "EVEN", "ODD"};

}  // namespace

std::string ConfigToJson(const ConfigImage& c, bool busy) {
    JsonWriter json;
    json.BeginObject();
    json.Number("FwMajor", c.settings.FwMajor);
    json.Number("FwMinor", c.settings.FwMinor);
    json.Number("FwYear", c.settings.FwYear);
    json.Number("FwMonth", c.settings.FwMonth);
    json.Number("FwDay", c.settings.FwDay);
    json.String("ModulePrompt", c.settings.ModulePrompt);
    json.Number("NodeId", c.settings.NodeId);
    json.Number("CanBaudIndex", c.settings.CanBaudIndex);
    json.Number("AppLayer", c.settings.AppLayer);
    json.Number("ComBaudIndex", c.settings.ComBaudIndex);
    json.Number("ComDataBits", c.settings.ComDataBits);
    json.Number("ComParity", c.settings.ComParity);
    json.Number("ComStopBits", c.settings.ComStopBits);
    json.Number("ComTimeout", c.settings.ComTimeout);
    json.Number("ComCheckByte", c.settings.ComCheckByte);
    json.Number("CfgYear", c.settings.CfgYear);
    json.Number("CfgMonth", c.settings.CfgMonth);
    json.Number("CfgDay", c.settings.CfgDay);
    json.Number("CfgHour", c.settings.CfgHour);
    json.Number("CfgMinute", c.settings.CfgMinute);
    json.Number("CfgSecond", c.settings.CfgSecond);
    json.Number("ReadAppCount", c.settings.ReadAppCount);
    ObjectTable(json, "ReadAppObjects", c.settings.ReadAppObjects, c.settings.ReadAppCount);
    Totals(json, "StoredIOTotals", c.settings.StoredIOTotals);
    json.Number("StoredDOLen", c.settings.StoredDOLen);
    json.Number("StoredAOLen", c.settings.StoredAOLen);
    json.Number("StoredDILen", c.settings.StoredDILen);
    json.Number("StoredAILen", c.settings.StoredAILen);
    json.Number("AppCount", c.working.AppCount);
    ObjectTable(json, "AppObjects", c.working.AppObjects, c.working.AppCount);
    Totals(json, "IOTotals", c.working.IOTotals);
    WordArray(json, "Block0Words", c.words.Block0Words, kBlock0ConfigWords);
    WordArray(json, "Block1Words", c.words.Block1Words, kBlock1Words);
    WordArray(json, "ReadBlock0Words", c.words.ReadBlock0Words, kBlock0ConfigWords);
    WordArray(json, "ReadBlock1Words", c.words.ReadBlock1Words, kBlock1Words);
    json.Bool("ConfigWrong", c.settings.ConfigWrong);
    json.Bool("ConnInfoValid", c.settings.ConnInfoValid);
    json.Bool("Busy", busy);
    json.EndObject();
    return json.Text();
}

std::string ConfigToTable(const ConfigImage& c) {
    std::ostringstream out;
    const auto rate = CanBitRateKbps(c.settings.AppLayer, c.settings.CanBaudIndex);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d", c.settings.CfgYear,
                  c.settings.CfgMonth, c.settings.CfgDay, c.settings.CfgHour, c.settings.CfgMinute,
                  c.settings.CfgSecond);

    out << "Module              " << c.settings.ModulePrompt << "\n";
    out << "Firmware            " << FirmwareText(c.settings) << "\n";
    out << "Configuration       " << (c.settings.ConfigWrong ? "wrong, defaults shown" : "valid")
        << "\n";
    out << "Stored at           " << stamp << "\n";
    out << "CAN node id         " << int{c.settings.NodeId} << "\n";
    out << "Application layer   "
        << (c.settings.AppLayer == 0   ? "CANopen"
            : c.settings.AppLayer == 1 ? "DeviceNet"
                                       : "unknown")
        << " (" << int{c.settings.AppLayer} << ")\n";
    out << "CAN bit rate        ";
    if (rate) {
        out << *rate << " kbit/s";
    } else {
        out << "not a rate of this layer";
    }
    out << " (index " << int{c.settings.CanBaudIndex} << ")\n";
    const std::string baud = c.settings.ComBaudIndex < BaudText.size()
                                 ? std::string(BaudText[c.settings.ComBaudIndex])
                                 : "?";
    out << "Modbus port         " << baud << " baud, " << int{c.settings.ComDataBits}
        << " data bits, " << (c.settings.ComParity < 3 ? kParityNames[c.settings.ComParity] : "?")
        << " parity, " << int{c.settings.ComStopBits} << " stop bit(s)\n";
    out << "Modbus timeout      " << c.settings.ComTimeout << " ms\n";
    out << "COM check byte      " << int{c.settings.ComCheckByte} << "\n";
    out << "Application objects " << int{c.settings.ReadAppCount} << "\n";
    for (int i = 0; i < c.settings.ReadAppCount && i < kMaxAppObjects; ++i) {
        const AppObject& o = c.settings.ReadAppObjects[i];
        out << "  " << (i + 1) << ". device " << int{o.MBID} << ", "
            << (o.IOType < 4 ? kIOTypeNames[o.IOType] : "unknown type") << " ("
            << FunctionCodeName(o) << "), start " << o.MBSA << ", length " << o.MBCL << "\n";
    }
    out << "Block 0 words      ";
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        out << ' ' << c.words.ReadBlock0Words[k];
    }
    out << "\nBlock 1 words      ";
    for (int k = 0; k < kBlock1Words; ++k) {
        out << ' ' << c.words.ReadBlock1Words[k];
    }
    out << "\n";
    return out.str();
}

}  // namespace tavrin::cli
