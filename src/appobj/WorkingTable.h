// The application object editor's working table and its rules, without widgets.
//
// The table is the image's AppObjectList (AppObjects, AppCount, IOTotals), since the connection
// wizard, the views and the final store all read it. This class is the only writer: it fills the
// table from the objects read from the gateway, validates what the user typed, and keeps the
// per-type length totals exact on every add, delete and update, since the assembly layout is chosen
// from them. Every refusal changes nothing and hands back the message the editor shows for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/Notice.h"
#include "config/ConfigImage.h"

namespace tavrin {

// The editor's four fields as typed.
struct EditorFields {
    std::string deviceId;      // MB_ID
    int functionCode = 0;      // position in the function-code list
    std::string startAddress;  // MB_Start_addr
    std::string length;        // MB_Comm_len
};

// The four fields as numbers, and the field a failing check is about.
struct ObjectValues {
    long long deviceId = 0;
    int functionCode = 0;  // position in the function-code list, 0..5
    long long startAddress = 0;
    long long length = 0;
};
enum class ObjectField { DeviceId, StartAddress, Length };
struct ObjectFault {
    ObjectField field;
    const char* message;
};
// Every check of one object that fails, in the editor's order (device id, start address,
// length); the editor shows the first, a configuration file lists them all. Empty when valid.
std::vector<ObjectFault> ObjectFaults(const ObjectValues& values);
// The object the values describe; only meaningful when ObjectFaults found nothing.
AppObject MakeAppObject(const ObjectValues& values);

// The value of the leading decimal digits of `text`; no digits read as 0. Saturates far above any
// field's range, so a long paste cannot overflow.
long long LeadingDigits(std::string_view text);

// How an edit of the table ended: made or refused, and the messages the editor shows for it, in
// the order it shows them.
struct TableEdit {
    bool done = false;
    std::vector<Notice> notices;
};

class WorkingTable {
public:
    explicit WorkingTable(ConfigImage& image) : m_image(image) {}

    // A fresh table: the objects and totals read from the gateway, or an empty table.
    void Load();
    // Leaves an empty table behind when the editor goes; unsaved edits are dropped on purpose.
    void Discard();

    int Count() const { return m_image.working.AppCount; }
    const AppObject& Object(int index) const { return m_image.working.AppObjects.at(index); }
    const IOTotalArray& Totals() const { return m_image.working.IOTotals; }

    // Validates the fields and, only if all pass, stores them as object `index`. Otherwise not
    // done, with the first failing check's message (title "Error").
    TableEdit ApplicationObj(int index, const EditorFields& fields);

    // Appends a new object. When refused, nothing has changed and the reason is the one notice.
    TableEdit Add(const EditorFields& fields);
    // Removes object `selected`; the ones after it move up. Returns the index to select next, the
    // last remaining object, or -1 when the table is now empty (or `selected` named nothing).
    int Delete(int selected);
    // Replaces object `selected`. The notices end with "Success!!!" or, after the refusal's reason,
    // "Failure!!!" (title "Update"); an index that names no object is refused without a word.
    TableEdit Update(int selected, const EditorFields& fields);

private:
    bool InUse(int index) const { return index >= 0 && index < Count(); }
    // True when storing `candidate` at `index` would make some assembly instance need more bytes
    // than the gateway has for one, and more than it needed before the change.
    bool WouldOverflowInstance(int index, const AppObject& candidate) const;
    void AddToTotal(const AppObject& object, int sign);

    ConfigImage& m_image;
};

}  // namespace tavrin
