#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>

#include "core/commands/DocumentCommands.h"
#include "core/document/DocumentHints.h"
#include "core/text/Cp1252.h"
#include "core/text/StringIds.h"
#include "tests/core/document/DocumentTestSupport.h"
#include "tests/core/view/ViewModelTestSupport.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;
using doctest::Section;

// Plays the user in the dialogs: each returns what the test put in, and records what it was
// opened with.
class ScriptedDialogs final : public IDocumentDialogs {
public:
    std::optional<PipeSections> EditPipe(const PipeSections& pipe, const CMaterialDatabase&, uint32_t pairCode) override
    {
        shownPipe = pipe;
        shownPairCode = pairCode;
        return pipeAnswer;
    }
    std::optional<EditedMaterials> EditMaterials(std::span<const Material, kMaxMaterials>,
                                                 const PipeSections& openPipe) override
    {
        shownPipe = openPipe;
        return materialsAnswer;
    }
    std::optional<FilterSettings> EditFilters(const FilterSettings& settings, std::span<const int32_t> upper,
                                              std::span<const int32_t> lower, uint32_t pairCode,
                                              const CoherenceSpectrum& coherence) override
    {
        shownCoherencePairs = coherence.pairs;
        shownFilters = settings;
        shownUpper = upper.data();
        shownLower = lower.data();
        shownPairCode = pairCode;
        return filterAnswer;
    }
    std::optional<FileInformationForm> EditFileInformation(const FileInformationForm& form) override
    {
        shownForm = form;
        return formAnswer;
    }
    std::optional<uint32_t> ChooseSensorCombination(uint32_t pairCode) override
    {
        shownPairCode = pairCode;
        return sensorAnswer;
    }
    SetupDialogResult RunMeasurementSetup(const SetupDialogState& state) override
    {
        setupStates.push_back(state);
        const SetupDialogResult next = setupAnswers.front();
        setupAnswers.pop_front();
        return next;
    }
    std::optional<VelocityWizardAnswer> RunVelocityWizard(const VelocityWizardSetup& setup) override
    {
        velocitySetups.push_back(setup);
        return velocityAnswer;
    }

    std::optional<PipeSections> pipeAnswer;
    std::optional<EditedMaterials> materialsAnswer;
    std::optional<FilterSettings> filterAnswer;
    std::optional<FileInformationForm> formAnswer;
    std::optional<uint32_t> sensorAnswer;
    std::deque<SetupDialogResult> setupAnswers;
    std::optional<VelocityWizardAnswer> velocityAnswer;

    PipeSections shownPipe{};
    FilterSettings shownFilters{};
    const int32_t* shownUpper = nullptr;
    const int32_t* shownLower = nullptr;
    uint32_t shownPairCode = 0;
    uint32_t shownCoherencePairs = 0;
    FileInformationForm shownForm;
    std::vector<SetupDialogState> setupStates;
    std::vector<VelocityWizardSetup> velocitySetups;
};

struct Fixture {
    DocumentRig rig;
    ScriptedDialogs dialogs;
    DocumentCommands commands{*rig.document, dialogs};
    CKorvantaDoc& doc() { return *rig.document; }
};

TEST(DocumentCommands, ConfirmedPipeDataGoesIntoTheDocumentAndCancelLeavesIt)
{
    Fixture f;
    f.commands.PipeParameters();  // cancelled
    EXPECT_EQ(f.doc().Pipe().SectionCount(), 0);
    EXPECT_FALSE(f.doc().IsModified());

    PipeSections pipe{};
    pipe[0] = Section(8, 120.0f, 400.0f, 110.0f);
    pipe[1] = Section(2, 30.0f, 1200.0f, 150.0f);
    f.dialogs.pipeAnswer = pipe;
    f.commands.PipeParameters();
    EXPECT_EQ(f.doc().Pipe().SectionCount(), 2);
    EXPECT_TRUE(f.doc().IsModified());
    EXPECT_EQ(f.rig.observer.Count(kHintPipeChanged), 1u);
    EXPECT_EQ(f.dialogs.shownPairCode, f.doc().SensorPairCode());
}

TEST(DocumentCommands, EditedMaterialsReplaceTheDatabaseAndMoveTheOpenPipesIndices)
{
    Fixture f;
    PipeSections pipe{};
    pipe[0] = Section(12, 50.0f, 500.0f);
    f.doc().Edit().ApplyPipeData(pipe);
    f.rig.observer.hints.clear();

    EditedMaterials edited;
    f.doc().Materials().CopyOut(edited.materials);
    std::strcpy(edited.materials[11].name, "PE 100");
    edited.pipe = pipe;
    edited.pipe[0].materialIndex = 11;
    f.dialogs.materialsAnswer = edited;
    f.commands.PipeMaterials();
    EXPECT_EQ(f.dialogs.shownPipe[0].materialIndex, 12);
    EXPECT_EQ(f.doc().Pipe().SectionMaterial(0), 11);
    EXPECT_EQ(f.doc().Pipe().MaterialName(11), "PE 100");
    EXPECT_EQ(f.rig.observer.Count(kHintPipeChanged), 1u);
}

