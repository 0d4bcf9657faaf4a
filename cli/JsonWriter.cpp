#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvanta::cli {

void JsonWriter::Key(const std::string& key)
{
    if (!body_.empty()) {
        body_ += ", ";
    }
    body_ += Quote(key) + ": ";
}

std::string JsonWriter::Number(double value)
{
    if (!std::isfinite(value)) {
        return "null";
    }
    // As printf's "%.9g" in the C locale, whatever locale the process runs under.
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 9);
    return std::string(text, result.ptr);
}

std::string JsonWriter::Quote(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::Add(const std::string& key, double value)
{
    Key(key);
    body_ += Number(value);
}

void JsonWriter::Add(const std::string& key, long long value)
{
    Key(key);
    body_ += std::to_string(value);
}

void JsonWriter::Add(const std::string& key, bool value)
{
    Key(key);
    body_ += value ? "true" : "false";
}

void JsonWriter::Add(const std::string& key, const std::string& value)
{
    Key(key);
    body_ += Quote(value);
}

void JsonWriter::AddNull(const std::string& key)
{
    Key(key);
    body_ += "null";
}

void JsonWriter::Add(const std::string& key, std::span<const int32_t> values)
{
    Key(key);
    body_ += "[";
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            body_ += ", ";
        body_ += std::to_string(values[i]);
    }
    body_ += "]";
}

void JsonWriter::AddRaw(const std::string& key, const std::string& json)
{
    Key(key);
    body_ += json;
}

}  // namespace korvanta::cli
