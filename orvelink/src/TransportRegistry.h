#pragma once

#include <map>
#include <optional>
#include <string>

#include "orvelink/orvelink_transport.h"

namespace korvanta::orvelink {

// The named in-process transports the host has registered. Not locked: the link session owns
// the one instance and guards it with its own mutex.
class TransportRegistry {
public:
    struct Entry {
        orvelink_transport_ops ops{};
        void* context = nullptr;
    };

    static constexpr std::size_t kMaxNameLength = 63;

    static bool IsValid(const char* name, const orvelink_transport_ops* ops);
    void Add(const std::string& name, const orvelink_transport_ops& ops, void* context);
    bool Remove(const std::string& name);
    std::optional<Entry> Find(const std::string& name) const;

private:
    std::map<std::string, Entry> entries_;
};

}  // namespace korvanta::orvelink
