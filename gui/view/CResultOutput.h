#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "core/export/ResultReport.h"
#include "core/host/IMessageSink.h"

class QPrinter;
class QWidget;

namespace korvanta {
class CKorvantaDoc;
class TwoStationViewModel;
}  // namespace korvanta

namespace korvanta::gui {

// The two-station form's result on paper, on the clipboard and in the GIS files: copy text, copy
// graph, export, print with and without the print dialog, print preview. What goes out is laid
// out in core from the form's model; this class only talks to Qt's clipboard, dialogs and
// printer.
class CResultOutput {
public:
    // `printer` is the program's shared printer (see CPrinterSetup).
    CResultOutput(CKorvantaDoc& document, const TwoStationViewModel& model, IMessageSink& messages, QWidget& form,
                  QWidget& graphPicture, QPrinter& printer);

    // True for the commands this class carries out.
    static bool Handles(uint32_t id);
    bool OnCommand(uint32_t id);

    ResultReport Report() const;
    void CopyText();
    void CopyGraph();
    void ExportToGis();
    void Print(bool withDialog);
    void PrintPreview();
    // Paints the page on a printer set up by the caller; false when the printer would not start.
    bool PaintOn(QPrinter& printer) const;

    // What the export asks the user: a path (empty = cancelled) and a GIS code (nothing =
    // cancelled). Tests answer instead of the dialogs.
    std::function<QString()> chooseExportPath;
    std::function<std::optional<QString>()> askGisCode;

private:
    CKorvantaDoc& document_;
    const TwoStationViewModel& model_;
    IMessageSink& messages_;
    QWidget& form_;
    QWidget& graphPicture_;
    QPrinter& printer_;
};

}  // namespace korvanta::gui
