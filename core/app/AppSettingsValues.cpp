#include "core/app/AppSettingsValues.h"

#include "core/document/KvdFile.h"

namespace korvanta {

namespace {

int UnitOrDefault(const std::optional<long long>& value)
{
    return value && (*value == 0 || *value == 1) ? static_cast<int>(*value) : 0;
}

}  // namespace

AppSettingsValues SanitizeAppSettings(const RawAppSettings& raw)
{
    AppSettingsValues values;
    values.lengthUnit = UnitOrDefault(raw.lengthUnit);
    values.timeUnit = UnitOrDefault(raw.timeUnit);
    if (raw.sensors && *raw.sensors >= 0 && *raw.sensors <= 15 &&
        IsValidPairCode(static_cast<uint32_t>(*raw.sensors))) {
        values.sensors = static_cast<int>(*raw.sensors);
    }
    if (raw.comPort && !raw.comPort->empty() && raw.comPort->size() <= AppSettingsValues::kMaxComPortLength &&
        raw.comPort->find('\0') == std::string::npos) {
        values.comPort = *raw.comPort;
    }
    return values;
}

}  // namespace korvanta
