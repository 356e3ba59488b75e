#include "eds/EdsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "config/WordArithmetic.h"

namespace tavrin {

namespace {

// Keyword lines of [File], [Device] and the connection entry headers start at column 13; the
// values of [IO_Info] and of a connection entry are lined up further right under their keyword.
const std::string kKeyIndent(12, ' ');
const std::string kIoInfoIndent(22, ' ');
const std::string kSizeIndent(18, ' ');
const std::string kEntryIndent(19, ' ');
const std::string kRule = "$" + std::string(63, '=');
const std::string kDashes = "$" + std::string(63, '-');

// The separator before the "$" comment of an entry's size line. The analog input entry has one
// blank less than the other kinds; the established layout is kept byte for byte.
const std::string kSizeSeparator = "," + std::string(15, ' ') + "$";
const std::string kNarrowSizeSeparator = "," + std::string(14, ' ') + "$";

// Every line of the file ends with CR LF, the empty ones and the last one included.
class EdsLines {
public:
    void Add(std::string_view line) {
        m_text.append(line);
        m_text.append("\r\n");
    }
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

// Decimal, zero-padded to at least `width` digits; longer numbers are written in full.
std::string Zeroed(long long value, int width) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

// Two upper-case hexadecimal digits: the instance byte of an EPATH.
std::string Hex2(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value));
    return text;
}

// Safeguard: the description and author are typed (or pasted) into one-line text boxes, but a
// pasted line break would end the "$" comment early and leave the rest of the text as a line of
// its own, which an EDS parser would read as a keyword. Every control character becomes a blank.
std::string OneLine(std::string text) {
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            c = ' ';
    }
    return text;
}

void AddHeader(EdsLines& lines, const EdsContent& content) {
    lines.Add("$ KELDOR-XQV Gateway Electronic Data Sheet");
    lines.Add("$ File Description Section : " + OneLine(content.description));
    lines.Add("$ Created by : " + OneLine(content.author));
    lines.Add("$ Device Information:  DeviceNet Slave/ModBus RTU Master Gateway");
    lines.Add(kRule);
    lines.Add("$======  Application Object Information ( Class ID=0x64 ) ======");
    lines.Add("$ Inst.    Att.1     .2     .3     .4  ");
    lines.Add("$ AppNum   MBID    IOType  MBSA   MBCL ");
    lines.Add(kDashes);
}

int ObjectCount(const AppObjectList& working) {
    return std::clamp(static_cast<int>(working.AppCount), 0, kMaxAppObjects);
}

// Every object is listed, also one of length 0 that takes part in no connection.
void AddObjectTable(EdsLines& lines, const AppObjectList& working) {
    for (int i = 0; i < ObjectCount(working); ++i) {
        const AppObject& o = working.AppObjects[i];
        lines.Add("$   " + Zeroed(i + 1, 2) + "     " + Zeroed(o.MBID, 3) + "       " +
                  std::to_string(o.IOType) + "     " + Zeroed(o.MBSA, 4) + "   " +
                  Zeroed(o.MBCL, 4));
    }
}

// Instances of one direction that exist: walked from index 0 up to the last index, stopping at the
// first one without data bytes. The same count numbers the rows, the instance identifiers and the
// assembly connection entries, so the three always agree.
int ExistingInstances(const std::array<AssemblyInstance, 2>& instances, int last) {
    const int end = std::min(last, 1);
    int count = 0;
    while (count <= end && instances[count].Length > 0)
        ++count;
    return count;
}

// Ordinal numbering of the assembly instances, outputs first: ordinal k has identifier 100 + k.
struct AssemblyRun {
    const AssemblyInstance* instances;
    int count;
    int firstOrdinal;
};

std::string MappingTexts(const AssemblyInstance& instance) {
    const std::size_t used = std::min(static_cast<std::size_t>(std::max<int>(instance.Length, 0)),
                                      instance.Mapping.size());
    std::string texts;
    for (std::size_t k = 0; k < used; ++k)
        texts += " " + instance.Mapping[k];
    return texts;
}

