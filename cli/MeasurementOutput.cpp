#include "cli/MeasurementOutput.h"

#include <cstdio>
#include <iostream>
#include <system_error>

#include "cli/CommandLine.h"
#include "core/app/DataFolder.h"
#include "core/fileio/AtomicFileWriter.h"
#include "core/platform/PlatformTime.h"

namespace korvanta::cli {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;
constexpr const char* kFallbackFolder = "unsaved";

}  // namespace

MeasurementOutput::MeasurementOutput(std::string command, std::optional<fs::path> out, uint64_t fileBytes,
                                     std::string extension)
    : command_(std::move(command)), out_(std::move(out)), fileBytes_(fileBytes), extension_(std::move(extension))
{
}

void MeasurementOutput::CheckBeforeMeasuring() const
{
    if (!out_) {
        return;
    }
    if (out_->empty()) {
        throw UsageError("--out: an empty file name");
    }
    if (std::string error; !CheckFileWritable(*out_, error, fileBytes_)) {
        throw UsageError("--out: " + error);
    }
}

fs::path MeasurementOutput::FallbackPath(const fs::path& folder) const
{
    const std::tm now = CurrentLocalTime();
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1, now.tm_mday,
                  now.tm_hour, now.tm_min, now.tm_sec);
    const std::string stem = (out_ && !out_->stem().empty() ? out_->stem().string() : "measurement") + "-" + stamp;
    std::error_code ec;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string suffix = attempt == 0 ? "" : "-" + std::to_string(attempt + 1);
        const fs::path candidate = folder / (stem + suffix + extension_);
        if (!fs::exists(fs::symlink_status(candidate, ec))) {
            return candidate;
        }
    }
    return folder / (stem + "-" + std::to_string(kNameAttempts + 1) + extension_);
}

MeasurementOutput::Saved MeasurementOutput::Save(uint64_t pairs, const Writer& write) const
{
    const std::string prefix = "korvanta-cli " + command_ + ": ";
    if (!out_) {
        return Saved::NotAsked;
    }
    if (pairs == 0) {
        std::cerr << prefix << "no pair was measured: nothing was saved and " << out_->string()
                  << " was left as it was\n";
        return Saved::NothingMeasured;
    }
    std::string error;
    if (write(*out_, error)) {
        return Saved::AtOut;
    }
    std::cerr << prefix << "the measurement was not saved: " << error << "\n";
    const fs::path user = DataFolder::UserFolder();
    if (user.empty()) {
        std::cerr << prefix << "no data folder of the user's to keep it in: the measurement is lost\n";
        return Saved::Lost;
    }
    const fs::path folder = user / kFallbackFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path fallback = FallbackPath(folder);
    std::string again;
    if (ec || !write(fallback, again)) {
        std::cerr << prefix << "nor could it be kept in " << folder.string() << ": "
                  << (ec ? ec.message() : again) << "\n";
        return Saved::Lost;
    }
    std::cerr << prefix << "the measurement was kept in " << fallback.string() << "\n";
    return Saved::Elsewhere;
}

}  // namespace korvanta::cli
