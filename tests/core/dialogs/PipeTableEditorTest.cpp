#include <gtest/gtest.h>

#include "core/dialogs/PipeListRows.h"
#include "core/dialogs/PipeTableEditor.h"
#include "core/dialogs/SensorCombination.h"
#include "tests/core/dialogs/DialogTestSupport.h"

namespace korvanta {
namespace {

using pipetest::Section;

PipeSections Filled(int n)
{
    PipeSections pipe{};
    for (int i = 0; i < n; ++i) {
        pipe[static_cast<size_t>(i)] = Section(i, 10.0f * static_cast<float>(i + 1), 1000.0f);
    }
    return pipe;
}

TEST(PipeTableEditor, ButtonsFollowTheNumberOfSections)
{
    struct Case {
        int n;
        bool add, edit, remove, move;
    };
    for (const Case c :
         {Case{0, true, false, false, false}, Case{1, true, true, true, false}, Case{2, true, true, true, true},
          Case{9, true, true, true, true}, Case{10, false, true, true, true}}) {
        const PipeButtonStates states = PipeTableEditor(Filled(c.n)).Buttons();
        EXPECT_EQ(states.add, c.add) << c.n;
        EXPECT_EQ(states.edit, c.edit) << c.n;
        EXPECT_EQ(states.remove, c.remove) << c.n;
        EXPECT_EQ(states.move, c.move) << c.n;
    }
}

TEST(PipeTableEditor, AnEleventhSectionIsRefusedAndARemovalMakesRoomAgain)
{
    PipeTableEditor editor(Filled(10));
    EXPECT_FALSE(editor.Add(Section(1, 5.0f, 900.0f)).done);
    editor.Select(3);
    ASSERT_TRUE(editor.RemoveSelected().done);
    EXPECT_TRUE(editor.Buttons().add);
    ASSERT_TRUE(editor.Add(Section(1, 5.0f, 900.0f)).done);
    EXPECT_EQ(editor.Selected(), 9);
    EXPECT_EQ(editor.Sections()[9].length, 5.0f);
}

TEST(PipeTableEditor, RemovalKeepsTheListPackedAndSelectsTheRowAbove)
{
    PipeTableEditor first(Filled(3));
    first.Select(0);
    ASSERT_TRUE(first.RemoveSelected().done);
    EXPECT_EQ(first.Selected(), 0);
    EXPECT_EQ(first.RowCount(), 2);
    EXPECT_EQ(first.Sections()[0].length, 20.0f);
    EXPECT_EQ(first.Sections()[2].inUse, 0);
    EXPECT_EQ(first.Sections()[2].length, 0.0f);  // the freed slot is zeroed

    PipeTableEditor last(Filled(3));
    last.Select(2);
    ASSERT_TRUE(last.RemoveSelected().done);
    EXPECT_EQ(last.Selected(), 1);
    EXPECT_EQ(last.Sections()[1].length, 20.0f);
}

TEST(PipeTableEditor, SelectionIsCheckedBeforeRemovingOrMoving)
{
    PipeTableEditor empty(Filled(0));
    EXPECT_EQ(empty.RemoveSelected().message, str::kNoPipeSectionDefined);
    EXPECT_EQ(empty.MoveSelectedUp().message, str::kNoPipeSectionDefined);

    PipeTableEditor two(Filled(2));
    for (int row : {-1, 2}) {
        two.Select(row);
        EXPECT_EQ(two.RemoveSelected().message, str::kSelectPipeSection);
        EXPECT_EQ(two.MoveSelectedDown().message, str::kSelectPipeSection);
    }
    EXPECT_TRUE(dialogtest::SameSections(two.Sections(), Filled(2)));
}

TEST(PipeTableEditor, MovesSwapNeighboursAndStopSilentlyAtTheEnds)
{
    PipeTableEditor editor(Filled(3));
    editor.Select(0);
    EditOutcome top = editor.MoveSelectedUp();
    EXPECT_FALSE(top.done);
    EXPECT_EQ(top.message, str::kNoError);
    editor.Select(2);
    EXPECT_FALSE(editor.MoveSelectedDown().done);
    EXPECT_EQ(editor.MoveSelectedDown().message, str::kNoError);

    ASSERT_TRUE(editor.MoveSelectedUp().done);
    EXPECT_EQ(editor.Selected(), 1);
    EXPECT_EQ(editor.Sections()[1].length, 30.0f);
    EXPECT_EQ(editor.Sections()[2].length, 20.0f);
}

TEST(PipeTableEditor, EditWithoutASelectedRowDoesNothing)
{
    PipeTableEditor editor(Filled(2));
    EditOutcome outcome = editor.EditSelected(Section(5, 1.0f, 1.0f));
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.message, str::kNoError);
    EXPECT_TRUE(dialogtest::SameSections(editor.Sections(), Filled(2)));
}

TEST(PipeListRows, EveryUnitSettingHasItsFormatsAndLabels)
{
    dialogtest::DefaultDatabase defaults;
    std::array<Material, kMaxMaterials> materials{};
    defaults.db->CopyOut(materials);
    PipeSections pipe = pipetest::Pipe({Section(dialogtest::kPvc, 120.0f, 400.0f, 110.0f)});
    pipe[1].inUse = 2;  // absent, and it ends the list
    struct Case {
        UnitSystem units;
        TimeUnit time;
        const char *length, *lengthUnit, *diameter, *diameterUnit, *velocity, *velocityUnit;
    };
    for (const Case& c :
         {Case{UnitSystem::Metric, TimeUnit::Seconds, "120.00", "m", "110", "mm", "400", "m/s"},
          Case{UnitSystem::Metric, TimeUnit::Milliseconds, "120.00", "m", "110", "mm", "0.40", "m/ms"},
          Case{UnitSystem::Imperial, TimeUnit::Seconds, "393.7", "ft", "4.3", "ins", "1312", "ft/s"},
          Case{UnitSystem::Imperial, TimeUnit::Milliseconds, "393.7", "ft", "4.3", "ins", "1.31", "ft/ms"}}) {
        const auto rows = PipeListRows(pipe, materials.data(), c.units, c.time);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].material, "PVC");
        EXPECT_EQ(rows[0].image, dialogtest::kPvc);
        EXPECT_EQ(rows[0].length, c.length);
        EXPECT_EQ(rows[0].lengthUnit, c.lengthUnit);
        EXPECT_EQ(rows[0].diameter, c.diameter);
        EXPECT_EQ(rows[0].diameterUnit, c.diameterUnit);
        EXPECT_EQ(rows[0].velocity, c.velocity);
        EXPECT_EQ(rows[0].velocityUnit, c.velocityUnit);
    }
    // A damaged index names nothing instead of reading outside the table.
    pipe[0].materialIndex = 400;
    EXPECT_EQ(PipeListRows(pipe, materials.data(), UnitSystem::Metric, TimeUnit::Seconds)[0].material, "");
}

