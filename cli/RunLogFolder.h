#pragma once

#include <filesystem>
#include <optional>

namespace korvanta::cli {

// Where one run's comms-thread log (DebugFile.txt) goes: the folder the user named with --log,
// or else a fresh private folder in the temporary folder, removed again at the end of the run,
// so that runs side by side never share or overwrite one log.
class RunLogFolder {
public:
    // Throws UsageError when a named folder does not exist or no private folder can be made.
    explicit RunLogFolder(const std::optional<std::filesystem::path>& named);
    ~RunLogFolder();
    RunLogFolder(const RunLogFolder&) = delete;
    RunLogFolder& operator=(const RunLogFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    bool owned_ = false;
};

}  // namespace korvanta::cli
