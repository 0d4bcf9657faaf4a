#include "core/link/FirmwareCheck.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/StringIds.h"
#include "tests/core/link/FakeClock.h"

namespace korvanta {
namespace {

TEST(FirmwareRule, VersionTexts)
{
    struct Case {
        const char* version;
        bool compatible;
    };
    const Case cases[] = {
        {"QX-913-07-200C", true},                              // the minimum itself
        {"QX-913-07-200B", false},                             // same number, older letter
        {"QX-913-07-200D", true},   {"QX-913-07-201A", true},  // newer number, any letter
        {"QX-913-07-199Z", false},  {"QX-913-07-999A", true},
        {"QX-913-07-1000C", false},                             // a longer number is refused whatever its value
        {"QX-913-07-20C", false},   {"QX-913-08-300C", false},  // another family
        {"qx-913-07-300C", false},  {"QX-913-07-2x0C", false},  // not a number
        {"QX-913-07- 99C", false},  {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsFirmwareCompatible(c.version), c.compatible) << c.version;
    }
}

// Answers the version request after `delayMs` on the fake clock, from the pump as the comms
// thread would between two polls.
class AnsweringPump final : public IWaitPump {
public:
    AnsweringPump(CLinkState& link, test::FakeClock& clock, int64_t delayMs, std::string version)
        : link_(link), clock_(clock), delayMs_(delayMs), version_(std::move(version))
    {
    }
    void BeginWait() override { ++begun; }
    void Pump() override
    {
        ++pumped;
        LinkCommand command;
        if (!asked && link_.GetNextCommand(command)) {
            asked = command.code == TM_GET_INTERFACE_VERSION;
            start_ = clock_.NowMs();
        }
        if (asked && !answered && clock_.NowMs() - start_ >= delayMs_) {
            link_.SetVersion(0, version_);
            link_.SetVersionUpdated(0, true);
            answered = true;
        }
    }
    void EndWait() override { ++ended; }

    int begun = 0, pumped = 0, ended = 0;
    bool asked = false, answered = false;

private:
    CLinkState& link_;
    test::FakeClock& clock_;
    int64_t delayMs_;
    std::string version_;
    int64_t start_ = 0;
};

TEST(FirmwareCheck, AsksUrgentlyAndJudgesTheAnswer)
{
    for (const auto& [version, expected] : {std::pair{"QX-913-07-200C", FirmwareVerdict::Compatible},
                                            std::pair{"QX-913-07-200B", FirmwareVerdict::Incompatible}}) {
        CLinkState link;
        LinkCommand waiting;
        waiting.code = TM_GET_CHARGE_STATUS;
        link.PostCommand(waiting);
        test::FakeClock clock;
        AnsweringPump pump(link, clock, 2000, version);
        EXPECT_EQ(FirmwareCheck(link, clock, &pump).Run(), expected) << version;
        EXPECT_TRUE(pump.asked) << "the version request runs ahead of the waiting command";
        EXPECT_EQ(pump.begun, 1);
        EXPECT_EQ(pump.ended, 1);
        EXPECT_LT(clock.NowMs(), 2500) << "stops waiting once the version is read";
    }
}

TEST(FirmwareCheck, NoAnswerWithinTenSecondsIsNotTakenForOldFirmware)
{
    CLinkState link;
    test::FakeClock clock;
    AnsweringPump pump(link, clock, 10500, "QX-913-07-300A");
    const FirmwareVerdict verdict = FirmwareCheck(link, clock, &pump).Run();
    EXPECT_EQ(verdict, FirmwareVerdict::NoAnswer);
    EXPECT_EQ(FirmwareCheck::MessageFor(verdict), str::kReceiverNotAnswering);
    EXPECT_EQ(FirmwareCheck::MessageFor(FirmwareVerdict::Incompatible), str::kFirmwareIncompatible);
    EXPECT_GE(clock.NowMs(), FirmwareCheck::kTimeoutMs);
    EXPECT_LE(clock.NowMs(), FirmwareCheck::kTimeoutMs + FirmwareCheck::kPollMs);
    EXPECT_EQ(pump.pumped, 100);
}

TEST(FirmwareCheck, AStaleVersionFromBeforeTheRequestIsNotTaken)
{
    CLinkState link;
    link.SetVersion(0, "QX-913-07-300A");
    link.SetVersionUpdated(0, true);
    test::FakeClock clock;
    EXPECT_EQ(FirmwareCheck(link, clock, nullptr).Run(), FirmwareVerdict::NoAnswer);
}

}  // namespace
}  // namespace korvanta
