// The document's measurement against the link state, with the test playing the comms thread:
// start and its wait, every block, the re-synchronisation after six pairs, stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "DocumentTestSupport.h"
#include "MeasurementBlocks.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/document/DocumentHints.h"
#include "core/text/StringIds.h"

namespace korvanta {
namespace {

using doctest::DocumentRig;
using doctest::Section;
using namespace doctest::blocks;

class CallbackSetup final : public IMeasurementSetup {
public:
    explicit CallbackSetup(std::function<bool()> run) : run_(std::move(run)) {}
    bool RunMeasurementSetup() override { return run_(); }

private:
    std::function<bool()> run_;
};

size_t CountOf(const std::vector<int>& codes, int code)
{
    return static_cast<size_t>(std::count(codes.begin(), codes.end(), code));
}

TEST(MeasurementFlowTest, StartWaitsForTheAnswerThenAsksForTheFirstBlock)
{
    DocumentRig rig;
    LayPipe(*rig.document);
    rig.comms.ForgetTaken();
    ASSERT_TRUE(rig.document->StartMeasurement());
    EXPECT_TRUE(rig.document->IsMeasuring());
    EXPECT_EQ(rig.document->UpdateCounter(), 0u);
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK}));
    EXPECT_EQ(rig.comms.Taken()[1].threeStation, 0);
    EXPECT_LT(rig.comms.NowMs(), 1000);
}

TEST(MeasurementFlowTest, NoAnswerWithinFortySecondsOrARefusalFailsAndAStaleAnswerIsNotTaken)
{
    DocumentRig rig;
    LayPipe(*rig.document);
    // The answer of an earlier start is still lying in the link state.
    rig.link.SetSamplingStarted(true);
    rig.link.SetSamplingAnswered(true);
    rig.comms.SetAnswerStarts(false);
    EXPECT_FALSE(rig.document->StartMeasurement());
    EXPECT_FALSE(rig.document->IsMeasuring());
    EXPECT_GE(rig.comms.NowMs(), 40000);
    EXPECT_LE(rig.comms.NowMs(), 40100);
    EXPECT_EQ(rig.comms.Pauses(), 400);  // one pause per 100 ms pass
    EXPECT_EQ(CountOf(rig.comms.Codes(), TM_GET_DATA_BLOCK), 0u);

    // A refusal ends the wait at once.
    rig.comms.SetAnswerStarts(true);
    rig.comms.QueueStartAnswers({false});
    const int64_t before = rig.comms.NowMs();
    EXPECT_FALSE(rig.document->StartMeasurement());
    EXPECT_LE(rig.comms.NowMs() - before, 200);
    EXPECT_EQ(CountOf(rig.comms.Codes(), TM_GET_DATA_BLOCK), 0u);
}

TEST(MeasurementFlowTest, WithoutAPipeTheSetupDialogMustConfirmARange)
{
    DocumentRig refused;
    CallbackSetup no([] { return false; });
    refused.context.setup = &no;
    refused.document = std::make_unique<CKorvantaDoc>(refused.context);
    EXPECT_FALSE(refused.document->StartMeasurement());
    EXPECT_TRUE(refused.comms.Codes().empty());

    DocumentRig confirmed;
    CallbackSetup yes([&] {
        confirmed.document->Edit().MeasurementSetupClosed(2);
        return true;
    });
    confirmed.context.setup = &yes;
    confirmed.document = std::make_unique<CKorvantaDoc>(confirmed.context);
    ASSERT_TRUE(confirmed.document->StartMeasurement());
    EXPECT_EQ(confirmed.document->CorrelationRange(), 2u);
    EXPECT_TRUE(confirmed.document->IsModified());

    // Without any dialog to ask, a measurement without a pipe does not start.
    DocumentRig headless;
    EXPECT_FALSE(headless.document->StartMeasurement());
}

