#include "core/pipe/FdFileReader.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <system_error>

namespace korvanta {

namespace {

// Walks one line the way scanf directives do.
class LineScanner {
public:
    explicit LineScanner(std::string_view text) : text_(text) {}

    void SkipSpace()
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
    }

    bool Literal(char c)
    {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // %x: optional sign, optional 0x prefix, at least one hex digit.
    bool Hex(long long& value)
    {
        SkipSpace();
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
            negative = text_[pos_] == '-';
            ++pos_;
        }
        if (pos_ + 2 < text_.size() && text_[pos_] == '0' && (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X') &&
            HexDigit(text_[pos_ + 2]) >= 0) {
            pos_ += 2;
        }
        long long result = 0;
        size_t digits = 0;
        for (; pos_ < text_.size(); ++pos_, ++digits) {
            const int digit = HexDigit(text_[pos_]);
            if (digit < 0)
                break;
            // Saturate: anything this large is out of range anyway.
            if (result < (1LL << 40))
                result = result * 16 + digit;
        }
        if (digits == 0)
            return false;
        value = negative ? -result : result;
        return true;
    }

    // %f: optional sign, then a decimal number; infinities and NaN are refused.
    bool Float(float& value)
    {
        SkipSpace();
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) {
            negative = text_[pos_] == '-';
            ++pos_;
        }
        // from_chars takes no sign of its own; a second sign is not a number.
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
            return false;
        float result = 0.0f;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const auto [next, error] = std::from_chars(begin, end, result, std::chars_format::general);
        if (error != std::errc() || !std::isfinite(result))
            return false;
        pos_ += static_cast<size_t>(next - begin);
        value = negative ? -result : result;
        return true;
    }

private:
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

    static int HexDigit(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

bool IsComment(std::string_view line)
{
    return line.substr(0, 2) == "//";
}

}  // namespace

FdFileReader::FdFileReader(FdLineFormat format, int slotsPerMaterial)
    : format_(format), slotsPerMaterial_(slotsPerMaterial < 0 ? 0 : slotsPerMaterial)
{
}

std::optional<FdLine> FdFileReader::ParseLine(std::string_view line, FdLineFormat format)
{
    LineScanner scan(line);
    FdLine parsed;
    if (!scan.Hex(parsed.material))
        return std::nullopt;
    if (format == FdLineFormat::FilterPair) {
        // "%x, %f, %f": each comma directly after its number, spaces allowed after it.
        if (!scan.Literal(',') || !scan.Float(parsed.first))
            return std::nullopt;
        if (!scan.Literal(',') || !scan.Float(parsed.second))
            return std::nullopt;
    } else {
        // %x "%f" "%f": spaces allowed before each opening quote, none before a closing one.
        scan.SkipSpace();
        if (!scan.Literal('"') || !scan.Float(parsed.first) || !scan.Literal('"'))
            return std::nullopt;
        scan.SkipSpace();
        if (!scan.Literal('"') || !scan.Float(parsed.second))
            return std::nullopt;
    }
    return parsed;
}

std::vector<FdEntry> FdFileReader::Parse(std::string_view text) const
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        text.remove_prefix(kByteOrderMark.size());

    std::vector<FdEntry> entries;
    long long runMaterial = -1;
    int nextSlot = 0;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (IsComment(line))
            continue;
        const std::optional<FdLine> parsed = ParseLine(line, format_);
        if (!parsed || parsed->material < 0 || parsed->material >= kMaterialCount)
            continue;
        if (parsed->material != runMaterial) {
            runMaterial = parsed->material;
            nextSlot = 0;
        }
        if (nextSlot >= slotsPerMaterial_)
            continue;
        entries.push_back(FdEntry{static_cast<int>(parsed->material), nextSlot, parsed->first, parsed->second});
        ++nextSlot;
    }
    return entries;
}

std::optional<std::string> FdFileReader::ReadFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return std::nullopt;
    std::string content{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad())
        return std::nullopt;
    return content;
}

}  // namespace korvanta
