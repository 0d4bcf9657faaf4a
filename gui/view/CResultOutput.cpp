#include "gui/view/CResultOutput.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

#include "core/app/CommandIds.h"
#include "core/export/CopyText.h"
#include "core/export/GisExport.h"
#include "core/export/GraphBitmap.h"
#include "core/export/PrintedPage.h"
#include "core/export/ResultReportBuilder.h"
#include "core/text/StringIds.h"
#include "core/view/TwoStationViewModel.h"
#include "gui/document/CGisCodeDialog.h"
#include "print/PrintedPagePainter.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

// The print without the dialog: the framework's ID, no menu item.
constexpr uint32_t kFilePrintDirect = 57608;

}  // namespace

CResultOutput::CResultOutput(CKorvantaDoc& document, const TwoStationViewModel& model, IMessageSink& messages,
                             QWidget& form, QWidget& graphPicture, QPrinter& printer)
    : document_(document),
      model_(model),
      messages_(messages),
      form_(form),
      graphPicture_(graphPicture),
      printer_(printer)
{
    chooseExportPath = [this] {
        return QFileDialog::getSaveFileName(&form_, QString(), QString(), QString(), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
    askGisCode = [this]() -> std::optional<QString> {
        CGisCodeDialog dialog(messages_, &form_);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.Code();
    };
}

bool CResultOutput::Handles(uint32_t id)
{
    return id == cmd::kFilePrint || id == kFilePrintDirect || id == cmd::kFilePrintPreview || id == cmd::kCopyText ||
           id == cmd::kCopyGraph || id == cmd::kExportGis;
}

bool CResultOutput::OnCommand(uint32_t id)
{
    switch (id) {
    case cmd::kFilePrint:
        Print(true);
        return true;
    case kFilePrintDirect:
        Print(false);
        return true;
    case cmd::kFilePrintPreview:
        PrintPreview();
        return true;
    case cmd::kCopyText:
        CopyText();
        return true;
    case cmd::kCopyGraph:
        CopyGraph();
        return true;
    case cmd::kExportGis:
        ExportToGis();
        return true;
    default:
        return false;
    }
}

ResultReport CResultOutput::Report() const
{
    return CollectResultReport(document_, model_.Display(), model_.Control().ElapsedText(), graphPicture_.height());
}

void CResultOutput::CopyText()
{
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard == nullptr) {
        messages_.ShowMessage(str::kCopyError, kStyleExclamation);
        return;
    }
    clipboard->setText(QString::fromStdString(BuildCopyText(Report())));
}

void CResultOutput::CopyGraph()
{
    // The picture as it is on the screen, cursor included.
    if (QClipboard* clipboard = QApplication::clipboard()) {
        clipboard->setImage(graphPicture_.grab().toImage());
    }
}

void CResultOutput::ExportToGis()
{
    const QString chosen = chooseExportPath();
    if (chosen.isEmpty()) {
        return;
    }
    const std::optional<QString> code = askGisCode();
    std::string error;
    if (!WriteGisExport(ToPath(chosen), Report(), code ? code->toStdString() : std::string(), error)) {
        messages_.ShowMessage(str::kFileNotSaved, kStyleExclamation);
    }
}

bool CResultOutput::PaintOn(QPrinter& printer) const
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    print::PrintedPagePainter::Paint(painter, LayOutPrintedPage(Report()), printer.resolution());
    return painter.end();
}

void CResultOutput::Print(bool withDialog)
{
    // The shared printer keeps what the user chose last time; the page itself is landscape.
    QPrinter& printer = printer_;
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(1, 1);
    // With nowhere to go (no printer installed, or a PDF file not named yet) a direct print asks
    // as the print dialog does instead of printing nothing.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (!printer.isValid() || (toFile && printer.outputFileName().isEmpty())) {
        withDialog = true;
    }
    if (withDialog) {
        QPrintDialog dialog(&printer, &form_);
        dialog.setMinMax(1, 1);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
    }
    if (!PaintOn(printer)) {
        messages_.ShowMessage(str::kPrintFailed, kStyleExclamation);
    }
    // A file printed to is not written over by the next print: that one asks for a name again.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setOutputFileName(QString());
    }
}

void CResultOutput::PrintPreview()
{
    printer_.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer_, &form_);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* target) { PaintOn(*target); });
    preview.exec();
}

}  // namespace korvanta::gui
