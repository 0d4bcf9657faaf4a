#include "core/pipe/PipeValidation.h"

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

uint32_t Verdict(float stored, double limit, UnitSystem units, uint32_t metricId, uint32_t imperialId)
{
    // Written as "not below" so that NaN fails too.
    if (static_cast<double>(stored) >= limit)
        return str::kNoError;
    return units == UnitSystem::Imperial ? imperialId : metricId;
}

}  // namespace

uint32_t CheckDiameter(float typed, UnitSystem units)
{
    return Verdict(DiameterToMillimetres(typed, units), kMinimumDiameterMm, units, str::kInvalidDiameterMetric,
                   str::kInvalidDiameterImperial);
}

uint32_t CheckVelocity(float typed, UnitSystem units, TimeUnit time)
{
    return Verdict(VelocityToMetresPerSecond(typed, units, time), kMinimumVelocityMps, units,
                   str::kInvalidVelocityMetric, str::kInvalidVelocityImperial);
}

uint32_t CheckLength(float typed, UnitSystem units)
{
    return Verdict(LengthToMetres(typed, units), kMinimumLengthM, units, str::kInvalidLengthMetric,
                   str::kInvalidLengthImperial);
}

}  // namespace korvanta
