#include "cli/LoadedMeasurement.h"

#include <iostream>

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
    // The window always names its files by their full path; so does the tool.
    return doc_->Open(std::filesystem::absolute(path));  // the document tells why it refuses
}

}  // namespace korvanta::cli
