#include "core/app/PortMenuList.h"

#include <algorithm>

#include "core/app/NaturalOrder.h"

namespace korvanta {

PortMenuList::PortMenuList(const std::vector<std::string>& found, const std::vector<std::string>& named,
                           bool withSimulatedKit)
{
    // COM2 before COM10, whatever order the machine lists them in.
    std::vector<std::string> serial = found;
    std::stable_sort(serial.begin(), serial.end(),
                     [](const std::string& a, const std::string& b) { return NaturalLess(a, b); });
    for (const std::string& name : serial) {
        Add(name);
    }
    for (const std::string& name : named) {
        Add(name);
    }
    if (withSimulatedKit) {
        Add(kSimulatedKit);
    }
}

void PortMenuList::Add(const std::string& name)
{
    const bool full = names_.size() > kLastId - kFirstId;
    if (name.empty() || full || std::find(names_.begin(), names_.end(), name) != names_.end()) {
        return;
    }
    names_.push_back(name);
}

std::optional<std::string> PortMenuList::NameOf(uint32_t id) const
{
    if (id < kFirstId || id - kFirstId >= names_.size()) {
        return std::nullopt;
    }
    return names_[id - kFirstId];
}

std::optional<uint32_t> PortMenuList::IdOf(const std::string& name) const
{
    const auto it = std::find(names_.begin(), names_.end(), name);
    if (it == names_.end()) {
        return std::nullopt;
    }
    return kFirstId + static_cast<uint32_t>(it - names_.begin());
}

}  // namespace korvanta
