#include <gtest/gtest.h>

#include "core/dialogs/MaterialTableEditor.h"
#include "core/text/Cp1252.h"
#include "tests/core/dialogs/DialogTestSupport.h"

namespace korvanta {
namespace {

using dialogtest::DefaultDatabase;
using pipetest::Section;

struct Fixture {
    DefaultDatabase defaults;
    std::array<Material, kMaxMaterials> materials{};
    Fixture() { defaults.db->CopyOut(materials); }
    MaterialTableEditor Editor(const PipeSections& pipe = {}) const { return MaterialTableEditor(materials, pipe); }
};

TEST(MaterialTableEditor, NamesAreUniqueWithoutRegardToCase)
{
    Fixture f;
    MaterialTableEditor editor = f.Editor();
    const int count = editor.MaterialCount();
    EXPECT_EQ(editor.AddMaterial("pvc").message, str::kMaterialNameExists);
    EXPECT_EQ(editor.AddMaterial("STØBEJERN").message, str::kMaterialNameExists);
    EXPECT_EQ(editor.AddMaterial("").message, str::kMaterialNameMissing);
    EXPECT_EQ(editor.MaterialCount(), count);

    ASSERT_TRUE(editor.AddMaterial("PE 100").done);
    EXPECT_EQ(editor.MaterialCount(), count + 1);
    EXPECT_EQ(editor.SelectedMaterial(), count);
    const Material& added = editor.Materials()[static_cast<size_t>(count)];
    EXPECT_EQ(added.diameters[0], 100.0f);
    EXPECT_EQ(added.velocities[0], 1000.0f);
    EXPECT_EQ(added.lowCutoffs[0], 0.0f);  // the entry was cleared first
    EXPECT_EQ(editor.MaterialNames().back(), "PE 100");
}

TEST(EqualIgnoringCase, FoldsTheDanishAndOtherWindows1252Capitals)
{
    EXPECT_TRUE(EqualIgnoringCase(Utf8ToCp1252("Støbejern"), Utf8ToCp1252("STØBEJERN")));
    EXPECT_TRUE(EqualIgnoringCase(Utf8ToCp1252("æÅŠ"), Utf8ToCp1252("ÆåŠ")));
    EXPECT_FALSE(EqualIgnoringCase(Utf8ToCp1252("×"), Utf8ToCp1252("÷")));  // not a letter pair
    EXPECT_FALSE(EqualIgnoringCase("PVC", "PVC "));
}

TEST(MaterialTableEditor, TheFirstElevenMaterialsCanNeitherBeRemovedNorRenamed)
{
    Fixture f;
    MaterialTableEditor editor = f.Editor();
    ASSERT_TRUE(editor.AddMaterial("PE 100").done);
    const int added = editor.SelectedMaterial();
    ASSERT_GT(added, MaterialTableEditor::kLastProtectedMaterial);
    EXPECT_TRUE(editor.Buttons().renameMaterial);
    ASSERT_TRUE(editor.RenameSelectedMaterial("PE 100 SDR11").done);
    EXPECT_EQ(editor.RenameSelectedMaterial("stål").message, str::kMaterialNameExists);
    EXPECT_TRUE(editor.RenameSelectedMaterial("pe 100 sdr11").done);  // its own name in another case

    editor.SelectMaterial(10);
    EXPECT_FALSE(editor.Buttons().removeMaterial);
    EXPECT_FALSE(editor.Buttons().renameMaterial);
    EXPECT_FALSE(editor.RenameSelectedMaterial("Rustfri").done);
    EXPECT_FALSE(editor.RemoveSelectedMaterial().done);
    EXPECT_EQ(editor.MaterialNames()[10], "Stål");
}

TEST(MaterialTableEditor, RemovalMovesLaterMaterialsDownAndTheOpenPipeWithThem)
{
    Fixture f;
    MaterialTableEditor setup = f.Editor();
    ASSERT_TRUE(setup.AddMaterial("A").done);
    ASSERT_TRUE(setup.AddMaterial("B").done);
    ASSERT_TRUE(setup.AddMaterial("C").done);
    const int a = setup.MaterialCount() - 3;
    std::array<Material, kMaxMaterials> three{};
    std::copy(setup.Materials().begin(), setup.Materials().end(), three.begin());

    // The open pipe uses "C" and PVC; removing "B" moves "C" one index down.
    const PipeSections pipe = pipetest::Pipe({Section(a + 2, 10.0f, 500.0f), Section(dialogtest::kPvc, 5.0f, 400.0f)});
    MaterialTableEditor editor(three, pipe);
    editor.SelectMaterial(a + 1);
    ASSERT_TRUE(editor.RemoveSelectedMaterial().done);
    EXPECT_EQ(editor.SelectedMaterial(), a);
    EXPECT_EQ(editor.MaterialNames()[static_cast<size_t>(a + 1)], "C");
    PipeSections remapped = pipe;
    editor.RemapSections(remapped);
    EXPECT_EQ(remapped[0].materialIndex, a + 1);
    EXPECT_EQ(remapped[1].materialIndex, dialogtest::kPvc);

    // A material that a section uses stays.
    editor.SelectMaterial(a + 1);
    EXPECT_EQ(editor.RemoveSelectedMaterial().message, str::kMaterialUsedByPipe);
    editor.SelectMaterial(a);
    ASSERT_TRUE(editor.RemoveSelectedMaterial().done);
    remapped = pipe;
    editor.RemapSections(remapped);
    EXPECT_EQ(remapped[0].materialIndex, a);
    EXPECT_EQ(ReadFixedField(editor.Materials()[static_cast<size_t>(a)].name), "C");
}

TEST(MaterialTableEditor, RemovalNeedsASelectionAndLeavesOneMaterial)
{
    std::array<Material, kMaxMaterials> one{};
    one[0].inUse = 1;
    MaterialTableEditor editor(one, PipeSections{});
    EXPECT_EQ(editor.RemoveSelectedMaterial().message, str::kCannotDeleteLastMaterial);
    editor.SelectMaterial(-1);
    EXPECT_EQ(editor.RemoveSelectedMaterial().message, str::kSelectedMaterialError);
    EXPECT_EQ(editor.AddEntry(100.0f, 100.0f).message, str::kSelectedMaterialError);
}

std::vector<float> Diameters(const MaterialTableEditor& editor)
{
    const Material& m = editor.Materials()[static_cast<size_t>(editor.SelectedMaterial())];
    return std::vector<float>(m.diameters, m.diameters + editor.EntryCount());
}

TEST(MaterialTableEditor, EntriesGoToTheirPlaceByDiameterAndEqualDiametersReplace)
{
    std::array<Material, kMaxMaterials> table{};
    table[0].inUse = 1;
    table[0].diameters[0] = 100.0f;
    table[0].velocities[0] = 900.0f;
    table[0].diameters[1] = 200.0f;
    table[0].velocities[1] = 1100.0f;
    MaterialTableEditor editor(table, PipeSections{});

    ASSERT_TRUE(editor.AddEntry(150.0f, 1000.0f).done);
    EXPECT_EQ(Diameters(editor), (std::vector<float>{100, 150, 200}));
    EXPECT_EQ(editor.SelectedEntry(), 1);
    ASSERT_TRUE(editor.AddEntry(200.0f, 1200.0f).done);
    EXPECT_EQ(Diameters(editor), (std::vector<float>{100, 150, 200}));
    EXPECT_EQ(editor.Materials()[0].velocities[2], 1200.0f);
    ASSERT_TRUE(editor.AddEntry(50.0f, 800.0f).done);
    ASSERT_TRUE(editor.AddEntry(300.0f, 1300.0f).done);
    EXPECT_EQ(Diameters(editor), (std::vector<float>{50, 100, 150, 200, 300}));
    EXPECT_EQ(editor.SelectedEntry(), 4);

    // Changing an entry moves it to its new place.
    editor.SelectEntry(0);
    ASSERT_TRUE(editor.ChangeSelectedEntry(250.0f, 1250.0f).done);
    EXPECT_EQ(Diameters(editor), (std::vector<float>{100, 150, 200, 250, 300}));
    EXPECT_EQ(editor.SelectedEntry(), 3);
    EXPECT_EQ(editor.Materials()[0].diameters[5], 0.0f);
}

TEST(MaterialTableEditor, EntryLimitsAndRemoval)
{
    std::array<Material, kMaxMaterials> table{};
    table[0].inUse = 1;
    table[0].diameters[0] = 100.0f;
    table[0].velocities[0] = 900.0f;
    MaterialTableEditor editor(table, PipeSections{});
    editor.SelectEntry(0);
    EXPECT_EQ(editor.RemoveSelectedEntry().message, str::kCannotDeleteOnlyEntry);
    for (int k = 1; k < kMaxVelocityEntries; ++k) {
        ASSERT_TRUE(editor.AddEntry(100.0f + static_cast<float>(k), 900.0f).done);
    }
    EXPECT_FALSE(editor.Buttons().addEntry);
    EXPECT_EQ(editor.AddEntry(500.0f, 900.0f).message, str::kEntryLimitReached);
    editor.SelectEntry(-1);
    EXPECT_EQ(editor.RemoveSelectedEntry().message, str::kSelectEntryToRemove);
    editor.SelectEntry(5);
    ASSERT_TRUE(editor.RemoveSelectedEntry().done);
    EXPECT_EQ(editor.SelectedEntry(), 4);
    EXPECT_EQ(editor.EntryCount(), kMaxVelocityEntries - 1);
    EXPECT_EQ(editor.Materials()[0].diameters[5], 106.0f);
    EXPECT_TRUE(editor.Buttons().addEntry);
}

TEST(MaterialTableEditor, TypedEntriesAreCheckedDiameterFirst)
{
    using Check = MaterialTableEditor::TypedEntryCheck;
    const auto check = [](float d, float v, UnitSystem u, TimeUnit t) {
        const Check c = MaterialTableEditor::CheckTypedEntry(d, v, u, t);
        return std::pair(c.message, c.field);
    };
    EXPECT_EQ(check(0.5f, 0.5f, UnitSystem::Metric, TimeUnit::Seconds), std::pair(str::kInvalidDiameterMetric, 0));
    EXPECT_EQ(check(1.0f, 0.5f, UnitSystem::Metric, TimeUnit::Seconds), std::pair(str::kInvalidVelocityMetric, 1));
    EXPECT_EQ(check(1.0f, 1.0f, UnitSystem::Metric, TimeUnit::Seconds), std::pair(str::kNoError, 1));
    EXPECT_EQ(check(0.039f, 1.0f, UnitSystem::Imperial, TimeUnit::Seconds),
              std::pair(str::kInvalidDiameterImperial, 0));
}

TEST(MaterialTableEditor, EntryRowsAndTextsFollowTheUnits)
{
    std::array<Material, kMaxMaterials> table{};
    table[0].inUse = 1;
    table[0].diameters[0] = 110.0f;
    table[0].velocities[0] = 400.0f;
    MaterialTableEditor editor(table, PipeSections{});
    editor.SelectEntry(0);
    EXPECT_EQ(editor.EntryRows(UnitSystem::Metric, TimeUnit::Seconds), std::vector<std::string>{"110\t400"});
    EXPECT_EQ(editor.EntryRows(UnitSystem::Metric, TimeUnit::Milliseconds), std::vector<std::string>{"110\t0.40"});
    EXPECT_EQ(editor.EntryRows(UnitSystem::Imperial, TimeUnit::Seconds), std::vector<std::string>{"4.3\t1312"});
    EXPECT_EQ(editor.EntryRows(UnitSystem::Imperial, TimeUnit::Milliseconds), std::vector<std::string>{"4.3\t1.31"});
    EXPECT_EQ(editor.SelectedDiameterText(UnitSystem::Imperial), "4.3");
    EXPECT_EQ(editor.SelectedVelocityText(UnitSystem::Metric, TimeUnit::Milliseconds), "0.40");
}

}  // namespace
}  // namespace korvanta
