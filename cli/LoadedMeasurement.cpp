#include "cli/LoadedMeasurement.h"

#include <iostream>

#include "core/document/KvdFile.h"
#include "core/fileio/InputFile.h"
#include "core/app/DataFolder.h"

namespace korvanta::cli {

LoadedMeasurement::LoadedMeasurement(UnitSystem units, TimeUnit time) : messages_(std::cerr)
{
    settings_.SetUnitSystem(units);
    settings_.SetTimeUnit(time);
    DocumentContext context;
    context.link = &link_;
    context.clock = &clock_;
    context.messages = &messages_;
    context.settings = &settings_;
    context.dataFolder = DataFolder::Resolve(DataFolder::ProgramFolder(), DataFolder::UserFolder());
    doc_ = std::make_unique<CKorvantaDoc>(context);
}

bool LoadedMeasurement::Open(const std::filesystem::path& path, const char* command)
{
    if (const InputFile file(path, UINT64_MAX); !file.IsOpen()) {
        std::cerr << "korvanta-cli " << command << ": " << file.Error() << "\n";
        return false;
    }
    // The window always names its files by their full path; so does the tool. The document shows
    // its message; the tool adds the file and the reason.
    if (doc_->Open(std::filesystem::absolute(path))) {
        return true;
    }
    std::cerr << "korvanta-cli " << command << ": " << path.string() << ": " << WhyNotOpened(path) << "\n";
    return false;
}

std::string LoadedMeasurement::WhyNotOpened(const std::filesystem::path& path)
{
    auto record = std::make_unique<MeasurementRecord>();
    switch (ReadKvdFile(path, *record)) {
    case KvdStatus::NoVersion:
    case KvdStatus::WrongVersion:
        return "not a measurement file (no version 11 at its start)";
    case KvdStatus::Short:
        return "cut short (a measurement file holds " + std::to_string(kKvdFileBytes) + " bytes)";
    case KvdStatus::CannotOpen:
        return "cannot be read";
    case KvdStatus::Damaged:
        return "damaged: it holds values no measurement can have";
    case KvdStatus::Ok:
        break;
    }
    const std::string damage = FindRecordDamage(*record);
    return damage.empty() ? "refused" : "damaged: " + damage;
}

}  // namespace korvanta::cli
