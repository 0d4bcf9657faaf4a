#include "cli/CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/text/NumberText.h"

namespace korvanta::cli {

CommandLine::CommandLine(const std::vector<std::string>& args, const std::vector<std::string>& known,
                         const std::vector<std::string>& flags)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0 || arg.size() == 2) {
            positional_.push_back(arg);
            continue;
        }
        const std::string name = arg.substr(2);
        if (std::find(flags.begin(), flags.end(), name) != flags.end()) {
            options_[name].push_back("");
            continue;
        }
        if (std::find(known.begin(), known.end(), name) == known.end()) {
            throw UsageError("unknown option " + arg);
        }
        if (i + 1 >= args.size()) {
            throw UsageError("option " + arg + " needs a value");
        }
        // "--out --fast" forgot the file: the next option is never taken as the value.
        const std::string& next = args[i + 1];
        if (next.rfind("--", 0) == 0 && next.size() > 2) {
            const std::string nextName = next.substr(2);
            if (std::find(known.begin(), known.end(), nextName) != known.end() ||
                std::find(flags.begin(), flags.end(), nextName) != flags.end()) {
                throw UsageError("option " + arg + " needs a value, not the option " + next);
            }
        }
        options_[name].push_back(args[++i]);
    }
}

bool CommandLine::Has(const std::string& name) const
{
    return options_.count(name) != 0;
}

std::optional<std::string> CommandLine::Value(const std::string& name) const
{
    const auto it = options_.find(name);
    if (it == options_.end()) {
        return std::nullopt;
    }
    return it->second.back();
}

std::vector<std::string> CommandLine::Values(const std::string& name) const
{
    const auto it = options_.find(name);
    return it == options_.end() ? std::vector<std::string>{} : it->second;
}

double CommandLine::Number(const std::string& name, double fallback) const
{
    const auto value = Value(name);
    return value ? ParseNumber(*value, "--" + name) : fallback;
}

double CommandLine::Number(const std::string& name, double fallback, double min, double max) const
{
    const auto value = Value(name);
    return value ? ParseNumber(*value, "--" + name, min, max) : fallback;
}

long CommandLine::Integer(const std::string& name, long fallback, long min, long max) const
{
    const auto value = Value(name);
    return value ? ParseInteger(*value, "--" + name, min, max) : fallback;
}

double ParseNumber(const std::string& text, const std::string& what)
{
    const std::optional<double> value = ParseDecimal(text);
    if (!value) {
        throw UsageError(what + ": not a number: '" + text + "'");
    }
    return *value;
}

double ParseNumber(const std::string& text, const std::string& what, double min, double max)
{
    const double value = ParseNumber(text, what);
    if (value < min || value > max) {
        char limits[64];
        std::snprintf(limits, sizeof limits, "%g..%g", min, max);
        throw UsageError(what + ": " + text + " is outside " + limits);
    }
    return value;
}

long ParseInteger(const std::string& text, const std::string& what, long min, long max)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || errno == ERANGE) {
        throw UsageError(what + ": not a whole number: '" + text + "'");
    }
    if (value < min || value > max) {
        throw UsageError(what + ": " + text + " is outside " + std::to_string(min) + ".." + std::to_string(max));
    }
    return value;
}

std::pair<std::string, std::string> SplitPair(const std::string& text, const std::string& what)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        throw UsageError(what + ": expected A:B, got '" + text + "'");
    }
    return {text.substr(0, colon), text.substr(colon + 1)};
}

}  // namespace korvanta::cli
