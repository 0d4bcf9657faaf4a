#include "core/dialogs/MaterialTableEditor.h"

#include <algorithm>
#include <cstring>

#include "core/pipe/PipeValidation.h"
#include "core/pipe/UnitConversion.h"
#include "core/text/Cp1252.h"
#include "core/text/NumberText.h"

namespace korvanta {

namespace {

constexpr float kSmallestDiameter = 1.0f;

std::string NameOf(const Material& material)
{
    return std::string(material.name, strnlen(material.name, sizeof material.name));
}

// The typed name as stored: Windows-1252, at most 50 characters.
std::string StoredName(std::string_view utf8Name)
{
    std::string name = Utf8ToCp1252(utf8Name);
    if (name.size() > MaterialTableEditor::kNameLimit)
        name.resize(MaterialTableEditor::kNameLimit);
    return name;
}

void WriteName(Material& material, const std::string& cp1252Name)
{
    std::memset(material.name, 0, MaterialTableEditor::kNameLimit);
    std::memcpy(material.name, cp1252Name.data(), std::min(cp1252Name.size(), MaterialTableEditor::kNameLimit));
}

int EntryCountOf(const Material& material)
{
    int n = 0;
    while (n < kMaxVelocityEntries && material.diameters[n] >= kSmallestDiameter) {
        ++n;
    }
    return n;
}

}  // namespace

MaterialTableEditor::MaterialTableEditor(std::span<const Material, kMaxMaterials> materials,
                                         const PipeSections& openPipe)
    : openPipe_(openPipe)
{
    std::copy(materials.begin(), materials.end(), materials_.begin());
    for (int i = 0; i < kMaxMaterials; ++i) {
        indexMap_[static_cast<size_t>(i)] = i;
    }
    if (MaterialCount() > 0)
        selectedMaterial_ = 0;
}

int MaterialTableEditor::MaterialCount() const
{
    int n = 0;
    while (n < kMaxMaterials && materials_[static_cast<size_t>(n)].inUse == 1) {
        ++n;
    }
    return n;
}

std::vector<std::string> MaterialTableEditor::MaterialNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < MaterialCount(); ++i) {
        names.push_back(Cp1252ToUtf8(NameOf(materials_[static_cast<size_t>(i)])));
    }
    return names;
}

void MaterialTableEditor::SelectMaterial(int index)
{
    selectedMaterial_ = index;
    selectedEntry_ = -1;
}

bool MaterialTableEditor::HasSelectedMaterial() const
{
    return selectedMaterial_ >= 0 && selectedMaterial_ < MaterialCount();
}

int MaterialTableEditor::EntryCount() const
{
    return HasSelectedMaterial() ? EntryCountOf(materials_[static_cast<size_t>(selectedMaterial_)]) : 0;
}

MaterialButtonStates MaterialTableEditor::Buttons() const
{
    MaterialButtonStates states;
    states.addMaterial = MaterialCount() < kMaxMaterials;
    const bool editable = HasSelectedMaterial() && selectedMaterial_ > kLastProtectedMaterial;
    states.removeMaterial = editable;
    states.renameMaterial = editable;
    const int entries = EntryCount();
    states.addEntry = HasSelectedMaterial() && entries < kMaxVelocityEntries;
    states.removeEntry = entries >= 1;
    states.changeEntry = entries >= 1;
    return states;
}

uint32_t MaterialTableEditor::CheckNameTyped(std::string_view utf8Name)
{
    return utf8Name.empty() ? str::kMaterialNameMissing : str::kNoError;
}

MaterialTableEditor::TypedEntryCheck MaterialTableEditor::CheckTypedEntry(float diameter, float velocity,
                                                                          UnitSystem units, TimeUnit time)
{
    if (const uint32_t message = CheckDiameter(diameter, units); message != str::kNoError)
        return {message, 0};
    return {CheckVelocity(velocity, units, time), 1};
}

bool MaterialTableEditor::NameTakenByOther(const std::string& cp1252Name, int except) const
{
    for (int i = 0; i < MaterialCount(); ++i) {
        if (i != except && EqualIgnoringCase(NameOf(materials_[static_cast<size_t>(i)]), cp1252Name))
            return true;
    }
    return false;
}

