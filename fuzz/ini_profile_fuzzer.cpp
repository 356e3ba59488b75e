// The INI engine on random file text and a random sequence of profile reads and writes, on the
// text and through a file with the control's GetKey and WriteKey. Properties: no crash; a written
// key reads back its value (a file read cut to 1023 characters); a write keeps every other line and
// every other key as it was.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "inictl/IniKeys.h"
#include "inictl/ProfileFile.h"
#include "inictl/ProfileText.h"

namespace {

struct Line {
    std::string_view text;
    std::string_view end;  // "\r\n", "\n", "\r" or empty on a last line
};

// Lines as any INI reader splits them: CR LF, LF or CR end a line.
std::vector<Line> Lines(std::string_view file) {
    std::vector<Line> lines;
    std::size_t at = 0;
    while (at < file.size()) {
        std::size_t stop = at;
        while (stop < file.size() && file[stop] != '\r' && file[stop] != '\n')
            ++stop;
        std::size_t endLength = 0;
        if (stop < file.size())
            endLength = file.substr(stop, 2) == "\r\n" ? 2 : 1;
        lines.push_back({file.substr(at, stop - at), file.substr(stop, endLength)});
        at = stop + endLength;
    }
    return lines;
}

bool IsFileBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v';
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Names a file can hold at all: on one line, not starting a comment or header, a key without
// '=', a section without ']', and not relying on tabs at the ends (the file side trims those too).
bool RepresentableName(std::string_view name, bool isSection) {
    name = TrimSpaces(name);
    if (HasLineBreakOrNul(name))
        return false;
    if (!name.empty() && (IsFileBlank(name.front()) || IsFileBlank(name.back())))
        return false;
    if (isSection)
        return name.find(']') == std::string_view::npos;
    return name.find('=') == std::string_view::npos &&
           (name.empty() || (name.front() != ';' && name.front() != '['));
}

// Values a read gives back unchanged: one line, no blanks at the ends, not wrapped in quotes.
bool RepresentableValue(std::string_view value) {
    if (HasLineBreakOrNul(value))
        return false;
    if (!value.empty() && (IsFileBlank(value.front()) || IsFileBlank(value.back())))
        return false;
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == '"' || value.front() == '\'');
    return !quoted;
}

// Everything but the written key's line (replaced, inserted, or appended with its header) stays
// as it was; a last line without a line end may gain one.
void CheckOtherLinesKept(std::string_view before, std::string_view after) {
    const std::vector<Line> old = Lines(before);
    const std::vector<Line> now = Lines(after);
    auto same = [&](std::size_t i, std::size_t j) {
        if (old[i].text != now[j].text)
            return false;
        return old[i].end == now[j].end || (i + 1 == old.size() && old[i].end.empty());
    };
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && same(prefix, prefix))
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           same(old.size() - 1 - suffix, now.size() - 1 - suffix))
        ++suffix;
    const std::size_t removed = old.size() - prefix - suffix;
    const std::size_t added = now.size() - prefix - suffix;
    // A key line rewritten as it was leaves nothing changed at all.
    FUZZ_CHECK(removed <= 1);
    FUZZ_CHECK(added <= 2);
    FUZZ_CHECK(removed == 0 || added == 1);
}

struct Name {
    std::string section;
    std::string key;
};

bool SameKey(const Name& a, const Name& b) {
    auto fold = [](std::string_view text) {
        std::string folded(TrimSpaces(text));
        for (char& c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return folded;
    };
    return fold(a.section) == fold(b.section) && fold(a.key) == fold(b.key);
}

// FUZZ_VERBOSE=1 shows each write when replaying an input.
bool Verbose() {
    static const bool verbose = std::getenv("FUZZ_VERBOSE") != nullptr;
    return verbose;
}

std::string Quoted(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n')
            out += "\\n\n";
        else if (byte < 0x20 || byte >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else
            out += c;
    }
    return out;
}

std::string TempPath() {
    const char* folder = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/tavrin-fuzz-ini-" + std::to_string(::getpid()) + ".ini";
}

void WriteWholeFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::string file = input.ConsumeRandomLengthString(4096);
    std::vector<Name> names;
    bool fileRoundTripDone = false;

    for (int step = 0; step < 16 && input.remaining_bytes() > 0; ++step) {
        const int op = input.ConsumeIntegralInRange(0, 3);
        Name name;
        // Reuse an earlier name now and then so reads meet earlier writes.
        if (!names.empty() && input.ConsumeBool()) {
            name = names[input.ConsumeIntegralInRange<std::size_t>(0, names.size() - 1)];
        } else {
            name.section = input.ConsumeRandomLengthString(24);
            name.key = input.ConsumeRandomLengthString(24);
            names.push_back(name);
        }

        if (op == 0) {
            // A read alone: whatever the text, a found value is one trimmed line.
            const std::optional<std::string> value =
                quillon::FindProfileValue(file, name.section, name.key);
            if (value)
                FUZZ_CHECK(value->find_first_of("\r\n") == std::string::npos);
            continue;
        }

        const bool longValue = input.ConsumeIntegralInRange(0, 7) == 0;
        const std::string value = input.ConsumeRandomLengthString(longValue ? 3000 : 40);
        const bool representable = RepresentableName(name.section, true) &&
                                   RepresentableName(name.key, false) && RepresentableValue(value);

        if (op == 3 && !fileRoundTripDone) {
            // Through a file with the control's GetKey and WriteKey: the file gets exactly the
            // text engine's bytes, and the value reads back cut to 1023 characters.
            fileRoundTripDone = true;
            quillon::IniKeys control;
            FUZZ_CHECK(control.WriteKey(name.section, name.key, value));
            FUZZ_CHECK(!control.GetKey(name.section, name.key).has_value());
            const std::string path = TempPath();
            control.SetFileName(path);
            WriteWholeFile(path, file);
            FUZZ_CHECK(control.WriteKey(name.section, name.key, value));
            const std::string written = ReadWholeFile(path);
            FUZZ_CHECK(written == quillon::SetProfileValue(file, name.section, name.key, value));
            const std::optional<std::string> readBack = control.GetKey(name.section, name.key);
            FUZZ_CHECK(readBack.has_value());
            FUZZ_CHECK(readBack->size() <= quillon::kProfileValueLimit);
            if (representable)
                FUZZ_CHECK(*readBack == value.substr(0, quillon::kProfileValueLimit));
            ::unlink(path.c_str());
            file = written;
            continue;
        }

        const std::string after = quillon::SetProfileValue(file, name.section, name.key, value);
        if (Verbose())
            std::fprintf(stderr, "write [%s] %s=%s\n--- before\n%s\n--- after\n%s\n---\n",
                         Quoted(name.section).c_str(), Quoted(name.key).c_str(),
                         Quoted(value).c_str(), Quoted(file).c_str(), Quoted(after).c_str());
        if (representable) {
            const std::optional<std::string> readBack =
                quillon::FindProfileValue(after, name.section, name.key);
            FUZZ_CHECK(readBack.has_value());
            FUZZ_CHECK(*readBack == value);
            CheckOtherLinesKept(file, after);
            for (const Name& other : names) {
                if (SameKey(other, name))
                    continue;
                FUZZ_CHECK(quillon::FindProfileValue(file, other.section, other.key) ==
                           quillon::FindProfileValue(after, other.section, other.key));
            }
        }
        file = after;
    }
    return 0;
}
