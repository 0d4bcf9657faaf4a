#include <gtest/gtest.h>

#include <cmath>

#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"
#include "core/velocity/RegressionPointReader.h"
#include "core/velocity/VelocityWizardChecks.h"
#include "core/velocity/VelocityWizardResult.h"
#include "tests/core/view/ViewModelTestSupport.h"

namespace korvanta {
namespace {

// A measurement of the simulated kit over a pipe of `length` metres (one section of material 2,
// 100 mm) with the source heard `delay` seconds apart, saved as `path`.
void MeasureAndSave(const std::filesystem::path& path, float length, double delay)
{
    viewtest::ViewRig rig;
    rig.LayPipe(length);
    rig.Control().StartStop();
    for (const DataBlockRecord& block : viewtest::ViewRig::Blocks(6, delay)) {
        rig.Deliver(block);
    }
    rig.Control().StartStop();
    ASSERT_TRUE(rig.Doc().Save(path));
}

TEST(RegressionFromMeasurementsTest, FiveMeasurementsGiveTheVelocityAndTheSource)
{
    // The static sensor stays put, the source 100 m from it; the other sensor moves. At 1000 m/s
    // the source is heard (2·100 - L) / 1000 s apart.
    constexpr double kVelocity = 1000.0;
    constexpr double kSource = 100.0;
    test::TempFolder folder;
    CRegressionData data;
    RegressionPointReader reader;
    doctest::AnsweringMessageSink messages;
    for (const float length : {150.0f, 200.0f, 250.0f, 300.0f, 350.0f}) {
        const auto path = folder / ("pkt" + std::to_string(static_cast<int>(length)) + ".kvd");
        MeasureAndSave(path, length, (2.0 * kSource - length) / kVelocity);
        ASSERT_TRUE(reader.ReadMeasurement(path, data, messages)) << length;
        if (data.Count() == 0) {
            data.SetReference(reader.FirstSection());
        }
        const auto point = reader.MakePoint(path, messages);
        ASSERT_TRUE(point.has_value()) << length;
        EXPECT_FLOAT_EQ(point->length, length);
        EXPECT_EQ(std::string(point->name.data()), "pkt" + std::to_string(static_cast<int>(length)));
        data.Add(*point);
    }
    EXPECT_TRUE(messages.shown.empty());
    const RegressionFit& fit = data.Refit();
    EXPECT_NEAR(std::fabs(fit.slope), kVelocity, 0.02 * kVelocity);
    EXPECT_NEAR(fit.intercept / 2.0f, kSource, 0.02 * kSource);
}

TEST(RegressionFromMeasurementsTest, FilesThatDoNotFitAreRefusedWithTheirMessage)
{
    test::TempFolder folder;
    MeasureAndSave(folder / "a.kvd", 200.0f, 0.0);
    CRegressionData data;
    RegressionPointReader reader;
    doctest::AnsweringMessageSink messages;
    ASSERT_TRUE(reader.ReadMeasurement(folder / "a.kvd", data, messages));
    data.SetReference(reader.FirstSection());
    data.Add(*reader.MakePoint(folder / "a.kvd", messages));

    // Another diameter than the data set's pipe.
    {
        viewtest::ViewRig rig;
        PipeSections pipe{};
        pipe[0] = doctest::Section(2, 200.0f, 1000.0f, 160.0f);
        rig.Doc().Edit().ApplyPipeData(pipe);
        ASSERT_TRUE(rig.Doc().Save(folder / "wide.kvd"));
        pipe[1] = doctest::Section(3, 50.0f, 1000.0f, 160.0f);
        rig.Doc().Edit().ApplyPipeData(pipe);
        ASSERT_TRUE(rig.Doc().Save(folder / "mixed.kvd"));
        rig.Doc().Edit().ApplyPipeData(PipeSections{});
        ASSERT_TRUE(rig.Doc().Save(folder / "nopipe.kvd"));
    }
    std::filesystem::copy_file(folder / "a.kvd", folder / "a.txt");
    struct Case {
        const char* file;
        uint32_t message;
    };
    const Case cases[] = {
        {"a.txt", str::kOnlyKvdFiles},
        {"wide.kvd", str::kPipeDataMismatch},
        {"mixed.kvd", str::kPipeSectionsMismatch},
        {"nopipe.kvd", str::kNoPipeSectionsInFile},
        {"missing.kvd", str::kFileNotOpened},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        EXPECT_FALSE(reader.ReadMeasurement(folder / c.file, data, messages)) << c.file;
        ASSERT_EQ(messages.shown.size(), 1u) << c.file;
        EXPECT_EQ(messages.shown[0], std::make_pair(c.message, uint32_t{kStyleStop})) << c.file;
    }
    EXPECT_EQ(data.Count(), 1u);
}

TEST(VelocityWizardResultTest, TheAnswerGoesIntoTheFirstSectionAndTheDatabase)
{
    viewtest::ViewRig rig;
    rig.LayPipe(100.0f);
    doctest::AnsweringMessageSink messages;
    const size_t hintsBefore = rig.doc.observer.Count(kHintPipeChanged);
    VelocityWizardAnswer answer{120.0f, 110.0f, 987.0f, 1, true};
    ASSERT_TRUE(ApplyVelocityWizardAnswer(rig.Doc(), answer, messages));
    const PipeSection& first = rig.Doc().Record().pipe[0];
    EXPECT_EQ(first.materialIndex, 1);
    EXPECT_EQ(first.length, 120.0f);
    EXPECT_EQ(first.diameter, 110.0f);
    EXPECT_EQ(first.velocity, 987.0f);
    EXPECT_EQ(rig.doc.observer.Count(kHintPipeChanged), hintsBefore + 1);
    std::array<Material, kMaxMaterials> materials{};
    rig.Doc().Materials().CopyOut(materials);
    const auto* at = std::find(std::begin(materials[1].diameters), std::end(materials[1].diameters), 110.0f);
    ASSERT_NE(at, std::end(materials[1].diameters));
    EXPECT_EQ(materials[1].velocities[at - std::begin(materials[1].diameters)], 987.0f);

    answer.materialIndex = 20;
    EXPECT_FALSE(ApplyVelocityWizardAnswer(rig.Doc(), answer, messages));
    EXPECT_EQ(messages.shown.back().first, str::kMaterialIndexError);
    EXPECT_EQ(rig.Doc().Record().pipe[0].materialIndex, 1) << "nothing changed";
}

TEST(VelocityWizardResultTest, AKitMeasurementGivesItsVelocity)
{
    // 200 m between the sensors, the source 75 m from the first: at 1000 m/s it is heard 0.05 s
    // apart. Between the sensors, v = (L - 2d) / τ.
    viewtest::ViewRig rig;
    rig.LayPipe();
    rig.Measure();
    const float delay = rig.Doc().GetDelay();
    ASSERT_EQ(CheckWizardStart(delay, rig.Doc().Pipe().SectionCount()), std::nullopt);
    const WizardVelocity result = ComputeWizardVelocity(200.0f, true, 75.0f, delay);
    ASSERT_EQ(result.error, std::nullopt);
    EXPECT_NEAR(result.metresPerSecond, 1000.0f, 20.0f);
}

}  // namespace
}  // namespace korvanta
