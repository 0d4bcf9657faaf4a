#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pipe/Material.h"
#include "core/pipe/PipeSection.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

class CMaterialDatabase;

// One entry of the material drop-down: the database index and its name.
struct MaterialChoice {
    int index = 0;
    std::string name;
};

// The values of the section dialog ("Indtast rørstykke") while it is open, in the user's
// units, with the velocity proposed from the material database and the checks of OK.
class SectionEntry {
public:
    static constexpr int16_t kDefaultMaterial = 4;
    static constexpr float kDefaultLength = 100.0f;
    static constexpr float kDefaultDiameter = 100.0f;
    static constexpr float kDefaultVelocity = 1.0f;
    static constexpr float kLargestTypedValue = 100000.0f;

    SectionEntry(const CMaterialDatabase& materials, UnitSystem units, TimeUnit time);

    // For editing: the section's values in stored units; the velocity is then not proposed.
    void SetSection(const PipeSection& section);
    // Prepares the values for showing: the material (index 0 when the wanted one is not among
    // the choices), the proposed velocity for a new section, and the conversion to display units.
    void Open();

    // Names in index order, entries without a name left out.
    std::vector<MaterialChoice> MaterialChoices() const;
    int MaterialIndex() const { return material_; }
    // A material chosen in the drop-down: the velocity is proposed again for it.
    void ChooseMaterial(int index);
    // The material alone, for a choice made while a typed value is not readable.
    void SetMaterial(int index) { material_ = index; }
    // The diameter edit lost the focus after the three values were read: propose a velocity.
    void DiameterLeft();

    // Display values and their unit texts.
    float Length() const { return length_; }
    float Diameter() const { return diameter_; }
    float Velocity() const { return velocity_; }
    void SetValues(float length, float diameter, float velocity);
    std::string LengthText() const;
    std::string DiameterText() const;
    std::string VelocityText() const;

    // Reads one typed value: a number between 0 and 100000 and nothing else. On failure the
    // message to show (number wanted, or number out of range) is handed back in `message`.
    static std::optional<float> ReadTypedValue(std::string_view text, uint32_t& message);

    // The checks of OK in their order (material, length, diameter, velocity): kNoError or the
    // message of the first that fails.
    uint32_t Check() const;
    // The section in stored units (metres, millimetres, metres per second), in use.
    PipeSection Result() const;
    // Cancel: length and diameter back to their defaults.
    void Cancel();

private:
    float ProposedVelocity() const;
    bool IsChoice(int index) const;

    const CMaterialDatabase& materials_;
    UnitSystem units_;
    TimeUnit time_;
    int material_ = kDefaultMaterial;
    float length_ = kDefaultLength;
    float diameter_ = kDefaultDiameter;
    float velocity_ = kDefaultVelocity;
    bool valuesGiven_ = false;
};

}  // namespace korvanta
