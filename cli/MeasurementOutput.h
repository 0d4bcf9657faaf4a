#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace korvanta::cli {

// Where a measurement's file goes. A run takes minutes, so the file named with --out is checked
// before anything is measured (its folder, that it can be replaced, room on the disk for its
// fixed size); a run that measured no pair writes nothing over it; and when the save still fails
// at the end the measurement is kept in the user's data folder instead, under a name of its own.
class MeasurementOutput {
public:
    // Writes the measurement to a path; false with the reason.
    using Writer = std::function<bool(const std::filesystem::path&, std::string&)>;

    // `command` names the tool's command in messages; `extension` is ".kvd" or ".kv3".
    MeasurementOutput(std::string command, std::optional<std::filesystem::path> out, uint64_t fileBytes,
                      std::string extension);

    // Throws UsageError, naming the file and the reason, when --out cannot take the file.
    void CheckBeforeMeasuring() const;

    enum class Saved { NotAsked, NothingMeasured, AtOut, Elsewhere, Lost };
    // Saves when --out was given and `pairs` > 0, reporting on stderr what happened and where.
    Saved Save(uint64_t pairs, const Writer& write) const;

    // A fresh name for the kept measurement in `folder`, after --out's name and the time.
    std::filesystem::path FallbackPath(const std::filesystem::path& folder) const;

private:
    std::string command_;
    std::optional<std::filesystem::path> out_;
    uint64_t fileBytes_;
    std::string extension_;
};

}  // namespace korvanta::cli
