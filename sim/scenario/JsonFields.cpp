#include "sim/scenario/JsonFields.h"

#include <cmath>
#include <sstream>

namespace korvanta::sim {

namespace {

std::string Range(double min, double max)
{
    std::ostringstream text;
    text << min << ".." << max;
    return text.str();
}

}  // namespace

std::string ElementPath(const std::string& path, size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

JsonFields::JsonFields(const nlohmann::json& object, std::string path, std::string& error)
    : object_(object), path_(std::move(path)), error_(error)
{
    if (Ok() && !object_.is_object()) {
        Fail("", "must be an object { ... }");
    }
}

std::string JsonFields::PathOf(const std::string& key) const
{
    if (key.empty()) {
        return path_.empty() ? "the scenario" : path_;
    }
    return path_.empty() ? key : path_ + "." + key;
}

void JsonFields::Fail(const std::string& key, const std::string& message)
{
    if (Ok()) {
        error_ = PathOf(key) + ": " + message;
    }
}

bool JsonFields::Has(const char* key) const
{
    return object_.is_object() && object_.contains(key);
}

const nlohmann::json* JsonFields::Find(const char* key)
{
    asked_.insert(key);
    if (!Ok() || !object_.is_object()) {
        return nullptr;
    }
    const auto found = object_.find(key);
    return found == object_.end() ? nullptr : &*found;
}

void JsonFields::Number(const char* key, double& value, double min, double max)
{
    std::optional<double> read;
    Number(key, read, min, max);
    if (read) {
        value = *read;
    }
}

void JsonFields::Number(const char* key, std::optional<double>& value, double min, double max)
{
    const nlohmann::json* field = Find(key);
    if (field == nullptr) {
        return;
    }
    const double number = field->is_number() ? field->get<double>() : NAN;
    if (!std::isfinite(number) || number < min || number > max) {
        Fail(key, "must be a number in " + Range(min, max));
        return;
    }
    value = number;
}

void JsonFields::Integer(const char* key, int64_t& value, int64_t min, int64_t max)
{
    const nlohmann::json* field = Find(key);
    if (field == nullptr) {
        return;
    }
    bool whole = false;
    int64_t number = 0;
    if (field->is_number_unsigned()) {
        const uint64_t u = field->get<uint64_t>();
        whole = u <= static_cast<uint64_t>(INT64_MAX);
        number = static_cast<int64_t>(u);
    } else if (field->is_number_integer()) {
        whole = true;
        number = field->get<int64_t>();
    } else if (field->is_number_float()) {
        // 200.0 is as whole as 200.
        const double d = field->get<double>();
        whole = std::isfinite(d) && d == std::floor(d) && std::abs(d) < 9.0e15;
        number = whole ? static_cast<int64_t>(d) : 0;
    }
    if (!whole || number < min || number > max) {
        Fail(key, "must be a whole number in " + std::to_string(min) + ".." + std::to_string(max));
        return;
    }
    value = number;
}

void JsonFields::Bool(const char* key, bool& value)
{
    const nlohmann::json* field = Find(key);
    if (field == nullptr) {
        return;
    }
    if (!field->is_boolean()) {
        Fail(key, "must be true or false");
        return;
    }
    value = field->get<bool>();
}

void JsonFields::String(const char* key, std::string& value)
{
    const nlohmann::json* field = Find(key);
    if (field == nullptr) {
        return;
    }
    if (!field->is_string()) {
        Fail(key, "must be a text in double quotes");
        return;
    }
    value = field->get<std::string>();
}

const nlohmann::json* JsonFields::Child(const char* key)
{
    return Find(key);
}

bool JsonFields::Finish()
{
    if (Ok() && object_.is_object()) {
        for (const auto& item : object_.items()) {
            if (!asked_.contains(item.key())) {
                Fail(item.key(), "is not a field known here");
                break;
            }
        }
    }
    return Ok();
}

}  // namespace korvanta::sim
