// The configuration file of tavrin-cli apply: every fault of a file is found and listed with its
// place, and a valid file gives the working configuration the windows would have built.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

#include "WholeFile.h"
#include "config/Block0Codec.h"
#include "eds/ConnectionChoices.h"
#include "offline/ApplyConfig.h"
#include "offline/ApplyWorking.h"

namespace tavrin::cli {
namespace {

QJsonObject Example() {
    const std::string text = testing::ReadWholeFile(TAVRIN_APPLY_EXAMPLE);
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

std::string Text(const QJsonObject& root) {
    return QJsonDocument(root).toJson().toStdString();
}

// Sets root[section][key] (or root[section] when key is empty) to `value`.
void Set(QJsonObject& root, const char* section, const char* key, const QJsonValue& value) {
    if (*key == '\0') {
        root[section] = value;
        return;
    }
    QJsonObject inner = root[section].toObject();
    inner[key] = value;
    root[section] = inner;
}

void SetObjectField(QJsonObject& root, int index, const char* key, const QJsonValue& value) {
    QJsonArray objects = root["applicationObjects"].toArray();
    QJsonObject object = objects[index].toObject();
    object[key] = value;
    objects[index] = object;
    root["applicationObjects"] = objects;
}

void SetConnection(QJsonObject& root, const char* connection, const char* key,
                   const QJsonValue& value) {
    QJsonObject connections = root["connections"].toObject();
    QJsonObject inner = connections[connection].toObject();
    inner[key] = value;
    connections[connection] = inner;
    root["connections"] = connections;
}

QJsonObject Obj(int id, const char* code, int start, int length) {
    return QJsonObject{
        {"deviceId", id}, {"functionCode", code}, {"startAddress", start}, {"length", length}};
}

TEST(ApplyExample, IsValid) {
    const ApplyFileCheck check = CheckApplyText(Text(Example()));
    EXPECT_TRUE(check.Valid()) << (check.faults.empty() ? "" : check.faults.front());
}

struct InvalidCase {
    const char* name;
    std::function<void(QJsonObject&)> edit;
    std::vector<std::string> faults;
};

class ApplyInvalid : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(ApplyInvalid, ListsEveryFaultWithItsPlace) {
    QJsonObject root = Example();
    GetParam().edit(root);
    const ApplyFileCheck check = CheckApplyText(Text(root));
    EXPECT_EQ(check.faults, GetParam().faults);
}

const std::string kStrobe = "Error! The selected data length > 8 bytes";

INSTANTIATE_TEST_SUITE_P(
    Table, ApplyInvalid,
    ::testing::Values(
        InvalidCase{"NodeIdAboveDeviceNet",
                    [](QJsonObject& r) { Set(r, "can", "nodeId", 64); },
                    {"can.nodeId: Node ID is not supported!(1~63)"}},
        // Read as the panel reads typed text: rounded half to even before the range check.
        InvalidCase{"NodeIdRoundsToZero",
                    [](QJsonObject& r) { Set(r, "can", "nodeId", 0.4); },
                    {"can.nodeId: Node ID is not supported!(1~63)"}},
        InvalidCase{"NodeIdRoundsAbove",
                    [](QJsonObject& r) { Set(r, "can", "nodeId", 63.6); },
                    {"can.nodeId: Node ID is not supported!(1~63)"}},
        InvalidCase{"NodeIdAsText",
                    [](QJsonObject& r) { Set(r, "can", "nodeId", "12"); },
                    {"can.nodeId: must be a number"}},
        InvalidCase{"BitRateOutsideDeviceNetList",
                    [](QJsonObject& r) { Set(r, "can", "bitRate", 3); },
                    {"can.bitRate: 3 is not a position of the DeviceNet bit-rate list (0 = 125    "
                     "KBPS, 1 = 250    KBPS, 2 = 500    KBPS)"}},
        InvalidCase{"TimeoutTooLong",
                    [](QJsonObject& r) { Set(r, "com", "timeout", 32768); },
                    {"com.timeout: Timeout value is out of range!(1ms~32767ms)"}},
        InvalidCase{"TimeoutZero",
                    [](QJsonObject& r) { Set(r, "com", "timeout", 0); },
                    {"com.timeout: Timeout value is out of range!(1ms~32767ms)"}},
        InvalidCase{"ComValuesNotOffered",
                    [](QJsonObject& r) {
                        Set(r, "com", "baudRate", 9601);
                        Set(r, "com", "dataBits", 9);
                        Set(r, "com", "parity", "MARK");
                        Set(r, "com", "stopBits", 0);
                    },
                    {"com.baudRate: 9601 is not offered (1200, 2400, 4800, 9600, 19200, 38400, "
                     "57600, 115200)",
                     "com.dataBits: 9 is not offered (7, 8)",
                     "com.parity: \"MARK\" is not offered (NONE, EVEN, ODD)",
                     "com.stopBits: 0 is not offered (1, 2)"}},
        InvalidCase{"DeviceIdOutOfRange",
                    [](QJsonObject& r) {
                        SetObjectField(r, 0, "deviceId", 248);
                        SetObjectField(r, 2, "deviceId", 0);
                    },
                    {"applicationObjects[0].deviceId: ModBus Device Address Error. (1-247)",
                     "applicationObjects[2].deviceId: ModBus Device Address Error. (1-247)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        // The limits follow the function code: registers 1..120, bits 1..1920.
        InvalidCase{"LengthsPerFunctionCode",
                    [](QJsonObject& r) {
                        SetObjectField(r, 0, "length", 121);   // FC03
                        SetObjectField(r, 1, "length", 1921);  // FC01
                        SetObjectField(r, 3, "length", 0);     // FC15
                    },
                    {"applicationObjects[0].length: Communication Length Error. (1-120)",
                     "applicationObjects[1].length: Communication Length Error. (1-1920)",
                     "applicationObjects[3].length: Communication Length Error. (1-1920)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        InvalidCase{"StartAddressPerKind",
                    [](QJsonObject& r) {
                        SetObjectField(r, 2, "startAddress", 65536);  // FC16
                        SetObjectField(r, 3, "startAddress", -1);     // FC15
                    },
                    {"applicationObjects[2].startAddress: Register Start Address Error. (0-65535)",
                     "applicationObjects[3].startAddress: Relay Start Address Error. (0-65535)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        // The editor shows only the first failing check of an object; the file lists all three.
        InvalidCase{"AllChecksOfOneObject",
                    [](QJsonObject& r) {
                        r["applicationObjects"] = QJsonArray{Obj(300, "FC04", 70000, 200)};
                    },
                    {"applicationObjects[0].deviceId: ModBus Device Address Error. (1-247)",
                     "applicationObjects[0].startAddress: Register Start Address Error. (0-65535)",
                     "applicationObjects[0].length: Communication Length Error. (1-120)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        InvalidCase{"UnknownFunctionCodeAndFraction",
                    [](QJsonObject& r) {
                        SetObjectField(r, 1, "functionCode", "FC05");
                        SetObjectField(r, 1, "length", 2.5);
                    },
                    {"applicationObjects[1].length: 2.5 is not a whole number",
                     "applicationObjects[1].functionCode: \"FC05\" is not one of FC01, FC02, "
                     "FC03, FC04, FC15, FC16",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        InvalidCase{"HugeNumbers",
                    [](QJsonObject& r) {
                        SetObjectField(r, 2, "startAddress", 1e300);
                        Set(r, "can", "bitRate", -1e20);
                        Set(r, "com", "timeout", 1e300);
                    },
                    {"can.bitRate: -1e+20 is far out of range",
                     "com.timeout: Timeout value is out of range!(1ms~32767ms)",
                     "applicationObjects[2].startAddress: 1e+300 is far out of range",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        InvalidCase{"ElevenObjects",
                    [](QJsonObject& r) {
                        QJsonArray objects;
                        for (int i = 0; i < 11; ++i) {
                            objects.append(Obj(1, "FC03", i * 10, 1));
                        }
                        r["applicationObjects"] = objects;
                    },
                    {"applicationObjects: Application Object Max: 10",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        // Each object is valid; together the digital inputs need more than one instance holds.
        InvalidCase{"AssemblyInstanceOverfull",
                    [](QJsonObject& r) {
                        QJsonArray objects;
                        for (int i = 0; i < 5; ++i) {
                            objects.append(Obj(1, i % 2 ? "FC02" : "FC01", 0, 1920));
                        }
                        objects.append(Obj(2, "FC16", 0, 120));
                        r["applicationObjects"] = objects;
                    },
                    {"applicationObjects[0,1,2,3,4]: Assembly Instance Max: 1025 Bytes (the "
                     "digital input objects need 1200 bytes)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}},
        // Analog input object 1 with 5 registers gives 10 bytes, more than a Bit-Strobe response
        // carries; it is entry 4 of the produced list.
        InvalidCase{"BitStrobeTooLong",
                    [](QJsonObject& r) {
                        SetObjectField(r, 0, "length", 5);
                        SetConnection(r, "bitStrobe", "produced", 4);
                    },
                    {"connections.bitStrobe.produced: " + kStrobe}},
        // The analog input instance (entry 2) has exactly 8 bytes, which still fits.
        InvalidCase{"BitStrobeTakesEightBytes",
                    [](QJsonObject& r) { SetConnection(r, "bitStrobe", "produced", 2); },
                    {}},
        InvalidCase{"PositionsBeyondTheLists",
                    [](QJsonObject& r) {
                        SetConnection(r, "poll", "produced", 5);
                        SetConnection(r, "poll", "consumed", -1);
                        SetConnection(r, "cosCyclic", "produced", 7);
                    },
                    {"connections.poll.consumed: -1 is not a position of the list (0 \"None\", "
                     "1 \"O : 01(Assembly 01)\", 2 \"O : 02(Assembly 02)\", 3 \"O : "
                     "03(DO,App.04)\", 4 \"O : 04(AO,App.03)\")",
                     "connections.poll.produced: 5 is not a position of the list (0 \"None\", 1 "
                     "\"I : 01(Assembly 03)\", 2 \"I : 02(Assembly 04)\", 3 \"I : 03(DI,App.02)\", "
                     "4 \"I : 04(AI,App.01)\")",
                     "connections.cosCyclic.produced: 7 is not a position of the list (0 "
                     "\"None\", 1 \"I : 01(Assembly 03)\", 2 \"I : 02(Assembly 04)\", 3 \"I : "
                     "03(DI,App.02)\", 4 \"I : 04(AI,App.01)\")"}},
        // The wizard offers no consumed path for Bit-Strobe and COS/Cyclic.
        InvalidCase{"ConsumedOnlyForPoll",
                    [](QJsonObject& r) { SetConnection(r, "bitStrobe", "consumed", 1); },
                    {"connections.bitStrobe.consumed: unknown key (expected produced)"}},
        InvalidCase{"MissingAndMistyped",
                    [](QJsonObject& r) {
                        r.remove("can");
                        r["colour"] = "blue";
                        Set(r, "com", "timout", 200);
                        r["eds"] = QJsonObject{{"author", 7}};
                    },
                    {"colour: unknown key (expected can, com, applicationObjects, connections, "
                     "eds, firmware)",
                     "can: missing",
                     "com.timout: unknown key (expected baudRate, dataBits, parity, stopBits, "
                     "timeout)",
                     "eds.author: must be a text"}},
        // Faults of every section at once, so the file can be mended in one go.
        InvalidCase{"EverySection",
                    [](QJsonObject& r) {
                        Set(r, "can", "nodeId", 100);
                        Set(r, "com", "timeout", -5);
                        SetObjectField(r, 3, "deviceId", 250);
                    },
                    {"can.nodeId: Node ID is not supported!(1~63)",
                     "com.timeout: Timeout value is out of range!(1ms~32767ms)",
                     "applicationObjects[3].deviceId: ModBus Device Address Error. (1-247)",
                     "connections: not checked, since the lists follow from the application "
                     "objects, which have faults"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyFile, TextThatIsNotJsonNamesItsPlace) {
    const ApplyFileCheck check = CheckApplyText("{\n  \"can\": {\n    \"nodeId\": 12,,\n");
    ASSERT_EQ(check.faults.size(), 1u);
    EXPECT_EQ(check.faults[0].rfind("line 3, column ", 0), 0u) << check.faults[0];
    EXPECT_EQ(CheckApplyText("[1, 2]").faults,
              std::vector<std::string>{"the file must hold one JSON object"});
    EXPECT_EQ(CheckApplyFile("/nonexistent/apply.json").faults.size(), 1u);
}

// The working configuration after the file is put onto an image that holds what a gateway had.
TEST(ApplyWorking, ValidFileGivesTheWindowsConfiguration) {
    QJsonObject root = Example();
    Set(root, "can", "nodeId", 12.5);  // the panel stores 12 (tie to even)
    const ApplyFileCheck check = CheckApplyText(Text(root));
    ASSERT_TRUE(check.Valid()) << check.faults.front();

    ConfigImage image;
    image.settings.AppLayer = 0;
    image.settings.ReadAppCount = 2;
    image.settings.ReadAppObjects[0] = AppObject{9, 0, 0, 5, 8};
    image.settings.ConnInfoValid = true;  // a good read: the stored objects would otherwise be kept
    WizardLists lists;
    ConnectionSelections selections;
    FinishChoices choices;
    std::string refusal;
    ASSERT_TRUE(ApplyOntoImage(check.settings, image, lists, selections, choices, refusal))
        << refusal;

    EXPECT_EQ(image.settings.NodeId, 12);
    EXPECT_EQ(image.settings.AppLayer, 1);
    EXPECT_EQ(image.settings.CanBaudIndex, 2);
    EXPECT_EQ(image.settings.ComBaudIndex, 4);
    EXPECT_EQ(image.settings.ComDataBits, 8);
    EXPECT_EQ(image.settings.ComParity, 1);
    EXPECT_EQ(image.settings.ComStopBits, 1);
    EXPECT_EQ(image.settings.ComTimeout, 300);
    EXPECT_EQ(image.settings.ComCheckByte, 0 + 75 + 0 + 8 + 1 + 1);  // 19200 = 0x4B00
    ASSERT_EQ(image.working.AppCount, 4);
    EXPECT_EQ(image.working.AppObjects[0], (AppObject{1, 3, 1, 0, 4}));
    EXPECT_EQ(image.working.AppObjects[1], (AppObject{1, 2, 1, 0, 16}));
    EXPECT_EQ(image.working.AppObjects[2], (AppObject{2, 1, 0, 100, 2}));
    EXPECT_EQ(image.working.AppObjects[3], (AppObject{2, 0, 0, 0, 10}));
    EXPECT_EQ(image.working.IOTotals, (IOTotalArray{10, 2, 16, 4}));
    EXPECT_FALSE(image.settings.ConnInfoValid);  // the whole block 0 goes to the gateway

    EXPECT_EQ(selections.InputSel, (std::array<std::int16_t, 4>{1, 3, 2, 0}));
    EXPECT_EQ(selections.OutputSel, (std::array<std::int16_t, 4>{1, 0, 0, 0}));
    EXPECT_EQ(choices.inputTexts,
              (std::array<std::string, 3>{"I : 01(Assembly 03)", "I : 03(DI,App.02)",
                                          "I : 02(Assembly 04)"}));
    EXPECT_EQ(choices.outputTexts, (std::array<std::string, 3>{"O : 01(Assembly 01)", "", ""}));
    EXPECT_EQ(choices.description, "Line 3 pumps and valves");
    EXPECT_EQ(choices.author, "Plant engineering");

    // The connection words Finish builds from them.
    const ConnectionPaths paths =
        BuildConnectionPaths(selections, choices.inputTexts, choices.outputTexts, lists.assemblies);
    const Block1Array words = EncodeBlock1(paths.inputs, paths.outputs);
    EXPECT_EQ(words[1], 1u * 16777216 + 4 * 65536 + 3 * 256 + 3);
    EXPECT_EQ(words[2], 3u * 16777216 + 100 * 65536 + 2 * 256 + 22);
    EXPECT_EQ(words[3], 2u * 16777216 + 4 * 65536 + 4 * 256 + 3);
    EXPECT_EQ(words[4], 1u * 16777216 + 4 * 65536 + 1 * 256 + 3);
}

TEST(ApplyWorking, EmptyTableStillReplacesTheStoredObjects) {
    QJsonObject root = Example();
    root["applicationObjects"] = QJsonArray{};
    QJsonObject none{{"produced", 0}};
    root["connections"] = QJsonObject{{"poll", QJsonObject{{"produced", 0}, {"consumed", 0}}},
                                      {"bitStrobe", none},
                                      {"cosCyclic", none}};
    root.remove("eds");
    const ApplyFileCheck check = CheckApplyText(Text(root));
    ASSERT_TRUE(check.Valid()) << check.faults.front();

    ConfigImage image;
    image.settings.ReadAppCount = 1;
    image.settings.ReadAppObjects[0] = AppObject{9, 0, 0, 5, 8};
    image.settings.StoredIOTotals = {8, 0, 0, 0};
    image.settings.ConnInfoValid = true;
    WizardLists lists;
    ConnectionSelections selections;
    FinishChoices choices;
    std::string refusal;
    ASSERT_TRUE(ApplyOntoImage(check.settings, image, lists, selections, choices, refusal));
    EXPECT_EQ(image.working.AppCount, 0);
    EXPECT_EQ(image.working.IOTotals, (IOTotalArray{0, 0, 0, 0}));
    EXPECT_FALSE(image.settings.ConnInfoValid);
    EXPECT_EQ(choices.inputTexts[0], "None");
    EXPECT_EQ(choices.description, "");
}

TEST(ApplyFile, DescriptionGoesToTheSingleByteCodePage) {
    QJsonObject root = Example();
    Set(root, "eds", "description", QString::fromUtf8("Pumpe \xC3\xBC 5"));
    const ApplyFileCheck check = CheckApplyText(Text(root));
    ASSERT_TRUE(check.Valid());
    EXPECT_EQ(check.settings.description, "Pumpe \xFC 5");
}

}  // namespace
}  // namespace tavrin::cli
