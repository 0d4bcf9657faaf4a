// A measurement from START to the file and beyond: what the document counts as unsaved, what a
// new START asks, what the window says while it starts and runs, and a save while it runs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ViewModelTestSupport.h"
#include "core/document/KvdFile.h"
#include "core/text/StringIds.h"
#include "tests/support/WholeFile.h"

namespace korvanta {
namespace {

using viewtest::ViewRig;

using test::ReadAll;

TEST(MeasurementLifecycleTest, EachMeasurementIsANewDocumentThatIsAskedForBeforeItIsReplaced)
{
    ViewRig rig;
    rig.LayPipe();
    CKorvantaDoc& doc = rig.Doc();
    MeasurementControl& control = rig.Control();
    EXPECT_FALSE(doc.HasUnsavedMeasurement());  // a pipe alone is no measurement

    rig.Measure();
    EXPECT_TRUE(doc.HasUnsavedMeasurement());
    EXPECT_EQ(rig.host.saveAsked, 0);
    const auto fileA = rig.doc.folder / "A.kvd";
    ASSERT_TRUE(doc.Save(fileA));
    EXPECT_FALSE(doc.HasUnsavedMeasurement());
    EXPECT_EQ(rig.Display().FileName(), "A");
    const std::string savedA = ReadAll(fileA);

    // A saved measurement is replaced without a question; the new one belongs to no file yet.
    rig.doc.observer.hints.clear();
    control.StartStop();
    ASSERT_TRUE(control.Running());
    EXPECT_EQ(rig.host.saveAsked, 0);
    EXPECT_EQ(doc.Path(), "");
    EXPECT_EQ(rig.Display().FileName(), "");
    EXPECT_EQ(rig.doc.observer.Count(kHintPathChanged), 1u);
    EXPECT_TRUE(doc.IsModified());
    for (const DataBlockRecord& block : ViewRig::Blocks(4)) {
        rig.Deliver(block);
    }
    control.StartStop();
    EXPECT_EQ(ReadAll(fileA), savedA);

    // An unsaved result: START asks; a cancelled question starts nothing and keeps it.
    rig.host.saveAnswer = false;
    control.StartStop();
    EXPECT_EQ(rig.host.saveAsked, 1);
    EXPECT_FALSE(control.Running());
    EXPECT_EQ(doc.PairTotal(), 4u);
    EXPECT_TRUE(rig.Display().GraphShown());
    rig.host.saveAnswer = true;
    control.StartStop();
    EXPECT_EQ(rig.host.saveAsked, 2);
    EXPECT_TRUE(control.Running());
}

TEST(MeasurementLifecycleTest, AStartThatMeasuredNothingLeavesNothingToSave)
{
    // A document without a pipe: START asks for the measurement time, which is stored.
    class ConfirmingSetup final : public IMeasurementSetup {
    public:
        bool RunMeasurementSetup() override
        {
            document->Edit().MeasurementSetupClosed(1u);
            return true;
        }
        CKorvantaDoc* document = nullptr;
    };
    struct Case {
        const char* name;
        bool startAnswered;  // the stations start sampling
    };
    for (const Case& c : {Case{"refused start", false}, Case{"stopped before any block", true}}) {
        SCOPED_TRACE(c.name);
        doctest::DocumentRig rig;
        ConfirmingSetup setup;
        rig.context.setup = &setup;
        rig.document = std::make_unique<CKorvantaDoc>(rig.context);
        setup.document = rig.document.get();
        CKorvantaDoc& doc = *rig.document;
        rig.comms.QueueStartAnswers({c.startAnswered});
        if (doc.StartMeasurement()) {
            doc.StopMeasurement();
        }
        EXPECT_FALSE(doc.IsModified());
        EXPECT_FALSE(doc.HasUnsavedMeasurement());
        EXPECT_EQ(doc.CorrelationRange(), 1u);  // kept for the next try
    }
}

TEST(MeasurementLifecycleTest, TheStatusBarSaysThatTheMeasurementStartsAndRuns)
{
    ViewRig rig;
    rig.LayPipe();
    rig.Measure(3);
    EXPECT_EQ(rig.host.statuses, (std::vector<std::string>{"Starter måling…", "Måler… 0 blokpar", "Måler… 1 blokpar",
                                                           "Måler… 2 blokpar", "Måler… 3 blokpar", "Klar"}));
}

// What a file saved while the measurement ran holds: the pairs, the sums and the measuring time
// of one and the same stopped measurement.
TEST(MeasurementLifecycleTest, SavingWhileMeasuringStopsFirstAndWritesOneMeasurement)
{
    ViewRig rig;
    rig.LayPipe();
    CKorvantaDoc& doc = rig.Doc();
    MeasurementControl& control = rig.Control();
    control.StartStop();
    for (const DataBlockRecord& block : ViewRig::Blocks(5)) {
        rig.Deliver(block);
    }
    rig.doc.comms.SleepMs(65 * 1000);
    control.ElapsedTick();

    const auto file = rig.doc.folder / "running.kvd";
    ASSERT_TRUE(doc.Save(file));
    EXPECT_FALSE(control.Running());
    EXPECT_FALSE(doc.IsMeasuring());
    EXPECT_EQ(rig.host.menus.back(), true);

    auto stored = std::make_unique<MeasurementRecord>();
    ASSERT_EQ(ReadKvdFile(file, *stored), KvdStatus::Ok);
    EXPECT_EQ(stored->pairTotal, 5u);
    EXPECT_EQ(std::string(stored->measuringTime, 8), "00:01:05");
    // The file's sums give the delay the window showed at the stop.
    doctest::DocumentRig reader;
    ASSERT_TRUE(reader.document->Open(file));
    ASSERT_TRUE(reader.document->Recompute());
    EXPECT_FLOAT_EQ(reader.document->GetDelay(), doc.GetDelay());
    EXPECT_NEAR(doc.GetDelay(), viewtest::kLeakDelay, 0.01);
}

}  // namespace
}  // namespace korvanta
