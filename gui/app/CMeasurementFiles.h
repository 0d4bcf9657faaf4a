#pragma once

#include <QString>

#include <cstddef>
#include <functional>

#include "core/document/CKorvantaDoc.h"
#include "core/host/IMessageSink.h"
#include "gui/app/CAppSettings.h"

namespace korvanta::gui {

class CMainFrame;

// The measurement file's commands: "Ny", "Åben", "Gem", "Gem Som" and the recent files; the
// question before a changed measurement is left; the recent-file list and the window's title
// as the document's file changes.
class CMeasurementFiles {
public:
    // Asks for a kvd file to open (save false) or save as; empty when the user cancels. Empty:
    // the file dialog.
    using FileQuestion = std::function<QString(bool save)>;

    CMeasurementFiles(CKorvantaDoc& document, CAppSettings& settings, IMessageSink& messages, FileQuestion askFile);

    // The frame the dialogs stand on and whose title and recent files follow; null until made.
    void SetFrame(CMainFrame* frame) { frame_ = frame; }

    void New();
    void Open();
    // True when the measurement was written.
    bool Save(bool askForName);
    void OpenRecent(size_t index);
    // Opens a measurement file into the document; on failure the document has told the user
    // and the measurement on show stays.
    bool OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    // Before a changed measurement is left: asks whether to save it. False when the user
    // cancels or the save fails, and the measurement must stay.
    bool SaveModified();
    void UpdateTitle();

private:
    QString AskFile(bool save);
    void Remember(const QString& path);

    CKorvantaDoc& document_;
    CAppSettings& settings_;
    IMessageSink& messages_;
    FileQuestion askFile_;
    CMainFrame* frame_ = nullptr;
};

}  // namespace korvanta::gui
