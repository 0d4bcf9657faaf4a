#include "core/velocity/VelocityWizardChecks.h"

#include <cmath>

#include "core/correlation/CCorrelator.h"
#include "core/correlation/ResultAssessment.h"
#include "core/pipe/UnitConversion.h"
#include "core/result/ResultTexts.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

constexpr double kShortestDelay = 0.01;     // s
constexpr float kShortestLength = 0.1f;     // m
constexpr float kNarrowestDiameter = 1.0f;  // mm
constexpr float kMiddleBand = 10.0f;        // m either side of the middle

}  // namespace

std::optional<uint32_t> CheckWizardStart(float delaySeconds, int sectionCount)
{
    if (std::fabs(static_cast<double>(delaySeconds)) < kShortestDelay) {
        return str::kInvalidDelay;
    }
    if (sectionCount != 1) {
        return str::kOnlyOneSection;
    }
    return std::nullopt;
}

std::optional<std::string> CheckWizardPeak(const CCorrelator& engine)
{
    // Without a pipe the assessment knows no travel time and judges no place.
    const ResultVerdict verdict = ResultAssessment::AssessEngine(engine, PipeSections{});
    if (verdict.reliable) {
        return std::nullopt;
    }
    const std::string pattern = LoadString(str::kVelocityUnreliablePeak);
    const size_t at = pattern.find("%s");
    const std::string reasons = VerdictShortReasons(verdict.reasons);
    return at == std::string::npos ? pattern : pattern.substr(0, at) + reasons + pattern.substr(at + 2);
}

std::optional<uint32_t> CheckPipeLength(float typed, UnitSystem units)
{
    if (LengthToMetres(typed, units) < kShortestLength) {
        return units == UnitSystem::Imperial ? str::kInvalidLengthImperial : str::kInvalidLengthMetric;
    }
    return std::nullopt;
}

SourcePositionCheck CheckSourcePosition(int choice, float distanceMetres, float lengthMetres)
{
    SourcePositionCheck check;
    if (choice != 0 && choice != 1) {
        check.error = str::kLeakPositionNotChosen;
        return check;
    }
    if (choice == 1) {
        return check;
    }
    if (!(distanceMetres >= 0.0f) || distanceMetres > lengthMetres) {
        check.error = str::kDistanceNotValid;
        return check;
    }
    const float middle = lengthMetres / 2.0f;
    if (distanceMetres > middle - kMiddleBand && distanceMetres < middle + kMiddleBand) {
        check.note = str::kLeakNearMiddle;
    }
    return check;
}

WizardVelocity ComputeWizardVelocity(float lengthMetres, bool betweenSensors, float distanceMetres, float delaySeconds)
{
    WizardVelocity result;
    if (delaySeconds == 0.0f) {
        result.error = str::kInvalidDelay;
        return result;
    }
    const float travel = betweenSensors ? lengthMetres - 2.0f * distanceMetres : lengthMetres;
    const float velocity = std::fabs(travel / delaySeconds);
    if (!(velocity >= kLowestVelocity) || !std::isfinite(velocity)) {
        result.error = betweenSensors ? str::kLeakNearMiddle : str::kInvalidDelay;
        return result;
    }
    result.metresPerSecond = velocity;
    return result;
}

float VelocityInUserUnits(float metresPerSecond, UnitSystem units, TimeUnit time)
{
    float value = metresPerSecond;
    if (units == UnitSystem::Imperial) {
        value = static_cast<float>(value * kMetresToFeet);
    }
    if (time == TimeUnit::Milliseconds) {
        value = static_cast<float>(value * kPerSecondToPerMillisecond);
    }
    return value;
}

std::string WizardVelocityText(float userValue, TimeUnit time)
{
    return FormatNumber(time == TimeUnit::Milliseconds ? "%0.2f" : "%0.0f", userValue);
}

float VelocityFromUserUnits(float userValue, UnitSystem units, TimeUnit time)
{
    float value = userValue;
    if (units == UnitSystem::Imperial) {
        value *= 0.3048f;
    }
    if (time == TimeUnit::Milliseconds) {
        value = static_cast<float>(value * kPerMillisecondToPerSecond);
    }
    return value;
}

std::optional<uint32_t> CheckSaveChoice(float typedDiameter, UnitSystem units, int materialIndex)
{
    if (DiameterToMillimetres(typedDiameter, units) < kNarrowestDiameter) {
        return units == UnitSystem::Imperial ? str::kInvalidDiameterImperial : str::kInvalidDiameterMetric;
    }
    if (materialIndex < 0 || materialIndex >= kMaxMaterials) {
        return str::kSelectedMaterialError;
    }
    return std::nullopt;
}

std::vector<std::string> WizardMaterialNames(std::span<const Material, kMaxMaterials> materials)
{
    std::vector<std::string> names;
    for (const Material& material : materials) {
        if (material.inUse != 1) {
            break;
        }
        names.push_back(ReadFixedField(material.name));
    }
    return names;
}

int WizardSensorIcon(uint32_t pairCode)
{
    if (pairCode == 5 || pairCode == 12) {
        return 141;
    }
    return pairCode == 9 ? 153 : 140;
}

bool InsertVelocityPair(Material& material, float diameter, float velocity)
{
    int used = 0;
    while (used < kMaxVelocityEntries && material.diameters[used] > 0.0f) {
        ++used;
    }
    int at = 0;
    while (at < used && material.diameters[at] < diameter) {
        ++at;
    }
    if (at < used && material.diameters[at] == diameter) {
        material.velocities[at] = velocity;
        return true;
    }
    if (used == kMaxVelocityEntries) {
        return false;
    }
    for (int k = used; k > at; --k) {
        material.diameters[k] = material.diameters[k - 1];
        material.velocities[k] = material.velocities[k - 1];
    }
    material.diameters[at] = diameter;
    material.velocities[at] = velocity;
    return true;
}

}  // namespace korvanta
