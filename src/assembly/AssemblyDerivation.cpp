#include "assembly/AssemblyDerivation.h"

#include <algorithm>
#include <cstdio>

#include "config/WordArithmetic.h"

namespace tavrin {

namespace {

constexpr std::uint8_t kDigitalOutput = 0;
constexpr std::uint8_t kAnalogOutput = 1;
constexpr std::uint8_t kDigitalInput = 2;
constexpr std::uint8_t kAnalogInput = 3;

std::string PaddedAddress(long long address) {
    char text[32];
    std::snprintf(text, sizeof text, "%05lld", address < 0 ? -address : address);
    return (address < 0 ? "-" : "") + std::string(text);
}

long long DigitalBytes(long long bits) {
    return (bits + 7) / 8;
}

bool Counts(const AppObject& object) {
    return object.MBCL > 0 && object.IOType < kIOTypeCount;
}

// Writes mapping texts into one instance from byte 0 on, refusing everything past the instance
// limit. Like the gateway's own tables, the instance is only touched by objects that reach it: when
// the totals disagree with the objects, a later part may overwrite an earlier one's bytes but never
// leaves Length and Mapping out of step.
class InstanceFiller {
public:
    InstanceFiller(AssemblyInstance& target, bool& truncated)
        : m_target(target), m_truncated(truncated) {}

    bool Full() const { return m_position >= static_cast<std::size_t>(kMaxMappingEntries); }

    void Put(const std::string& text) {
        if (Full()) {
            m_truncated = true;
            return;
        }
        if (m_position < m_target.Mapping.size()) {
            m_target.Mapping[m_position] = text;
        } else {
            m_target.Mapping.push_back(text);
        }
        ++m_position;
    }

    void Close(std::uint8_t kind) {
        m_target.Mapping.resize(m_position);
        m_target.Length = static_cast<std::int16_t>(m_position);
        m_target.Kind = kind;
    }

private:
    AssemblyInstance& m_target;
    bool& m_truncated;
    std::size_t m_position = 0;
};

// Each object starts on a fresh byte; the last byte of an object covers only its remaining bits.
void FillDigital(AssemblyInstance& target, std::uint8_t ioType, const AppObjectTable& objects,
                 int appCount, bool& truncated) {
    InstanceFiller filler(target, truncated);
    for (int i = 0; i < appCount; ++i) {
        const AppObject& o = objects[i];
        if (o.IOType != ioType || o.MBCL <= 0)
            continue;
        const long long bytes = DigitalBytes(o.MBCL);
        for (long long j = 1; j <= bytes; ++j) {
            if (filler.Full()) {
                truncated = true;
                break;
            }
            const long long low = o.MBSA + 8 * (j - 1);
            const long long high = j == bytes ? o.MBSA + o.MBCL - 1 : o.MBSA + 8 * j - 1;
            filler.Put(DigitalMappingText(o.MBID, high, low));
        }
        filler.Close(kDigitalKind);
    }
}

// A 16-bit register fills two bytes, both named after the register.
void FillAnalog(AssemblyInstance& target, std::uint8_t ioType, const AppObjectTable& objects,
                int appCount, bool& truncated) {
    InstanceFiller filler(target, truncated);
    for (int i = 0; i < appCount; ++i) {
        const AppObject& o = objects[i];
        if (o.IOType != ioType || o.MBCL <= 0)
            continue;
        for (long long j = 1; j <= o.MBCL; ++j) {
            if (filler.Full()) {
                truncated = true;
                break;
            }
            const std::string text = AnalogMappingText(o.MBID, o.MBSA + j - 1);
            filler.Put(text);
            filler.Put(text);
        }
        filler.Close(kAnalogKind);
    }
}

}  // namespace

std::string DigitalMappingText(int mbid, long long high, long long low) {
    return SignPosText(mbid) + ":" + PaddedAddress(high) + "~" + PaddedAddress(low);
}

std::string AnalogMappingText(int mbid, long long address) {
    return SignPosText(mbid) + ":" + PaddedAddress(address);
}

namespace {

// One direction: the digital instance first when its total says it exists, then the analog one.
// The totals, not the objects, choose the analog instance's index, as the gateway does.
void DeriveDirection(std::array<AssemblyInstance, 2>& instances, std::uint8_t& last,
                     std::uint8_t digitalType, std::uint8_t analogType,
                     const AppObjectTable& objects, int appCount, const IOTotalArray& totals,
                     bool& truncated) {
    last = 0;
    FillDigital(instances[last], digitalType, objects, appCount, truncated);
    if (totals[digitalType] > 0)
        ++last;
    FillAnalog(instances[last], analogType, objects, appCount, truncated);
    if (totals[analogType] == 0)
        last = 0;
}

}  // namespace

AssemblyTables DeriveAssemblies(const AppObjectTable& objects, int appCount,
                                const IOTotalArray& totals) {
    appCount = std::clamp(appCount, 0, kMaxAppObjects);
    AssemblyTables t;
    DeriveDirection(t.OutputAssemblies, t.LastOutputAssembly, kDigitalOutput, kAnalogOutput,
                    objects, appCount, totals, t.Truncated);
    DeriveDirection(t.InputAssemblies, t.LastInputAssembly, kDigitalInput, kAnalogInput, objects,
                    appCount, totals, t.Truncated);
    return t;
}

std::array<long long, kIOTypeCount> BytesPerIOType(const AppObjectTable& objects, int appCount) {
    std::array<long long, kIOTypeCount> bytes{};
    appCount = std::clamp(appCount, 0, kMaxAppObjects);
    for (int i = 0; i < appCount; ++i) {
        const AppObject& o = objects[i];
        if (!Counts(o))
            continue;
        const bool digital = o.IOType == kDigitalOutput || o.IOType == kDigitalInput;
        bytes[o.IOType] += digital ? DigitalBytes(o.MBCL) : 2LL * o.MBCL;
    }
    return bytes;
}

int OutputInstanceCount(const AssemblyTables& tables) {
    const int last = tables.LastOutputAssembly;
    return tables.OutputAssemblies[last].Length >= 1 ? last + 1 : last;
}

std::string HexId(int identifier) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(identifier));
    return text;
}

}  // namespace tavrin
