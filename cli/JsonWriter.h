#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace korvanta::cli {

// Writes one flat JSON object; numbers with 9 significant digits.
class JsonWriter {
public:
    void Add(const std::string& key, double value);
    void Add(const std::string& key, long long value);
    void Add(const std::string& key, bool value);
    void Add(const std::string& key, const std::string& value);
    void AddNull(const std::string& key);
    void Add(const std::string& key, std::span<const int32_t> values);
    void AddRaw(const std::string& key, const std::string& json);
    std::string Finish() const { return "{" + body_ + "}"; }

    static std::string Number(double value);
    static std::string Quote(const std::string& text);

private:
    void Key(const std::string& key);
    std::string body_;
};

}  // namespace korvanta::cli
