#pragma once

#include <filesystem>

#include "core/document/CKorvantaDoc.h"
#include "core/host/IMessageSink.h"

namespace korvanta::gui {

// The file an unsaved measurement is kept in when the program is told to end, offered once at
// the next start.
class CRecoveryFile {
public:
    // In `folder`; empty: the user's application data folder.
    explicit CRecoveryFile(const std::filesystem::path& folder);

    const std::filesystem::path& Path() const { return path_; }
    // Keeps the two-station measurement when it is running or unsaved; says on stderr what came
    // of it.
    void Keep(CKorvantaDoc& document) const;
    // Offers a kept measurement (opened unnamed on Yes) and removes the file either way.
    void Offer(CKorvantaDoc& document, IMessageSink& messages) const;

private:
    std::filesystem::path path_;
};

}  // namespace korvanta::gui
