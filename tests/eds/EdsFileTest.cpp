#include "eds/EdsFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "config/ConfigImage.h"

namespace tavrin {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Compares the whole text with the expected lines, each ended by CR LF, and names the first line
// that differs so a wrong blank is easy to find.
void ExpectText(const std::string& actual, const Lines& expected) {
    std::string joined;
    for (const std::string& line : expected)
        joined += line + "\r\n";
    if (actual == joined)
        return;
    Lines got;
    std::size_t start = 0;
    for (std::size_t end; (end = actual.find("\r\n", start)) != std::string::npos; start = end + 2)
        got.push_back(actual.substr(start, end - start));
    if (start < actual.size())
        got.push_back(actual.substr(start) + "<no CR LF>");
    for (std::size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
        const std::string want = i < expected.size() ? expected[i] : "<end of text>";
        const std::string have = i < got.size() ? got[i] : "<end of text>";
        if (want != have) {
            ADD_FAILURE() << "line " << i + 1 << " differs\n  expected [" << want
                          << "]\n  actual   [" << have << "]";
            return;
        }
    }
    ADD_FAILURE() << "the texts differ in their line ends";
}

const LocalDateTime kModified{2024, 7, 4, 23, 0, 9};

// A configuration as Finish leaves it: objects with their totals, the assembly instances derived
// from them, the time stamp just stored (8 December 2011, 9:05:03) and firmware 2.15.
struct Gateway {
    ConfigImage image;
    AssemblyTables assemblies;
    ConnectionSelections selections;
    std::string description = "Packing line 3";
    std::string author = "R. Ellery";

