#include "cli/RunLogFolder.h"

#include <random>
#include <sstream>
#include <system_error>

#include "cli/CommandLine.h"

namespace korvanta::cli {

namespace {

constexpr int kAttempts = 16;

}  // namespace

RunLogFolder::RunLogFolder(const std::optional<std::filesystem::path>& named)
{
    std::error_code error;
    if (named) {
        if (!std::filesystem::is_directory(*named, error)) {
            throw UsageError("--log " + named->string() + ": no such folder");
        }
        path_ = *named;
        return;
    }
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    if (error) {
        throw UsageError("no temporary folder for the comms log: " + error.message());
    }
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::ostringstream name;
        name << "korvanta-cli-" << std::hex << random();
        const std::filesystem::path candidate = temporary / name.str();
        // create_directory makes the folder only when nothing of that name exists yet.
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            owned_ = true;
            return;
        }
    }
    throw UsageError("cannot make a private folder for the comms log in " + temporary.string());
}

RunLogFolder::~RunLogFolder()
{
    if (owned_) {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
}

}  // namespace korvanta::cli