bool MaterialTableEditor::UsedByOpenPipe(int index) const
{
    for (const PipeSection& section : openPipe_) {
        if (section.inUse != 1)
            break;
        const int original = section.materialIndex;
        if (original >= 0 && original < kMaxMaterials && indexMap_[static_cast<size_t>(original)] == index)
            return true;
    }
    return false;
}

EditOutcome MaterialTableEditor::AddMaterial(std::string_view utf8Name)
{
    if (const uint32_t message = CheckNameTyped(utf8Name); message != str::kNoError)
        return EditOutcome::Refused(message);
    const std::string name = StoredName(utf8Name);
    if (NameTakenByOther(name, -1))
        return EditOutcome::Refused(str::kMaterialNameExists);
    const int index = MaterialCount();
    if (index >= kMaxMaterials)
        return EditOutcome::Refused(str::kMaterialLimitReached);
    Material& material = materials_[static_cast<size_t>(index)];
    material = Material{};
    WriteName(material, name);
    material.inUse = 1;
    material.diameters[0] = kNewMaterialDiameter;
    material.velocities[0] = kNewMaterialVelocity;
    SelectMaterial(index);
    return EditOutcome::Done();
}

EditOutcome MaterialTableEditor::RemoveSelectedMaterial()
{
    if (!HasSelectedMaterial())
        return EditOutcome::Refused(str::kSelectedMaterialError);
    if (MaterialCount() == 1)
        return EditOutcome::Refused(str::kCannotDeleteLastMaterial);
    if (selectedMaterial_ <= kLastProtectedMaterial)
        return EditOutcome::Ignored();
    if (UsedByOpenPipe(selectedMaterial_))
        return EditOutcome::Refused(str::kMaterialUsedByPipe);
    const int removed = selectedMaterial_;
    for (int i = removed; i + 1 < kMaxMaterials; ++i) {
        materials_[static_cast<size_t>(i)] = materials_[static_cast<size_t>(i + 1)];
    }
    materials_[kMaxMaterials - 1] = Material{};
    for (int& now : indexMap_) {
        if (now == removed)
            now = -1;
        else if (now > removed)
            --now;
    }
    SelectMaterial(removed > 0 ? removed - 1 : 0);
    return EditOutcome::Done();
}

EditOutcome MaterialTableEditor::RenameSelectedMaterial(std::string_view utf8Name)
{
    if (!HasSelectedMaterial())
        return EditOutcome::Refused(str::kSelectedMaterialError);
    if (selectedMaterial_ <= kLastProtectedMaterial)
        return EditOutcome::Ignored();
    if (const uint32_t message = CheckNameTyped(utf8Name); message != str::kNoError)
        return EditOutcome::Refused(message);
    Material& material = materials_[static_cast<size_t>(selectedMaterial_)];
    const std::string name = StoredName(utf8Name);
    if (name == NameOf(material))
        return EditOutcome::Ignored();
    if (NameTakenByOther(name, selectedMaterial_))
        return EditOutcome::Refused(str::kMaterialNameExists);
    WriteName(material, name);
    return EditOutcome::Done();
}

void MaterialTableEditor::InsertEntry(Material& material, float diameterMm, float velocityMps)
{
    const int count = EntryCountOf(material);
    int position = count;
    if (diameterMm <= material.diameters[0]) {
        position = 0;
    } else {
        for (int j = 1; j < count; ++j) {
            if (material.diameters[j] >= diameterMm) {
                position = j;
                break;
            }
        }
    }
    if (material.diameters[position] != diameterMm) {
        for (int j = count; j > position; --j) {
            material.diameters[j] = material.diameters[j - 1];
            material.velocities[j] = material.velocities[j - 1];
        }
    }
    material.diameters[position] = diameterMm;
    material.velocities[position] = velocityMps;
    selectedEntry_ = position;
}

