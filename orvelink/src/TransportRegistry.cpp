#include "orvelink/src/TransportRegistry.h"

#include <cstring>

namespace korvanta::orvelink {

bool TransportRegistry::IsValid(const char* name, const orvelink_transport_ops* ops)
{
    if (name == nullptr || ops == nullptr || ops->read == nullptr || ops->write == nullptr) {
        return false;
    }
    const std::size_t length = strnlen(name, kMaxNameLength + 1);
    return length > 0 && length <= kMaxNameLength;
}

void TransportRegistry::Add(const std::string& name, const orvelink_transport_ops& ops, void* context)
{
    entries_[name] = Entry{ops, context};
}

bool TransportRegistry::Remove(const std::string& name)
{
    return entries_.erase(name) > 0;
}

std::optional<TransportRegistry::Entry> TransportRegistry::Find(const std::string& name) const
{
    const auto found = entries_.find(name);
    if (found == entries_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace korvanta::orvelink
