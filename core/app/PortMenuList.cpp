#include "core/app/PortMenuList.h"

#include <algorithm>

namespace korvanta {

PortMenuList::PortMenuList(const std::vector<std::string>& found, const std::vector<std::string>& named,
                           bool withSimulatedKit)
{
    for (const std::string& name : found) {
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
