#include "modbus/BusCheck.h"

#include <algorithm>
#include <cstdio>

namespace tavrin {
namespace {

std::string TwoDigits(int code) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", code);
    return text;
}

std::string RegisterText(std::uint16_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%u (0x%04X)", static_cast<unsigned>(value),
                  static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::string ValuesText(const BusRequest& request, const std::vector<std::uint16_t>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            text += request.Registers() ? ", " : " ";
        }
        text += request.Registers() ? RegisterText(values[i]) : (values[i] != 0 ? "1" : "0");
    }
    return text;
}

std::string OutcomeKind(const BusCheckRow& row) {
    if (row.notSent) {
        return "not sent";
    }
    switch (row.reply.kind) {
        case BusReply::Kind::Ok:
            return "OK";
        case BusReply::Kind::Exception:
            return "exception";
        case BusReply::Kind::NoAnswer:
            return "no answer";
        case BusReply::Kind::BadReply:
            break;
    }
    return "bad reply";
}

std::string OutcomeText(const BusCheckRow& row) {
    if (row.notSent) {
        return "not sent: " + *row.notSent;
    }
    switch (row.reply.kind) {
        case BusReply::Kind::Ok:
            return "OK: " + ValuesText(row.request, row.reply.values);
        case BusReply::Kind::Exception:
            return "exception " + TwoDigits(row.reply.exceptionCode) + " (" +
                   ExceptionName(row.reply.exceptionCode) + ")";
        default:
            return OutcomeKind(row);
    }
}

std::string FunctionCodeText(const BusRequest& request) {
    std::string text = "FC" + TwoDigits(request.SentCode());
    if (request.configuredCode != request.SentCode()) {
        text += " (for FC" + TwoDigits(request.configuredCode) + ")";
    }
    return text;
}

BusCheckRow CheckObject(ModbusBus& bus, int number, const AppObject& object) {
    BusCheckRow row;
    row.number = number;
    row.request = RequestFor(object);
    row.notSent = RequestRefusal(row.request);
    if (!row.notSent) {
        row.reply = bus.Read(row.request.deviceId, row.request.read, row.request.startAddress,
                             row.request.length);
    }
    return row;
}

std::vector<int> ObjectNumbers(int objectCount, std::optional<int> only) {
    std::vector<int> numbers;
    for (int n = 1; n <= objectCount; ++n) {
        if (!only || *only == n) {
            numbers.push_back(n);
        }
    }
    return numbers;
}

std::vector<BusCheckRow> RunBusCheck(ModbusBus& bus, const std::vector<AppObject>& objects,
                                     const std::vector<int>& numbers,
                                     const std::function<void(const BusCheckRow&)>& onRow,
                                     const std::function<bool()>& stopRequested) {
    std::vector<BusCheckRow> rows;
    for (const int number : numbers) {
        if (number < 1 || number > static_cast<int>(objects.size())) {
            continue;
        }
        if (stopRequested && stopRequested()) {
            break;
        }
        rows.push_back(CheckObject(bus, number, objects[number - 1]));
        if (onRow) {
            onRow(rows.back());
        }
    }
    return rows;
}

bool AllAnswered(const std::vector<BusCheckRow>& rows) {
    return std::all_of(rows.begin(), rows.end(),
                       [](const BusCheckRow& row) { return row.Answered(); });
}

std::vector<AppObject> ObjectsOf(const AppObjectTable& objects, int count) {
    const int used = std::clamp(count, 0, kMaxAppObjects);
    return {objects.begin(), objects.begin() + used};
}

std::vector<AppObject> ObjectsOf(const AppObjectList& table) {
    return ObjectsOf(table.AppObjects, table.AppCount);
}

}  // namespace tavrin
