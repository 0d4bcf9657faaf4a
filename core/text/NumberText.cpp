#include "core/text/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

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
