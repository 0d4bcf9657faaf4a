#include "core/pipe/UnitConversion.h"

#include <cstdio>
#include <vector>

#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

bool IsImperial(UnitSystem units)
{
    return units == UnitSystem::Imperial;
}
bool IsPerMillisecond(TimeUnit time)
{
    return time == TimeUnit::Milliseconds;
}

// The label text of a unit; the ASCII fallback keeps distances readable if the table lacks it.
std::string LabelText(uint32_t id, const char* fallback)
{
    const char* text = LoadString(id);
    return text != nullptr ? std::string(text) : std::string(fallback);
}

}  // namespace

float LengthToMetres(float typed, UnitSystem units)
{
    double value = typed;
    if (IsImperial(units))
        value *= kFeetToMetres;
    return static_cast<float>(value);
}

float DiameterToMillimetres(float typed, UnitSystem units)
{
    double value = typed;
    if (IsImperial(units))
        value *= kInchesToMillimetres;
    return static_cast<float>(value);
}

float VelocityToMetresPerSecond(float typed, UnitSystem units, TimeUnit time)
{
    double value = typed;
    if (IsImperial(units))
        value *= kFeetToMetres;
    if (IsPerMillisecond(time))
        value *= kPerMillisecondToPerSecond;
    return static_cast<float>(value);
}

double LengthForDisplay(float metres, UnitSystem units)
{
    double value = metres;
    return IsImperial(units) ? value * kMetresToFeet : value;
}

double DiameterForDisplay(float millimetres, UnitSystem units)
{
    double value = millimetres;
    return IsImperial(units) ? value * kMillimetresToInches : value;
}

double VelocityForDisplay(float metresPerSecond, UnitSystem units, TimeUnit time)
{
    double value = metresPerSecond;
    if (IsImperial(units))
        value *= kMetresToFeet;
    if (IsPerMillisecond(time))
        value *= kPerSecondToPerMillisecond;
    return value;
}

double DelayForDisplay(float seconds, TimeUnit time)
{
    double value = seconds;
    return IsPerMillisecond(time) ? value * kSecondsToMilliseconds : value;
}

uint32_t LengthUnitLabel(UnitSystem units)
{
    return IsImperial(units) ? str::kUnitFoot : str::kUnitMetre;
}

uint32_t DiameterUnitLabel(UnitSystem units)
{
    return IsImperial(units) ? str::kUnitInch : str::kUnitMillimetre;
}

uint32_t VelocityUnitLabel(UnitSystem units, TimeUnit time)
{
    if (IsImperial(units)) {
        return IsPerMillisecond(time) ? str::kUnitFootPerMillisecond : str::kUnitFootPerSecond;
    }
    return IsPerMillisecond(time) ? str::kUnitMetrePerMillisecond : str::kUnitMetrePerSecond;
}

uint32_t TimeUnitLabel(TimeUnit time)
{
    return IsPerMillisecond(time) ? str::kUnitMillisecond : str::kUnitSecond;
}

std::string FormatNumber(const char* format, double value)
{
    // One "%...f" conversion with literal text around it ("%.2f  Hz"); "%%" is a percent sign.
    const std::string_view pattern(format);
    std::string text;
    size_t i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != '%') {
            text += pattern[i++];
        } else if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            text += '%';
            i += 2;
        } else {
            const size_t end = pattern.find('f', i);
            if (end == std::string_view::npos) {
                return {};
            }
            text += FormatFixed(pattern.substr(i, end - i + 1), value);
            i = end + 1;
        }
    }
    return text;
}

std::string FormatSectionLength(float metres, UnitSystem units)
{
    return FormatNumber(IsImperial(units) ? "%0.1f" : "%0.2f", LengthForDisplay(metres, units));
}

std::string FormatSectionDiameter(float millimetres, UnitSystem units)
{
    return FormatNumber(IsImperial(units) ? "%0.1f" : "%0.0f", DiameterForDisplay(millimetres, units));
}

std::string FormatVelocity(float metresPerSecond, UnitSystem units, TimeUnit time)
{
    return FormatNumber(IsPerMillisecond(time) ? "%0.2f" : "%0.0f", VelocityForDisplay(metresPerSecond, units, time));
}

std::string FormatLeakDistance(float metres, UnitSystem units)
{
    std::string text = FormatNumber("%.1f", LengthForDisplay(metres, units));
    text += ' ';
    text += IsImperial(units) ? LabelText(str::kUnitFoot, "ft") : LabelText(str::kUnitMetre, "m");
    return text;
}

std::string FormatDelay(float seconds, TimeUnit time)
{
    return FormatNumber(IsPerMillisecond(time) ? "%0.1f" : "%0.4f", DelayForDisplay(seconds, time));
}

}  // namespace korvanta
