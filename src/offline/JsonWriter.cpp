#include "offline/JsonWriter.h"

#include <cstdio>

namespace tavrin {

void JsonWriter::Key(std::string_view key) {
    if (!m_hasItems.empty()) {
        if (m_hasItems.back()) {
            m_text += ',';
        }
        m_hasItems.back() = true;
        m_text += '\n';
        m_text.append(2 * m_hasItems.size(), ' ');
    }
    if (!key.empty()) {
        Quote(key);
        m_text += ": ";
    }
}

void JsonWriter::Open(std::string_view key, char bracket) {
    Key(key);
    m_text += bracket;
    m_hasItems.push_back(false);
}

void JsonWriter::Close(char bracket) {
    const bool hadItems = m_hasItems.back();
    m_hasItems.pop_back();
    if (hadItems) {
        m_text += '\n';
        m_text.append(2 * m_hasItems.size(), ' ');
    }
    m_text += bracket;
    if (m_hasItems.empty()) {
        m_text += '\n';
    }
}

void JsonWriter::BeginObject(std::string_view key) {
    Open(key, '{');
}
void JsonWriter::EndObject() {
    Close('}');
}
void JsonWriter::BeginArray(std::string_view key) {
    Open(key, '[');
}
void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Number(std::string_view key, long long value) {
    Key(key);
    m_text += std::to_string(value);
}

void JsonWriter::Bool(std::string_view key, bool value) {
    Key(key);
    m_text += value ? "true" : "false";
}

void JsonWriter::Null(std::string_view key) {
    Key(key);
    m_text += "null";
}

void JsonWriter::String(std::string_view key, std::string_view value) {
    Key(key);
    Quote(value);
}

void JsonWriter::Quote(std::string_view text) {
    m_text += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                m_text += "\\\"";
                break;
            case '\\':
                m_text += "\\\\";
                break;
            case '\n':
                m_text += "\\n";
                break;
            case '\r':
                m_text += "\\r";
                break;
            case '\t':
                m_text += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    m_text += escaped;
                } else {
                    m_text += c;
                }
        }
    }
    m_text += '"';
}

}  // namespace tavrin