TEST(MeasurementFlowTest, AWholeMeasurementResynchronisesEverySixPairsAndLocatesTheLeak)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    rig.comms.ForgetTaken();
    rig.observer.hints.clear();
    ASSERT_TRUE(doc.StartMeasurement());

    const auto blocks = TwoStationBlocks(14);
    ASSERT_EQ(blocks.size(), 28u);
    for (size_t i = 0; i < blocks.size(); ++i) {
        rig.comms.ForgetTaken();
        Deliver(rig, blocks[i]);
        EXPECT_FALSE(rig.link.IsDataBlockReady());
        const std::vector<int> codes = rig.comms.Codes();
        // The stations start sampling afresh once a chain of six pairs is complete.
        const bool chainEnds = (i + 1) % 12 == 0;
        const std::vector<int> expected =
            chainEnds ? std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK} : std::vector<int>{TM_GET_DATA_BLOCK};
        EXPECT_EQ(codes, expected) << "block " << i;
    }
    EXPECT_EQ(doc.PairTotal(), 14u);
    EXPECT_EQ(doc.UpdateCounter(), 28u);
    EXPECT_EQ(rig.observer.Count(kHintNewResult), 14u);
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    EXPECT_NEAR(doc.GetDelay(), kTwoStationDelay, kLagSeconds);
    EXPECT_GT(doc.GetQuality(), 3);

    rig.comms.ForgetTaken();
    LinkCommand leftOver;
    leftOver.code = TM_GET_CHARGE_STATUS;
    rig.link.PostCommand(leftOver);
    doc.StopMeasurement();
    EXPECT_EQ(rig.comms.Codes(), std::vector<int>{TM_STOP_CORRELATING});  // the queue was emptied first
    EXPECT_FALSE(doc.IsMeasuring());
    EXPECT_TRUE(doc.IsResultValid());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetFileInformation().date, "05 Mar 2024");
    EXPECT_EQ(doc.GetFileInformation().time, "14:07");

    // The stored sums give the same result again, and the position follows from the pipe.
    ASSERT_TRUE(doc.Recompute());
    EXPECT_NEAR(doc.GetDelay(), kTwoStationDelay, kLagSeconds);
    const LeakPosition position = doc.ComputeLeakPosition(doc.GetDelay());
    const float lagTravel = kLagSeconds * 1000.0f;
    EXPECT_NEAR(position.fromStart, kLeakFromStart, lagTravel);
    EXPECT_NEAR(position.fromEnd, 200.0f - kLeakFromStart, lagTravel);
}

TEST(MeasurementFlowTest, AFailedResynchronisationEndsTheMeasurementWithoutAskingForMore)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    rig.comms.QueueStartAnswers({true, false});
    ASSERT_TRUE(doc.StartMeasurement());
    const auto blocks = TwoStationBlocks(6);
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        Deliver(rig, blocks[i]);
    }
    EXPECT_EQ(doc.UpdateCounter(), 10u);
    rig.comms.ForgetTaken();
    rig.observer.hints.clear();
    Deliver(rig, blocks.back());
    EXPECT_EQ(rig.observer.hints, std::vector<uint32_t>{kHintMeasurementEnded});
    EXPECT_EQ(rig.comms.Codes(), std::vector<int>{TM_START_SAMPLING});
    EXPECT_EQ(doc.UpdateCounter(), 10u);
    EXPECT_TRUE(doc.IsMeasuring());  // until the view stops it

    doc.StopMeasurement();
    EXPECT_TRUE(doc.IsResultValid());
    EXPECT_EQ(doc.PairTotal(), 6u);  // every pair summed so far is kept
    ASSERT_TRUE(doc.Recompute());
    EXPECT_NEAR(doc.GetDelay(), kTwoStationDelay, kLagSeconds);
}

TEST(MeasurementFlowTest, ResultValidNeedsOneSuccessfulBlock)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    const auto blocks = TwoStationBlocks(1);

    ASSERT_TRUE(doc.StartMeasurement());
    Deliver(rig, blocks[0]);  // half a pair: no result yet
    doc.StopMeasurement();
    EXPECT_EQ(doc.UpdateCounter(), 0u);
    EXPECT_FALSE(doc.IsResultValid());

    ASSERT_TRUE(doc.StartMeasurement());
    Deliver(rig, blocks[0]);
    Deliver(rig, blocks[1]);
    doc.StopMeasurement();
    EXPECT_EQ(doc.UpdateCounter(), 2u);
    EXPECT_TRUE(doc.IsResultValid());

    // A later measurement stopped before any result drops the earlier result.
    ASSERT_TRUE(doc.StartMeasurement());
    doc.StopMeasurement();
    EXPECT_FALSE(doc.IsResultValid());
}

