#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvanta {

// The ports the port menu offers, in order: the serial ports found on the machine (in natural
// order, COM2 before COM10), then the ports named on the command line (pseudo-terminals, which
// no port listing shows), then the simulated field kit. Item i carries the command ID 10 + i; a
// name is offered only once.
class PortMenuList {
public:
    static constexpr uint32_t kFirstId = 10;
    static constexpr uint32_t kLastId = 266;
    static constexpr const char* kSimulatedKit = "SIM";

    PortMenuList(const std::vector<std::string>& found, const std::vector<std::string>& named,
                 bool withSimulatedKit = true);

    const std::vector<std::string>& Names() const { return names_; }
    bool Empty() const { return names_.empty(); }
    // The port of a command ID, or nothing for an ID outside the list.
    std::optional<std::string> NameOf(uint32_t id) const;
    // The command ID of a port name, or nothing when the list does not hold it.
    std::optional<uint32_t> IdOf(const std::string& name) const;

private:
    void Add(const std::string& name);

    std::vector<std::string> names_;
};

}  // namespace korvanta