void MaterialTableEditor::RemoveEntryAt(Material& material, int row)
{
    for (int j = row; j + 1 < kMaxVelocityEntries; ++j) {
        material.diameters[j] = material.diameters[j + 1];
        material.velocities[j] = material.velocities[j + 1];
    }
    material.diameters[kMaxVelocityEntries - 1] = 0.0f;
    material.velocities[kMaxVelocityEntries - 1] = 0.0f;
}

EditOutcome MaterialTableEditor::AddEntry(float diameterMm, float velocityMps)
{
    if (!HasSelectedMaterial())
        return EditOutcome::Refused(str::kSelectedMaterialError);
    if (EntryCount() >= kMaxVelocityEntries)
        return EditOutcome::Refused(str::kEntryLimitReached);
    InsertEntry(materials_[static_cast<size_t>(selectedMaterial_)], diameterMm, velocityMps);
    return EditOutcome::Done();
}

EditOutcome MaterialTableEditor::RemoveSelectedEntry()
{
    if (!HasSelectedMaterial())
        return EditOutcome::Refused(str::kSelectedMaterialError);
    const int count = EntryCount();
    if (count == 1)
        return EditOutcome::Refused(str::kCannotDeleteOnlyEntry);
    if (selectedEntry_ < 0 || selectedEntry_ >= count)
        return EditOutcome::Refused(str::kSelectEntryToRemove);
    RemoveEntryAt(materials_[static_cast<size_t>(selectedMaterial_)], selectedEntry_);
    selectedEntry_ = selectedEntry_ > 0 ? selectedEntry_ - 1 : 0;
    return EditOutcome::Done();
}

EditOutcome MaterialTableEditor::ChangeSelectedEntry(float diameterMm, float velocityMps)
{
    if (!HasSelectedMaterial())
        return EditOutcome::Refused(str::kSelectedMaterialError);
    if (selectedEntry_ < 0 || selectedEntry_ >= EntryCount())
        return EditOutcome::Refused(str::kSelectEntryToRemove);
    Material& material = materials_[static_cast<size_t>(selectedMaterial_)];
    RemoveEntryAt(material, selectedEntry_);
    InsertEntry(material, diameterMm, velocityMps);
    return EditOutcome::Done();
}

std::vector<std::string> MaterialTableEditor::EntryRows(UnitSystem units, TimeUnit time) const
{
    std::vector<std::string> rows;
    if (!HasSelectedMaterial())
        return rows;
    const Material& material = materials_[static_cast<size_t>(selectedMaterial_)];
    const int diameterDecimals = units == UnitSystem::Imperial ? 1 : 0;
    const int velocityDecimals = time == TimeUnit::Milliseconds ? 2 : 0;
    for (int j = 0; j < EntryCount(); ++j) {
        rows.push_back(FormatFixed(DiameterForDisplay(material.diameters[j], units), diameterDecimals) + '\t' +
                       FormatFixed(VelocityForDisplay(material.velocities[j], units, time), velocityDecimals));
    }
    return rows;
}

std::string MaterialTableEditor::SelectedDiameterText(UnitSystem units) const
{
    if (selectedEntry_ < 0 || selectedEntry_ >= EntryCount())
        return {};
    const Material& material = materials_[static_cast<size_t>(selectedMaterial_)];
    return FormatFixed(DiameterForDisplay(material.diameters[selectedEntry_], units),
                       units == UnitSystem::Imperial ? 1 : 0);
}

std::string MaterialTableEditor::SelectedVelocityText(UnitSystem units, TimeUnit time) const
{
    if (selectedEntry_ < 0 || selectedEntry_ >= EntryCount())
        return {};
    const Material& material = materials_[static_cast<size_t>(selectedMaterial_)];
    return FormatFixed(VelocityForDisplay(material.velocities[selectedEntry_], units, time),
                       time == TimeUnit::Milliseconds ? 2 : 0);
}

void MaterialTableEditor::RemapSections(PipeSections& pipe) const
{
    for (PipeSection& section : pipe) {
        if (section.inUse != 1)
            break;
        const int original = section.materialIndex;
        if (original < 0 || original >= kMaxMaterials)
            continue;
        const int now = indexMap_[static_cast<size_t>(original)];
        if (now >= 0)
            section.materialIndex = static_cast<int16_t>(now);
    }
}

}  // namespace korvanta
