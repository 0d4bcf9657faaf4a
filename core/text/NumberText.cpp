#include "core/text/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

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

namespace korvanta {

std::string FormatFixed(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, 64> small{};
    auto [end, error] =
        std::to_chars(small.data(), small.data() + small.size(), value, std::chars_format::fixed, decimals);
    if (error == std::errc{})
        return std::string(small.data(), end);
    // Values near the float range need more room than the small buffer ("%0.2f" of 1e38).
    std::vector<char> large(400 + static_cast<size_t>(decimals > 0 ? decimals : 0));
    auto [largeEnd, largeError] =
        std::to_chars(large.data(), large.data() + large.size(), value, std::chars_format::fixed, decimals);
    return largeError == std::errc{} ? std::string(large.data(), largeEnd) : std::string();
}

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The number at the start of `text` and how many characters it took; nullopt without one.
std::optional<float> ParseNumberPrefix(std::string_view text, size_t& consumed)
{
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    bool negative = false;
    if (start < text.size() && (text[start] == '+' || text[start] == '-')) {
        negative = text[start] == '-';
        ++start;
    }
    float value = 0.0f;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (end == first)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // "%f" saturates: a huge exponent reads as infinity, a tiny one as 0.
        const std::string_view number(first, static_cast<size_t>(end - first));
        const size_t exponent = number.find_first_of("eE");
        const bool tiny =
            exponent != std::string_view::npos && exponent + 1 < number.size() && number[exponent + 1] == '-';
        value = tiny ? 0.0f : HUGE_VALF;
    }
    consumed = static_cast<size_t>(end - text.data());
    return negative ? -value : value;
}

}  // namespace

std::string FormatGeneral(double value, int digits)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, 64> buffer{};
    auto [end, error] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, digits);
    return error == std::errc{} ? std::string(buffer.data(), end) : std::string();
}

std::optional<float> ParseLeadingFloat(std::string_view text)
{
    size_t consumed = 0;
    return ParseNumberPrefix(text, consumed);
}

std::optional<float> ParseWholeFloat(std::string_view text)
{
    size_t consumed = 0;
    const std::optional<float> value = ParseNumberPrefix(text, consumed);
    if (!value)
        return std::nullopt;
    for (size_t i = consumed; i < text.size(); ++i) {
        if (!IsBlank(text[i]))
            return std::nullopt;
    }
    return value;
}

}  // namespace korvanta
