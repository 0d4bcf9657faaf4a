#include "core/text/Cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace korvanta {
namespace {

// Code points of the bytes 0x80..0x9F. The undefined bytes keep their own value (C1 control).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

constexpr char kReplacement = '?';

char EncodeCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return kReplacement;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every Windows-1252 character lies in the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

struct Decoded {
    char32_t codePoint;
    std::size_t length;  // bytes consumed; on failure the ill-formed prefix (at least 1)
    bool valid;
};

// Decodes one UTF-8 sequence at s[pos]. The allowed range of the second byte depends on the lead
// byte, which rules out overlong forms, surrogates and code points above U+10FFFF.
Decoded DecodeAt(std::string_view s, std::size_t pos)
{
    const auto lead = static_cast<uint8_t>(s[pos]);
    if (lead < 0x80)
        return {lead, 1, true};

    std::size_t extra = 0;
    uint8_t lo = 0x80;
    uint8_t hi = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0;
        if (lead == 0xED)
            hi = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        if (lead == 0xF4)
            hi = 0x8F;
    } else {
        return {0, 1, false};
    }

    for (std::size_t k = 1; k <= extra; ++k) {
        if (pos + k >= s.size())
            return {0, k, false};
        const auto b = static_cast<uint8_t>(s[pos + k]);
        if (b < lo || b > hi)
            return {0, k, false};
        cp = (cp << 6) | (b & 0x3F);
        lo = 0x80;
        hi = 0xBF;
    }
    return {cp, extra + 1, true};
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Decoded d = DecodeAt(utf8, pos);
        out.push_back(d.valid ? EncodeCodePoint(d.codePoint) : kReplacement);
        pos += d.length;
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view cp1252)
{
    std::string out;
    out.reserve(cp1252.size() * 2);
    for (const char c : cp1252) {
        const auto b = static_cast<uint8_t>(c);
        const char32_t cp = (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : char32_t{b};
        AppendUtf8(out, cp);
    }
    return out;
}

void CopyToFixedField(std::string_view utf8, std::span<char> field)
{
    if (field.empty())
        return;
    const std::string bytes = Utf8ToCp1252(utf8);
    // Single-byte text: cutting at any byte never splits a character.
    const std::size_t n = std::min(bytes.size(), field.size() - 1);
    std::copy_n(bytes.begin(), n, field.begin());
    std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), '\0');
}

std::string ReadFixedField(std::span<const char> field)
{
    const auto end = std::find(field.begin(), field.end(), '\0');
    const auto length = static_cast<std::size_t>(end - field.begin());
    return Cp1252ToUtf8(std::string_view(field.data(), length));
}

namespace {

// Small letter of a Windows-1252 capital; every other byte stays.
unsigned char FoldCase(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)  // À..Þ without the multiplication sign
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0x8A:
        return 0x9A;  // Š
    case 0x8C:
        return 0x9C;  // Œ
    case 0x8E:
        return 0x9E;  // Ž
    case 0x9F:
        return 0xFF;  // Ÿ
    default:
        return c;
    }
}

}  // namespace

bool EqualIgnoringCase(std::string_view cp1252a, std::string_view cp1252b)
{
    if (cp1252a.size() != cp1252b.size())
        return false;
    for (size_t i = 0; i < cp1252a.size(); ++i) {
        if (FoldCase(static_cast<unsigned char>(cp1252a[i])) != FoldCase(static_cast<unsigned char>(cp1252b[i])))
            return false;
    }
    return true;
}

}  // namespace korvanta