void AddAssemblyRows(EdsLines& lines, const AssemblyRun& run, bool output) {
    for (int j = 0; j < run.count; ++j) {
        const AssemblyInstance& a = run.instances[j];
        const bool analog = a.Kind == kAnalogKind;
        // Each kind text is 15 characters wide so the identifiers line up.
        const char* kind = output ? (analog ? " Analog Output " : " Digital Output")
                                  : (analog ? " Analog  Input " : " Digital Input ");
        lines.Add("$ " + std::string(kind) + "  0x" +
                  HexId(kFirstAssemblyId + run.firstOrdinal + j) + "      " + Zeroed(a.Length, 3) +
                  "       " + MappingTexts(a));
    }
}

void AddAssemblyTable(EdsLines& lines, const AssemblyRun& outputs, const AssemblyRun& inputs) {
    lines.Add("$");
    lines.Add("$=====   Assembly Object Information ( Class ID : 0x04 )   =====");
    lines.Add("$    IO Type      Ins.ID  Data Legnth  Data Mapping...");
    lines.Add(kDashes);
    AddAssemblyRows(lines, outputs, true);
    AddAssemblyRows(lines, inputs, false);
}

std::string DateText(int month, int day, int year) {
    return Zeroed(month, 2) + "-" + Zeroed(day, 2) + "-" + Zeroed(year, 4);
}

std::string TimeText(int hour, int minute, int second) {
    return Zeroed(hour, 2) + ":" + Zeroed(minute, 2) + ":" + Zeroed(second, 2);
}

// CreateDate/CreateTime repeat the time stamp just stored into the gateway; ModDate/ModTime are
// the PC's clock while the file is written.
void AddFileSection(EdsLines& lines, const GatewaySettings& settings,
                    const LocalDateTime& modified) {
    const std::string& key = kKeyIndent;
    lines.Add(kRule);
    lines.Add("[File]");
    lines.Add(key + "DescText   = " + "\"KELDOR DeviceNet I/O Controller \"; ");
    lines.Add(key +
              "CreateDate = " + DateText(settings.CfgMonth, settings.CfgDay, settings.CfgYear) +
              ";" + "      $ created");
    lines.Add(key + "CreateTime = " +
              TimeText(settings.CfgHour, settings.CfgMinute, settings.CfgSecond) + ";");
    lines.Add(key + "ModDate    = " + DateText(modified.month, modified.day, modified.year) + ";" +
              "      $ last changed");
    lines.Add(key + "ModTime    = " + TimeText(modified.hour, modified.minute, modified.second) +
              ";");
    lines.Add(key + "Revision   = 1.2;             $ Revision of EDS");
    lines.Add("");
}

void AddDeviceSection(EdsLines& lines, const GatewaySettings& settings) {
    const std::string& key = kKeyIndent;
    lines.Add("[Device]");
    lines.Add(key + "VendCode    = " + std::to_string(kKeldorVendorCode) + ";" +
              "            $ Vendor Code");
    lines.Add(key + "VendName    = " + "\"KELDOR\";" + "       $ Vendor Name");
    lines.Add(key + "ProdType    = 0; " + "             $ Product Type");
    lines.Add(key + "ProdTypeStr = " + "\"Generic\";");
    lines.Add(key + "ProdCode    = 4;");
    lines.Add(key + "MajRev      = " + std::to_string(settings.FwMajor) +
              ";              $ Device Major Revision");
    lines.Add(key + "MinRev      = " + std::to_string(settings.FwMinor) +
              ";              $ Device Minor Revision");
    lines.Add(key + "ProdName    = " + "\"KELDOR-K5310G\";" + "   $ Product Name");
    lines.Add("");
}

