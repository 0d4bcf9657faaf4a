#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvanta::cli {

// A bad option or value: the message goes to stderr and the tool exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options of one sub-command: "--name value" pairs (repeatable) and positional arguments.
class CommandLine {
public:
    // `flags` are options without a value; every other "--name" takes the next argument.
    CommandLine(const std::vector<std::string>& args, const std::vector<std::string>& known,
                const std::vector<std::string>& flags = {});

    bool Has(const std::string& name) const;
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return positional_; }

    double Number(const std::string& name, double fallback) const;
    // A number that must lie in min..max (limits included).
    double Number(const std::string& name, double fallback, double min, double max) const;
    long Integer(const std::string& name, long fallback, long min, long max) const;

private:
    std::map<std::string, std::vector<std::string>> options_;
    std::vector<std::string> positional_;
};

double ParseNumber(const std::string& text, const std::string& what);
// Refuses, naming the allowed range, a number outside min..max.
double ParseNumber(const std::string& text, const std::string& what, double min, double max);
long ParseInteger(const std::string& text, const std::string& what, long min, long max);
// "A:B" into two parts; throws UsageError naming `what` when the colon is missing.
std::pair<std::string, std::string> SplitPair(const std::string& text, const std::string& what);

}  // namespace korvanta::cli
