#include <gtest/gtest.h>

#include <vector>

#include "ReadObjects.h"
#include "RecordingReadView.h"
#include "appobj/AppObjectRows.h"
#include "appobj/FunctionCodes.h"
#include "appobj/WorkingTable.h"

namespace tavrin {
namespace {

using testing::RecordingBoxes;
using testing::ShownBox;

// Function-code list positions.
constexpr int FC01 = 0, FC02 = 1, FC03 = 2, FC04 = 3, FC15 = 4, FC16 = 5;

// The table as the editor drives it: each edit's messages are kept in the order the editor would
// show them.
struct RecordingTable : WorkingTable {
    RecordingTable(ConfigImage& image, RecordingBoxes& boxes) : WorkingTable(image), boxes(boxes) {}
    bool Kept(const TableEdit& edit) {
        for (const Notice& n : edit.notices)
            boxes.Show(n.text, n.title, BoxButtons::Ok, BoxIcon::None);
        return edit.done;
    }
    bool ApplicationObj(int index, const EditorFields& f) {
        return Kept(WorkingTable::ApplicationObj(index, f));
    }
    bool Add(const EditorFields& f) { return Kept(WorkingTable::Add(f)); }
    bool Update(int selected, const EditorFields& f) {
        return Kept(WorkingTable::Update(selected, f));
    }
    RecordingBoxes& boxes;
};

struct Editor {
    // Starts from the objects a gateway read gave.
    explicit Editor(std::vector<AppObject> read = {}) : image(testing::ImageHolding(read)) {
        table.Load();
    }

    ConfigImage image;
    RecordingBoxes boxes;
    RecordingTable table{image, boxes};
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes.shown)
            texts.push_back(b.text);
        return texts;
    }
};

EditorFields Fields(const char* id, int code, const char* start, const char* length) {
    return {id, code, start, length};
}

struct ValidationCase {
    EditorFields fields;
    const char* error;  // nullptr: accepted
};

TEST(ApplicationObj, ChecksInOrderAndBounds) {
    const std::vector<ValidationCase> cases = {
        {Fields("0", FC16, "0", "1"), "ModBus Device Address Error. (1-247)"},
        {Fields("248", FC16, "0", "1"), "ModBus Device Address Error. (1-247)"},
        {Fields("", FC16, "", ""), "ModBus Device Address Error. (1-247)"},
        {Fields("1", FC16, "", "1"), nullptr},
        {Fields("247", FC16, "65535", "120"), nullptr},
        {Fields("1", FC03, "65536", "0"), "Register Start Address Error. (0-65535)"},
        {Fields("1", FC01, "65536", "0"), "Relay Start Address Error. (0-65535)"},
        {Fields("1", FC04, "0", "121"), "Communication Length Error. (1-120)"},
        {Fields("1", FC03, "0", ""), "Communication Length Error. (1-120)"},
        {Fields("1", FC01, "0", "121"), nullptr},
        {Fields("1", FC02, "0", "1920"), nullptr},
        {Fields("1", FC15, "0", "1921"), "Communication Length Error. (1-1920)"},
        {Fields("1", FC15, "0", "0"), "Communication Length Error. (1-1920)"},
        // Leading digits count; what follows them does not.
        {Fields("12abc", FC16, "7x", "3 "), nullptr},
        {Fields("99999999999999999999999", FC16, "0", "1"), "ModBus Device Address Error. (1-247)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fields.deviceId + "/" + std::to_string(c.fields.functionCode) + "/" +
                     c.fields.startAddress + "/" + c.fields.length);
        Editor e;
        EXPECT_EQ(e.table.ApplicationObj(0, c.fields), c.error == nullptr);
        if (c.error) {
            EXPECT_EQ(e.boxes.shown, (std::vector<ShownBox>{{c.error, "Error"}}));
            EXPECT_EQ(e.image.working.AppObjects[0], AppObject{});
        } else {
            EXPECT_TRUE(e.boxes.shown.empty());
        }
    }
}

// Every failing check of one object, in the editor's order; the editor shows only the first.
TEST(ObjectFaults, ListsEveryFailingCheckInOrder) {
    struct Case {
        ObjectValues values;
        std::vector<ObjectField> fields;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {{1, FC03, 0, 1}, {}, {}},
        {{248, FC03, 65536, 121},
         {ObjectField::DeviceId, ObjectField::StartAddress, ObjectField::Length},
         {"ModBus Device Address Error. (1-247)", "Register Start Address Error. (0-65535)",
          "Communication Length Error. (1-120)"}},
        {{0, FC15, -1, 1921},
         {ObjectField::DeviceId, ObjectField::StartAddress, ObjectField::Length},
         {"ModBus Device Address Error. (1-247)", "Relay Start Address Error. (0-65535)",
          "Communication Length Error. (1-1920)"}},
        {{247, FC01, 65535, 1920}, {}, {}},
        {{5, FC16, 7, 0}, {ObjectField::Length}, {"Communication Length Error. (1-120)"}},
    };
    for (const Case& c : cases) {
        std::vector<ObjectField> fields;
        std::vector<std::string> messages;
        for (const ObjectFault& fault : ObjectFaults(c.values)) {
            fields.push_back(fault.field);
            messages.emplace_back(fault.message);
        }
        EXPECT_EQ(fields, c.fields) << c.values.deviceId;
        EXPECT_EQ(messages, c.messages) << c.values.deviceId;
    }
}

