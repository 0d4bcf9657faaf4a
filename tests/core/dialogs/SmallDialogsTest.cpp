#include <clocale>
#include <deque>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/dialogs/Countdown.h"
#include "core/dialogs/FileInformationForm.h"
#include "core/dialogs/MeasurementSetupLoop.h"
#include "core/text/NumberText.h"
#include "core/text/StringIds.h"
#include "tests/core/pipe/PipeTestSupport.h"

namespace korvanta {
namespace {

// Plays the user's answers to the setup dialog and records what the loop did.
class ScriptedSetupHost final : public MeasurementSetupHost {
public:
    std::deque<SetupDialogResult> answers;
    std::vector<std::string> log;
    std::vector<SetupDialogState> shown;
    PipeSections pipe{};
    uint32_t range = 1;

    SetupDialogResult RunSetupDialog(const SetupDialogState& state) override
    {
        shown.push_back(state);
        SetupDialogResult next = answers.front();
        answers.pop_front();
        return next;
    }
    void RunPipeData() override
    {
        log.push_back("pipe");
        pipe[0] = pipetest::Section(8, 50.0f, 400.0f);  // the user defines a first section
    }
    void RunSensorCombination() override { log.push_back("sensor"); }
    const PipeSections& Pipe() const override { return pipe; }
    uint32_t Range() const override { return range; }
    void SetupClosed(std::optional<uint32_t> confirmed) override
    {
        log.push_back(confirmed ? "closed " + std::to_string(*confirmed) : "closed");
    }
};

TEST(MeasurementSetupLoop, DetoursComeBackAndOnlyItsOwnOkOrCancelEndsIt)
{
    ScriptedSetupHost host;
    host.answers = {{SetupChoice::Sensor, 2}, {SetupChoice::Pipe, 2}, {SetupChoice::Ok, 2}};
    EXPECT_EQ(MeasurementSetupLoop::Run(host), 2u);
    EXPECT_EQ(host.log, (std::vector<std::string>{"closed", "sensor", "closed", "pipe", "closed 2"}));
    ASSERT_EQ(host.shown.size(), 3u);
    EXPECT_TRUE(host.shown[0].editable);
    EXPECT_EQ(host.shown[0].timeIndex, 1);
    EXPECT_TRUE(host.shown[1].editable);
    EXPECT_FALSE(host.shown[2].editable);  // the pipe now has a section

    ScriptedSetupHost cancelled;
    cancelled.range = 7;  // a damaged range shows the first radio
    cancelled.answers = {{SetupChoice::Cancel, 2}};
    EXPECT_EQ(MeasurementSetupLoop::Run(cancelled), std::nullopt);
    EXPECT_EQ(cancelled.shown[0].timeIndex, 0);
    EXPECT_EQ(cancelled.log, std::vector<std::string>{"closed"});
}

TEST(MeasurementSetupLoop, AnySectionInUseLocksTheMeasurementTime)
{
    PipeSections pipe{};
    pipe[9].inUse = 1;  // not packed, still in use
    EXPECT_FALSE(MeasurementSetupLoop::StateFor(pipe, 0).editable);
    pipe[9].inUse = 2;
    EXPECT_TRUE(MeasurementSetupLoop::StateFor(pipe, 0).editable);
}

TEST(Countdown, ClosesOnTheTickThatTakesItBelowZero)
{
    for (int seconds : {0, 1, 3}) {
        Countdown countdown(seconds);
        int ticks = 1;
        while (!countdown.Tick()) {
            ++ticks;
            ASSERT_LT(ticks, 100);
        }
        EXPECT_EQ(ticks, seconds + 1);
    }
    EXPECT_EQ(Countdown(40).Position(), 15);
    EXPECT_EQ(Countdown(-3).Position(), 0);
}

TEST(GisCode, CommasAndLineBreaksAreTakenWhatTheFileCannotHoldIsRefused)
{
    for (const char* code : {"DK-1234/56", "", "DK,42", "12\n34", "12\r\n", "\"Ø\"\tVej?", "Å-ledning €5"}) {
        EXPECT_EQ(CheckGisCode(code), str::kNoError) << code;
    }
    for (const char* code : {"rør ∅110", "DK\x01", "a\x7F", "\xC3", "\xC2\x81", "漢"}) {
        EXPECT_EQ(CheckGisCode(code), str::kGisCodeNotWritable) << code;
    }
}

TEST(NumberText, ReadsAndWritesAPointUnderADanishLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool danish = std::setlocale(LC_ALL, "da_DK.UTF-8") != nullptr;
    EXPECT_EQ(FormatFixed(1.235, 2), "1.24");  // 1.235 is stored a little above
    EXPECT_EQ(FormatFixed(0.5, 0), "0");       // halfway cases round to even, as printf does
    EXPECT_EQ(FormatFixed(-12.0, 1), "-12.0");
    EXPECT_EQ(FormatGeneral(328.084, 6), "328.084");
    EXPECT_EQ(ParseLeadingFloat(" 12.5Hz"), 12.5f);
    EXPECT_EQ(ParseLeadingFloat("1e99"), HUGE_VALF);
    EXPECT_EQ(ParseLeadingFloat("1e-99"), 0.0f);
    EXPECT_EQ(ParseLeadingFloat("Høj"), std::nullopt);
    EXPECT_EQ(ParseWholeFloat("12,5"), std::nullopt);
    std::setlocale(LC_ALL, previous.c_str());
    if (!danish)
        GTEST_SKIP() << "da_DK.UTF-8 is not installed; checked under the C locale only";
}

}  // namespace
}  // namespace korvanta
