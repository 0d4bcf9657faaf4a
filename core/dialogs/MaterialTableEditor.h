#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dialogs/EditOutcome.h"
#include "core/pipe/Material.h"
#include "core/pipe/PipeSection.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// Which buttons of the pipe database dialog can be pressed.
struct MaterialButtonStates {
    bool addMaterial = false;
    bool removeMaterial = false;
    bool renameMaterial = false;
    bool addEntry = false;
    bool removeEntry = false;
    bool changeEntry = false;
};

// The pipe database dialog's copy of the materials: materials are added at the end, removed
// (later ones move down) and renamed, each material's (diameter, velocity) entries are kept
// sorted by diameter. Names are compared without regard to case. The first eleven materials
// can be neither removed nor renamed.
//
// Removing a material moves every later one down by one index, while the open measurement's
// sections refer to materials by index. So a material that one of those sections uses cannot
// be removed, and the editor keeps the old -> new index map that RemapSections() applies to
// the pipe when the edited copy is put in force.
class MaterialTableEditor {
public:
    // Materials 0..10 are protected.
    static constexpr int kLastProtectedMaterial = 10;
    static constexpr size_t kNameLimit = 50;  // characters a name may have
    static constexpr float kNewMaterialDiameter = 100.0f;
    static constexpr float kNewMaterialVelocity = 1000.0f;

    MaterialTableEditor(std::span<const Material, kMaxMaterials> materials, const PipeSections& openPipe);

    std::span<const Material, kMaxMaterials> Materials() const { return materials_; }
    // Leading materials in use.
    int MaterialCount() const;
    // Names (UTF-8) of the materials in use, in index order: the material list.
    std::vector<std::string> MaterialNames() const;
    int SelectedMaterial() const { return selectedMaterial_; }
    // Selecting a material clears the entry selection.
    void SelectMaterial(int index);
    // Entries of the selected material: leading entries whose diameter is at least 1 mm.
    int EntryCount() const;
    int SelectedEntry() const { return selectedEntry_; }
    void SelectEntry(int row) { selectedEntry_ = row; }
    MaterialButtonStates Buttons() const;

    // The "Diameter og løbehastighed" dialog's OK: the typed diameter, then the typed velocity,
    // against their limits. `field` names the edit that gets the focus (0 diameter, 1 velocity).
    struct TypedEntryCheck {
        uint32_t message = str::kNoError;
        int field = 0;
    };
    static TypedEntryCheck CheckTypedEntry(float diameter, float velocity, UnitSystem units, TimeUnit time);

    // The "Materiale" dialog refuses an empty name (the message is returned), else kNoError.
    static uint32_t CheckNameTyped(std::string_view utf8Name);

    EditOutcome AddMaterial(std::string_view utf8Name);
    EditOutcome RemoveSelectedMaterial();
    EditOutcome RenameSelectedMaterial(std::string_view utf8Name);
    // A pair in stored units, put at its place by diameter; an equal diameter gets the new
    // velocity. The new row is selected.
    EditOutcome AddEntry(float diameterMm, float velocityMps);
    EditOutcome RemoveSelectedEntry();
    // The selected entry is replaced by the pair, which goes to its place by diameter.
    EditOutcome ChangeSelectedEntry(float diameterMm, float velocityMps);

    // The rows of the entry list ("%0.0f\t%0.0f" and its imperial and per-millisecond forms).
    std::vector<std::string> EntryRows(UnitSystem units, TimeUnit time) const;
    // The read-only texts of the selected entry, "" without one.
    std::string SelectedDiameterText(UnitSystem units) const;
    std::string SelectedVelocityText(UnitSystem units, TimeUnit time) const;

    // The open pipe's sections with their material indices moved as removals moved them.
    void RemapSections(PipeSections& pipe) const;

private:
    bool HasSelectedMaterial() const;
    bool NameTakenByOther(const std::string& cp1252Name, int except) const;
    bool UsedByOpenPipe(int index) const;
    void InsertEntry(Material& material, float diameterMm, float velocityMps);
    void RemoveEntryAt(Material& material, int row);

    std::array<Material, kMaxMaterials> materials_{};
    PipeSections openPipe_{};
    std::array<int, kMaxMaterials> indexMap_{};  // index at opening -> index now (-1: removed)
    int selectedMaterial_ = -1;
    int selectedEntry_ = -1;
};

}  // namespace korvanta
