// The bus check on a fake bus: what is sent for each kind of object (never a write), the objects
// that cannot go out in one read, a stop between objects, and how libmodbus's errors and debug
// trace are read.
#include <gtest/gtest.h>

#include <modbus.h>
#include <cerrno>

#include "appobj/FunctionCodes.h"
#include "modbus/BusCheck.h"
#include "modbus/rtu/LibModbusBus.h"

namespace tavrin {
namespace {

struct SentRead {
    int deviceId;
    BusRead read;
    int start;
    int count;
};

class FakeBus final : public ModbusBus {
public:
    std::string Open(const BusSerialSettings&) override { return {}; }
    BusReply Read(int deviceId, BusRead read, int startAddress, int count) override {
        sent.push_back({deviceId, read, startAddress, count});
        BusReply reply;
        reply.kind = BusReply::Kind::Ok;
        reply.values.assign(static_cast<std::size_t>(count), 1);
        return reply;
    }
    void Close() override {}

    std::vector<SentRead> sent;
};

// Every entry of the editor's function-code list is sent as its own read, or, for the two
// writes, as the read of the same table.
TEST(BusCheck, SendsEachFunctionCodeAsItsReadAndNeverAWrite) {
    const int sentFor[kFunctionCodeCount] = {1, 2, 3, 4, 1, 3};
    for (int i = 0; i < kFunctionCodeCount; ++i) {
        const FunctionCode& code = kFunctionCodes[i];
        const AppObject object{7, code.ioType, code.fcSel, 40, 2};
        const BusRequest request = RequestFor(object);
        EXPECT_EQ(std::stoi(std::string(code.text).substr(2, 2)), request.configuredCode)
            << code.text;
        EXPECT_EQ(request.SentCode(), sentFor[i]) << code.text;
        EXPECT_EQ(request.Registers(), code.registers) << code.text;
    }
}

TEST(BusCheck, RowsFollowTheObjectsAndStopBetweenThem) {
    FakeBus bus;
    const std::vector<AppObject> objects{
        {1, 0, 0, 0, 10},    // FC15
        {2, 1, 0, 100, 2},   // FC16
        {3, 3, 1, 10, 200},  // FC03, longer than one read allows
        {4, 2, 0, 5, 3},     // FC02
    };
    std::vector<int> shown;
    const auto rows = RunBusCheck(bus, objects, ObjectNumbers(4, std::nullopt),
                                  [&](const BusCheckRow& row) { shown.push_back(row.number); });
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4}));
    ASSERT_EQ(bus.sent.size(), 3u);  // the long one never went out
    EXPECT_EQ(bus.sent[0].read, BusRead::Coils);
    EXPECT_EQ(bus.sent[1].read, BusRead::HoldingRegisters);
    EXPECT_EQ(bus.sent[2].read, BusRead::DiscreteInputs);
    EXPECT_EQ(OutcomeText(rows[0]), "OK: 1 1 1 1 1 1 1 1 1 1");
    EXPECT_EQ(FunctionCodeText(rows[1].request), "FC03 (for FC16)");
    EXPECT_EQ(OutcomeText(rows[1]), "OK: 1 (0x0001), 1 (0x0001)");
    EXPECT_EQ(OutcomeText(rows[2]), "not sent: length 200 is outside 1-125");
    EXPECT_FALSE(AllAnswered(rows));

    FakeBus stopped;
    int asked = 0;
    const auto some =
        RunBusCheck(stopped, objects, ObjectNumbers(4, 2), nullptr, [&] { return ++asked > 1; });
    ASSERT_EQ(some.size(), 1u);
    EXPECT_EQ(some[0].number, 2);
    EXPECT_EQ(RunBusCheck(stopped, objects, {1, 2}, nullptr, [] { return true; }).size(), 0u);
}

TEST(BusCheck, LibModbusErrorsBecomeOutcomes) {
    struct Case {
        int error;
        BusReply::Kind kind;
        int code;
    };
    const Case cases[] = {
        {ETIMEDOUT, BusReply::Kind::NoAnswer, 0},  {EMBXILADD, BusReply::Kind::Exception, 2},
        {EMBXGTAR, BusReply::Kind::Exception, 11}, {EMBBADCRC, BusReply::Kind::BadReply, 0},
        {EMBBADDATA, BusReply::Kind::BadReply, 0}, {EMBBADSLAVE, BusReply::Kind::BadReply, 0},
    };
    for (const Case& c : cases) {
        const BusReply reply = ReplyForError(c.error);
        EXPECT_EQ(reply.kind, c.kind) << c.error;
        EXPECT_EQ(reply.exceptionCode, c.code) << c.error;
    }
}

TEST(BusCheck, FramesAreTakenFromTheDebugTrace) {
    const DebugFrames frames = FramesInDebugText(
        "[03][03][00][0A][00][01][A5][EA]\nWaiting for a confirmation...\n<03><03><02><00><2A>"
        "<40><5B>\nERROR Connection timed out: select [x]\n");
    EXPECT_EQ(frames.sent, (std::vector<std::uint8_t>{3, 3, 0, 0x0A, 0, 1, 0xA5, 0xEA}));
    EXPECT_EQ(frames.received, (std::vector<std::uint8_t>{3, 3, 2, 0, 0x2A, 0x40, 0x5B}));
}

}  // namespace
}  // namespace tavrin
