// A small writer of JSON for people to read (the command line's output, configuration files): keys
// in the order written, two-space indent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

class JsonWriter {
public:
    void BeginObject(std::string_view key = {});
    void EndObject();
    void BeginArray(std::string_view key = {});
    void EndArray();
    void Number(std::string_view key, long long value);
    void Bool(std::string_view key, bool value);
    void String(std::string_view key, std::string_view value);
    void Null(std::string_view key);

    // The document so far, ended by a line feed once the outermost value is closed.
    const std::string& Text() const { return m_text; }

private:
    void Open(std::string_view key, char bracket);
    void Close(char bracket);
    void Key(std::string_view key);
    void Quote(std::string_view text);

    std::string m_text;
    std::vector<bool> m_hasItems;  // per open container: something written in it already
};

}  // namespace tavrin
