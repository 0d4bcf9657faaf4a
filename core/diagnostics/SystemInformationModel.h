#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/link/CLinkState.h"

namespace korvanta {

// The firmware versions of the four units and whether this program works with each.
class SystemInformationModel {
public:
    static constexpr int kUnits = CLinkState::kUnits;
    static constexpr int kTickMs = 500;

    explicit SystemInformationModel(CLinkState& link) : link_(link) {}

    // Asks all four versions again (the frame runs it before the dialog opens).
    void Prepare();
    // Takes the versions that arrived; true when a text changed.
    bool Tick();
    void Close() { link_.ClearCommands(); }

    bool Received(int unit) const { return received_[unit] != 0; }
    const std::string& VersionText(int unit) const { return version_[unit]; }
    // 0 until the version arrived, else the compatible or incompatible message's ID.
    uint32_t StatusId(int unit) const { return status_[unit]; }

private:
    CLinkState& link_;
    std::array<uint8_t, kUnits> received_ = {};
    std::array<std::string, kUnits> version_;
    std::array<uint32_t, kUnits> status_ = {};
};

}  // namespace korvanta
