#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

namespace korvanta::sim {

// Reads the fields of one JSON object with their types and ranges checked, and names the first
// fault by its place in the document ("pipe[1].wallMm: ..."). A field that is absent leaves its
// value as it was; a field nobody asked for is a fault at Finish, so that a misspelt name is not
// silently ignored. Every reader after the first fault does nothing.
class JsonFields {
public:
    // `error` collects the first fault; it is shared by the readers of one document.
    JsonFields(const nlohmann::json& object, std::string path, std::string& error);

    bool Ok() const { return error_.empty(); }
    bool Has(const char* key) const;
    std::string PathOf(const std::string& key) const;

    void Number(const char* key, double& value, double min, double max);
    void Number(const char* key, std::optional<double>& value, double min, double max);
    void Integer(const char* key, int64_t& value, int64_t min, int64_t max);
    void Bool(const char* key, bool& value);
    void String(const char* key, std::string& value);
    // The field itself, for the caller to read further; null when absent or after a fault.
    const nlohmann::json* Child(const char* key);

    // Records a fault at `key` (the object itself when empty).
    void Fail(const std::string& key, const std::string& message);
    // Faults any field that was never asked for. Returns Ok().
    bool Finish();

private:
    const nlohmann::json* Find(const char* key);

    const nlohmann::json& object_;
    std::string path_;
    std::string& error_;
    std::set<std::string> asked_;
};

// The place of an array element, for messages: "pipe[2]".
std::string ElementPath(const std::string& path, size_t index);

}  // namespace korvanta::sim
