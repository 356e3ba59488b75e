#include "inictl/ProfileText.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace quillon {

namespace {

// Names and values in the file are trimmed of these; the caller's names of spaces only.
constexpr std::string_view kFileBlanks = " \t\v";
constexpr std::string_view kSpaces = " ";
constexpr std::string_view kLineEnd = "\r\n";

std::string_view Trim(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Bytes above 127 belong to whatever code page wrote the file, so only ASCII letters fold.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// One line of the file: its text runs from `begin` to `textEnd`, its line end (CR LF, LF, CR or
// none on the last line) from `textEnd` to `end`.
struct Line {
    std::size_t begin;
    std::size_t textEnd;
    std::size_t end;

    bool HasLineEnd() const { return end > textEnd; }
};

std::vector<Line> SplitLines(std::string_view file) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < file.size()) {
        const std::size_t textEnd = std::min(file.find_first_of(kLineEnd, begin), file.size());
        std::size_t end = textEnd;
        if (end < file.size())
            end += file.compare(end, 2, kLineEnd) == 0 ? 2 : 1;
        lines.push_back({begin, textEnd, end});
        begin = end;
    }
    return lines;
}

enum class LineKind { kHeader, kKey, kOther };

// What a line means to a profile reader. For a header, `name` is the section name; for a key
// line, `name` is the key and `value` the raw text after the first '='.
struct ParsedLine {
    LineKind kind = LineKind::kOther;
    std::string_view name;
    std::string_view value;
};

ParsedLine ParseLine(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kFileBlanks);
    if (first == std::string_view::npos || text[first] == ';')
        return {};
    if (text[first] == '[') {
        const std::string_view afterBracket = text.substr(first + 1);
        // A header without ']' still opens its section; anything after ']' is ignored.
        return {LineKind::kHeader,
                Trim(afterBracket.substr(0, afterBracket.find(']')), kFileBlanks),
                {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    return {LineKind::kKey, Trim(text.substr(0, equals), kFileBlanks), text.substr(equals + 1)};
}

// Where a key lives: only the first section of the name counts, and in it the first key of the
// name. Lines before the first header belong to no section at all.
struct KeyLocation {
    std::optional<std::size_t> header;
    std::optional<std::size_t> key;
    std::optional<std::size_t> lastKey;  // the last key line of the section, whatever its name
    std::string_view keyName;            // the key's spelling in the file
    std::string_view rawValue;
};

KeyLocation LocateKey(std::string_view file, const std::vector<Line>& lines,
                      std::string_view section, std::string_view key) {
    KeyLocation location;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const ParsedLine parsed = ParseLine(file.substr(line.begin, line.textEnd - line.begin));
        if (parsed.kind == LineKind::kHeader) {
            if (location.header)
                break;
            if (SameName(parsed.name, section))
                location.header = i;
        } else if (parsed.kind == LineKind::kKey && location.header) {
            location.lastKey = i;
            if (!location.key && SameName(parsed.name, key)) {
                location.key = i;
                location.keyName = parsed.name;
                location.rawValue = parsed.value;
            }
        }
    }
    return location;
}

// Values may be quoted to keep their outer blanks; one pair of matching quotes comes off.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

std::string KeyLine(std::string_view key, std::string_view value) {
    std::string line;
    line.append(key).append("=").append(value).append(kLineEnd);
    return line;
}

std::string ReplaceLine(std::string_view file, const Line& line, std::string_view replacement) {
    std::string result(file.substr(0, line.begin));
    result.append(replacement).append(file.substr(line.end));
    return result;
}

// The new line goes after `anchor`; a last line without a line end gets one first.
std::string InsertAfter(std::string_view file, const Line& anchor, std::string_view newLine) {
    std::string result(file.substr(0, anchor.end));
    if (!anchor.HasLineEnd())
        result.append(kLineEnd);
    result.append(newLine).append(file.substr(anchor.end));
    return result;
}

std::string AppendSection(std::string_view file, std::string_view section,
                          std::string_view newLine) {
    std::string result(file);
    if (!result.empty() && result.back() != '\r' && result.back() != '\n')
        result.append(kLineEnd);
    result.append("[").append(section).append("]").append(kLineEnd).append(newLine);
    return result;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key) {
    const KeyLocation location =
        LocateKey(file, SplitLines(file), Trim(section, kSpaces), Trim(key, kSpaces));
    if (!location.key)
        return std::nullopt;
    return std::string(Unquote(Trim(location.rawValue, kFileBlanks)));
}

std::string SetProfileValue(std::string_view file, std::string_view section, std::string_view key,
                            std::string_view value) {
    section = Trim(section, kSpaces);
    key = Trim(key, kSpaces);
    const std::vector<Line> lines = SplitLines(file);
    const KeyLocation location = LocateKey(file, lines, section, key);
    if (location.key)
        return ReplaceLine(file, lines[*location.key], KeyLine(location.keyName, value));
    if (location.header)
        return InsertAfter(file, lines[location.lastKey.value_or(*location.header)],
                           KeyLine(key, value));
    return AppendSection(file, section, KeyLine(key, value));
}

}  // namespace quillon