// The default connections. The numbers are the wizard's list positions, which are also the
// numbers of the Input/Output entries below (0 names none). COS and Cyclic share the wizard's
// COS/Cyclic choice; their output is never consumed, so its comment says "Non Exist".
void AddIoInfo(EdsLines& lines, const ConnectionSelections& selections) {
    struct Connection {
        const char* keyword;
        const char* mask;
        int selection;
        bool consumes;
    };
    const Connection connections[] = {
        {"PollInfo =", "0x000f,        $ Poll,BitStrobe,COS,Cyclic", kPollConnection, true},
        {"StrobeInfo =", "0x000f,        $ Poll,BitStrobe,COS,Cyclic", kStrobeConnection, true},
        {"COSInfo =", "0x0007,        $ COS,Poll,BitStrobe", kCosCyclicConnection, false},
        {"CyclicInfo =", "0x000B,        $ Cyclic,Poll,BitStrobe", kCosCyclicConnection, false},
    };
    const std::string& key = kKeyIndent;
    const std::string& value = kIoInfoIndent;
    lines.Add("[IO_Info]");
    lines.Add(key + "Default = 0x0001;        $ Poll");
    for (const Connection& c : connections) {
        const std::string input = SignPosText(selections.InputSel[c.selection]);
        const std::string output = SignPosText(selections.OutputSel[c.selection]);
        lines.Add(key + c.keyword);
        lines.Add(value + c.mask);
        lines.Add(value + input + ",  $ Default Input = Input" + input);
        lines.Add(value + output + ";  $ Default Ouput = " +
                  (c.consumes ? "Output" + output : std::string("Non Exist")));
    }
    lines.Add("");
}

// One connection entry: size, name and the EPATH (class segment 20, instance segment 24,
// attribute segment 30) of the data it carries.
struct ConnectionEntry {
    const char* direction;  // "Input" or "Output"
    int number;
    long long size;  // bytes; wider than the stored lengths so no length can overflow it
    std::string separator;
    std::string typeText;
    std::string name;
    const char* nameComment;
    std::string path;
    std::string instanceComment;
};

void AddEntry(EdsLines& lines, const ConnectionEntry& e) {
    const std::string size = SignPosText(e.size);
    lines.Add(kKeyIndent + e.direction + std::to_string(e.number) + " = ");
    lines.Add(kSizeIndent + size + e.separator + size + e.typeText);
    lines.Add(kEntryIndent + "0,               $ all bits are significant");
    lines.Add(kEntryIndent + "0x000f,          $ Poll/Strobe/COS/Cyclic");
    lines.Add(kEntryIndent + "\"" + e.name + "\"" + e.nameComment);
    lines.Add(kEntryIndent + "6,               $ Path Size");
    lines.Add(kEntryIndent + "\"" + e.path + "\"" + e.instanceComment);
    lines.Add(kEntryIndent + "\"This is a help string\";");
    lines.Add("");
}

// Assembly entries are numbered 1, 2 within their direction and address attribute 3 (data) of
// their instance in class 0x04.
void AddAssemblyEntries(EdsLines& lines, const AssemblyRun& run, bool output) {
    const char* direction = output ? "Output" : "Input";
    for (int j = 0; j < run.count; ++j) {
        const AssemblyInstance& a = run.instances[j];
        const int ordinal = run.firstOrdinal + j;
        const std::string id = HexId(kFirstAssemblyId + ordinal);
        const std::string data = a.Kind == kDigitalKind ? "Relay" : "Register";
        AddEntry(lines, {direction, j + 1, a.Length, kSizeSeparator,
                         " B-" + std::string(direction) + " " + data, "Assembly (" + id + ")",
                         ", $ Name String ", "20 04 24 " + id + " 30 03",
                         ",    $ Assembly Object Instance " + Zeroed(ordinal + 1, 2)});
    }
}

// One kind of application object entry: which objects, how their length becomes bytes, and the
// attribute of class 0x64 that holds their data.
struct ObjectKind {
    std::uint8_t ioType;
    bool digital;
    const std::string& separator;
    const char* typeText;
    const char* attribute;
};

const ObjectKind kDigitalInputKind{2, true, kSizeSeparator, " B-Input Relay", "16"};
const ObjectKind kAnalogInputKind{3, false, kNarrowSizeSeparator, " B-Input Register ", "17"};
const ObjectKind kDigitalOutputKind{0, true, kSizeSeparator, " B-Output Relay", "14"};
const ObjectKind kAnalogOutputKind{1, false, kSizeSeparator, " B-Output Register ", "15"};

