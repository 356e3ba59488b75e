// The assembly derivation, the wizard's lists and the EDS text over random application object
// tables, including stored ones the editor would refuse (IOType outside 0..3, lengths of 0 or far
// too big, totals that disagree with the objects). Properties: no crash; no instance holds more
// than 1025 mapping entries or a Length out of step with them; with agreeing totals the lengths
// are the bytes the objects need; the EDS text is whole CR LF lines, each a comment, a section
// header, an indented entry line or empty, with its connection entries numbered as the wizard's
// lists.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "assembly/AssemblyDerivation.h"
#include "assembly/AssemblyGrid.h"
#include "eds/ConnectionChoices.h"
#include "eds/EdsFile.h"

namespace {

using namespace tavrin;

void CheckInstance(const AssemblyInstance& instance) {
    FUZZ_CHECK(instance.Length >= 0 && instance.Length <= kMaxMappingEntries);
    FUZZ_CHECK(instance.Mapping.size() == static_cast<std::size_t>(instance.Length));
    FUZZ_CHECK(instance.Kind == kDigitalKind || instance.Kind == kAnalogKind);
}

// With totals that agree with the objects, each direction is its digital instance (if any) then
// its analog one, each as long as its objects need, cut at the instance limit.
void CheckAgreeingTotals(const AssemblyTables& tables, const AppObjectTable& objects, int count) {
    const auto bytes = BytesPerIOType(objects, count);
    auto check = [&](const std::array<AssemblyInstance, 2>& instances, std::uint8_t last,
                     long long digital, long long analog) {
        const int analogAt = digital > 0 ? 1 : 0;
        if (digital > 0)
            FUZZ_CHECK(instances[0].Length == std::min<long long>(digital, kMaxMappingEntries));
        if (analog > 0) {
            FUZZ_CHECK(instances[analogAt].Kind == kAnalogKind);
            FUZZ_CHECK(instances[analogAt].Length ==
                       std::min<long long>(analog, kMaxMappingEntries));
        }
        FUZZ_CHECK(last == (analog > 0 ? analogAt : 0));
    };
    check(tables.OutputAssemblies, tables.LastOutputAssembly, bytes[0], bytes[1]);
    check(tables.InputAssemblies, tables.LastInputAssembly, bytes[2], bytes[3]);
    const bool over =
        std::any_of(bytes.begin(), bytes.end(), [](long long b) { return b > kMaxMappingEntries; });
    FUZZ_CHECK(tables.Truncated == over);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The number of "Input<n> =" (or Output) entry headers, checking they run 1, 2, 3, ...
int CountEntries(const std::vector<std::string_view>& lines, std::string_view direction) {
    const std::string head = std::string(12, ' ') + std::string(direction);
    int count = 0;
    for (const std::string_view line : lines) {
        if (!StartsWith(line, head) || line.size() <= head.size() || line[head.size()] < '0' ||
            line[head.size()] > '9')
            continue;
        ++count;
        FUZZ_CHECK(line == head + std::to_string(count) + " = ");
    }
    return count;
}

// The size on the line after the header of entry "<direction><number> = ".
std::optional<long long> EntrySize(const std::vector<std::string_view>& lines,
                                   std::string_view direction, int number) {
    const std::string head =
        std::string(12, ' ') + std::string(direction) + std::to_string(number) + " = ";
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] != head)
            continue;
        const std::string_view sizeLine = lines[i + 1];
        const std::size_t first = sizeLine.find_first_not_of(' ');
        const std::size_t comma = sizeLine.find(',');
        FUZZ_CHECK(first != std::string_view::npos && comma != std::string_view::npos &&
                   first < comma);
        return std::stoll(std::string(sizeLine.substr(first, comma - first)));
    }
    return std::nullopt;
}

// Each assembly row of the "$" table: its length, then exactly that many mapping texts.
void CheckAssemblyRows(const std::vector<std::string_view>& lines) {
    for (const std::string_view line : lines) {
        if (!StartsWith(line, "$  Digital") && !StartsWith(line, "$  Analog"))
            continue;
        const std::size_t id = line.find("0x");
        FUZZ_CHECK(id != std::string_view::npos);
        const std::size_t lengthAt = line.find_first_not_of(' ', line.find(' ', id));
        FUZZ_CHECK(lengthAt != std::string_view::npos);
        const std::size_t lengthEnd = line.find(' ', lengthAt);
        const long long length =
            std::stoll(std::string(line.substr(lengthAt, lengthEnd - lengthAt)));
        const std::string_view texts =
            lengthEnd == std::string_view::npos ? std::string_view() : line.substr(lengthEnd);
        FUZZ_CHECK(std::count(texts.begin(), texts.end(), ':') == length);
    }
}

