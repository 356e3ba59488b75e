// The DeviceNet assembly instances that follow from the application objects.
//
// On the DeviceNet side the K-5310G exchanges its Modbus data as instances of the Assembly class
// (class 0x04). Output instances carry what the network master sends (written to Modbus devices by
// the digital and analog output objects); input instances carry what the gateway produces (read by
// the digital and analog input objects). Each direction has at most two instances, the digital one
// first. Nobody edits them: they are rebuilt from the working table whenever a window needs them,
// together with one mapping text per data byte telling which Modbus data that byte carries.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/AppObjectList.h"

namespace tavrin {

// The gateway firmware reserves room for this many bytes (mapping entries) per instance.
inline constexpr int kMaxMappingEntries = 1025;

// Instance identifiers start here; outputs come first and inputs follow on after them.
inline constexpr int kFirstAssemblyId = 100;

struct AssemblyInstance {
    // One text per data byte in byte order: " <MBID>:<high>~<low>" for a byte of coils or inputs,
    // " <MBID>:<register>" for each of the two bytes of a register. Holds exactly Length entries.
    std::vector<std::string> Mapping;
    std::int16_t Length = 0;  // data bytes; 0 means the instance does not exist
    std::uint8_t Kind = 0;    // 0 digital (bit data), 1 analog (register data)
};

inline constexpr std::uint8_t kDigitalKind = 0;
inline constexpr std::uint8_t kAnalogKind = 1;

struct AssemblyTables {
    std::array<AssemblyInstance, 2> OutputAssemblies{};
    std::array<AssemblyInstance, 2> InputAssemblies{};
    std::uint8_t LastOutputAssembly = 0;  // index of the last output instance
    std::uint8_t LastInputAssembly = 0;   // index of the last input instance
    // Some instance needed more than kMaxMappingEntries bytes and was cut off there. Only a
    // configuration read from a gateway can do this; the editor refuses such tables.
    bool Truncated = false;
};

// Rebuilds all four instances from the first `appCount` objects and the per-type length totals.
// The totals decide whether the analog part of a direction becomes instance 0 or 1, so they must
// match the objects (the editor keeps them so). Objects with a length of 0 or an IOType outside
// 0..3 contribute nothing; no instance gets more than kMaxMappingEntries bytes.
AssemblyTables DeriveAssemblies(const AppObjectTable& objects, int appCount,
                                const IOTotalArray& totals);
// The same for the whole of a working table.
inline AssemblyTables DeriveAssemblies(const AppObjectList& working) {
    return DeriveAssemblies(working.AppObjects, working.AppCount, working.IOTotals);
}

// Data bytes the objects of each IOType need (digital: one byte per started eight bits of each
// object; analog: two bytes per register). Counted without the instance limit, so that the editor
// can see a table that would overflow one.
std::array<long long, kIOTypeCount> BytesPerIOType(const AppObjectTable& objects, int appCount);

// Number of output instances that exist (0, 1 or 2): input instance i has the identifier
// kFirstAssemblyId + OutputInstanceCount + i.
int OutputInstanceCount(const AssemblyTables& tables);

// An identifier as the views and the EDS file show it: upper-case hexadecimal without prefix.
std::string HexId(int identifier);

// The mapping texts; an address is zero-padded to at least five digits, longer ones in full.
std::string DigitalMappingText(int mbid, long long high, long long low);
std::string AnalogMappingText(int mbid, long long address);

}  // namespace tavrin