TEST(DocumentCommands, RestoringTheDefaultsAsksFirst)
{
    Fixture f;
    f.rig.messages.answer = MessageAnswer::No;
    f.commands.RestoreDefaultMaterials();
    ASSERT_EQ(f.rig.messages.shown.size(), 1u);
    EXPECT_EQ(f.rig.messages.shown[0].first, str::kRestoreMaterialsQuestion);
    EXPECT_TRUE(f.rig.observer.hints.empty());
    f.rig.messages.answer = MessageAnswer::Yes;
    f.commands.RestoreDefaultMaterials();
    EXPECT_EQ(f.rig.observer.Count(kHintPipeChanged), 1u);
}

TEST(DocumentCommands, FiltersShowSensorTwoAboveSensorOneAndOkIsSavedAsTheUsersFilters)
{
    Fixture f;
    f.doc().Edit().ApplySensorCombination(12);
    f.commands.Filters();  // cancelled
    EXPECT_EQ(f.dialogs.shownUpper, f.doc().SpectrumBuffer(1).data());
    EXPECT_EQ(f.dialogs.shownLower, f.doc().SpectrumBuffer(0).data());
    EXPECT_EQ(f.dialogs.shownPairCode, 12u);
    EXPECT_EQ(f.rig.observer.Count(kHintFiltersChanged), 0u);

    FilterSettings settings;
    settings.lowCutoff = 100.0f;
    settings.highCutoff = 600.0f;
    settings.notches[0] = {45.0f, 55.0f};
    f.dialogs.filterAnswer = settings;
    f.commands.Filters();
    EXPECT_EQ(f.doc().Filters().LowCutoff(), 100.0f);
    EXPECT_EQ(f.doc().Filters().NotchHigh(0), 55.0f);
    EXPECT_EQ(f.doc().Edit().SavedFilters().highCutoff, 600.0f);
    EXPECT_EQ(f.rig.observer.Count(kHintFiltersChanged), 1u);
    EXPECT_TRUE(f.doc().IsModified());
}

TEST(DocumentCommands, ThreeStationFiltersEditTheSelectedPairsRecordAndSpectra)
{
    Fixture f;
    f.doc().EnterThreeStationMode();
    f.doc().ThreeStation().SetSelectedPair(12);
    f.rig.observer.hints.clear();
    FilterSettings settings;
    settings.lowCutoff = 80.0f;
    f.dialogs.filterAnswer = settings;
    f.commands.Filters();
    EXPECT_EQ(f.dialogs.shownPairCode, 12u);
    EXPECT_EQ(f.dialogs.shownLower, f.doc().SpectrumBuffer(1).data());
    EXPECT_EQ(f.dialogs.shownUpper, f.doc().SpectrumBuffer(2).data());
    EXPECT_EQ(f.doc().ThreeStation().Record(1).filters.lowCutoff, 80.0f);
    EXPECT_EQ(f.doc().Record().filters.lowCutoff, 0.0f);
    EXPECT_EQ(f.rig.observer.Count(kHintThreeStationFiltersChanged), 1u);
}

TEST(DocumentCommands, FileInformationIsCutToItsFieldsAndCancelChangesNothing)
{
    Fixture f;
    std::strcpy(f.doc().Record().date, "5 Mar 2024");
    f.commands.FileInformation();
    EXPECT_EQ(f.dialogs.shownForm.date, "5 Mar 2024");
    EXPECT_FALSE(f.doc().IsModified());

    FileInformationForm form;
    form.title = std::string(60, 'T');
    form.comments = {"Ved hydrant 4", std::string(70, 'c'), "Målt om natten"};
    form.userInformation = std::string(25, 'u');
    f.dialogs.formAnswer = form;
    f.commands.FileInformation();
    const FileInformation stored = f.doc().GetFileInformation();
    EXPECT_EQ(stored.title, std::string(FileInformationForm::kTitleLimit, 'T'));
    EXPECT_EQ(f.doc().CommentLines()[1], std::string(FileInformationForm::kCommentLimit, 'c'));
    EXPECT_EQ(f.doc().CommentLines()[2], "Målt om natten");
    EXPECT_EQ(std::strlen(f.doc().Record().comment[2]), 14u);  // Windows-1252: one byte per letter
    EXPECT_EQ(stored.userInformation, std::string(FileInformationForm::kUserInformationLimit, 'u'));
    EXPECT_EQ(stored.date, "5 Mar 2024");
    EXPECT_TRUE(f.doc().IsModified());
}

TEST(DocumentCommands, CorrelationRunsThePipeAndSensorDetoursAndStoresTheChosenTime)
{
    Fixture f;
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    f.dialogs.pipeAnswer = pipe;
    f.dialogs.sensorAnswer = 10u;
    f.dialogs.setupAnswers = {{SetupChoice::Sensor, 2}, {SetupChoice::Pipe, 2}, {SetupChoice::Ok, 1}};
    EXPECT_EQ(f.commands.Correlation(), 1u);
    EXPECT_EQ(f.doc().SensorPairCode(), 10u);
    EXPECT_EQ(f.doc().Pipe().SectionCount(), 1);
    EXPECT_EQ(f.doc().CorrelationRange(), 1u);
    ASSERT_EQ(f.dialogs.setupStates.size(), 3u);
    EXPECT_TRUE(f.dialogs.setupStates[1].editable);
    EXPECT_FALSE(f.dialogs.setupStates[2].editable);

    // A start without a pipe asks for the measurement time; Cancel gives up.
    f.dialogs.setupAnswers = {{SetupChoice::Cancel, 0}};
    EXPECT_FALSE(f.commands.RunMeasurementSetup());
}

