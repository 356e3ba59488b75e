#include "cli/ConfigReport.h"

#include <cstdio>
#include <sstream>

#include "cli/JsonWriter.h"
#include "config/CanBitRate.h"
#include "config/CheckByte.h"
#include "console/ReadSequence.h"

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

constexpr const char* kIOTypeNames[] = {"Digital Output", "Analog Output", "Digital Input",
                                        "Analog Input"};
constexpr const char* kParityNames[] = {"NONE", "EVEN", "ODD"};

}  // namespace

std::string ConfigToJson(const ConfigImage& c) {
    JsonWriter json;
    json.BeginObject();
    json.Number("FwMajor", c.FwMajor);
    json.Number("FwMinor", c.FwMinor);
    json.Number("FwYear", c.FwYear);
    json.Number("FwMonth", c.FwMonth);
    json.Number("FwDay", c.FwDay);
    json.String("ModulePrompt", c.ModulePrompt);
    json.Number("NodeId", c.NodeId);
    json.Number("CanBaudIndex", c.CanBaudIndex);
    json.Number("AppLayer", c.AppLayer);
    json.Number("ComBaudIndex", c.ComBaudIndex);
    json.Number("ComDataBits", c.ComDataBits);
    json.Number("ComParity", c.ComParity);
    json.Number("ComStopBits", c.ComStopBits);
    json.Number("ComTimeout", c.ComTimeout);
    json.Number("ComCheckByte", c.ComCheckByte);
    json.Number("CfgYear", c.CfgYear);
    json.Number("CfgMonth", c.CfgMonth);
    json.Number("CfgDay", c.CfgDay);
    json.Number("CfgHour", c.CfgHour);
    json.Number("CfgMinute", c.CfgMinute);
    json.Number("CfgSecond", c.CfgSecond);
    json.Number("ReadAppCount", c.ReadAppCount);
    ObjectTable(json, "ReadAppObjects", c.ReadAppObjects, c.ReadAppCount);
    Totals(json, "StoredIOTotals", c.StoredIOTotals);
    json.Number("StoredDOLen", c.StoredDOLen);
    json.Number("StoredAOLen", c.StoredAOLen);
    json.Number("StoredDILen", c.StoredDILen);
    json.Number("StoredAILen", c.StoredAILen);
    json.Number("AppCount", c.AppCount);
    ObjectTable(json, "AppObjects", c.AppObjects, c.AppCount);
    Totals(json, "IOTotals", c.IOTotals);
    WordArray(json, "Block0Words", c.Block0Words, kBlock0ConfigWords);
    WordArray(json, "Block1Words", c.Block1Words, kBlock1Words);
    WordArray(json, "ReadBlock0Words", c.ReadBlock0Words, kBlock0ConfigWords);
    WordArray(json, "ReadBlock1Words", c.ReadBlock1Words, kBlock1Words);
    json.Bool("ConfigWrong", c.ConfigWrong);
    json.Bool("ConnInfoValid", c.ConnInfoValid);
    json.Bool("Busy", c.Busy);
    json.EndObject();
    return json.Text();
}

std::string ConfigToTable(const ConfigImage& c) {
    std::ostringstream out;
    const auto rate = CanBitRateKbps(c.AppLayer, c.CanBaudIndex);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d", c.CfgYear, c.CfgMonth,
                  c.CfgDay, c.CfgHour, c.CfgMinute, c.CfgSecond);

    out << "Module              " << c.ModulePrompt << "\n";
    out << "Firmware            " << FirmwareText(c) << "\n";
    out << "Configuration       " << (c.ConfigWrong ? "wrong, defaults shown" : "valid") << "\n";
    out << "Stored at           " << stamp << "\n";
    out << "CAN node id         " << int{c.NodeId} << "\n";
    out << "Application layer   "
        << (c.AppLayer == 0   ? "CANopen"
            : c.AppLayer == 1 ? "DeviceNet"
                              : "unknown")
        << " (" << int{c.AppLayer} << ")\n";
    out << "CAN bit rate        ";
    if (rate) {
        out << *rate << " kbit/s";
    } else {
        out << "not a rate of this layer";
    }
    out << " (index " << int{c.CanBaudIndex} << ")\n";
    const std::string baud =
        c.ComBaudIndex < BaudText.size() ? std::string(BaudText[c.ComBaudIndex]) : "?";
    out << "Modbus port         " << baud << " baud, " << int{c.ComDataBits} << " data bits, "
        << (c.ComParity < 3 ? kParityNames[c.ComParity] : "?") << " parity, " << int{c.ComStopBits}
        << " stop bit(s)\n";
    out << "Modbus timeout      " << c.ComTimeout << " ms\n";
    out << "COM check byte      " << int{c.ComCheckByte} << "\n";
    out << "Application objects " << int{c.ReadAppCount} << "\n";
    for (int i = 0; i < c.ReadAppCount && i < kMaxAppObjects; ++i) {
        const AppObject& o = c.ReadAppObjects[i];
        out << "  " << (i + 1) << ". device " << int{o.MBID} << ", "
            << (o.IOType < 4 ? kIOTypeNames[o.IOType] : "unknown type") << " (FC variant "
            << int{o.FCSel} << "), start " << o.MBSA << ", length " << o.MBCL << "\n";
    }
    out << "Block 0 words      ";
    for (int k = 0; k < kBlock0ConfigWords; ++k) {
        out << ' ' << c.ReadBlock0Words[k];
    }
    out << "\nBlock 1 words      ";
    for (int k = 0; k < kBlock1Words; ++k) {
        out << ' ' << c.ReadBlock1Words[k];
    }
    out << "\n";
    return out.str();
}

}  // namespace tavrin::cli