TEST(ApplicationObj, FunctionCodeMapsBothWays) {
    struct Case {
        int code;
        std::uint8_t ioType;
        std::uint8_t fcSel;
    };
    for (const Case c :
         {Case{FC01, 2, 1}, {FC02, 2, 0}, {FC03, 3, 1}, {FC04, 3, 0}, {FC15, 0, 0}, {FC16, 1, 0}}) {
        Editor e;
        ASSERT_TRUE(e.table.ApplicationObj(3, Fields("9", c.code, "40", "2")));
        const AppObject& o = e.image.working.AppObjects[3];
        EXPECT_EQ(o, (AppObject{9, c.ioType, c.fcSel, 40, 2}));
        EXPECT_EQ(FunctionCodeIndexOf(o), c.code);
    }
    // Objects no editor wrote show as FC16.
    EXPECT_EQ(FunctionCodeIndexOf(AppObject{1, 7, 1, 0, 1}), FC16);
    EXPECT_EQ(FunctionCodeIndexOf(AppObject{1, 1, 1, 0, 1}), FC16);
}

TEST(WorkingTable, LoadCopiesTheObjectsAsRead) {
    Editor e({{1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}});
    EXPECT_EQ(e.table.Count(), 2);
    EXPECT_EQ(e.table.Object(1), (AppObject{2, 1, 0, 100, 2}));
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{10, 2, 0, 0}));

    e.table.Discard();
    EXPECT_EQ(e.table.Count(), 0);
    EXPECT_EQ(e.image.working.AppObjects[0], AppObject{});
    EXPECT_EQ(e.table.Totals(), IOTotalArray{});
}

TEST(WorkingTable, AddUpToTenThenRefuse) {
    Editor e;
    for (int i = 1; i <= kMaxAppObjects; ++i) {
        ASSERT_TRUE(e.table.Add(Fields(std::to_string(i).c_str(), FC03, "0", "5")));
    }
    EXPECT_FALSE(e.image.settings.ConnInfoValid);
    e.image.settings.ConnInfoValid = true;
    const AppObjectTable before = e.image.working.AppObjects;
    EXPECT_FALSE(e.table.Add(Fields("1", FC03, "0", "5")));
    EXPECT_EQ(e.Texts(), std::vector<std::string>{"Application Object Max: 10"});
    EXPECT_EQ(e.table.Count(), 10);
    EXPECT_EQ(e.image.working.AppObjects, before);
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 0, 0, 50}));
    EXPECT_TRUE(e.image.settings.ConnInfoValid);
}

TEST(WorkingTable, RefusedAddChangesNothing) {
    Editor e({{1, 0, 0, 0, 10}});
    EXPECT_FALSE(e.table.Add(Fields("1", FC16, "0", "121")));
    EXPECT_EQ(e.table.Count(), 1);
    EXPECT_EQ(e.image.working.AppObjects[1], AppObject{});
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{10, 0, 0, 0}));
    EXPECT_TRUE(e.image.settings.ConnInfoValid);
}

TEST(WorkingTable, DeleteInTheMiddleShiftsAndZeroesTheLast) {
    Editor e({{1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {3, 0, 0, 20, 3}, {4, 3, 1, 10, 1}});
    EXPECT_EQ(e.table.Delete(1), 2);
    EXPECT_EQ(e.table.Count(), 3);
    EXPECT_EQ(e.table.Object(1), (AppObject{3, 0, 0, 20, 3}));
    EXPECT_EQ(e.table.Object(2), (AppObject{4, 3, 1, 10, 1}));
    EXPECT_EQ(e.image.working.AppObjects[3], AppObject{});
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{13, 0, 0, 1}));
    EXPECT_FALSE(e.image.settings.ConnInfoValid);

    EXPECT_EQ(e.table.Delete(2), 1);  // the last one
    EXPECT_EQ(e.table.Delete(0), 0);
    EXPECT_EQ(e.table.Delete(0), -1);
    EXPECT_EQ(e.table.Totals(), IOTotalArray{});
    EXPECT_EQ(e.table.Delete(0), -1);  // nothing left: no change
    EXPECT_TRUE(e.boxes.shown.empty());
}

TEST(WorkingTable, UpdateMovesTheLengthBetweenTotals) {
    Editor e({{1, 2, 1, 0, 16}, {2, 1, 0, 0, 3}});
    ASSERT_TRUE(e.table.Update(0, Fields("5", FC16, "0", "4")));
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 7, 0, 0}));
    EXPECT_EQ(e.table.Object(0), (AppObject{5, 1, 0, 0, 4}));
    EXPECT_EQ(e.Texts(), std::vector<std::string>{"Success!!!"});
    EXPECT_EQ(e.boxes.shown[0].title, "Update");
    EXPECT_FALSE(e.image.settings.ConnInfoValid);
}

