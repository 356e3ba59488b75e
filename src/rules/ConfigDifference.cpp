#include "rules/ConfigDifference.h"

#include <algorithm>
#include <array>
#include <functional>

#include "config/Block0Codec.h"
#include "config/CanBitRate.h"
#include "config/CheckByte.h"
#include "config/WordArithmetic.h"

namespace tavrin {
namespace {

GatewaySettings Decoded(const ConfigWords& words) {
    GatewaySettings settings;
    DecodeBlock0(settings, words.block0);
    return settings;
}

std::string Number(long long value) {
    return std::to_string(value);
}

std::string LayerText(int layer) {
    return layer == 0 ? "CANopen" : layer == 1 ? "DeviceNet" : "layer " + Number(layer);
}

std::string BitRateText(const GatewaySettings& c) {
    const auto rate = CanBitRateKbps(c.AppLayer, c.CanBaudIndex);
    return rate ? Number(*rate) + " kbit/s" : "index " + Number(c.CanBaudIndex);
}

std::string BaudRateText(int index) {
    return index >= 0 && index < static_cast<int>(BaudText.size()) ? std::string(BaudText[index])
                                                                   : "index " + Number(index);
}

std::string ParityText(int parity) {
    constexpr std::array<const char*, 3> names{"NONE", "EVEN", "ODD"};
    return parity >= 0 && parity < 3 ? names[parity] : "parity " + Number(parity);
}

// The Modbus function code a stored object issues, from its direction, width and selector.
std::string FunctionCodeText(const AppObject& o) {
    switch (o.IOType) {
        case 0:
            return "FC15";
        case 1:
            return "FC16";
        case 2:
            return o.FCSel ? "FC01" : "FC02";
        case 3:
            return o.FCSel ? "FC03" : "FC04";
        default:
            return "IOType " + Number(o.IOType);
    }
}

// Block 1 word k: 0 is unused, 1..3 the produced paths and 4..6 the consumed paths of Poll,
// Bit-Strobe and COS/Cyclic.
std::string ConnectionText(int k, Word word) {
    constexpr std::array<const char*, 3> connections{"Poll", "Bit-Strobe", "COS/Cyclic"};
    if (k < 1 || k > 6) {
        return Number(word);
    }
    const std::string what =
        std::string(connections[(k - 1) % 3]) + (k <= 3 ? " produced" : " consumed");
    return what + ": list " + Number(ByteOf(word, 3)) + ", class " + Number(ByteOf(word, 2)) +
           " instance " + Number(ByteOf(word, 1)) + " attribute " + Number(ByteOf(word, 0));
}

class Differences {
public:
    Differences(const GatewaySettings& a, const GatewaySettings& b) : m_a(a), m_b(b) {}

    void Field(const std::string& name,
               const std::function<std::string(const GatewaySettings&)>& text) {
        Add(name, text(m_a), text(m_b));
    }
    void Add(const std::string& name, const std::string& a, const std::string& b) {
        if (a != b) {
            m_list.push_back({name, a, b});
        }
    }
    std::vector<FieldDifference> Take() { return std::move(m_list); }

private:
    const GatewaySettings& m_a;
    const GatewaySettings& m_b;
    std::vector<FieldDifference> m_list;
};

void ObjectFields(Differences& d, const GatewaySettings& a, const GatewaySettings& b) {
    const int count = std::min<int>(std::max(a.ReadAppCount, b.ReadAppCount), kMaxAppObjects);
    for (int i = 0; i < count; ++i) {
        const std::string prefix = "ReadAppObjects[" + Number(i) + "].";
        auto side = [i](const GatewaySettings& c, auto text) -> std::string {
            return i < c.ReadAppCount ? text(c.ReadAppObjects[i]) : "none";
        };
        auto field = [&](const char* name, auto text) {
            d.Add(prefix + name, side(a, text), side(b, text));
        };
        field("MBID", [](const AppObject& o) { return Number(o.MBID); });
        field("FunctionCode", [](const AppObject& o) { return FunctionCodeText(o); });
        field("MBSA", [](const AppObject& o) { return Number(o.MBSA); });
        field("MBCL", [](const AppObject& o) { return Number(o.MBCL); });
    }
}

}  // namespace

std::vector<FieldDifference> DifferenceOf(const ConfigWords& wordsA, const ConfigWords& wordsB) {
    const GatewaySettings a = Decoded(wordsA);
    const GatewaySettings b = Decoded(wordsB);
    Differences d(a, b);
    d.Field("ConfigWrong",
            [](const GatewaySettings& c) { return c.ConfigWrong ? "wrong" : "valid"; });
    d.Field("NodeId", [](const GatewaySettings& c) { return Number(c.NodeId); });
    d.Field("AppLayer", [](const GatewaySettings& c) { return LayerText(c.AppLayer); });
    d.Field("CanBaudIndex", BitRateText);
    d.Field("ComBaudIndex", [](const GatewaySettings& c) { return BaudRateText(c.ComBaudIndex); });
    d.Field("ComDataBits", [](const GatewaySettings& c) { return Number(c.ComDataBits); });
    d.Field("ComParity", [](const GatewaySettings& c) { return ParityText(c.ComParity); });
    d.Field("ComStopBits", [](const GatewaySettings& c) { return Number(c.ComStopBits); });
    d.Field("ComTimeout", [](const GatewaySettings& c) { return Number(c.ComTimeout) + " ms"; });
    d.Field("ComCheckByte", [](const GatewaySettings& c) { return Number(c.ComCheckByte); });
    d.Field("ReadAppCount", [](const GatewaySettings& c) { return Number(c.ReadAppCount); });
    ObjectFields(d, a, b);
    for (int k = 0; k < kBlock1Words; ++k) {
        d.Add("ReadBlock1Words[" + Number(k) + "]", ConnectionText(k, wordsA.block1[k]),
              ConnectionText(k, wordsB.block1[k]));
    }
    return d.Take();
}

}  // namespace tavrin
