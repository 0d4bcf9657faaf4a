#include "gui/app/CMeasurementFiles.h"

#include <QFileDialog>
#include <QFileInfo>

#include "core/fileio/FileProblem.h"
#include "core/text/StringIds.h"
#include "gui/app/CMainFrame.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

CMeasurementFiles::CMeasurementFiles(CKorvantaDoc& document, CAppSettings& settings, IMessageSink& messages,
                                     FileQuestion askFile)
    : document_(document), settings_(settings), messages_(messages), askFile_(std::move(askFile))
{
}

bool CMeasurementFiles::SaveModified()
{
    if (!document_.IsModified()) {
        return true;
    }
    switch (messages_.ShowMessage(str::kSaveChangesQuestion, kStyleExclamation | kStyleYesNoCancel)) {
    case MessageAnswer::Yes:
        return Save(false);
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void CMeasurementFiles::New()
{
    if (!SaveModified()) {
        return;
    }
    document_.NewDocument();
    UpdateTitle();
}

QString CMeasurementFiles::AskFile(bool save)
{
    if (askFile_) {
        return askFile_(save);
    }
    const QString filter = FileFilterText(str::kFileFilterMeasurement);
    const QString start = FromPathText(document_.Path());
    return save ? QFileDialog::getSaveFileName(frame_, QString(), start, filter)
                : QFileDialog::getOpenFileName(frame_, QString(), QString(), filter);
}

void CMeasurementFiles::Open()
{
    const QString path = AskFile(false);
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

bool CMeasurementFiles::Save(bool askForName)
{
    QString path = FromPathText(document_.Path());
    if (askForName || path.isEmpty()) {
        path = AskFile(true);
        if (path.isEmpty()) {
            return false;
        }
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QStringLiteral(".kvd");
        }
    }
    return SaveFile(path);
}

void CMeasurementFiles::OpenRecent(size_t index)
{
    const auto& paths = settings_.RecentFiles().Paths();
    if (index >= paths.size()) {
        return;
    }
    const std::string chosen = paths[index];
    const QString path = FromPathText(chosen);
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) {
        OpenFile(path);
        return;
    }
    // A file that has gone (moved, deleted, on a drive no longer there) leaves the list.
    messages_.ShowText(str::kRecentFileMissing, FileFailureText(str::kRecentFileMissing, chosen, {}), kStyleStop);
    settings_.RecentFiles().Remove(chosen);
    if (frame_ != nullptr) {
        frame_->SetRecentFiles(settings_.RecentFiles().Paths());
    }
}

bool CMeasurementFiles::OpenFile(const QString& path)
{
    if (!SaveModified() || !document_.Open(ToPath(path))) {
        return false;
    }
    Remember(path);
    return true;
}

bool CMeasurementFiles::SaveFile(const QString& path)
{
    if (!document_.Save(ToPath(path))) {
        return false;
    }
    Remember(path);
    return true;
}

void CMeasurementFiles::Remember(const QString& path)
{
    settings_.RecentFiles().Add(ToPathText(QFileInfo(path).absoluteFilePath()));
    if (frame_ != nullptr) {
        frame_->SetRecentFiles(settings_.RecentFiles().Paths());
    }
    UpdateTitle();
}

void CMeasurementFiles::UpdateTitle()
{
    if (frame_ == nullptr) {
        return;
    }
    const QString path = FromPathText(document_.Path());
    frame_->SetDocumentTitle(path.isEmpty() ? StringText(str::kUntitledDocument) : QFileInfo(path).fileName());
}

}  // namespace korvanta::gui