TEST(WorkingTable, FailedUpdateShowsTheErrorThenFailureAndKeepsEverything) {
    Editor e({{1, 2, 1, 0, 16}, {2, 1, 0, 0, 3}});
    EXPECT_FALSE(e.table.Update(0, Fields("5", FC16, "0", "200")));
    EXPECT_EQ(e.boxes.shown,
              (std::vector<ShownBox>{{"Communication Length Error. (1-120)", "Error"},
                                     {"Failure!!!", "Update"}}));
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 3, 16, 0}));
    EXPECT_EQ(e.table.Object(0), (AppObject{1, 2, 1, 0, 16}));
    EXPECT_TRUE(e.image.settings.ConnInfoValid);
}

// A gateway can hold objects of an IOType the editor never writes. They belong to no total, so
// deleting or updating them must leave the four totals alone.
TEST(WorkingTable, ObjectsOfAnUnknownTypeTouchNoTotal) {
    Editor e({{1, 200, 0, 0, 50}, {2, 0, 0, 0, 8}});
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{8, 0, 0, 0}));
    ASSERT_TRUE(e.table.Update(0, Fields("1", FC03, "0", "2")));
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{8, 0, 0, 2}));

    Editor d({{1, 200, 0, 0, 50}, {2, 0, 0, 0, 8}});
    EXPECT_FALSE(d.table.Update(0, Fields("0", FC03, "0", "2")));
    EXPECT_EQ(d.table.Totals(), (IOTotalArray{8, 0, 0, 0}));
    d.table.Delete(0);
    EXPECT_EQ(d.table.Totals(), (IOTotalArray{8, 0, 0, 0}));
}

// One assembly instance holds at most 1025 bytes. Valid fields can still ask for more (ten full
// analog objects need 2400), so the table refuses the change that would overflow an instance.
TEST(WorkingTable, RefusesChangesThatOverflowAnAssemblyInstance) {
    Editor e;
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(e.table.Add(Fields("1", FC16, "0", "120")));
    ASSERT_TRUE(e.table.Add(Fields("1", FC16, "0", "32")));  // 4*240 + 64 = 1024 bytes
    ASSERT_FALSE(e.table.Add(Fields("1", FC16, "0", "1")));  // 1026
    EXPECT_EQ(e.Texts().back(), "Assembly Instance Max: 1025 Bytes");
    EXPECT_EQ(e.boxes.shown.back().title, "Error");
    EXPECT_EQ(e.table.Count(), 5);
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 512, 0, 0}));

    // Other instances still have room, and an update that grows the full one is refused too.
    EXPECT_TRUE(e.table.Add(Fields("1", FC03, "0", "120")));
    EXPECT_FALSE(e.table.Update(4, Fields("1", FC16, "0", "33")));
    EXPECT_EQ(e.Texts().back(), "Failure!!!");
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 512, 0, 120}));
    EXPECT_TRUE(e.table.Update(4, Fields("1", FC16, "0", "31")));

    // Bits: 1920 bits are 240 bytes; the fifth object at 1920 bits would need 1200.
    Editor bits;
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(bits.table.Add(Fields("1", FC15, "0", "1920")));
    EXPECT_FALSE(bits.table.Add(Fields("1", FC15, "0", "1920")));
    EXPECT_FALSE(bits.table.Add(Fields("1", FC15, "0", "521")));  // 960 + 66 bytes
    EXPECT_TRUE(bits.table.Add(Fields("1", FC15, "0", "520")));   // 960 + 65 = 1025
}

TEST(WorkingTable, AStoredOverlongInstanceCanStillBeShrunk) {
    Editor e({{1, 1, 0, 0, 600}, {2, 1, 0, 0, 10}});  // 1220 bytes, read from a gateway
    EXPECT_FALSE(e.table.Update(1, Fields("2", FC16, "0", "11")));
    EXPECT_TRUE(e.table.Update(1, Fields("2", FC16, "0", "5")));
    EXPECT_TRUE(e.table.Update(0, Fields("1", FC16, "0", "100")));
    EXPECT_EQ(e.table.Totals(), (IOTotalArray{0, 105, 0, 0}));
}

TEST(AppObjectRow, ShowsNumbersWithASignPosition) {
    using Row = std::array<std::string, kAppObjectViewColumns>;
    EXPECT_EQ(AppObjectRow(1, {5, 1, 0, 0, 12}), (Row{"1", " 5", "Analog  Output", " 0", " 12"}));
    EXPECT_EQ(AppObjectRow(10, {247, 2, 1, 65535, 1920}),
              (Row{"10", " 247", "Digital Input ", " 65535", " 1920"}));
    EXPECT_EQ(AppObjectRow(2, {1, 99, 0, 0, 1})[2], "");
}

}  // namespace
}  // namespace tavrin