// A measurement of 200 m at 1000 m/s with the leak 75 m from red, and the commands on it.
struct MeasuredFixture {
    MeasuredFixture()
    {
        rig.LayPipe(200.0f, 2);
        rig.Measure();
        rig.doc.observer.hints.clear();
        rig.Doc().SetModified(false);
    }
    viewtest::ViewRig rig;
    ScriptedDialogs dialogs;
    DocumentCommands commands{rig.Doc(), dialogs};
    CKorvantaDoc& doc() { return rig.Doc(); }
};

TEST(DocumentCommands, VelocityCalculationIsRefusedForMoreThanOneSectionOrWithoutADelay)
{
    MeasuredFixture f;
    PipeSections pipe{};
    pipe[0] = Section(2, 200.0f, 1000.0f);
    pipe[1] = Section(3, 50.0f, 1200.0f);
    f.doc().Edit().ApplyPipeData(pipe);
    f.commands.VelocityCalculation();
    ASSERT_FALSE(f.rig.doc.messages.shown.empty());
    EXPECT_EQ(f.rig.doc.messages.shown.back().first, str::kOnlyOneSection);

    // The three-station mode divides by the delay of the pair on show, which has none yet.
    pipe[1] = PipeSection{};
    f.doc().Edit().ApplyPipeData(pipe);
    f.doc().EnterThreeStationMode();
    f.doc().ThreeStation().SetSelectedPair(12);
    f.commands.VelocityCalculation();
    EXPECT_EQ(f.rig.doc.messages.shown.back(), std::make_pair(str::kInvalidDelay, uint32_t{kStyleExclamation}));
    EXPECT_TRUE(f.dialogs.velocitySetups.empty());
}

TEST(DocumentCommands, TheFilterDialogGetsTheMeasurementsCoherence)
{
    MeasuredFixture f;
    f.commands.Filters();  // cancelled
    EXPECT_GT(f.dialogs.shownCoherencePairs, 0u);
    EXPECT_EQ(f.dialogs.shownCoherencePairs, f.doc().Engine().Coherence().pairs);
}

TEST(DocumentCommands, VelocityCalculationIsRefusedOnAPeakThatCannotBeReliedOn)
{
    // Leak noise drowned in the pipe's own noise: the peak says nothing, whatever its delay.
    viewtest::ViewRig rig;
    rig.LayPipe(200.0f, 2);
    rig.Measure(2, -30.0);
    ScriptedDialogs dialogs;
    DocumentCommands commands{rig.Doc(), dialogs};
    ASSERT_GE(std::fabs(rig.Doc().GetDelay()), 0.01f) << "the delay alone would pass";
    commands.VelocityCalculation();
    EXPECT_TRUE(dialogs.velocitySetups.empty());
    ASSERT_EQ(rig.doc.messages.shown.size(), 1u);
    EXPECT_EQ(rig.doc.messages.shown[0], std::make_pair(str::kVelocityUnreliablePeak, uint32_t{kStyleExclamation}));
    ASSERT_EQ(rig.doc.messages.texts.size(), 1u);
    EXPECT_NE(rig.doc.messages.texts[0].find("usikkert (svagt signal"), std::string::npos) << rig.doc.messages.texts[0];
}

TEST(DocumentCommands, VelocityCalculationOpensOnTheMeasurementAndCancelChangesNothing)
{
    MeasuredFixture f;
    f.rig.doc.settings.SetUnitSystem(UnitSystem::Imperial);
    f.rig.doc.settings.SetTimeUnit(TimeUnit::Milliseconds);
    f.commands.VelocityCalculation();  // cancelled
    ASSERT_EQ(f.dialogs.velocitySetups.size(), 1u);
    const VelocityWizardSetup& shown = f.dialogs.velocitySetups[0];
    EXPECT_EQ(shown.delay, f.doc().GetDelay());
    EXPECT_EQ(shown.units, UnitSystem::Imperial);
    EXPECT_EQ(shown.time, TimeUnit::Milliseconds);
    EXPECT_EQ(shown.pairCode, 6u);
    EXPECT_EQ(shown.length, 200.0f);
    EXPECT_EQ(shown.diameter, 100.0f);
    EXPECT_EQ(shown.materialIndex, 2);
    EXPECT_EQ(ReadFixedField(shown.materials[2].name), f.doc().Pipe().MaterialName(2));
    EXPECT_FALSE(f.doc().IsModified());
    EXPECT_TRUE(f.rig.doc.observer.hints.empty());
}

}  // namespace
}  // namespace korvanta
