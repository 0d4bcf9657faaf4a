#include "core/text/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace korvanta {

namespace {

// printf takes a precision of at most a few hundred places in practice; beyond that the pattern
// is not one the program uses.
constexpr int kMaxPrecision = 60;
constexpr size_t kMaxDigits = 400;  // 1e308 in fixed notation with all its places

struct FixedPattern {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool zero = false;
    int width = 0;
    int precision = 6;
};

std::optional<FixedPattern> ParsePattern(std::string_view pattern)
{
    FixedPattern p;
    size_t i = 0;
    if (pattern.empty() || pattern[i++] != '%') {
        return std::nullopt;
    }
    for (; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '-') {
            p.left = true;
        } else if (c == '+') {
            p.plus = true;
        } else if (c == ' ') {
            p.space = true;
        } else if (c == '0') {
            p.zero = true;
        } else {
            break;
        }
    }
    for (; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && p.width < 1000; ++i) {
        p.width = p.width * 10 + (pattern[i] - '0');
    }
    if (i < pattern.size() && pattern[i] == '.') {
        ++i;
        p.precision = 0;
        for (; i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && p.precision <= kMaxPrecision; ++i) {
            p.precision = p.precision * 10 + (pattern[i] - '0');
        }
    }
    if (i + 1 != pattern.size() || pattern[i] != 'f' || p.precision > kMaxPrecision) {
        return std::nullopt;
    }
    return p;
}

}  // namespace

std::string FormatFixed(std::string_view pattern, double value)
{
    const std::optional<FixedPattern> p = ParsePattern(pattern);
    if (!p) {
        return {};
    }
    std::string digits;
    if (std::isnan(value)) {
        digits = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        digits = value < 0 ? "-inf" : "inf";
    } else {
        char buffer[kMaxDigits + kMaxPrecision];
        const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, p->precision);
        if (error != std::errc()) {
            return {};
        }
        digits.assign(buffer, end);
    }
    const bool negative = !digits.empty() && digits[0] == '-';
    std::string sign = negative ? "-" : (p->plus ? "+" : (p->space ? " " : ""));
    if (negative) {
        digits.erase(0, 1);
    }
    const size_t length = sign.size() + digits.size();
    const size_t width = static_cast<size_t>(p->width);
    if (length >= width) {
        return sign + digits;
    }
    const size_t padding = width - length;
    if (p->left) {
        return sign + digits + std::string(padding, ' ');
    }
    if (p->zero && std::isfinite(value)) {
        return sign + std::string(padding, '0') + digits;
    }
    return std::string(padding, ' ') + sign + digits;
}

std::optional<double> ParseDecimal(std::string_view text)
{
    // from_chars takes a minus but no plus, and no second sign after either.
    if (!text.empty() && text[0] == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
            return std::nullopt;
        }
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (text.empty() || error != std::errc() || next != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace korvanta