    explicit Gateway(std::initializer_list<AppObject> objects) {
        image.settings.NodeId = 5;
        image.settings.FwMajor = 2;
        image.settings.FwMinor = 15;
        image.settings.CfgYear = 2011;
        image.settings.CfgMonth = 12;
        image.settings.CfgDay = 8;
        image.settings.CfgHour = 9;
        image.settings.CfgMinute = 5;
        image.settings.CfgSecond = 3;
        for (const AppObject& o : objects) {
            image.working.AppObjects[image.working.AppCount++] = o;
            image.working.IOTotals[o.IOType] += o.MBCL;
        }
        assemblies = DeriveAssemblies(image.working);
    }
    EdsContent Content() const {
        return {description, author,     image.settings, image.working,
                assemblies,  selections, kModified};
    }
    std::string Text() const { return EdsFileText(Content()); }
};

Lines Header(const std::string& description, const std::string& author) {
    return {"$ KELDOR-XQV Gateway Electronic Data Sheet",
            "$ File Description Section : " + description,
            "$ Created by : " + author,
            "$ Device Information:  DeviceNet Slave/ModBus RTU Master Gateway",
            "$===============================================================",
            "$======  Application Object Information ( Class ID=0x64 ) ======",
            "$ Inst.    Att.1     .2     .3     .4  ",
            "$ AppNum   MBID    IOType  MBSA   MBCL ",
            "$---------------------------------------------------------------"};
}

const Lines kAssemblyHeadings = {
    "$",
    "$=====   Assembly Object Information ( Class ID : 0x04 )   =====",
    "$    IO Type      Ins.ID  Data Legnth  Data Mapping...",
    "$---------------------------------------------------------------",
};

const Lines kFileAndDevice = {
    "$===============================================================",
    "[File]",
    "            DescText   = \"KELDOR DeviceNet I/O Controller \"; ",
    "            CreateDate = 12-08-2011;      $ created",
    "            CreateTime = 09:05:03;",
    "            ModDate    = 07-04-2024;      $ last changed",
    "            ModTime    = 23:00:09;",
    "            Revision   = 1.2;             $ Revision of EDS",
    "",
    "[Device]",
    "            VendCode    = 912;            $ Vendor Code",
    "            VendName    = \"KELDOR\";       $ Vendor Name",
    "            ProdType    = 0;              $ Product Type",
    "            ProdTypeStr = \"Generic\";",
    "            ProdCode    = 4;",
    "            MajRev      = 2;              $ Device Major Revision",
    "            MinRev      = 15;              $ Device Minor Revision",
    "            ProdName    = \"KELDOR-K5310G\";   $ Product Name",
    "",
};

// [IO_Info] with every connection left on "None".
const Lines kNoDefaultConnections = {
    "[IO_Info]",
    "            Default = 0x0001;        $ Poll",
    "            PollInfo =",
    "                      0x000f,        $ Poll,BitStrobe,COS,Cyclic",
    "                       0,  $ Default Input = Input 0",
    "                       0;  $ Default Ouput = Output 0",
    "            StrobeInfo =",
    "                      0x000f,        $ Poll,BitStrobe,COS,Cyclic",
    "                       0,  $ Default Input = Input 0",
    "                       0;  $ Default Ouput = Output 0",
    "            COSInfo =",
    "                      0x0007,        $ COS,Poll,BitStrobe",
    "                       0,  $ Default Input = Input 0",
    "                       0;  $ Default Ouput = Non Exist",
    "            CyclicInfo =",
    "                      0x000B,        $ Cyclic,Poll,BitStrobe",
    "                       0,  $ Default Input = Input 0",
    "                       0;  $ Default Ouput = Non Exist",
    "",
};

const std::string kInputConnection =
    "$ ==================== Input Connection ========================";
const std::string kOutputConnection =
    "$ ==================== Output Connection =======================";
const std::string kEnd = "$ End of KELDOR-XQV EDS File";

// One connection entry: its four varying lines framed by the lines every entry shares.
Lines Entry(const std::string& head, const std::string& size, const std::string& name,
            const std::string& path) {
    return {head,
            size,
            "                   0,               $ all bits are significant",
            "                   0x000f,          $ Poll/Strobe/COS/Cyclic",
            name,
            "                   6,               $ Path Size",
            path,
            "                   \"This is a help string\";",
            ""};
}

// The four objects the gateway simulator starts with (MBID, IOType, FCSel, MBSA, MBCL): two
// digital outputs, an analog output and an analog input, totals {13, 2, 0, 1}.
TEST(EdsFileText, WorkedExampleOfTheSimulatorsObjects) {
    Gateway g{{1, 0, 0, 0, 10}, {2, 1, 0, 100, 2}, {1, 0, 0, 20, 3}, {3, 3, 1, 10, 1}};
    ASSERT_EQ(g.image.working.IOTotals, (IOTotalArray{13, 2, 0, 1}));
    g.selections.InputSel = {1, 1, 2, 0};
    g.selections.OutputSel = {2, 0, 0, 0};
    const Lines rows = {
        "$   01     001       0     0000   0010",
        "$   02     002       1     0100   0002",
        "$   03     001       0     0020   0003",
        "$   04     003       3     0010   0001",
    };
    const Lines assemblyRows = {
        "$  Digital Output  0x64      003         1:00007~00000  1:00009~00008  1:00022~00020",
        "$  Analog Output   0x65      004         2:00100  2:00100  2:00101  2:00101",
        "$  Analog  Input   0x66      002         3:00010  3:00010",
    };
    const Lines ioInfo = {
        "[IO_Info]",
        "            Default = 0x0001;        $ Poll",
        "            PollInfo =",
        "                      0x000f,        $ Poll,BitStrobe,COS,Cyclic",
        "                       1,  $ Default Input = Input 1",
        "                       2;  $ Default Ouput = Output 2",
        "            StrobeInfo =",
        "                      0x000f,        $ Poll,BitStrobe,COS,Cyclic",
        "                       1,  $ Default Input = Input 1",
        "                       0;  $ Default Ouput = Output 0",
        "            COSInfo =",
        "                      0x0007,        $ COS,Poll,BitStrobe",
        "                       2,  $ Default Input = Input 2",
        "                       0;  $ Default Ouput = Non Exist",
        "            CyclicInfo =",
        "                      0x000B,        $ Cyclic,Poll,BitStrobe",
        "                       2,  $ Default Input = Input 2",
        "                       0;  $ Default Ouput = Non Exist",
        "",
    };
    const Lines connections =
        Lines{kInputConnection} +
        Entry("            Input1 = ", "                   2,               $ 2 B-Input Register",
              "                   \"Assembly (66)\", $ Name String ",
              "                   \"20 04 24 66 30 03\",    $ Assembly Object Instance 03") +
        Entry("            Input2 = ", "                   2,              $ 2 B-Input Register ",
              "                   \"MB ID : 3\",     $ Name String ",
              "                   \"20 64 24 04 30 17\",    $ Application Object Instance 04") +
        Lines{kOutputConnection} +
        Entry("            Output1 = ", "                   3,               $ 3 B-Output Relay",
              "                   \"Assembly (64)\", $ Name String ",
              "                   \"20 04 24 64 30 03\",    $ Assembly Object Instance 01") +
        Entry("            Output2 = ", "                   4,               $ 4 B-Output Register",
              "                   \"Assembly (65)\", $ Name String ",
              "                   \"20 04 24 65 30 03\",    $ Assembly Object Instance 02") +
        Entry("            Output3 = ", "                   2,               $ 2 B-Output Relay",
              "                   \"MB ID : 1\",     $ Name String ",
              "                   \"20 64 24 01 30 14\",    $ Application Object Instance 01") +
        Entry("            Output4 = ", "                   1,               $ 1 B-Output Relay",
              "                   \"MB ID : 1\",     $ Name String ",
              "                   \"20 64 24 03 30 14\",    $ Application Object Instance 03") +
        Entry(
            "            Output5 = ", "                   4,               $ 4 B-Output Register ",
            "                   \"MB ID : 2\",     $ Name String ",
            "                   \"20 64 24 02 30 15\",    $ Application Object Instance 02");

    ExpectText(g.Text(), Header("Packing line 3", "R. Ellery") + rows + kAssemblyHeadings +
                             assemblyRows + kFileAndDevice + ioInfo + connections + Lines{kEnd});
}

// Without objects there are no instances, so no [IO_Info] and no connection entry; the empty
// description and author keep the blank after their colon.
TEST(EdsFileText, EmptyConfiguration) {
    Gateway g{};
    g.description.clear();
    g.author.clear();
    ExpectText(g.Text(), Header("", "") + kAssemblyHeadings + kFileAndDevice + Lines{kEnd});
}

// One output and two input instances: inputs are numbered on after the output (0x65, 0x66).
// A digital input of 9 bits needs 2 bytes, an analog input of 3 registers 6 bytes.
TEST(EdsFileText, OneOutputAndTwoInputInstances) {
    const Gateway g{{4, 0, 0, 16, 8}, {7, 2, 1, 5, 9}, {9, 3, 0, 300, 3}};
    const Lines rows = {
        "$   01     004       0     0016   0008",
        "$   02     007       2     0005   0009",
        "$   03     009       3     0300   0003",
        "$  Digital Output  0x64      001         4:00023~00016",
        "$  Digital Input   0x65      002         7:00012~00005  7:00013~00013",
        "$  Analog  Input   0x66      006         9:00300  9:00300  9:00301  9:00301  9:00302  "
        "9:00302",
    };
    const Lines connections =
        Lines{kInputConnection} +
        Entry("            Input1 = ", "                   2,               $ 2 B-Input Relay",
              "                   \"Assembly (65)\", $ Name String ",
              "                   \"20 04 24 65 30 03\",    $ Assembly Object Instance 02") +
        Entry("            Input2 = ", "                   6,               $ 6 B-Input Register",
              "                   \"Assembly (66)\", $ Name String ",
              "                   \"20 04 24 66 30 03\",    $ Assembly Object Instance 03") +
        Entry("            Input3 = ", "                   2,               $ 2 B-Input Relay",
              "                   \"MB ID : 7\",     $ Name String ",
              "                   \"20 64 24 02 30 16\",    $ Application Object Instance 02") +
        Entry("            Input4 = ", "                   6,              $ 6 B-Input Register ",
              "                   \"MB ID : 9\",     $ Name String ",
              "                   \"20 64 24 03 30 17\",    $ Application Object Instance 03") +
        Lines{kOutputConnection} +
        Entry("            Output1 = ", "                   1,               $ 1 B-Output Relay",
              "                   \"Assembly (64)\", $ Name String ",
              "                   \"20 04 24 64 30 03\",    $ Assembly Object Instance 01") +
        Entry("            Output2 = ", "                   1,               $ 1 B-Output Relay",
              "                   \"MB ID : 4\",     $ Name String ",
              "                   \"20 64 24 01 30 14\",    $ Application Object Instance 01");

    ExpectText(g.Text(), Header("Packing line 3", "R. Ellery") +
                             Lines(rows.begin(), rows.begin() + 3) + kAssemblyHeadings +
                             Lines(rows.begin() + 3, rows.end()) + kFileAndDevice +
                             kNoDefaultConnections + connections + Lines{kEnd});
}

// Ten objects, the first nine of length 0: all are listed, only the tenth gets an entry, addressed
// as instance 0A of class 0x64. With no outputs the input instance is 0x64.
TEST(EdsFileText, TenthObjectAndObjectsWithoutLength) {
    Gateway g{{1, 1, 0, 10, 0}, {2, 2, 0, 20, 0},     {3, 3, 0, 30, 0}, {4, 0, 0, 40, 0},
              {5, 1, 0, 50, 0}, {6, 2, 0, 60, 0},     {7, 3, 0, 70, 0}, {8, 0, 0, 80, 0},
              {9, 1, 0, 90, 0}, {247, 2, 0, 65535, 1}};
    const Lines rows = {
        "$   01     001       1     0010   0000", "$   02     002       2     0020   0000",
        "$   03     003       3     0030   0000", "$   04     004       0     0040   0000",
        "$   05     005       1     0050   0000", "$   06     006       2     0060   0000",
        "$   07     007       3     0070   0000", "$   08     008       0     0080   0000",
        "$   09     009       1     0090   0000", "$   10     247       2     65535   0001",
    };
    const Lines connections =
        Lines{kInputConnection} +
        Entry("            Input1 = ", "                   1,               $ 1 B-Input Relay",
              "                   \"Assembly (64)\", $ Name String ",
              "                   \"20 04 24 64 30 03\",    $ Assembly Object Instance 01") +
        Entry("            Input2 = ", "                   1,               $ 1 B-Input Relay",
              "                   \"MB ID : 247\",     $ Name String ",
              "                   \"20 64 24 0A 30 16\",    $ Application Object Instance 0A");

    ExpectText(g.Text(), Header("Packing line 3", "R. Ellery") + rows + kAssemblyHeadings +
                             Lines{"$  Digital Input   0x64      001         247:65535~65535"} +
                             kFileAndDevice + kNoDefaultConnections + connections + Lines{kEnd});
}

// Control characters would break the comment line; every one becomes a blank. Everything else,
// blanks at either end and bytes above ASCII included, is written as typed.
TEST(EdsFileText, DescriptionAndAuthorStayOnTheirLines) {
    struct Case {
        const char* name;
        std::string description, author;
        std::string writtenDescription, writtenAuthor;
    };
    const std::vector<Case> cases = {
        {"blanks kept", "  two  ", " x ", "  two  ", " x "},
        {"line breaks and tab", "Line 3\r\nPress\tB", "A\nB\rC\x7F", "Line 3  Press B", "A B C "},
        {"bytes above ASCII kept", "Gr\xFC\xDF", "\xC3\xA9", "Gr\xFC\xDF", "\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Gateway g{};
        g.description = c.description;
        g.author = c.author;
        ExpectText(g.Text(), Header(c.writtenDescription, c.writtenAuthor) + kAssemblyHeadings +
                                 kFileAndDevice + Lines{kEnd});
    }
}

TEST(EdsFileName, NodeIdWithItsSignPosition) {
    EXPECT_EQ(EdsFileName(5), "RODAR_ 5.eds");
    EXPECT_EQ(EdsFileName(63), "RODAR_ 63.eds");
}

// A scratch folder for one test, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "tavrin-eds-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add);
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void PutFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

Lines Names(const fs::path& folder) {
    Lines names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(WriteEdsFile, WritesTheTextIntoTheFolder) {
    ScratchDir dir;
    Gateway g{{1, 0, 0, 0, 10}, {3, 3, 1, 10, 1}};
    g.image.settings.NodeId = 63;
    const std::string path = WriteEdsFile(dir.Path().string(), g.Content());
    EXPECT_EQ(path, dir.Path().string() + "/RODAR_ 63.eds");
    EXPECT_EQ(ReadFile(path), g.Text());
    EXPECT_EQ(Names(dir.Path()), Lines{"RODAR_ 63.eds"});
}

TEST(WriteEdsFile, ReplacesTheFileOfAnEarlierFinish) {
    ScratchDir dir;
    const fs::path target = dir.Path() / "RODAR_ 5.eds";
    PutFile(target, std::string(20000, 'x'));
    const Gateway g{{2, 2, 0, 0, 4}};
    WriteEdsFile(dir.Path().string(), g.Content());
    EXPECT_EQ(ReadFile(target), g.Text());
    EXPECT_EQ(Names(dir.Path()), Lines{"RODAR_ 5.eds"});
}

// Each failure names the file and the system's reason, and leaves the folder as it was: no
// temporary file behind, an earlier file unchanged.
TEST(WriteEdsFile, FailureLeavesTheFolderAsItWas) {
    struct Case {
        const char* name;
        std::function<fs::path(const fs::path&)> prepare;  // returns the folder to write into
        const char* reason;
        bool needsPermissions;  // root writes into any folder whatever its mode
    };
    const std::vector<Case> cases = {
        {"folder does not exist", [](const fs::path& d) { return d / "missing"; },
         "No such file or directory", false},
        {"folder is a regular file",
         [](const fs::path& d) {
             PutFile(d / "plain", "");
             return d / "plain";
         },
         "Not a directory", false},
        {"a folder holds the file's name",
         [](const fs::path& d) {
             fs::create_directory(d / "RODAR_ 5.eds");
             return d;
         },
         "Is a directory", false},
        {"folder not writable",
         [](const fs::path& d) {
             PutFile(d / "RODAR_ 5.eds", "previous file");
             fs::permissions(d, fs::perms::owner_read | fs::perms::owner_exec);
             return d;
         },
         "Permission denied", true},
    };
    const Gateway g{{2, 2, 0, 0, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsPermissions && ::geteuid() == 0)
            continue;
        ScratchDir dir;
        const fs::path folder = c.prepare(dir.Path());
        const Lines before = fs::is_directory(folder) ? Names(folder) : Lines{};
        const std::string previous = ReadFile(folder / "RODAR_ 5.eds");
        try {
            WriteEdsFile(folder.string(), g.Content());
            ADD_FAILURE() << "no error";
        } catch (const EdsWriteError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Can't write " + folder.string() + "/RODAR_ 5.eds: " + c.reason);
        }
        if (fs::is_directory(folder)) {
            EXPECT_EQ(Names(folder), before);
        }
        EXPECT_EQ(ReadFile(folder / "RODAR_ 5.eds"), previous);
    }
}

}  // namespace
}  // namespace tavrin
