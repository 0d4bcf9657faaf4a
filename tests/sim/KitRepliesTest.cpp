#include <gtest/gtest.h>

#include "KitTestSupport.h"
#include "core/link/ReplyDecoding.h"
#include "core/text/StringIds.h"
#include "sim/KitReplies.h"

namespace korvanta::sim::test {
namespace {

using Units = std::array<UnitSettings, kKitUnits>;

struct RefusalCase {
    const char* name;
    uint8_t selected;
    void (*breakUnits)(Units&);
    uint32_t expectedMessage;
};

void PrintTo(const RefusalCase& refusal, std::ostream* out)
{
    *out << refusal.name;
}

// The program names the cause of a refused start from the two masks alone; each fault of the
// kit must lead it to the right message.
class SamplingRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(SamplingRefusalTest, ProgramNamesTheCause)
{
    const RefusalCase c = GetParam();
    std::array<UnitSettings, kKitUnits> units = DefaultUnits();
    units[kInterfaceUnit].sensor = true;
    c.breakUnits(units);
    const RefusalMasks masks = SamplingRefusal(c.selected, units);
    EXPECT_TRUE(masks.Refused());
    EXPECT_EQ(StartSamplingFailureId(masks.a, masks.b), c.expectedMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, SamplingRefusalTest,
    testing::Values(RefusalCase{"RedOff", 6, [](Units& u) { u[1].on = false; }, str::kRedNotAnswering},
                    RefusalCase{"BlueOff", 6, [](Units& u) { u[2].on = false; }, str::kBlueNotAnswering},
                    RefusalCase{"YellowOff", 14, [](Units& u) { u[3].on = false; }, str::kYellowNotAnswering},
                    RefusalCase{"RedNoSensor", 6, [](Units& u) { u[1].sensor = false; }, str::kNoSensorRed},
                    RefusalCase{"BlueNoSensor", 12, [](Units& u) { u[2].sensor = false; }, str::kNoSensorBlue},
                    RefusalCase{"YellowNoSensor", 10, [](Units& u) { u[3].sensor = false; }, str::kNoSensorYellow},
                    RefusalCase{"RedFaulty", 6, [](Units& u) { u[1].faulty = true; }, str::kRedFault},
                    RefusalCase{"BlueFaulty", 6, [](Units& u) { u[2].faulty = true; }, str::kBlueFault},
                    RefusalCase{"YellowFaulty", 12, [](Units& u) { u[3].faulty = true; }, str::kYellowFault},
                    RefusalCase{"InterfaceNoSensor", 3, [](Units& u) { u[0].sensor = false; }, str::kNoSensorInterface},
                    // An outstation that does not answer cannot say whether its sensor is plugged in.
                    RefusalCase{"OffWithoutSensor", 6,
                                [](Units& u) {
                                    u[2].on = false;
                                    u[2].sensor = false;
                                },
                                str::kBlueNotAnswering},
                    // Red is named first when both stations of the pair have a fault.
                    RefusalCase{"BlueOffRedFaulty", 6,
                                [](Units& u) {
                                    u[2].on = false;
                                    u[1].faulty = true;
                                },
                                str::kRedFault}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

TEST(SamplingRefusal, UnitsOutsideTheSelectionDoNotCount)
{
    std::array<UnitSettings, kKitUnits> units = DefaultUnits();
    units[3].on = false;
    units[kInterfaceUnit].sensor = false;
    EXPECT_FALSE(SamplingRefusal(6, units).Refused());
}

TEST(KitReplies, DataBlockReplyPlacesEveryField)
{
    DataBlockRecord record;
    record.unit = 2;
    record.status = kBlockSampled;
    record.battery = 77;
    record.blockNumber = 0x1234;
    record.exponent = -5;
    record.payload[0] = 0xAB;
    record.payload[kPayloadBytes - 1] = 0xCD;
    const Bytes reply = DataBlockReply(record, kResetFlag);
    ASSERT_EQ(reply.size(), 2808u);
    EXPECT_EQ(reply[0], kOpDataBlock);
    EXPECT_EQ(reply[1], 2);
    EXPECT_EQ(reply[2], kBlockSampled);
    EXPECT_EQ(reply[3], 77);
    EXPECT_EQ(reply[4], 0x12);  // block number high byte first
    EXPECT_EQ(reply[5], 0x34);
    EXPECT_EQ(static_cast<int8_t>(reply[6]), -5);
    EXPECT_EQ(reply[7], kResetFlag);
    EXPECT_EQ(reply[8], 0xAB);
    EXPECT_EQ(reply[2807], 0xCD);
}

}  // namespace
}  // namespace korvanta::sim::test