TEST(MeasurementFlowTest, BlocksOutsideAMeasurementAndUnusableBlocks)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    const auto blocks = TwoStationBlocks(1);

    rig.link.StoreDataBlock(blocks[0]);
    rig.link.SetDataBlockReady(true);
    doc.OnBlockReady();
    EXPECT_TRUE(rig.link.IsDataBlockReady());  // not taken
    EXPECT_TRUE(rig.comms.Codes().empty());

    ASSERT_TRUE(doc.StartMeasurement());
    rig.comms.ForgetTaken();
    rig.observer.hints.clear();
    DataBlockRecord failed = blocks[1];
    failed.status = 3;  // no sensor
    Deliver(rig, blocks[0]);
    Deliver(rig, failed);
    EXPECT_TRUE(rig.observer.hints.empty());
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_GET_DATA_BLOCK, TM_GET_DATA_BLOCK}));
    EXPECT_EQ(doc.PairTotal(), 0u);
}

TEST(MeasurementFlowTest, AStationThatStopsAnsweringEndsTheMeasurement)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    LayPipe(doc);
    ASSERT_TRUE(doc.StartMeasurement());
    const auto blocks = TwoStationBlocks(4);
    auto silent = [](DataBlockRecord block) {
        block.status = 4;  // the interface unit got nothing from the outstation
        return block;
    };
    Deliver(rig, blocks[0]);
    Deliver(rig, blocks[1]);
    // One missing block is a lost radio reply: the measurement goes on.
    Deliver(rig, silent(blocks[2]));
    Deliver(rig, blocks[3]);
    Deliver(rig, blocks[4]);
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    rig.comms.ForgetTaken();
    Deliver(rig, silent(blocks[6]));
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 0u);
    Deliver(rig, blocks[5]);  // blue still answers; red is the one that is gone
    const uint32_t pairsBefore = doc.PairTotal();
    EXPECT_EQ(doc.EndReason(), 0u);
    Deliver(rig, silent(blocks[6]));
    EXPECT_EQ(rig.observer.Count(kHintMeasurementEnded), 1u);
    EXPECT_EQ(doc.EndReason(), str::kRedNotAnswering);
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_GET_DATA_BLOCK, TM_GET_DATA_BLOCK}));

    doc.StopMeasurement();
    EXPECT_TRUE(doc.IsResultValid());
    EXPECT_GE(pairsBefore, 1u);
    EXPECT_EQ(doc.PairTotal(), pairsBefore);  // what was summed is kept
}

TEST(MeasurementFlowTest, ThreeStationsFeedTheirPairsAndResynchroniseTogether)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup({0, 0, 0}, 50.0f, 900.0f);
    EXPECT_EQ(doc.ThreeStation().Record(1).pairCode, 12u);
    EXPECT_EQ(doc.ThreeStation().Record(2).filters.highCutoff, 900.0f);
    ASSERT_TRUE(doc.ThreeStationRun().Start());
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK}));
    EXPECT_EQ(rig.comms.Taken()[1].threeStation, 1);

    const auto blocks = ThreeStationBlocks(7);
    rig.comms.ForgetTaken();
    rig.observer.hints.clear();
    for (size_t i = 0; i < blocks.size(); ++i) {
        Deliver(rig, blocks[i], true);
        if (i == 1) {
            EXPECT_TRUE(rig.observer.hints.empty());  // red/blue has a result, the others not yet
        }
        if (i == 2) {
            EXPECT_EQ(rig.observer.hints, (std::vector<uint32_t>{kHintThreeStationResult, kHintThreeStationBlockSet}));
        }
    }
    const std::vector<int> codes = rig.comms.Codes();
    EXPECT_EQ(CountOf(codes, TM_GET_DATA_BLOCK), 21u);
    EXPECT_EQ(CountOf(codes, TM_START_SAMPLING), 1u);  // after the sixth set
    EXPECT_EQ(rig.observer.Count(kHintThreeStationBlockSet), 7u);
    EXPECT_EQ(rig.observer.Count(kHintThreeStationResult), 19u);
    for (const LinkCommand& command : rig.comms.Taken()) {
        if (command.code == TM_GET_DATA_BLOCK) {
            EXPECT_EQ(command.threeStation, 1);
        }
    }

    doc.ThreeStationRun().Stop();
    EXPECT_FALSE(doc.IsMeasuring());
    ExpectThreeStationDelays(doc, [&](int32_t pair) {
        EXPECT_EQ(doc.TraceBuffer().data(),
                  doc.ThreeStation().Trace(ThreeStationMeasurement::IndexForPair(pair)).data());
    });
    doc.ThreeStation().SetSelectedPair(ThreeStationMeasurement::kResultView);
    EXPECT_FALSE(doc.Recompute());
}

