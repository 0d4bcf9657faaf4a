#include "core/link/FirmwareCheck.h"

#include <optional>
#include <string>

#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr size_t kNumberDigits = 3;

// The three characters after the prefix as an unsigned decimal number; nothing when they are
// not all digits.
std::optional<unsigned> VersionNumber(std::string_view version)
{
    const std::string_view digits = version.substr(kFirmwarePrefix.size(), kNumberDigits);
    unsigned number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    return number;
}

}  // namespace

bool IsFirmwareCompatible(std::string_view version)
{
    if (version.size() != kMinimumFirmware.size() || !version.starts_with(kFirmwarePrefix)) {
        return false;
    }
    const auto number = VersionNumber(version);
    const unsigned minimum = *VersionNumber(kMinimumFirmware);
    if (!number || *number < minimum) {
        return false;
    }
    if (*number > minimum) {
        return true;
    }
    return static_cast<unsigned char>(version.back()) >= static_cast<unsigned char>(kMinimumFirmware.back());
}

FirmwareVerdict FirmwareCheck::Run()
{
    link_.SetVersionUpdated(0, false);
    LinkCommand ask;
    ask.code = TM_GET_INTERFACE_VERSION;
    ask.unit = 0;
    link_.PostUrgentCommand(ask);

    const int64_t start = clock_.NowMs();
    std::optional<std::string> version;
    if (pump_ != nullptr) {
        pump_->BeginWait();
    }
    do {
        if (link_.IsVersionUpdated(0)) {
            version = link_.GetVersion(0);
        }
        if (pump_ != nullptr) {
            pump_->Pump();
        }
        clock_.SleepMs(kPollMs);
    } while (!version && clock_.NowMs() - start < kTimeoutMs);
    if (pump_ != nullptr) {
        pump_->EndWait();
    }
    if (!version) {
        return FirmwareVerdict::NoAnswer;
    }
    return IsFirmwareCompatible(*version) ? FirmwareVerdict::Compatible : FirmwareVerdict::Incompatible;
}

uint32_t FirmwareCheck::MessageFor(FirmwareVerdict verdict)
{
    switch (verdict) {
    case FirmwareVerdict::Incompatible:
        return str::kFirmwareIncompatible;
    case FirmwareVerdict::NoAnswer:
        return str::kReceiverNotAnswering;
    case FirmwareVerdict::Compatible:
        break;
    }
    return 0;
}

}  // namespace korvanta
