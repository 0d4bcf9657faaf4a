#include "core/diagnostics/SignalStrengthTest.h"

namespace korvanta {

namespace {

// Reply bytes of a radio test that judge its quality.
constexpr int kErrorByte = 12;
constexpr int kLevelByte = 10;
constexpr int kLevelAcceptable = 13;
constexpr int kRetryByteA = 4;
constexpr int kRetryByteB = 5;

}  // namespace

bool SignalStrengthTest::Tick(int64_t nowMs)
{
    switch (state_) {
    case State::Search: {
        int mask = 0;
        for (int i = 0; i < kOutstations; ++i) {
            if (found_[i] == 0) {
                mask |= 2 << i;
            }
        }
        link_.SetSensorStatusUpdated(false);
        LinkCommand command;
        command.code = TM_GET_SENSOR_STATUS;
        command.unitMask = mask;
        link_.PostCommand(command);
        ++attempts_;
        waitStartMs_ = nowMs;
        state_ = State::WaitForStatus;
        return false;
    }
    case State::WaitForStatus:
        return CheckStatus(nowMs);
    case State::NextTest:
        PostNextTest(nowMs);
        return false;
    case State::WaitForResult:
        return CheckResult(nowMs);
    }
    return false;
}

bool SignalStrengthTest::CheckStatus(int64_t nowMs)
{
    const bool answered = link_.IsSensorStatusUpdated();
    if (!answered && nowMs - waitStartMs_ < kStatusTimeoutMs) {
        return false;
    }
    if (!answered) {
        // The request is lost or still waits behind others; asking again must not pile up.
        link_.ClearCommands();
    }
    bool missing = false;
    for (int i = 0; i < kOutstations; ++i) {
        bool present = false;
        bool sensor = false;
        link_.GetUnitStatus(i + 1, present, sensor);
        if (answered && present) {
            found_[i] = 1;
        }
        missing = missing || found_[i] == 0;
    }
    if (missing && attempts_ < kMaxSearches) {
        state_ = State::Search;
    } else {
        EndSearch();
    }
    return true;
}

void SignalStrengthTest::EndSearch()
{
    searchDone_ = true;
    state_ = State::NextTest;
}

void SignalStrengthTest::PostNextTest(int64_t nowMs)
{
    if (found_[0] == 0 && found_[1] == 0 && found_[2] == 0) {
        return;
    }
    do {
        ++unit_;
        if (unit_ > kOutstations) {
            unit_ = 1;
            flag_ ^= 1;
        }
    } while (found_[unit_ - 1] == 0);
    link_.SetRadioTestDone(false);
    LinkCommand command;
    command.code = TM_TEST_RADIO_COMMS;
    command.unit = unit_;
    command.flag = flag_;
    link_.PostCommand(command);
    waitStartMs_ = nowMs;
    state_ = State::WaitForResult;
}

bool SignalStrengthTest::CheckResult(int64_t nowMs)
{
    const RadioTestResult result = link_.GetRadioTestResult();
    if (result.done == 0 && nowMs - waitStartMs_ < kResultTimeoutMs) {
        return false;
    }
    CSignalStrengthBar& bar = bars_[unit_ - 1];
    bar.AddTest();
    if (result.done == 0) {
        // Never answered (no port, the reset button, a dead link): a failed test, and the
        // request is dropped so that the next one does not queue behind it.
        link_.ClearCommands();
    } else if (result.ok == 1 && result.reply[kErrorByte] == 0 && result.reply[kLevelByte] >= kLevelAcceptable) {
        bar.AddAcceptable();
        if (result.reply[kRetryByteA] == 0 && result.reply[kRetryByteB] == 0) {
            bar.AddPerfect();
        }
    }
    state_ = State::NextTest;
    return true;
}

}  // namespace korvanta
