// The identity by which hosts bind Quillon's INI control. The identifiers are fixed for all time:
// a host's forms refer to the control by its class identifier and call its members by these
// dispatch numbers, so changing any of them breaks every saved host.
#pragma once

#include <cstdint>

namespace quillon {

inline constexpr char kProgId[] = "Quillonctl.INI";
inline constexpr char kLibraryName[] = "Quillonctl";
inline constexpr char kLibraryId[] = "{2C539A66-9E7C-4DC7-B81B-8ECD1FA3EB29}";
inline constexpr char kClassId[] = "{42BBEC81-895A-439C-B983-D032B212ED96}";
// The default (dual) interface _INI and the event interface __INI, which declares no events.
inline constexpr char kInterfaceId[] = "{34B03512-5B9B-41DE-BDAC-79D4A6387B74}";
inline constexpr char kEventInterfaceId[] = "{EB820D96-57E4-4DBE-AD04-ACE3DAE83509}";

// Members of _INI in their interface order.
enum class DispId : std::int32_t {
    FileName = 1745027072,  // property, read and write
    GetKey = 1610809348,
    WriteKey = 1610809349,
    EditINI = 1610809350,
    ShowAboutBox = 1610809352,
    RES = 1610809353,
};

enum class InvokeKind { PropertyGet, PropertyPut, Method };

}  // namespace quillon
