// The bus check: each application object's request put on the RS-485 line, one row per object
// saying what came back. Reads only (see BusRequest.h). Window-free: the window and tavrin-cli
// both run it over a ModbusBus and show its rows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/AppObjectList.h"
#include "modbus/BusRequest.h"
#include "modbus/ModbusBus.h"

namespace tavrin {

// Said wherever results are shown, so nobody takes a row for a write that was made.
inline constexpr const char* kReadsOnlyNote =
    "Reads only: FC15 objects are checked with FC01 and FC16 objects with FC03 over the same "
    "range; nothing is written.";

struct BusCheckRow {
    int number = 0;  // the object's number in the working table, from 1
    BusRequest request;
    BusReply reply;
    // Set when the request could not go out at all (a length Modbus does not allow); the reply
    // is then meaningless.
    std::optional<std::string> notSent;

    bool Answered() const { return !notSent && reply.kind == BusReply::Kind::Ok; }
};

// "OK: 1 0 1", "OK: 1234 (0x04D2)", "exception 02 (illegal data address)", "no answer",
// "bad reply", "not sent: length 200 is outside 1-125".
std::string OutcomeText(const BusCheckRow& row);
// "OK", "exception", "no answer", "bad reply" or "not sent".
std::string OutcomeKind(const BusCheckRow& row);
// "FC01" for the code sent; "FC01 (for FC15)" when a write object is checked by its read.
std::string FunctionCodeText(const BusRequest& request);
// Values as the rows show them: bits "1 0 1", registers "1234 (0x04D2), 7 (0x0007)".
std::string ValuesText(const BusRequest& request, const std::vector<std::uint16_t>& values);

// One object, on a bus already open.
BusCheckRow CheckObject(ModbusBus& bus, int number, const AppObject& object);

// Which objects a run covers: all of them, or only the object numbered `only` (from 1).
std::vector<int> ObjectNumbers(int objectCount, std::optional<int> only);

// Runs `numbers` of `objects` over an open bus, handing each row to `onRow` as it is made;
// `stopRequested` is asked before each object, and a run that is stopped returns what it has.
std::vector<BusCheckRow> RunBusCheck(ModbusBus& bus, const std::vector<AppObject>& objects,
                                     const std::vector<int>& numbers,
                                     const std::function<void(const BusCheckRow&)>& onRow,
                                     const std::function<bool()>& stopRequested = nullptr);

// True when every row answered OK.
bool AllAnswered(const std::vector<BusCheckRow>& rows);

// The objects of a working table in order.
std::vector<AppObject> ObjectsOf(const AppObjectList& table);
std::vector<AppObject> ObjectsOf(const AppObjectTable& objects, int count);

}  // namespace tavrin
