#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

// The two line formats of the default data files.
enum class FdLineFormat {
    FilterPair,    // filters.fd, PresetFilters.fd: "%x, %f, %f" (index, low Hz, high Hz)
    VelocityPair,  // mlist.fd: %x "%f" "%f" (index, diameter mm, velocity m/s)
};

// One parsed line, before the slot rules.
struct FdLine {
    long long material = 0;  // as written; may lie outside 0..19
    float first = 0.0f;
    float second = 0.0f;
};

// One accepted line: material 0..19 and a slot below the material's slot count.
struct FdEntry {
    int material = 0;
    int slot = 0;
    float first = 0.0f;
    float second = 0.0f;
};

// Parses the text of an .fd file line by line. Lines starting with "//" are comments. Consecutive
// lines of one material fill slots 0, 1, ...; a line with another material index starts that
// material at slot 0 again. Comments, lines that do not parse (or hold an infinite or NaN
// number) and lines with an index outside 0..19 are skipped without touching that run; lines
// beyond a material's slots are dropped. LF, CRLF and CR line ends are all accepted.
class FdFileReader {
public:
    static constexpr int kMaterialCount = 20;

    FdFileReader(FdLineFormat format, int slotsPerMaterial);

    std::vector<FdEntry> Parse(std::string_view text) const;

    // One line scanned as the C library's sscanf would scan it with the format's pattern, but
    // independent of the locale's decimal separator. Trailing text after the third field is
    // ignored.
    static std::optional<FdLine> ParseLine(std::string_view line, FdLineFormat format);

    // The whole file, or nothing when it cannot be opened or read.
    static std::optional<std::string> ReadFile(const std::filesystem::path& path);

private:
    FdLineFormat format_;
    int slotsPerMaterial_;
};

}  // namespace korvanta