// Writes the entries of one kind, in table order, numbering them on from `number`; returns the
// next free number. Objects of length 0 carry no data and get no entry.
int AddObjectEntries(EdsLines& lines, const AppObjectList& working, const ObjectKind& kind,
                     const char* direction, int number) {
    for (int i = 0; i < ObjectCount(working); ++i) {
        const AppObject& o = working.AppObjects[i];
        if (o.IOType != kind.ioType || o.MBCL <= 0)
            continue;
        const long long length = o.MBCL;
        const long long size = kind.digital ? (length + 7) / 8 : length * 2;
        const std::string instance = Hex2(i + 1);
        AddEntry(lines, {direction, number++, size, kind.separator, kind.typeText,
                         "MB ID :" + SignPosText(o.MBID), ",     $ Name String ",
                         "20 64 24 " + instance + " 30 " + kind.attribute,
                         ",    $ Application Object Instance " + instance});
    }
    return number;
}

// Inputs first: the assembly instances, then the digital and the analog input objects, numbered
// on in that order; outputs likewise. These are the numbers the wizard's lists show.
void AddConnections(EdsLines& lines, const AppObjectList& working, const AssemblyRun& outputs,
                    const AssemblyRun& inputs) {
    if (inputs.count > 0) {
        lines.Add("$ ==================== Input Connection ========================");
        AddAssemblyEntries(lines, inputs, false);
    }
    int next = AddObjectEntries(lines, working, kDigitalInputKind, "Input", inputs.count + 1);
    AddObjectEntries(lines, working, kAnalogInputKind, "Input", next);
    if (outputs.count > 0) {
        lines.Add("$ ==================== Output Connection =======================");
        AddAssemblyEntries(lines, outputs, true);
    }
    next = AddObjectEntries(lines, working, kDigitalOutputKind, "Output", outputs.count + 1);
    AddObjectEntries(lines, working, kAnalogOutputKind, "Output", next);
}

[[noreturn]] void ThrowWriteError(const std::string& path, int error) {
    throw EdsWriteError("Can't write " + path + ": " + std::generic_category().message(error));
}

// Replaces `path` with `text` so that a reader (or a crash) sees either the previous file or the
// complete new one, never a half-written or emptied file: the text goes into a temporary file in
// the same folder, is flushed to the disk and then renamed over the target in one step.
void ReplaceFile(const std::string& folder, const std::string& name, const std::string& text) {
    const std::string path = folder + "/" + name;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = folder + "/." + name + "." + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt) + ".tmp";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt >= 100))
            ThrowWriteError(path, errno);
    }

    int error = 0;
    for (std::size_t written = 0; written < text.size() && error == 0;) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n >= 0)
            written += static_cast<std::size_t>(n);
        else if (errno != EINTR)
            error = errno;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        ThrowWriteError(path, error);
    }
}

}  // namespace

std::string EdsFileText(const EdsContent& content) {
    const AssemblyTables& tables = content.assemblies;
    const int outRows = ExistingInstances(tables.OutputAssemblies, tables.LastOutputAssembly);
    const int inRows = ExistingInstances(tables.InputAssemblies, tables.LastInputAssembly);
    const AssemblyRun outputs{tables.OutputAssemblies.data(), outRows, 0};
    const AssemblyRun inputs{tables.InputAssemblies.data(), inRows, outRows};

    EdsLines lines;
    AddHeader(lines, content);
    AddObjectTable(lines, content.working);
    AddAssemblyTable(lines, outputs, inputs);
    AddFileSection(lines, content.settings, content.modified);
    AddDeviceSection(lines, content.settings);
    // Without any assembly instance the gateway has no I/O data, so there is nothing to connect.
    if (outRows > 0 || inRows > 0)
        AddIoInfo(lines, content.selections);
    AddConnections(lines, content.working, outputs, inputs);
    lines.Add("$ End of KELDOR-XQV EDS File");
    return lines.Take();
}

std::string EdsFileName(int nodeId) {
    return "RODAR_" + SignPosText(nodeId) + ".eds";
}

std::string WriteEdsFile(const std::string& folder, const EdsContent& content) {
    const std::string name = EdsFileName(content.settings.NodeId);
    ReplaceFile(folder, name, EdsFileText(content));
    return folder + "/" + name;
}

}  // namespace tavrin