TEST(MeasurementFlowTest, ThreeStationResultViewOtherUnitsAndAFailedRestart)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup({0, 0, 0}, 0.0f, 0.0f);
    doc.ThreeStation().SetSelectedPair(ThreeStationMeasurement::kResultView);
    rig.comms.QueueStartAnswers({true, false});
    ASSERT_TRUE(doc.ThreeStationRun().Start());
    auto blocks = ThreeStationBlocks(6);

    rig.observer.hints.clear();
    rig.comms.ForgetTaken();
    DataBlockRecord interfaceBlock = blocks[0];
    interfaceBlock.unit = 0;
    Deliver(rig, interfaceBlock, true);
    EXPECT_FALSE(doc.ThreeStation().StationSeen(1));
    EXPECT_EQ(rig.comms.Codes(), std::vector<int>{TM_GET_DATA_BLOCK});
    EXPECT_TRUE(rig.observer.hints.empty());

    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
        Deliver(rig, blocks[i], true);
    }
    EXPECT_EQ(rig.observer.Count(kHintThreeStationCombinedResult), 15u);
    EXPECT_EQ(rig.observer.Count(kHintThreeStationResult), 0u);

    rig.observer.hints.clear();
    rig.comms.ForgetTaken();
    Deliver(rig, blocks.back(), true);
    // The restart was refused: the pairs start a new chain all the same and the next block is
    // asked for, but the views learn that no more will come.
    EXPECT_EQ(rig.comms.Codes(), (std::vector<int>{TM_START_SAMPLING, TM_GET_DATA_BLOCK}));
    EXPECT_EQ(doc.ThreeStation().Engine(0).PairCount(), 0u);
    EXPECT_EQ(rig.observer.hints, (std::vector<uint32_t>{kHintThreeStationCombinedResult, kHintThreeStationBlockSet,
                                                         kHintMeasurementEnded}));
}

TEST(MeasurementFlowTest, ThreeStationRecordsTravelThroughAFileImage)
{
    DocumentRig rig;
    CKorvantaDoc& doc = *rig.document;
    doc.EnterThreeStationMode();
    doc.ThreeStationRun().Setup({0, 1, 2}, 10.0f, 20.0f);
    doc.SetMeasuringTime("00:10:00");
    std::vector<uint8_t> file = {0xAA, 0xBB, 0xCC, 0xDD};
    doc.ThreeStation().AppendRecords(file);
    ASSERT_EQ(file.size(), 4u + 3u * 78588u);

    doc.ThreeStationRun().Clear();
    EXPECT_EQ(doc.ThreeStation().Record(2).range, 0u);
    const std::span<const uint8_t> records = std::span<const uint8_t>(file).subspan(4);
    EXPECT_FALSE(doc.ThreeStation().ReadRecords(records.first(records.size() - 1)));
    EXPECT_EQ(doc.ThreeStation().Record(2).range, 0u);  // untouched
    ASSERT_TRUE(doc.ThreeStation().ReadRecords(records));
    EXPECT_EQ(doc.ThreeStation().Record(0).pairCode, 6u);
    EXPECT_EQ(doc.ThreeStation().Record(1).range, 1u);
    EXPECT_EQ(doc.ThreeStation().Record(2).range, 2u);
    EXPECT_EQ(doc.ThreeStation().Record(2).filters.highCutoff, 20.0f);
    EXPECT_EQ(std::string(doc.ThreeStation().Record(1).measuringTime, 8), "00:10:00");

    // Leaving the mode brings the two-station state back to the settings' combination.
    rig.settings.SetSensorPairCode(5);
    doc.SetThreeStationMode(false);
    EXPECT_EQ(doc.SensorPairCode(), 5u);
    EXPECT_EQ(doc.Engine().PairCode(), 5);
    EXPECT_EQ(doc.CorrelationRange(), 0u);
}

}  // namespace
}  // namespace korvanta