std::vector<std::string_view> CheckLines(std::string_view text) {
    FUZZ_CHECK(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n");
    std::vector<std::string_view> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find("\r\n", at);
        FUZZ_CHECK(end != std::string_view::npos);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    for (const std::string_view line : lines) {
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            FUZZ_CHECK(byte >= 0x20 && byte != 0x7F);
        }
        if (line.empty() || line.front() == '$')
            continue;
        if (line.front() == '[') {
            FUZZ_CHECK(line.back() == ']' && line.find(']') == line.size() - 1);
            continue;
        }
        FUZZ_CHECK(StartsWith(line, std::string(12, ' ')));
        FUZZ_CHECK(line.find_first_not_of(' ') != std::string_view::npos);
    }
    FUZZ_CHECK(lines.back() == "$ End of KELDOR-XQV EDS File");
    return lines;
}

AppObject RandomObject(FuzzedDataProvider& input, bool wild) {
    AppObject o;
    o.MBID = input.ConsumeIntegral<std::uint8_t>();
    o.IOType = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::uint8_t>(0, 3)
                                   : input.ConsumeIntegral<std::uint8_t>();
    o.FCSel = input.ConsumeIntegral<std::uint8_t>();
    if (wild) {
        o.MBSA = input.ConsumeIntegral<std::int32_t>();
        o.MBCL = input.ConsumeIntegral<std::int32_t>();
    } else {
        // What a gateway can store: both halves of a word.
        o.MBSA = input.ConsumeIntegralInRange(0, 65535);
        // Mostly short ones: a table that fills an instance costs thousands of mapping texts.
        o.MBCL = input.ConsumeIntegralInRange(0, 15) != 0 ? input.ConsumeIntegralInRange(0, 300)
                                                          : input.ConsumeIntegralInRange(0, 65535);
    }
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    ConfigImage image;
    const bool wild = input.ConsumeIntegralInRange(0, 7) == 0;
    image.working.AppCount = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::uint8_t>(0, 10)
                                                 : input.ConsumeIntegral<std::uint8_t>();
    for (AppObject& o : image.working.AppObjects)
        o = RandomObject(input, wild);
    const int used = std::min<int>(image.working.AppCount, kMaxAppObjects);
    // Wild lengths may not even sum in 32 bits; the sums then wrap like any stored total could.
    IOTotalArray agreeing{};
    for (int i = 0; i < used; ++i) {
        const AppObject& o = image.working.AppObjects[i];
        if (o.IOType < kIOTypeCount)
            agreeing[o.IOType] =
                static_cast<std::int32_t>(static_cast<std::uint32_t>(agreeing[o.IOType]) +
                                          static_cast<std::uint32_t>(o.MBCL));
    }
    const bool agree = input.ConsumeBool();
    if (agree) {
        image.working.IOTotals = agreeing;
    } else {
        for (std::int32_t& t : image.working.IOTotals)
            t = input.ConsumeBool() ? input.ConsumeIntegralInRange(-2, 3)
                                    : input.ConsumeIntegral<std::int32_t>();
    }
    image.settings.NodeId = input.ConsumeIntegral<std::uint8_t>();
    image.settings.FwMajor = input.ConsumeIntegral<std::uint8_t>();
    image.settings.FwMinor = input.ConsumeIntegral<std::uint8_t>();
    image.settings.CfgYear = input.ConsumeIntegral<std::int16_t>();
    image.settings.CfgMonth = input.ConsumeIntegral<std::uint8_t>();
    image.settings.CfgDay = input.ConsumeIntegral<std::uint8_t>();
    image.settings.CfgHour = input.ConsumeIntegral<std::uint8_t>();
    image.settings.CfgMinute = input.ConsumeIntegral<std::uint8_t>();
    image.settings.CfgSecond = input.ConsumeIntegral<std::uint8_t>();
    ConnectionSelections selections;
    for (int i = 0; i < 4; ++i) {
        selections.InputSel[i] = input.ConsumeIntegral<std::int16_t>();
        selections.OutputSel[i] = input.ConsumeIntegral<std::int16_t>();
    }
    const std::string description = input.ConsumeRandomLengthString(64);
    const std::string author = input.ConsumeRandomLengthString(32);

    const AssemblyTables tables = DeriveAssemblies(image.working);
    for (const AssemblyInstance& a : tables.OutputAssemblies)
        CheckInstance(a);
    for (const AssemblyInstance& a : tables.InputAssemblies)
        CheckInstance(a);
    FUZZ_CHECK(tables.LastOutputAssembly <= 1 && tables.LastInputAssembly <= 1);
    if (agree && !wild)
        CheckAgreeingTotals(tables, image.working.AppObjects, image.working.AppCount);

    // The views and the wizard on the same tables.
    const AssemblyTabPlan plan = PlanAssemblyTabs(image.working.IOTotals);
    const AssemblyGrid outputGrid = BuildAssemblyGrid(tables, AssemblyDirection::Output);
    const AssemblyGrid inputGrid = BuildAssemblyGrid(tables, AssemblyDirection::Input);
    if (agree && !wild) {
        // The view shows a tab for each direction with an instance, and every mapping text.
        auto hasTab = [&](AssemblyDirection direction) {
            return std::any_of(plan.tabs.begin(), plan.tabs.end(),
                               [&](const AssemblyTab& tab) { return tab.direction == direction; });
        };
        FUZZ_CHECK(hasTab(AssemblyDirection::Output) == (OutputInstanceCount(tables) > 0));
        FUZZ_CHECK(hasTab(AssemblyDirection::Input) ==
                   (tables.InputAssemblies[0].Length > 0 || tables.InputAssemblies[1].Length > 0));
        auto shows = [](const AssemblyGrid& grid, const std::array<AssemblyInstance, 2>& instances,
                        int last) {
            for (int i = 0; i <= last; ++i) {
                const AssemblyInstance& instance = instances[i];
                for (int k = 0; k < instance.Length; ++k)
                    FUZZ_CHECK(grid.cells[i + 1][kAssemblyFixedColumns + k] == instance.Mapping[k]);
            }
        };
        shows(outputGrid, tables.OutputAssemblies, tables.LastOutputAssembly);
        shows(inputGrid, tables.InputAssemblies, tables.LastInputAssembly);
    }
    const std::vector<std::string> inputs = InputEntries(image, tables);
    const std::vector<std::string> outputs = OutputEntries(image, tables);
    FUZZ_CHECK(!inputs.empty() && inputs.front() == kNoneEntry);
    FUZZ_CHECK(!outputs.empty() && outputs.front() == kNoneEntry);
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        GetXQVInfo(static_cast<int>(k), inputs[k], tables);
        ProducedBytes(static_cast<int>(k), inputs[k], image, tables);
    }
    for (std::size_t k = 0; k < outputs.size(); ++k)
        GetXQVInfo(static_cast<int>(k), outputs[k], tables);

    const EdsContent content{description,
                             author,
                             image.settings,
                             image.working,
                             tables,
                             selections,
                             LocalDateTime{2026, 12, 8, 9, 5, 3}};
    const std::string text = EdsFileText(content);
    const std::vector<std::string_view> lines = CheckLines(text);
    // Entry k of each direction is position k of the wizard's list of that direction. Totals that
    // disagree with the objects come from no gateway or editor; only the numbering is checked then.
    const int inputCount = CountEntries(lines, "Input");
    const int outputCount = CountEntries(lines, "Output");
    CheckAssemblyRows(lines);
    if (agree && !wild) {
        FUZZ_CHECK(inputCount == static_cast<int>(inputs.size()) - 1);
        FUZZ_CHECK(outputCount == static_cast<int>(outputs.size()) - 1);
        // What the wizard counts for a Bit-Strobe choice is the entry's size in the file.
        for (int k = 1; k < static_cast<int>(inputs.size()); ++k) {
            const std::optional<long long> produced = ProducedBytes(k, inputs[k], image, tables);
            FUZZ_CHECK(produced.has_value());
            FUZZ_CHECK(EntrySize(lines, "Input", k) == produced);
        }
    }
    return 0;
}
