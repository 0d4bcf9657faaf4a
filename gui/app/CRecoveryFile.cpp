#include "gui/app/CRecoveryFile.h"

#include <QStandardPaths>

#include <iostream>
#include <string>
#include <system_error>

#include "core/fileio/FileProblem.h"
#include "core/text/StringIds.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

CRecoveryFile::CRecoveryFile(const std::filesystem::path& folder)
    : path_((folder.empty() ? ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)) : folder) /
            "Korvanta-gendannet.kvd")
{
}

void CRecoveryFile::Keep(CKorvantaDoc& document) const
{
    if (document.IsThreeStationMode() || !(document.IsMeasuring() || document.HasUnsavedMeasurement())) {
        return;
    }
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    std::string error;
    if (document.SaveCopy(path_, error)) {
        std::cerr << "korvanta: the unsaved measurement was kept in " << path_.string() << "\n";
    } else {
        std::cerr << "korvanta: the unsaved measurement could not be kept: " << error << "\n";
    }
}

void CRecoveryFile::Offer(CKorvantaDoc& document, IMessageSink& messages) const
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) {
        return;
    }
    const std::string text = FileFailureText(str::kRecoveryOffer, path_.string(), {});
    if (messages.ShowText(str::kRecoveryOffer, text, kStyleQuestion | kStyleYesNo) == MessageAnswer::Yes) {
        document.OpenUnnamed(path_);
    }
    std::filesystem::remove(path_, ec);
}

}  // namespace korvanta::gui
