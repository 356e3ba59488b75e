#include "appobj/WorkingTable.h"

#include <algorithm>
#include <cctype>

#include "appobj/AppObjectMessages.h"
#include "appobj/FunctionCodes.h"
#include "assembly/AssemblyDerivation.h"

namespace tavrin {

namespace {

constexpr long long kSaturation = 1'000'000'000;
constexpr const char* kErrorTitle = "Error";

struct Range {
    long long low;
    long long high;
    bool Holds(long long value) const { return value >= low && value <= high; }
};

constexpr Range kDeviceIds{1, 247};
constexpr Range kStartAddresses{0, 65535};
constexpr Range kRegisterLengths{1, 120};
constexpr Range kBitLengths{1, 1920};

TableEdit Refused(const char* text) {
    return {false, {{text, kErrorTitle}}};
}

}  // namespace

long long LeadingDigits(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        value = std::min(kSaturation, value * 10 + (c - '0'));
    }
    return value;
}

void WorkingTable::Load() {
    Discard();
    const int count = std::clamp<int>(m_image.settings.ReadAppCount, 0, kMaxAppObjects);
    if (count == 0)
        return;
    std::copy_n(m_image.settings.ReadAppObjects.begin(), count, m_image.working.AppObjects.begin());
    m_image.working.AppCount = static_cast<std::uint8_t>(count);
    m_image.working.IOTotals = m_image.settings.StoredIOTotals;
}

void WorkingTable::Discard() {
    m_image.working.AppObjects = {};
    m_image.working.AppCount = 0;
    m_image.working.IOTotals = {};
}

std::vector<ObjectFault> ObjectFaults(const ObjectValues& values) {
    const int code = std::clamp(values.functionCode, 0, kFunctionCodeCount - 1);
    const bool registers = IsRegisterCode(code);
    std::vector<ObjectFault> faults;
    if (!kDeviceIds.Holds(values.deviceId))
        faults.push_back({ObjectField::DeviceId, msg::kDeviceAddressError});
    if (!kStartAddresses.Holds(values.startAddress))
        faults.push_back({ObjectField::StartAddress,
                          registers ? msg::kRegisterAddressError : msg::kRelayAddressError});
    if (!(registers ? kRegisterLengths : kBitLengths).Holds(values.length))
        faults.push_back(
            {ObjectField::Length, registers ? msg::kRegisterLengthError : msg::kRelayLengthError});
    return faults;
}

AppObject MakeAppObject(const ObjectValues& values) {
    const int code = std::clamp(values.functionCode, 0, kFunctionCodeCount - 1);
    AppObject object;
    object.MBID = static_cast<std::uint8_t>(values.deviceId);
    object.IOType = kFunctionCodes[code].ioType;
    object.FCSel = kFunctionCodes[code].fcSel;
    object.MBSA = static_cast<std::int32_t>(values.startAddress);
    object.MBCL = static_cast<std::int32_t>(values.length);
    return object;
}

TableEdit WorkingTable::ApplicationObj(int index, const EditorFields& fields) {
    if (index < 0 || index >= kMaxAppObjects)
        return {};
    const ObjectValues values{LeadingDigits(fields.deviceId), fields.functionCode,
                              LeadingDigits(fields.startAddress), LeadingDigits(fields.length)};
    const std::vector<ObjectFault> faults = ObjectFaults(values);
    if (!faults.empty())
        return Refused(faults.front().message);
    const AppObject candidate = MakeAppObject(values);
    if (WouldOverflowInstance(index, candidate))
        return Refused(msg::kAssemblyInstanceMax);
    m_image.working.AppObjects[index] = candidate;
    return {true, {}};
}

bool WorkingTable::WouldOverflowInstance(int index, const AppObject& candidate) const {
    const int before = Count();
    const int after = std::max(before, index + 1);
    AppObjectTable changed = m_image.working.AppObjects;
    changed[index] = candidate;
    const auto bytesBefore = BytesPerIOType(m_image.working.AppObjects, before);
    const auto bytesAfter = BytesPerIOType(changed, after);
    for (int t = 0; t < kIOTypeCount; ++t) {
        if (bytesAfter[t] > kMaxMappingEntries && bytesAfter[t] > bytesBefore[t])
            return true;
    }
    return false;
}

// Objects read from a gateway may carry an IOType no editor writes; they belong to no total.
void WorkingTable::AddToTotal(const AppObject& object, int sign) {
    if (object.IOType < kIOTypeCount)
        m_image.working.IOTotals[object.IOType] += sign * object.MBCL;
}

TableEdit WorkingTable::Add(const EditorFields& fields) {
    if (Count() >= kMaxAppObjects)
        return Refused(msg::kAppObjectMax);
    TableEdit edit = ApplicationObj(Count(), fields);
    if (!edit.done)
        return edit;
    AddToTotal(m_image.working.AppObjects[Count()], +1);
    ++m_image.working.AppCount;
    m_image.settings.ConnInfoValid = false;
    return edit;
}

int WorkingTable::Delete(int selected) {
    if (!InUse(selected))
        return Count() - 1;
    AddToTotal(m_image.working.AppObjects[selected], -1);
    const int last = Count() - 1;
    for (int k = selected; k < last; ++k)
        m_image.working.AppObjects[k] = m_image.working.AppObjects[k + 1];
    m_image.working.AppObjects[last] = AppObject{};
    --m_image.working.AppCount;
    m_image.settings.ConnInfoValid = false;
    return Count() - 1;
}

TableEdit WorkingTable::Update(int selected, const EditorFields& fields) {
    if (!InUse(selected))
        return {};
    const AppObject old = m_image.working.AppObjects[selected];
    // The old object leaves its total first, so the new one is checked against the others only.
    AddToTotal(old, -1);
    TableEdit edit = ApplicationObj(selected, fields);
    if (!edit.done) {
        AddToTotal(old, +1);
        edit.notices.push_back({msg::kUpdateFailure, msg::kUpdateTitle});
        return edit;
    }
    AddToTotal(m_image.working.AppObjects[selected], +1);
    edit.notices.push_back({msg::kUpdateSuccess, msg::kUpdateTitle});
    m_image.settings.ConnInfoValid = false;
    return edit;
}

}  // namespace tavrin
