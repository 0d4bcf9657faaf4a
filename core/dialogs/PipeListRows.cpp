#include "core/dialogs/PipeListRows.h"

#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"
#include "core/text/NumberText.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

std::string Label(uint32_t id)
{
    const char* text = LoadString(id);
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

UnitTexts UnitTextsFor(UnitSystem units, TimeUnit time)
{
    return {Label(LengthUnitLabel(units)), Label(DiameterUnitLabel(units)), Label(VelocityUnitLabel(units, time))};
}

std::string MaterialNameOrEmpty(const Material* materials, int index)
{
    if (materials == nullptr || index < 0 || index >= kMaxMaterials)
        return {};
    return ReadFixedField(materials[index].name);
}

std::vector<PipeRowTexts> PipeListRows(const PipeSections& pipe, const Material* materials, UnitSystem units,
                                       TimeUnit time)
{
    const bool imperial = units == UnitSystem::Imperial;
    const bool perMillisecond = time == TimeUnit::Milliseconds;
    const UnitTexts labels = UnitTextsFor(units, time);
    std::vector<PipeRowTexts> rows;
    for (const PipeSection& section : pipe) {
        if (section.inUse != 1)
            break;
        PipeRowTexts row;
        row.image = section.materialIndex;
        row.material = MaterialNameOrEmpty(materials, section.materialIndex);
        row.length = FormatFixed(LengthForDisplay(section.length, units), imperial ? 1 : 2);
        row.lengthUnit = labels.length;
        row.diameter = FormatFixed(DiameterForDisplay(section.diameter, units), imperial ? 1 : 0);
        row.diameterUnit = labels.diameter;
        row.velocity = FormatFixed(VelocityForDisplay(section.velocity, units, time), perMillisecond ? 2 : 0);
        row.velocityUnit = labels.velocity;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace korvanta
