#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace korvanta {

// The most recently opened or saved files, newest first, each once, at most `capacity`.
class RecentFileList {
public:
    static constexpr size_t kDefaultCapacity = 4;

    explicit RecentFileList(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // Puts `path` first, removing an older entry of the same path and the oldest beyond capacity.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    // Replaces the list, as read back from the settings: empty and repeated entries are dropped.
    void Assign(const std::vector<std::string>& paths);
    const std::vector<std::string>& Paths() const { return paths_; }
    size_t Capacity() const { return capacity_; }

private:
    size_t capacity_;
    std::vector<std::string> paths_;
};

}  // namespace korvanta
