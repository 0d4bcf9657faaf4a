#include "core/app/RecentFileList.h"

#include <algorithm>

namespace korvanta {

void RecentFileList::Add(const std::string& path)
{
    if (path.empty()) {
        return;
    }
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > capacity_) {
        paths_.resize(capacity_);
    }
}

void RecentFileList::Remove(const std::string& path)
{
    std::erase(paths_, path);
}

void RecentFileList::Assign(const std::vector<std::string>& paths)
{
    paths_.clear();
    for (const std::string& path : paths) {
        if (!path.empty() && paths_.size() < capacity_ &&
            std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
            paths_.push_back(path);
        }
    }
}

}  // namespace korvanta