TEST(StationPictures, PairCodesNameBothEndsAndTheSensorDialogMapsIndices)
{
    struct Case {
        uint32_t code;
        StationUnit top, bottom;
        int index;
    };
    for (const Case& c :
         {Case{6, StationUnit::Red, StationUnit::Blue, 0}, Case{10, StationUnit::Red, StationUnit::Yellow, 1},
          Case{12, StationUnit::Blue, StationUnit::Yellow, 2}, Case{3, StationUnit::Red, StationUnit::Interface, 3},
          Case{5, StationUnit::Blue, StationUnit::Interface, 4},
          Case{9, StationUnit::Yellow, StationUnit::Interface, 5}, Case{7, StationUnit::Red, StationUnit::Blue, 0}}) {
        EXPECT_EQ(PipeEndStations(c.code).sensor1, c.top) << c.code;
        EXPECT_EQ(PipeEndStations(c.code).sensor2, c.bottom) << c.code;
        EXPECT_EQ(SensorCombination::IndexOfPairCode(c.code), c.index) << c.code;
    }
    for (int index = 0; index < SensorCombination::kChoices; ++index) {
        EXPECT_EQ(SensorCombination::IndexOfPairCode(SensorCombination::PairCodeOfIndex(index)), index);
    }
    EXPECT_EQ(SensorCombination::PairCodeOfIndex(-1), 6u);
    EXPECT_EQ(SensorCombination::PairCodeOfIndex(6), 6u);
}

}  // namespace
}  // namespace korvanta
