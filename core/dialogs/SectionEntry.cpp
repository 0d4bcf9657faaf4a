#include "core/dialogs/SectionEntry.h"

#include <cmath>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/PipeValidation.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"
#include "core/text/NumberText.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

bool IsImperial(UnitSystem units)
{
    return units == UnitSystem::Imperial;
}

// An edit shows a float member as "%.6g" does, so 328.084 stays 328.084 and 100 stays 100.
std::string ValueText(float value)
{
    return FormatGeneral(value, 6);
}

}  // namespace

SectionEntry::SectionEntry(const CMaterialDatabase& materials, UnitSystem units, TimeUnit time)
    : materials_(materials), units_(units), time_(time)
{
}

void SectionEntry::SetSection(const PipeSection& section)
{
    material_ = section.materialIndex;
    length_ = section.length;
    diameter_ = section.diameter;
    velocity_ = section.velocity;
    valuesGiven_ = true;
}

std::vector<MaterialChoice> SectionEntry::MaterialChoices() const
{
    std::vector<MaterialChoice> choices;
    for (int i = 0; i < kMaxMaterials; ++i) {
        const Material* material = materials_.GetMaterial(i);
        std::string name = ReadFixedField(material->name);
        // Only materials that exist: the unused slots carry placeholder names ("Materiale 12").
        if (material->inUse == 1 && !name.empty())
            choices.push_back({i, std::move(name)});
    }
    return choices;
}

bool SectionEntry::IsChoice(int index) const
{
    for (const MaterialChoice& choice : MaterialChoices()) {
        if (choice.index == index)
            return true;
    }
    return false;
}

void SectionEntry::Open()
{
    if (!IsChoice(material_))
        material_ = 0;
    if (!valuesGiven_) {
        // Still in millimetres here: the proposal reads the stored diameter.
        float velocity = materials_.GetVelocityForDiameter(material_, diameter_);
        velocity_ = velocity >= 1.0f ? velocity : 1.0f;
    }
    length_ = static_cast<float>(LengthForDisplay(length_, units_));
    diameter_ = static_cast<float>(DiameterForDisplay(diameter_, units_));
    velocity_ = static_cast<float>(VelocityForDisplay(velocity_, units_, time_));
}

float SectionEntry::ProposedVelocity() const
{
    double diameterMm = diameter_;
    if (IsImperial(units_))
        diameterMm *= kInchesToMillimetres;
    double velocity = materials_.GetVelocityForDiameter(material_, static_cast<float>(diameterMm));
    if (!(velocity >= 1.0))
        velocity = 1.0;
    if (IsImperial(units_))
        velocity *= kMetresToFeet;
    if (time_ == TimeUnit::Milliseconds)
        velocity *= kPerSecondToPerMillisecond;
    return static_cast<float>(velocity);
}

void SectionEntry::ChooseMaterial(int index)
{
    material_ = index;
    velocity_ = ProposedVelocity();
}

void SectionEntry::DiameterLeft()
{
    velocity_ = ProposedVelocity();
}

void SectionEntry::SetValues(float length, float diameter, float velocity)
{
    length_ = length;
    diameter_ = diameter;
    velocity_ = velocity;
}

std::string SectionEntry::LengthText() const
{
    return ValueText(length_);
}

std::string SectionEntry::DiameterText() const
{
    return ValueText(diameter_);
}

std::string SectionEntry::VelocityText() const
{
    return ValueText(velocity_);
}

std::optional<float> SectionEntry::ReadTypedValue(std::string_view text, uint32_t& message)
{
    const std::optional<float> value = ParseWholeFloat(text);
    if (!value) {
        message = str::kEnterNumber;
        return std::nullopt;
    }
    if (!(*value >= 0.0f && *value <= kLargestTypedValue)) {
        message = str::kEnterNumberInRange;
        return std::nullopt;
    }
    message = str::kNoError;
    return value;
}

uint32_t SectionEntry::Check() const
{
    if (material_ < 0 || material_ >= materials_.MaterialCount())
        return str::kSelectedMaterialError;
    if (const uint32_t message = CheckLength(length_, units_); message != str::kNoError)
        return message;
    if (const uint32_t message = CheckDiameter(diameter_, units_); message != str::kNoError)
        return message;
    return CheckVelocity(velocity_, units_, time_);
}

PipeSection SectionEntry::Result() const
{
    PipeSection section;
    section.materialIndex = static_cast<int16_t>(material_);
    section.length = LengthToMetres(length_, units_);
    section.diameter = DiameterToMillimetres(diameter_, units_);
    section.velocity = VelocityToMetresPerSecond(velocity_, units_, time_);
    section.inUse = 1;
    return section;
}

void SectionEntry::Cancel()
{
    length_ = kDefaultLength;
    diameter_ = kDefaultDiameter;
}

}  // namespace korvanta
