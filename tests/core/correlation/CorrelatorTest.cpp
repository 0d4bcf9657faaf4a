#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "core/correlation/CCorrelator.h"
#include "core/record/MeasurementRecord.h"
#include "tests/support/BlockFactory.h"

namespace korvanta {
namespace {

using test::MakeBlock;
using test::RandomValues;

class CorrelatorTest : public testing::Test {
protected:
    void SetUp() override
    {
        record_ = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
        engine_ = std::make_unique<CCorrelator>();
        engine_->Init(trace_, spectrumA_, spectrumB_, 620, 180, 504, 155);
        engine_->SetRecord(record_.get());
    }

    // One block from red (ring 1 in pair 6) and one from blue (ring 0), with the same numbers.
    bool FeedPair(uint16_t number, uint32_t seed = 1)
    {
        const auto red = RandomValues(seed * 2 + number);
        const auto blue = RandomValues(seed * 2 + number + 1000);
        engine_->ProcessBlock(MakeBlock(1, number, red));
        return engine_->ProcessBlock(MakeBlock(2, number, blue));
    }

    std::array<int32_t, 620> trace_{};
    std::array<int32_t, 504> spectrumA_{}, spectrumB_{};
    std::unique_ptr<MeasurementRecord> record_;
    std::unique_ptr<CCorrelator> engine_;
};

TEST_F(CorrelatorTest, UnitsChooseRingsByPairCode)
{
    engine_->SetPairCode(6);
    EXPECT_EQ(engine_->RingForUnit(1), 1);
    EXPECT_EQ(engine_->RingForUnit(2), 0);
    EXPECT_EQ(engine_->RingForUnit(3), 0);
    EXPECT_EQ(engine_->RingForUnit(0), 0);
    EXPECT_EQ(engine_->RingForUnit(7), 1);
    engine_->SetPairCode(12);
    EXPECT_EQ(engine_->RingForUnit(2), 1);
    EXPECT_EQ(engine_->RingForUnit(3), 0);
    engine_->SetPairCode(10);
    EXPECT_EQ(engine_->RingForUnit(1), 1);
    EXPECT_EQ(engine_->RingForUnit(3), 0);
    engine_->SetPairCode(9);  // interface unit and yellow: yellow is ring 1
    EXPECT_EQ(engine_->RingForUnit(3), 1);
}

TEST_F(CorrelatorTest, BlocksThatCannotStartOrContinueARunAreDropped)
{
    engine_->ResetMeasurement();
    const auto values = RandomValues(3);
    EXPECT_FALSE(engine_->ProcessBlock(MakeBlock(1, 1, values)));  // a run starts with block 0
    EXPECT_FALSE(engine_->ProcessBlock(MakeBlock(1, 0, values, 0, 5)));  // nothing sampled
    // Two blocks of one station and none of the other make no pair.
    EXPECT_FALSE(engine_->ProcessBlock(MakeBlock(2, 0, values)));
    EXPECT_FALSE(engine_->ProcessBlock(MakeBlock(2, 0, values)));  // repeated
    EXPECT_EQ(record_->pairTotal, 0u);
    EXPECT_EQ(engine_->PairCount(), 0u);
}

TEST_F(CorrelatorTest, RangeZeroGivesAResultAfterOnePair)
{
    record_->range = 0;
    engine_->ResetMeasurement();
    EXPECT_TRUE(FeedPair(0));
    EXPECT_TRUE(engine_->IsResultReady());
    EXPECT_EQ(record_->pairTotal, 1u);
    EXPECT_GE(engine_->GetQuality(), 1);
}

TEST_F(CorrelatorTest, WideRangeWaitsForItsSideSegments)
{
    record_->range = 2;
    engine_->ResetMeasurement();
    EXPECT_FALSE(FeedPair(0));
    EXPECT_FALSE(FeedPair(1));
    // After two pairs segments 1..3 exist, the outer two are still untouched.
    const float* correlation = engine_->Correlation();
    for (int j = 0; j < 4096; ++j) {
        ASSERT_EQ(correlation[j], 0.0f);
        ASSERT_EQ(correlation[4 * 4096 + j], 0.0f);
    }
    EXPECT_GT(correlation[2 * 4096 + 2048] + correlation[4096 + 100], 0.0f);
    EXPECT_FALSE(engine_->IsResultReady());
    EXPECT_TRUE(FeedPair(2));
    EXPECT_FALSE(engine_->IsResultReady());  // five pairs are needed
    FeedPair(3);
    FeedPair(4);
    EXPECT_TRUE(engine_->IsResultReady());
}

TEST_F(CorrelatorTest, FullBlockKeepsAtMost1023BinsAndHonoursTheExponent)
{
    record_->range = 0;
    engine_->ResetMeasurement();
    std::array<int16_t, 2048> values{};
    values[2] = 3;     // bin 1 real
    values[2046] = 5;  // bin 1023 real: beyond the 1023 bins a full block carries
    engine_->ProcessBlock(MakeBlock(1, 0, values, -2));
    engine_->ProcessBlock(MakeBlock(2, 0, values, 3));
    engine_->StoreToRecord();
    // ring 1 (red): 3 * 4 = 12; ring 0 (blue): 3 / 8.
    EXPECT_FLOAT_EQ(record_->quietest[1][1].re, 12.0f);
    EXPECT_FLOAT_EQ(record_->quietest[0][1].re, 0.375f);
    EXPECT_EQ(record_->quietest[1][1023].re, 0.0f);
    // The centre sum holds red times conjugate blue.
    EXPECT_FLOAT_EQ(record_->accumulators[2].bins[1].re, 4.5f);
}

TEST_F(CorrelatorTest, QuietestPairIsReplacedOnlyByAStrictlyQuieterOne)
{
    record_->range = 0;
    engine_->ResetMeasurement();
    std::array<int16_t, 2048> loud{}, quiet{};
    loud[2] = 100;
    quiet[2] = 10;
    engine_->ProcessBlock(MakeBlock(1, 0, loud));
    engine_->ProcessBlock(MakeBlock(2, 0, loud));
    const double first = engine_->QuietestPowerProduct();
    engine_->ProcessBlock(MakeBlock(1, 1, quiet));
    engine_->ProcessBlock(MakeBlock(2, 1, loud));
    EXPECT_LT(engine_->QuietestPowerProduct(), first);
    const double second = engine_->QuietestPowerProduct();
    // Same product again (swapped stations): no replacement, so red keeps the quiet spectrum.
    engine_->ProcessBlock(MakeBlock(1, 2, loud));
    engine_->ProcessBlock(MakeBlock(2, 2, quiet));
    EXPECT_EQ(engine_->QuietestPowerProduct(), second);
    engine_->StoreToRecord();
    EXPECT_FLOAT_EQ(record_->quietest[1][1].re, 10.0f);
}

TEST_F(CorrelatorTest, ChainsRestartAfterSixPairs)
{
    record_->range = 1;
    engine_->ResetMeasurement();
    for (uint16_t n = 0; n < 6; ++n)
        FeedPair(n);
    EXPECT_TRUE(engine_->NeedsRestart());
    engine_->RestartSequence();
    EXPECT_EQ(engine_->PairCount(), 0u);
    EXPECT_FALSE(engine_->NeedsRestart());
    // The next run starts with block 0 again; the first pair of the new chain builds no trace in range 1.
    const auto values = RandomValues(77);
    EXPECT_FALSE(engine_->ProcessBlock(MakeBlock(1, 6, values)));
    EXPECT_FALSE(FeedPair(0, 9));
    EXPECT_TRUE(FeedPair(1, 9));
    EXPECT_EQ(record_->pairTotal, 8u);
}

TEST_F(CorrelatorTest, StoreAndRestoreGiveTheSameResult)
{
    record_->range = 1;
    engine_->ResetMeasurement();
    for (uint16_t n = 0; n < 5; ++n)
        FeedPair(n, 4);
    engine_->StoreToRecord();
    const auto liveTrace = trace_;
    const float liveDelay = engine_->GetDelay();

    auto other = std::make_unique<CCorrelator>();
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> a{}, b{};
    other->Init(trace, a, b, 620, 180, 504, 155);
    other->SetRecord(record_.get());
    EXPECT_TRUE(other->RestoreFromRecord());
    EXPECT_EQ(other->GetDelay(), liveDelay);
    EXPECT_EQ(trace, liveTrace);
    EXPECT_EQ(a, spectrumA_);
}

TEST_F(CorrelatorTest, SecondInitKeepsTheFirstSizes)
{
    std::array<int32_t, 10> small{};
    engine_->Init(small, small, small, 10, 10, 10, 10);
    EXPECT_EQ(engine_->Trace().Width(), 620u);
}

TEST_F(CorrelatorTest, DamagedStoredValuesStayInsideTheArrays)
{
    record_->range = 7;  // not a range
    record_->pairTotal = 1000;
    EXPECT_FALSE(engine_->RestoreFromRecord());
    EXPECT_FALSE(engine_->IsResultReady());
    EXPECT_FALSE(engine_->CanZoom(2));
    uint32_t column = 100;
    EXPECT_EQ(engine_->SetZoom(column, 2), 1u);

    record_->range = 0;
    record_->filters.lowCutoff = 5000.0f;  // above the spectrum
    record_->filters.notches[0] = {-50.0f, 1e9f};
    EXPECT_TRUE(engine_->RestoreFromRecord());
    EXPECT_EQ(engine_->Mask()[1023], 0);
}

TEST_F(CorrelatorTest, UndecodableBlockAddsAnEmptySpectrum)
{
    record_->range = 0;
    engine_->ResetMeasurement();
    DataBlockRecord broken;
    broken.unit = 1;
    broken.payloadLength = kPayloadBytes;
    // Header: W=1 T=0 P=0 S=0, E = 0xFFFF (more values than a block holds).
    broken.payload[0] = 0x10;
    broken.payload[2] = 0xFF;
    broken.payload[3] = 0xFF;
    engine_->ProcessBlock(broken);
    EXPECT_TRUE(engine_->ProcessBlock(MakeBlock(2, 0, RandomValues(5))));
    EXPECT_EQ(engine_->QuietestPowerProduct(), 0.0);  // an empty block is never the quietest
    EXPECT_EQ(engine_->Accumulator(2)[10].re, 0.0f);
}

}  // namespace
}  // namespace korvanta
