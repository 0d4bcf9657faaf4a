#include "core/result/ResultTexts.h"

#include <cstdio>

#include "core/pipe/Pipe.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

std::string BlockCountText(uint32_t pairs)
{
    char text[24];
    std::snprintf(text, sizeof text, "%d:1", static_cast<int>(pairs));
    return text;
}

std::string MaterialText(const PipeSections& pipe, const CMaterialDatabase& materials)
{
    if (GetSectionCount(pipe) == 0) {
        return {};
    }
    if (HasMixedMaterials(pipe)) {
        return LoadString(str::kMixedMaterials);
    }
    const int material = GetSectionMaterial(pipe, 0);
    if (material < 0 || material >= kMaxMaterials) {
        return {};
    }
    return materials.MaterialName(material);
}

std::string ElapsedTimeText(int64_t seconds)
{
    if (seconds < 0) {
        seconds = 0;
    }
    const int hours = static_cast<int>((seconds / 3600) % 24);
    const int minutes = static_cast<int>((seconds / 60) % 60);
    const int secs = static_cast<int>(seconds % 60);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, secs);
    return text;
}

namespace {

std::string WithDecimalComma(std::string text)
{
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

const char* LengthUnit(UnitSystem units)
{
    return units == UnitSystem::Imperial ? "ft" : "m";
}

}  // namespace

std::string DistanceText(float metres, UnitSystem units)
{
    return WithDecimalComma(FormatFixed(LengthForDisplay(metres, units), 1)) + " " + LengthUnit(units);
}

std::string IntervalText(float position, float halfWidth, UnitSystem units)
{
    return DistanceText(position, units) + " \u00b1 " + DistanceText(halfWidth, units);
}

std::string VerdictReasonText(ResultDoubt doubt, const std::vector<float>& rivalPlaces, UnitSystem units)
{
    switch (doubt) {
    case ResultDoubt::Weak:
        return LoadString(str::kVerdictWeak);
    case ResultDoubt::Outside:
        return LoadString(str::kVerdictOutside);
    case ResultDoubt::ZeroDelay:
        return LoadString(str::kVerdictZeroDelay);
    case ResultDoubt::Ambiguous:
        break;
    }
    std::string places;
    for (float place : rivalPlaces) {
        places += (places.empty() ? "" : ", ") + DistanceText(place, units);
    }
    if (places.empty()) {
        places = LoadString(str::kVerdictUnknownPlace);
    }
    const std::string pattern = LoadString(str::kVerdictAmbiguous);
    const size_t at = pattern.find("%s");
    return at == std::string::npos ? pattern : pattern.substr(0, at) + places + pattern.substr(at + 2);
}

std::string VerdictHeadline(bool reliable)
{
    return LoadString(reliable ? str::kVerdictReliable : str::kVerdictUnreliable);
}


std::string VerdictShortReasons(const std::vector<ResultDoubt>& reasons)
{
    std::string text;
    for (ResultDoubt doubt : reasons) {
        uint32_t id = str::kVerdictShortWeak;
        switch (doubt) {
        case ResultDoubt::Weak:
            id = str::kVerdictShortWeak;
            break;
        case ResultDoubt::Ambiguous:
            id = str::kVerdictShortAmbiguous;
            break;
        case ResultDoubt::Outside:
            id = str::kVerdictShortOutside;
            break;
        case ResultDoubt::ZeroDelay:
            id = str::kVerdictShortZeroDelay;
            break;
        }
        text += text.empty() ? "" : ", ";
        text += LoadString(id);
    }
    return text;
}

std::string VerdictLine(const ResultVerdict& verdict, const std::optional<PositionInterval>& interval,
                        UnitSystem units)
{
    std::string line = VerdictHeadline(verdict.reliable);
    if (verdict.reliable) {
        if (interval) {
            line += ": " + IntervalText(interval->fromStart, interval->HalfWidth(), units);
        }
        return line;
    }
    const std::string reasons = VerdictShortReasons(verdict.reasons);
    return reasons.empty() ? line : line + ": " + reasons;
}

}  // namespace korvanta
